#pragma once

#include "core/RecordSet.h"

#include <QAbstractTableModel>

// The data source behind a grid: one row per row of a record set, one column
// per field, headed by the field's name. Nulls show as empty cells.
class RecordSetModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit RecordSetModel(QObject *parent = nullptr);

    void setRecordSet(RecordSet recordSet);

    // The stored value of one cell, null kept.
    QVariant value(int row, int column) const;
    // Text of one cell; null reads as an empty text.
    QString cellText(int row, int column) const { return value(row, column).toString(); }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    RecordSet m_recordSet;
};
