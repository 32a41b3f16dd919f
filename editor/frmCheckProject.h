#pragma once

#include "ProjectPaths.h"

#include <QDialog>

class QTreeWidget;

// "Check Project": the broken links and missing files of the project (what `qmtool check`
// lists), one row each with its kind, the file that names it and the name.
class frmCheckProject : public QDialog {
    Q_OBJECT
public:
    explicit frmCheckProject(const ProjectPaths &paths, QWidget *parent = nullptr);
    QTreeWidget *problemList() const { return m_list; }
    // Checks the project again and fills the list.
    void refresh();

private:
    ProjectPaths m_paths;
    QTreeWidget *m_list;
};
