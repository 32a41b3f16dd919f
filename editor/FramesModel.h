#pragma once

#include <QAbstractListModel>
#include <QIcon>
#include <QStringList>
#include <QVector>

#include <functional>

// The frames of the frames list: one row per frame, its name as label and its thumbnail as
// icon. Filled in one step, so a thousand frames cost one reset, not a thousand insertions.
class FramesModel : public QAbstractListModel {
    Q_OBJECT
public:
    using RenameHandler = std::function<bool(const QString &oldName, const QString &newName)>;
    explicit FramesModel(QObject *parent = nullptr) : QAbstractListModel(parent) {}

    // Called when a label is edited; the row takes the new name only when it returns true, and
    // moves to keep the rows in the order of the frames listing.
    void setRenameHandler(RenameHandler handler) { m_rename = std::move(handler); }
    void setFrames(const QStringList &frames);
    const QStringList &frames() const { return m_frames; }
    QString frame(int row) const { return m_frames.value(row); }
    int rowOf(const QString &frame) const { return m_frames.indexOf(frame); }
    void setThumbnail(int row, const QIcon &icon);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    void keepListingOrder();

    QStringList m_frames;
    QVector<QIcon> m_icons;
    RenameHandler m_rename;
};
