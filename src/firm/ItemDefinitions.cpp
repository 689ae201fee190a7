#include "firm/ItemDefinitions.h"

#include "core/TsvText.h"
#include "firm/StatementItems.h"

#include <QHash>
#include <QtDebug>

#include <array>

namespace {

// The table's language codes, at the index ItemDefinition::text() takes.
const std::array<QString, 2> kLanguageCodes = {QStringLiteral("en"), QStringLiteral("fr")};

int languageIndex(const QString &code)
{
    for (std::size_t i = 0; i < kLanguageCodes.size(); ++i) {
        if (kLanguageCodes[i] == code)
            return int(i);
    }
    return -1;
}

// Adds one row's text to a definition; false for a part the format does not know.
bool addPart(DefinitionText &text, const QString &part, const QString &value)
{
    if (part == QLatin1String("title")) {
        text.title = value;
    } else if (part == QLatin1String("line") || part == QLatin1String("last")) {
        text.lines << DefinitionLine(value, false);
        if (part == QLatin1String("last"))
            text.end = BodyEnd::NoBreaks;
    } else if (part == QLatin1String("joined")) {
        text.lines << DefinitionLine(value, true);
    } else {
        return false;
    }
    return true;
}

QVector<ItemDefinition> definitionsFromRows(const QList<QStringList> &rows)
{
    QHash<QString, std::array<DefinitionText, 2>> texts; // by column, then language
    for (const QStringList &row : rows) {
        const int language = row.size() == 4 ? languageIndex(row.at(1)) : -1;
        if (language < 0 || !addPart(texts[row.at(0)][language], row.at(2), row.at(3)))
            qWarning().noquote() << "Item definitions: unreadable line"
                                 << row.join(QLatin1Char('\t'));
    }

    QVector<ItemDefinition> definitions;
    QStringList missing;
    for (const StatementItem &item : statementItems()) {
        const QString column = QLatin1String(item.column);
        const std::array<DefinitionText, 2> text = texts.take(column);
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i].title.isEmpty() || text[i].lines.isEmpty())
                missing << column + QLatin1Char('/') + kLanguageCodes[i];
        }
        definitions.append({QLatin1String(item.labelName), column, text[0], text[1]});
    }
    if (!missing.isEmpty())
        qWarning().noquote() << "Item definitions: no title or no body for"
                             << missing.join(QStringLiteral(", "));
    if (!texts.isEmpty()) {
        QStringList unknown = texts.keys();
        unknown.sort();
        qWarning().noquote() << "Item definitions: not statement items:"
                             << unknown.join(QStringLiteral(", "));
    }
    return definitions;
}

} // namespace

QVector<ItemDefinition> readItemDefinitions(const QString &table)
{
    return definitionsFromRows(tsvRows(table));
}

const QVector<ItemDefinition> &itemDefinitions()
{
    static const QVector<ItemDefinition> definitions = definitionsFromRows(
        tsvResourceRows(QStringLiteral(":/firm/item_definitions.tsv"), "Item definitions"));
    return definitions;
}

const ItemDefinition *findItemDefinition(const QString &labelName)
{
    for (const ItemDefinition &definition : itemDefinitions()) {
        if (definition.labelName == labelName)
            return &definition;
    }
    return nullptr;
}

QString joinDefinitionBody(const DefinitionText &text)
{
    static const QString breaks = QStringLiteral("\r\n\r\n");
    const auto &lines = text.lines;
    if (lines.size() == 1)
        return lines.first().text;
    QString body;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        body += lines.at(i).text;
        const bool last = i + 1 == lines.size();
        if (last ? text.end == BodyEnd::Breaks : !lines.at(i + 1).continuesPrevious)
            body += breaks;
    }
    return body;
}
