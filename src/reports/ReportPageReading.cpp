// ReportDocument::pageReading: the page's words for assistive technology,
// read from the laid-out body the page is drawn from.
#include "reports/ReportDocument.h"

#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <map>

namespace {
// A table with column headers (the layouts' <thead>) holds data; the others
// only place text side by side.
QTextTable *dataTable(const QTextBlock &block)
{
    QTextTable *table = QTextCursor(block).currentTable();
    return table && table->format().headerRowCount() > 0 ? table : nullptr;
}

QString cellText(const QTextTableCell &cell)
{
    QStringList texts;
    for (auto it = cell.begin(); !it.atEnd(); ++it)
        if (const QTextBlock block = it.currentBlock(); block.isValid())
            if (const QString text = block.text().simplified(); !text.isEmpty())
                texts << text;
    return texts.join(QLatin1Char(' '));
}

// The header rows: the last gives each column its header (a spanning header
// covers every column it spans); the rows above it make the caption.
ReadingTable tableHeaders(const QTextTable &table)
{
    ReadingTable reading;
    const int headerRows = std::min(table.format().headerRowCount(), table.rows());
    QStringList caption;
    for (int row = 0; row < headerRows; ++row) {
        QStringList texts;
        for (int column = 0; column < table.columns(); ++column)
            texts << cellText(table.cellAt(row, column));
        if (row + 1 < headerRows) {
            texts.removeDuplicates();
            texts.removeAll(QString());
            caption << texts;
        } else {
            reading.headers = texts;
        }
    }
    reading.caption = caption.join(QLatin1Char(' '));
    return reading;
}
} // namespace

PageReading ReportDocument::pageReading(int index) const
{
    PageReading reading;
    if (index < 0 || index >= pageCount())
        return reading;
    // The blocks of the part that paintPage() draws on this page.
    const auto [part, page] = partOfPage(index);
    const double pageHeight = m_bodyHeight / m_scales[part];
    const double top = page * pageHeight;
    const QTextDocument &document = *m_parts[part];
    QAbstractTextDocumentLayout *layout = document.documentLayout();

    struct Seen
    {
        int index;
        std::map<int, std::size_t> rows; // the table's row → the reading's row
    };
    std::map<const QTextTable *, Seen> seen;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QRectF rect = layout->blockBoundingRect(block);
        if (rect.bottom() <= top || rect.top() >= top + pageHeight)
            continue;
        const QString text = block.text().simplified();
        QTextTable *table = dataTable(block);
        if (!table) {
            if (!text.isEmpty())
                reading.items.push_back({text, -1});
            continue;
        }
        auto found = seen.find(table);
        if (found == seen.end()) {
            found = seen.emplace(table, Seen{int(reading.tables.size()), {}}).first;
            reading.tables.push_back(tableHeaders(*table));
            reading.items.push_back({QString(), found->second.index});
        }
        const QTextTableCell cell = table->cellAt(block.position());
        if (text.isEmpty() || cell.row() < table->format().headerRowCount())
            continue;
        ReadingTable &target = reading.tables[found->second.index];
        auto row = found->second.rows.find(cell.row());
        if (row == found->second.rows.end()) {
            row = found->second.rows.emplace(cell.row(), target.rows.size()).first;
            target.rows.emplace_back(table->columns(), QString());
        }
        QString &slot = target.rows[row->second][cell.column()];
        slot = slot.isEmpty() ? text : slot + QLatin1Char(' ') + text;
    }
    return reading;
}
