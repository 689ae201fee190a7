#pragma once

#include "core/Language.h"

#include <QString>
#include <QVector>

// The definitions of the 33 statement items, shown when the user clicks an
// item's caption label on the firm screen. The texts are data, read from the
// resource resources/item_definitions.tsv (its format is described at its
// top); here they are read and joined, no window is involved.

// One line of a definition body as the program holds it.
struct DefinitionLine
{
    DefinitionLine(const char *utf8, bool continuesPrevious = false)
        : text(QString::fromUtf8(utf8)), continuesPrevious(continuesPrevious)
    {
    }
    DefinitionLine(const QString &text, bool continuesPrevious)
        : text(text), continuesPrevious(continuesPrevious)
    {
    }

    QString text;
    // Added to the previous line with no line break in between.
    bool continuesPrevious = false;
};

// Whether a body ends with the two line breaks that follow each line.
enum class BodyEnd { Breaks, NoBreaks };

// A definition in one language.
struct DefinitionText
{
    QString title;
    QVector<DefinitionLine> lines;
    BodyEnd end = BodyEnd::Breaks;
};

struct ItemDefinition
{
    QString labelName; // the caption label on the firm screen, e.g. "lblCash"
    QString item;      // the MyValues column, e.g. "Cash"
    DefinitionText english;
    DefinitionText french;

    const DefinitionText &text(Language language) const
    {
        return language == Language::English ? english : french;
    }
};

// The 33 definitions, in the order of the statement items, read from the
// resource on first use.
const QVector<ItemDefinition> &itemDefinitions();

// The definitions held by a table in the resource's format, one per
// statement item in the order of the items, each behind its item's caption
// label. An item or language the table has no text for gets an empty title
// and body, with a warning, as do lines it cannot read.
QVector<ItemDefinition> readItemDefinitions(const QString &table);

// The definition behind a caption label (exact label name), or nullptr.
const ItemDefinition *findItemDefinition(const QString &labelName);

// Joins a body's lines: each line is followed by two CR LF line breaks,
// except before a line that continues it and, for bodies that end without
// them, after the last line. A single paragraph has no line break at all.
QString joinDefinitionBody(const DefinitionText &text);
