#include "core/RecordSet.h"

#include "core/DatabaseError.h"

namespace {
// Error numbers of the data access library for the two misuses of a record set.
constexpr int kItemNotFound = 3265;
constexpr int kNoCurrentRecord = 3021;
// Record sets this narrow are searched by name directly; wider ones through
// an index of their names.
constexpr int kDirectSearchColumns = 8;
} // namespace

RecordSet::RecordSet(QStringList columns, QVector<QVector<QVariant>> rows)
    : m_columns(std::move(columns)), m_rows(std::move(rows))
{
}

void RecordSet::MoveNext()
{
    requireCurrentRow();
    ++m_position;
}

int RecordSet::columnIndex(const QString &name) const
{
    if (m_columns.size() <= kDirectSearchColumns) {
        for (int i = 0; i < m_columns.size(); ++i) {
            if (m_columns.at(i).compare(name, Qt::CaseInsensitive) == 0)
                return i;
        }
        return -1;
    }
    if (m_columnIndex.isEmpty()) {
        // Backwards, so that the first of two equal names is the one kept.
        for (int i = int(m_columns.size()) - 1; i >= 0; --i)
            m_columnIndex.insert(m_columns.at(i).toCaseFolded(), i);
        // Each name as the query spelled it leads to that same first column.
        for (const QString &column : m_columns)
            m_exactIndex.insert(column, m_columnIndex.value(column.toCaseFolded()));
    }
    // Most lookups spell the name as the query did: found without folding.
    const auto exact = m_exactIndex.constFind(name);
    if (exact != m_exactIndex.constEnd())
        return *exact;
    return m_columnIndex.value(name.toCaseFolded(), -1);
}

void RecordSet::requireCurrentRow() const
{
    if (eof())
        throw DatabaseError(kNoCurrentRecord,
                            QStringLiteral("Either BOF or EOF is True, or the current record has "
                                           "been deleted."));
}

QVariant RecordSet::field(const QString &name) const
{
    const int index = columnIndex(name);
    if (index < 0)
        throw DatabaseError(kItemNotFound,
                            QStringLiteral("Item cannot be found in the collection corresponding "
                                           "to the requested name or ordinal: %1")
                                .arg(name));
    return field(index);
}

QVariant RecordSet::field(int index) const
{
    if (index < 0 || index >= m_columns.size())
        throw DatabaseError(kItemNotFound,
                            QStringLiteral("Item cannot be found in the collection corresponding "
                                           "to the requested name or ordinal: %1")
                                .arg(index));
    requireCurrentRow();
    return m_rows.at(m_position).at(index);
}
