#pragma once

#include "core/RecordSet.h"

#include <QAbstractTableModel>

// The data source behind the keyword result grid: one column per field of the
// record set, headed by the field's name.
class KeywordResultsModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit KeywordResultsModel(QObject *parent = nullptr);

    void setRecordSet(RecordSet recordSet);
    const RecordSet &recordSet() const { return m_recordSet; }

    // Text of one cell; null reads as an empty text.
    QString cellText(int row, int column) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    RecordSet m_recordSet;
};
