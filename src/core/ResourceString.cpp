#include "core/ResourceString.h"

#include "core/AppState.h"
#include "core/TsvText.h"

#include <QHash>
#include <QtDebug>

namespace {
// The table is a tab-separated resource: id, tab, text (core/TsvText.h).
const QHash<int, QString> &table()
{
    static const QHash<int, QString> strings = [] {
        QHash<int, QString> loaded;
        for (const QStringList &row :
             tsvResourceRows(QStringLiteral(":/strings/strings.tsv"), "String table")) {
            bool ok = false;
            const int id = row.first().toInt(&ok);
            if (row.size() != 2 || !ok) {
                qWarning() << "String table: unreadable line" << row.join(QLatin1Char('\t'));
                continue;
            }
            loaded.insert(id, row.at(1));
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

QString ResourceString(int id, Language language)
{
    return ResourceString(id + int(language));
}

QString caption(int id)
{
    return ResourceString(id, appState().gintLanguage);
}
