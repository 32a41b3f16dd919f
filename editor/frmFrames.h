#pragma once

#include "ChannelFile.h"
#include "ProjectLifecycle.h"

#include <QListView>
#include <QWidget>

#include <vector>

class FramesModel;
class MediaBackend;
class QMenu;

// "List of available frames (scenes)": the frames of the open project, as icons (a thumbnail
// of each background) or as a list. Frames are renamed by editing their label, duplicated,
// removed, and made from pictures dropped from the file manager. Each of these is a step of the
// project's history (ProjectHistory), undone with Ctrl+Z and redone with Ctrl+Shift+Z or Ctrl+Y.
class frmFrames : public QWidget {
    Q_OBJECT
public:
    explicit frmFrames(QWidget *parent = nullptr);
    ~frmFrames() override;

    void setProject(const EditorProject &project);
    // The media layer the frame properties dialog plays files through (must outlive this).
    void setMedia(MediaBackend *media) { m_media = media; }
    // Lists Frames/ again, in the current display style.
    void refresh();
    // true: "Icons" (large thumbnails); false: "List".
    void setIconStyle(bool icons);
    QListView *LView() const { return m_list; }
    FramesModel *frames() const { return m_model; }
    QMenu *contextMenu() const { return m_menu; }
    // The selected frame's name; empty when none.
    QString selectedFrame() const;
    void selectFrame(const QString &frame);

    // The operations of the list. Each says what went wrong in a message box.
    bool renameFrame(const QString &oldName, const QString &newName);
    bool duplicateSelected();
    // "Properties...": the frame properties dialog for the selected frame, modal.
    bool showProperties();
    bool removeSelected();
    // "Edit...": asks for the selected frame to be opened on the canvas (editRequested).
    bool editSelected();
    // New frames from dropped files, one message per refused file.
    void dropFiles(const QStringList &paths);

signals:
    void editRequested(const QString &frame);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool hasFrames();
    void startThumbnails();
    // Thumbnails are made only for the items shown or one screenful away, once each.
    void requestVisibleThumbnails();
    SoundMode soundMode() const;

    EditorProject m_project;
    MediaBackend *m_media = nullptr;
    QListView *m_list;
    FramesModel *m_model;
    QMenu *m_menu;
    int m_generation = 0; // thumbnails of an older listing are dropped
    std::vector<bool> m_thumbnailAsked;
};
