#pragma once

#include "GeneralInfo.h"
#include "ProjectPaths.h"

#include <QString>

class QWidget;

// The project the editor has open: its folders and its information (Config/General).
struct EditorProject {
    ProjectPaths paths;
    GeneralInfo general;
    bool isOpen() const { return !paths.isEmpty(); }
};

// Opening, creating and checking projects. Messages and questions go through EditorMessages.
namespace ProjectLifecycle {

// `LoadProject`: the project test, the version check and its questions, the integrity check,
// the run-from-CD warning, the version stamp and the project information. True when opened.
bool LoadProject(QWidget *parent, const QString &root, EditorProject &out);

// The new-project checks in their order (empty name, refused characters, an existing folder)
// and the question that shows where the project goes. `root` receives the new root.
bool checkNewProject(QWidget *parent, const QString &folder, const QString &name, QString &root);

// The checks before a test run (or, with `distribute`, a distribution): a frame exists and the
// initial frame names one.
bool checkRunnable(QWidget *parent, const EditorProject &project, bool distribute);

} // namespace ProjectLifecycle
