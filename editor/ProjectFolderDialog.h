#pragma once

#include <QDialog>
#include <QList>
#include <QString>

#include <memory>

class DriveProvider;
class QComboBox;
class QDialogButtonBox;
class QFileSystemModel;
class QLabel;
class QTimer;
class QTreeView;
class QVBoxLayout;
struct Drive;

// The drive list and folder tree shared by the new- and open-project windows: this system's
// mounted volumes, and the folders of the chosen one.
class ProjectFolderDialog : public QDialog {
    Q_OBJECT
public:
    // `drives` defaults to the system's; it must outlive the window.
    ProjectFolderDialog(const QString &startFolder, DriveProvider *drives, QWidget *parent);
    ~ProjectFolderDialog() override;

    // The folder selected in the tree (ending in a separator), or the start folder.
    QString selectedFolder() const;
    // Selects `folder` in the tree and its drive in the list.
    void setFolder(const QString &folder);
    QComboBox *driveList() const { return m_drives; }
    QTreeView *folderTree() const { return m_tree; }

protected:
    QVBoxLayout *body() const { return m_body; }
    QDialogButtonBox *buttons() const { return m_buttons; }
    // Double-click on a folder in the tree.
    virtual void folderActivated(const QString &) {}
    void showEvent(QShowEvent *event) override;

private:
    void driveChosen(int index);
    // Scrolls the tree to the folder given by setFolder while the author has chosen no other:
    // the folders above it are read in the background and push it down as they arrive.
    void revealFolder();

    std::unique_ptr<DriveProvider> m_ownDrives;
    QList<Drive> m_driveList;
    QComboBox *m_drives = nullptr;
    QTreeView *m_tree = nullptr;
    QFileSystemModel *m_model = nullptr;
    QVBoxLayout *m_body = nullptr;
    QDialogButtonBox *m_buttons = nullptr;
    QString m_folder;
    QTimer *m_reveal = nullptr; // revealFolder, once the tree's rows settle
    bool m_authorScrolled = false;
};
