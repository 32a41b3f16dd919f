#pragma once

#include "ProjectPaths.h"
#include "Status.h"

#include <QString>

// A new project: <parent>/<name>/ with Frames, Areas, Icons and Config, the stock pointers,
// Project.dat, Config/Version and an empty variables list. Config/General is written when the
// project properties are first saved; until then the folder is not a valid project.
Status createProjectSkeleton(const QString &parentFolder, const QString &projectName,
                             const QString &stockIconsFolder, ProjectPaths &out);
