#include "reports/ReportPageSheet.h"

#include <QAccessibleWidget>
#include <QPointer>

namespace {
// One part of the page for assistive technology: a paragraph, a table, a
// column header or a cell. Parts are no QObjects: they reach the sheet by a
// guarded pointer and are valid while the sheet shows their page.
class ReadingPart : public QAccessibleInterface,
                    public QAccessibleTableInterface,
                    public QAccessibleTableCellInterface
{
public:
    enum class Kind { Paragraph, Table, Header, Cell };

    ReadingPart(ReportPageSheet *sheet, QAccessibleInterface *parent, Kind kind, int item,
                int table, int row, int column)
        : m_sheet(sheet), m_generation(sheet->generation()), m_parent(parent), m_kind(kind),
          m_item(item), m_table(table), m_row(row), m_column(column)
    {
    }

    void addChild(ReadingPart *child) { m_children.push_back(child); }

    // QAccessibleInterface
    bool isValid() const override { return m_sheet && m_sheet->generation() == m_generation; }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return m_parent->window(); }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QAccessibleInterface *parent() const override { return m_parent; }
    QAccessibleInterface *child(int index) const override
    {
        return index >= 0 && index < int(m_children.size()) ? m_children[index] : nullptr;
    }
    int childCount() const override { return int(m_children.size()); }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        const auto found = std::find(m_children.begin(), m_children.end(), child);
        return found == m_children.end() ? -1 : int(found - m_children.begin());
    }
    QString text(QAccessible::Text t) const override
    {
        if (!isValid() || (t != QAccessible::Name && t != QAccessible::Value))
            return QString();
        const PageReading &reading = m_sheet->reading();
        switch (m_kind) {
        case Kind::Paragraph:
            return t == QAccessible::Name ? reading.items[m_item].text : QString();
        case Kind::Table:
            return t == QAccessible::Name ? tableData().caption : QString();
        case Kind::Header:
            return tableData().headers.value(m_column);
        case Kind::Cell:
            return tableData().rows[m_row].value(m_column);
        }
        return QString();
    }
    void setText(QAccessible::Text, const QString &) override {}
    QRect rect() const override { return m_parent->rect(); }
    QAccessible::Role role() const override
    {
        switch (m_kind) {
        case Kind::Paragraph:
            return QAccessible::Paragraph;
        case Kind::Table:
            return QAccessible::Table;
        case Kind::Header:
            return QAccessible::ColumnHeader;
        case Kind::Cell:
            break;
        }
        return QAccessible::Cell;
    }
    QAccessible::State state() const override
    {
        QAccessible::State state;
        state.readOnly = true;
        return state;
    }
    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TableInterface && m_kind == Kind::Table)
            return static_cast<QAccessibleTableInterface *>(this);
        if (type == QAccessible::TableCellInterface &&
            (m_kind == Kind::Cell || m_kind == Kind::Header))
            return static_cast<QAccessibleTableCellInterface *>(this);
        return nullptr;
    }

    // QAccessibleTableInterface: the rows and columns of the page's table.
    QAccessibleInterface *caption() const override { return nullptr; }
    QAccessibleInterface *summary() const override { return nullptr; }
    QAccessibleInterface *cellAt(int row, int column) const override
    {
        const int columns = isValid() ? tableData().columnCount() : 0;
        if (row < 0 || row >= rowCount() || column < 0 || column >= columns)
            return nullptr;
        return child(headerCount() + row * columns + column);
    }
    int columnCount() const override { return isValid() ? tableData().columnCount() : 0; }
    int rowCount() const override { return isValid() ? int(tableData().rows.size()) : 0; }
    int selectedCellCount() const override { return 0; }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    QString columnDescription(int column) const override
    {
        return isValid() ? tableData().headers.value(column) : QString();
    }
    QString rowDescription(int) const override { return QString(); }
    QList<QAccessibleInterface *> selectedCells() const override { return {}; }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent *) override {}

    // QAccessibleTableCellInterface
    bool isSelected() const override { return false; }
    QList<QAccessibleInterface *> columnHeaderCells() const override
    {
        if (m_kind != Kind::Cell)
            return {};
        const auto *table = static_cast<const ReadingPart *>(m_parent);
        if (QAccessibleInterface *header = table->child(m_column);
            header && m_column < table->headerCount())
            return {header};
        return {};
    }
    QList<QAccessibleInterface *> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return m_column; }
    int rowIndex() const override { return m_kind == Kind::Header ? -1 : m_row; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface *table() const override { return m_parent; }

private:
    const ReadingTable &tableData() const { return m_sheet->reading().tables[m_table]; }
    int headerCount() const { return isValid() ? int(tableData().headers.size()) : 0; }

    QPointer<ReportPageSheet> m_sheet;
    int m_generation;
    QAccessibleInterface *m_parent;
    Kind m_kind;
    int m_item;
    int m_table;
    int m_row;
    int m_column;
    std::vector<ReadingPart *> m_children;
};

