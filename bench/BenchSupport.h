#pragma once

// Shared pieces of the benchmarks: timing a piece of work over many runs and
// printing one line per figure, its name first and then key=value pairs, so
// that a script can read the figures.

#include <QElapsedTimer>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QTextStream>
#include <algorithm>

namespace bench {

inline double median(QList<double> values)
{
    if (values.isEmpty())
        return -1;
    std::sort(values.begin(), values.end());
    const qsizetype n = values.size();
    return n % 2 ? values.at(n / 2) : (values.at(n / 2 - 1) + values.at(n / 2)) / 2;
}

// Milliseconds one call of `work` takes.
template <typename Work> double timeOnce(Work &&work)
{
    QElapsedTimer clock;
    clock.start();
    work();
    return clock.nsecsElapsed() / 1e6;
}

// A figure in milliseconds, with three significant decimals for small ones.
inline QString milliseconds(double ms)
{
    return QString::number(ms, 'f', ms < 10 ? 3 : 1);
}

// "name key=value key=value".
inline void printFigure(const QString &name, const QList<QPair<QString, QString>> &pairs)
{
    QTextStream out(stdout);
    out << name;
    for (const auto &[key, value] : pairs)
        out << ' ' << key << '=' << value;
    out << '\n';
    out.flush();
}

// The number of runs given as the program's first argument, or `fallback`.
inline int runsFromArguments(const QStringList &arguments, int fallback)
{
    bool ok = false;
    const int runs = arguments.value(1).toInt(&ok);
    return ok && runs > 0 ? runs : fallback;
}

} // namespace bench
