#include "FramesModel.h"

void FramesModel::setFrames(const QStringList &frames) {
    beginResetModel();
    m_frames = frames;
    m_icons = QVector<QIcon>(frames.size());
    endResetModel();
}

void FramesModel::setThumbnail(int row, const QIcon &icon) {
    if (row < 0 || row >= m_icons.size())
        return;
    m_icons[row] = icon;
    const QModelIndex i = index(row);
    emit dataChanged(i, i, {Qt::DecorationRole});
}

int FramesModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_frames.size());
}

QVariant FramesModel::data(const QModelIndex &index, int role) const {
    if (!index.isValid() || index.row() >= m_frames.size())
        return QVariant();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
    case Qt::ToolTipRole:
        return m_frames[index.row()];
    case Qt::DecorationRole:
        return m_icons[index.row()].isNull() ? QVariant() : QVariant(m_icons[index.row()]);
    default:
        return QVariant();
    }
}

bool FramesModel::setData(const QModelIndex &index, const QVariant &value, int role) {
    if (role != Qt::EditRole || !index.isValid() || index.row() >= m_frames.size())
        return false;
    const QString newName = value.toString();
    const QString oldName = m_frames[index.row()];
    if (newName == oldName)
        return false;
    if (!m_rename || !m_rename(oldName, newName))
        return false;
    m_frames[index.row()] = newName;
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return true;
}

Qt::ItemFlags FramesModel::flags(const QModelIndex &index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable;
}
