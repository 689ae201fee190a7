#include "firm/FirmListModel.h"

FirmListModel::FirmListModel(QObject *parent) : QAbstractTableModel(parent) {}

void FirmListModel::setRecordSet(RecordSet recordSet)
{
    beginResetModel();
    m_recordSet = std::move(recordSet);
    endResetModel();
}

QVariant FirmListModel::value(int row, int column) const
{
    return m_recordSet.row(row).at(column);
}

int FirmListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_recordSet.RecordCount();
}

int FirmListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_recordSet.fieldCount();
}

QVariant FirmListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return {};
    return value(index.row(), index.column()).toString();
}

QVariant FirmListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal ||
        section >= m_recordSet.fieldCount())
        return {};
    return m_recordSet.fieldName(section);
}
