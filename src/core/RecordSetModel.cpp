#include "core/RecordSetModel.h"

RecordSetModel::RecordSetModel(QObject *parent) : QAbstractTableModel(parent) {}

void RecordSetModel::setRecordSet(RecordSet recordSet)
{
    beginResetModel();
    m_recordSet = std::move(recordSet);
    endResetModel();
}

QVariant RecordSetModel::value(int row, int column) const
{
    return m_recordSet.row(row).at(column);
}

int RecordSetModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_recordSet.RecordCount();
}

int RecordSetModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_recordSet.fieldCount();
}

QVariant RecordSetModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return {};
    return cellText(index.row(), index.column());
}

QVariant RecordSetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal ||
        section >= m_recordSet.fieldCount())
        return {};
    return m_recordSet.fieldName(section);
}
