#include "search/KeywordResultsModel.h"

KeywordResultsModel::KeywordResultsModel(QObject *parent) : QAbstractTableModel(parent) {}

void KeywordResultsModel::setRecordSet(RecordSet recordSet)
{
    beginResetModel();
    m_recordSet = std::move(recordSet);
    endResetModel();
}

QString KeywordResultsModel::cellText(int row, int column) const
{
    return m_recordSet.row(row).at(column).toString();
}

int KeywordResultsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_recordSet.RecordCount();
}

int KeywordResultsModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_recordSet.fieldCount();
}

QVariant KeywordResultsModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return {};
    return cellText(index.row(), index.column());
}

QVariant KeywordResultsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal && section < m_recordSet.fieldCount())
        return m_recordSet.fieldName(section);
    return {};
}
