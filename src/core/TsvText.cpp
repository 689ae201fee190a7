#include "core/TsvText.h"

#include <QFile>
#include <QtDebug>

QString unescapeTsvCell(const QString &cell)
{
    QString out;
    out.reserve(cell.size());
    for (qsizetype i = 0; i < cell.size(); ++i) {
        const QChar c = cell.at(i);
        if (c != QLatin1Char('\\') || i + 1 == cell.size()) {
            out.append(c);
            continue;
        }
        const QChar next = cell.at(++i);
        if (next == QLatin1Char('t'))
            out.append(QLatin1Char('\t'));
        else if (next == QLatin1Char('n'))
            out.append(QLatin1Char('\n'));
        else if (next == QLatin1Char('\\'))
            out.append(QLatin1Char('\\'));
        else
            out.append(QLatin1Char('\\')).append(next);
    }
    return out;
}

QList<QStringList> tsvRows(const QString &text)
{
    QList<QStringList> rows;
    for (QString line : text.split(QLatin1Char('\n'))) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.trimmed().isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        QStringList cells;
        for (const QString &cell : line.split(QLatin1Char('\t')))
            cells << unescapeTsvCell(cell);
        rows << cells;
    }
    return rows;
}

QList<QStringList> tsvResourceRows(const QString &path, const char *what)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning("%s: the resource %s is missing", what, qPrintable(path));
        return {};
    }
    return tsvRows(QString::fromUtf8(file.readAll()));
}

BilingualTexts::BilingualTexts(const QString &path, const char *what) : m_what(what)
{
    for (const QStringList &row : tsvResourceRows(path, what)) {
        if (row.size() != 3) {
            qWarning("%s: unreadable line %s", what, qPrintable(row.join(QLatin1Char('\t'))));
            continue;
        }
        m_texts.insert(row.at(0), row.mid(1));
    }
}

QString BilingualTexts::text(const QString &key, bool french) const
{
    const auto found = m_texts.constFind(key);
    if (found == m_texts.constEnd()) {
        qWarning("%s: no text for %s", m_what, qPrintable(key));
        return QString();
    }
    return found->at(french ? 1 : 0);
}
