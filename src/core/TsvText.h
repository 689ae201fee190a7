#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// The tab-separated text tables the program carries as resources (the
// string table, the comparison's texts, the title tables' sources): one row
// a line, cells separated by tabs; blank lines and lines starting with "#"
// are comments. In a cell "\n" stands for a line break, "\t" for a tab and
// "\\" for a backslash; any other backslash is kept as it is.

// A cell's text with its escapes read.
QString unescapeTsvCell(const QString &cell);

// The rows of a table's text, each cell unescaped.
QList<QStringList> tsvRows(const QString &text);

// The rows of a resource file (":/..."); no rows, and a warning naming
// `what`, when the resource is missing.
QList<QStringList> tsvResourceRows(const QString &path, const char *what);

// A resource of texts in both languages, one a row: key, English, French.
class BilingualTexts
{
public:
    // Reads the resource; `what` names it in warnings.
    BilingualTexts(const QString &path, const char *what);

    // The text of `key`; empty, with a warning, for an unknown key.
    QString text(const QString &key, bool french) const;

private:
    QHash<QString, QStringList> m_texts; // key to {English, French}
    const char *m_what;
};
