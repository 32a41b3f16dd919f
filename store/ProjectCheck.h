#pragma once

#include "ProjectSnapshot.h"

#include <QList>
#include <QString>

// Broken links and missing files of a project, found in what its files name.
struct ProjectProblem {
    QString kind; // missing-initial-frame, missing-frame, missing-file, missing-item,
                  // undeclared-variable, unreadable-file, link-outside-project (a symbolic
                  // link in the project folder that leads out of it: `name` is its target)
    QString file; // the project file holding the reference, relative to the root
    QString name; // what it names
    bool operator==(const ProjectProblem &o) const {
        return kind == o.kind && file == o.file && name == o.name;
    }
};

QList<ProjectProblem> checkProject(const ProjectSnapshot &project);
// Loads the project at `paths` and checks it, every folder listed once for both.
QList<ProjectProblem> checkProjectAt(const ProjectPaths &paths);

// True when `name` names a data file in `folder`, as written, in another letter case, or under
// the hidden name a distribution gives it.
bool dataFileExists(const QString &folder, const QString &name);
// The path of that data file, or an empty string when there is none.
QString findDataFile(const QString &folder, const QString &name);