// The sheet: a document whose children are the page's paragraphs and tables,
// and whose text is the whole page's.
class SheetAccessible : public QAccessibleWidget, public QAccessibleTextInterface
{
public:
    explicit SheetAccessible(ReportPageSheet *sheet)
        : QAccessibleWidget(sheet, QAccessible::Document)
    {
    }

    ReportPageSheet *sheet() const { return static_cast<ReportPageSheet *>(widget()); }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return sheet()->announcement().isEmpty() ? sheet()->pageName()
                                                     : sheet()->announcement();
        if (t == QAccessible::Value)
            return sheet()->reading().plainText();
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = true;
        return state;
    }

    int childCount() const override
    {
        parts();
        return int(m_parts.size());
    }
    QAccessibleInterface *child(int index) const override
    {
        parts();
        return index >= 0 && index < int(m_parts.size()) ? m_parts[index] : nullptr;
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        parts();
        const auto found = std::find(m_parts.begin(), m_parts.end(), child);
        return found == m_parts.end() ? -1 : int(found - m_parts.begin());
    }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    // QAccessibleTextInterface: the page's text, read only, with no caret.
    void selection(int, int *start, int *end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QString text(int start, int end) const override { return pageText().mid(start, end - start); }
    int characterCount() const override { return int(pageText().size()); }
    QRect characterRect(int) const override { return QRect(); }
    int offsetAtPoint(const QPoint &) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int *start, int *end) const override
    {
        *start = 0;
        *end = characterCount();
        return QString();
    }

private:
    QString pageText() const { return sheet()->reading().plainText(); }

    // Made for the page shown; a new page makes them again.
    void parts() const
    {
        ReportPageSheet *owner = sheet();
        if (m_generation == owner->generation() && !m_parts.empty())
            return;
        m_parts.clear();
        m_generation = owner->generation();
        auto *self = const_cast<SheetAccessible *>(this);
        const auto make = [owner](QAccessibleInterface *parent, ReadingPart::Kind kind, int item,
                                  int table, int row, int column) {
            auto *part = new ReadingPart(owner, parent, kind, item, table, row, column);
            owner->keepAccessiblePart(part);
            return part;
        };
        const PageReading &reading = owner->reading();
        for (int item = 0; item < int(reading.items.size()); ++item) {
            const int tableIndex = reading.items[item].table;
            if (tableIndex < 0) {
                m_parts.push_back(make(self, ReadingPart::Kind::Paragraph, item, -1, -1, -1));
                continue;
            }
            ReadingPart *table = make(self, ReadingPart::Kind::Table, item, tableIndex, -1, -1);
            const ReadingTable &data = reading.tables[tableIndex];
            const int columns = data.columnCount();
            for (int column = 0; column < int(data.headers.size()); ++column)
                table->addChild(
                    make(table, ReadingPart::Kind::Header, item, tableIndex, -1, column));
            for (int row = 0; row < int(data.rows.size()); ++row)
                for (int column = 0; column < columns; ++column)
                    table->addChild(
                        make(table, ReadingPart::Kind::Cell, item, tableIndex, row, column));
            m_parts.push_back(table);
        }
    }

    mutable int m_generation = -1;
    mutable std::vector<ReadingPart *> m_parts;
};

QAccessibleInterface *sheetFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String("ReportPageSheet") && object && object->isWidgetType())
        return new SheetAccessible(static_cast<ReportPageSheet *>(object));
    return nullptr;
}
} // namespace

ReportPageSheet::ReportPageSheet(QWidget *parent) : QLabel(parent)
{
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(sheetFactory);
        return true;
    }();
    Q_UNUSED(factoryInstalled);
}

ReportPageSheet::~ReportPageSheet()
{
    dropAccessibleParts();
}

void ReportPageSheet::setReading(PageReading reading, const QString &pageName)
{
    dropAccessibleParts();
    m_reading = std::move(reading);
    m_pageName = pageName;
    m_announcement.clear();
    if (QAccessible::isActive()) {
        QAccessibleEvent changed(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&changed);
        QAccessibleEvent reordered(this, QAccessible::ObjectReorder);
        QAccessible::updateAccessibility(&reordered);
    }
}

void ReportPageSheet::announce(const QString &text)
{
    if (text == m_announcement)
        return;
    m_announcement = text;
    QAccessibleEvent changed(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&changed);
}

void ReportPageSheet::keepAccessiblePart(QAccessibleInterface *part)
{
    m_parts.push_back(QAccessible::registerAccessibleInterface(part));
}

void ReportPageSheet::dropAccessibleParts()
{
    ++m_generation;
    for (const QAccessible::Id id : m_parts)
        QAccessible::deleteAccessibleInterface(id);
    m_parts.clear();
}
