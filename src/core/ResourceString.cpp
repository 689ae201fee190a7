#include "core/ResourceString.h"

#include "core/AppState.h"

#include <QFile>
#include <QHash>
#include <QTextStream>
#include <QtDebug>

namespace {
// The table is a tab-separated resource: id, tab, text. In the text "\n"
// stands for a line break, "\t" for a tab and "\\" for a backslash.
QString unescape(const QString &raw)
{
    QString text;
    text.reserve(raw.size());
    for (qsizetype i = 0; i < raw.size(); ++i) {
        const QChar c = raw.at(i);
        if (c == QLatin1Char('\\') && i + 1 < raw.size()) {
            const QChar next = raw.at(++i);
            if (next == QLatin1Char('n'))
                text += QLatin1Char('\n');
            else if (next == QLatin1Char('t'))
                text += QLatin1Char('\t');
            else
                text += next;
        } else {
            text += c;
        }
    }
    return text;
}

const QHash<int, QString> &table()
{
    static const QHash<int, QString> strings = [] {
        QHash<int, QString> loaded;
        QFile file(QStringLiteral(":/strings/strings.tsv"));
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
            qWarning("String table resource is missing");
            return loaded;
        }
        QTextStream in(&file);
        in.setEncoding(QStringConverter::Utf8);
        while (!in.atEnd()) {
            const QString line = in.readLine();
            if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
                continue;
            const qsizetype tab = line.indexOf(QLatin1Char('\t'));
            bool ok = false;
            const int id = line.left(tab).toInt(&ok);
            if (tab < 0 || !ok) {
                qWarning() << "String table: unreadable line" << line;
                continue;
            }
            loaded.insert(id, unescape(line.mid(tab + 1)));
        }
        return loaded;
    }();
    return strings;
}
} // namespace

QString ResourceString(int id)
{
    const auto it = table().constFind(id);
    if (it == table().constEnd()) {
        qWarning("String table: no text at id %d", id);
        return QString();
    }
    return *it;
}

QString caption(int id)
{
    return ResourceString(id + appState().gintLanguage);
}

bool hasResourceString(int id)
{
    return table().contains(id);
}
