#pragma once

#include "ProjectLifecycle.h"

#include <QDialog>

class MediaBackend;
class QTreeWidget;

// "Check Project": the broken links and missing files of the project (what `qmtool check`
// lists), one row each with its kind, the file that names it and the name. Double-clicking a
// problem of a frame opens that frame's properties.
class frmCheckProject : public QDialog {
    Q_OBJECT
public:
    explicit frmCheckProject(const EditorProject &project, QWidget *parent = nullptr);
    QTreeWidget *problemList() const { return m_list; }
    // The media layer the frame properties dialog plays files through (must outlive this).
    void setMedia(MediaBackend *media) { m_media = media; }
    // Checks the project again and fills the list.
    void refresh();
    // The frame a problem belongs to, from the file that names it (Frames/<frame>.fme, .chn or
    // .lks, Areas/<frame>/...); empty for project-wide files.
    static QString frameOf(const QString &file);
    // Opens the frame properties of row `row`'s frame; false when it belongs to none.
    bool openFrameOf(int row);

private:
    EditorProject m_project;
    QTreeWidget *m_list;
    MediaBackend *m_media = nullptr;
};
