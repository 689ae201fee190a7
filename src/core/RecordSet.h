#pragma once

#include <QHash>
#include <QStringList>
#include <QVariant>
#include <QVector>

// A client-side record set: every row of a query is held in memory, so the
// row count is exact as soon as it is open and moving back to the first row
// is always possible. Fields are found by name without regard to case; SQL
// nulls stay null QVariants.
class RecordSet
{
public:
    RecordSet() = default;
    RecordSet(QStringList columns, QVector<QVector<QVariant>> rows);

    int RecordCount() const { return static_cast<int>(m_rows.size()); }
    bool eof() const { return m_position >= m_rows.size(); }
    void MoveNext();
    void MoveFirst() { m_position = 0; }

    int fieldCount() const { return static_cast<int>(m_columns.size()); }
    QString fieldName(int index) const { return m_columns.at(index); }
    const QStringList &fieldNames() const { return m_columns; }

    // Value of a field of the current row. An unknown field or a read past
    // the last row is an error, as the data access library reports it.
    QVariant field(const QString &name) const;
    QVariant field(int index) const;
    // Text of a field; null reads as an empty string.
    QString text(const QString &name) const { return field(name).toString(); }
    bool isNull(const QString &name) const { return field(name).isNull(); }

    const QVector<QVariant> &row(int index) const { return m_rows.at(index); }

private:
    int columnIndex(const QString &name) const;
    void requireCurrentRow() const;

    QStringList m_columns;
    // Case-folded column names to positions, built on the first lookup by
    // name in a wide record set (the first of two equal names wins).
    mutable QHash<QString, int> m_columnIndex;
    mutable QHash<QString, int> m_exactIndex;
    QVector<QVector<QVariant>> m_rows;
    int m_position = 0;
};
