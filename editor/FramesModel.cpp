#include "FramesModel.h"

#include <algorithm>
#include <numeric>

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
    keepListingOrder();
    return true;
}

void FramesModel::keepListingOrder() {
    // The order of the frames listing: without regard to case, then by code.
    const auto before = [this](int a, int b) {
        const int c = m_frames[a].compare(m_frames[b], Qt::CaseInsensitive);
        return c != 0 ? c < 0 : m_frames[a] < m_frames[b];
    };
    QVector<int> order(m_frames.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), before);
    if (std::is_sorted(order.begin(), order.end()))
        return;
    emit layoutAboutToBeChanged();
    QStringList frames;
    QVector<QIcon> icons;
    QVector<int> newRow(order.size());
    for (int i = 0; i < order.size(); ++i) {
        frames.append(m_frames[order[i]]);
        icons.append(m_icons[order[i]]);
        newRow[order[i]] = i;
    }
    m_frames = frames;
    m_icons = icons;
    // The selection and the current item follow their frames.
    const QModelIndexList persistent = persistentIndexList();
    QModelIndexList moved;
    for (const QModelIndex &i : persistent)
        moved.append(i.isValid() ? index(newRow[i.row()]) : i);
    changePersistentIndexList(persistent, moved);
    emit layoutChanged();
}

Qt::ItemFlags FramesModel::flags(const QModelIndex &index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable;
}
