#pragma once

#include "core/RecordSet.h"

#include <QAbstractTableModel>

// The record set holder behind the firm list grid: one row per stored
// statement, one column per field of the record set, headed by its name.
class FirmListModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit FirmListModel(QObject *parent = nullptr);

    void setRecordSet(RecordSet recordSet);
    const RecordSet &recordSet() const { return m_recordSet; }

    // The stored value of one cell (the firm name is column 0, the year 1).
    QVariant value(int row, int column) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    RecordSet m_recordSet;
};
