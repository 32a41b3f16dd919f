#include "ProjectSkeleton.h"

#include "FileAccess.h"
#include "NameRules.h"
#include "ProjectFiles.h"
#include "ProjectIntegrity.h"
#include "ProjectVersion.h"
#include "StoreMessages.h"
#include "VariablesFile.h"

#include <QDir>
#include <QFileInfo>

Status createProjectSkeleton(const QString &parentFolder, const QString &projectName,
                             const QString &stockIconsFolder, ProjectPaths &out) {
    const Status nameOk = NameRules::checkName(projectName);
    if (!nameOk)
        return nameOk;
    if (!NameRules::isSafeComponent(projectName))
        return NameRules::checkName(QStringLiteral("\""));
    const ProjectPaths paths(withTrailingSeparator(parentFolder) + projectName);
    for (const QString &folder :
         {paths.root(), paths.FramesPath(), paths.AreasPath(), paths.IconsPath(), paths.ConfigPath()}) {
        if (!QDir().mkpath(folder))
            return StoreMessages::projectFilesReadOnly();
    }
    const QString stock = withTrailingSeparator(stockIconsFolder);
    if (!stock.isEmpty()) {
        QStringList pointers = ProjectFiles::filesWith(stock, QString(), QStringLiteral(".ico"));
        pointers += ProjectFiles::filesWith(stock, QString(), QStringLiteral(".cur"));
        for (const QString &f : pointers) {
            // An existing pointer stays; a stock pointer that cannot be copied is left out.
            if (!QFileInfo::exists(paths.IconsPath() + f))
                FileAccess::copyFile(stock + f, paths.IconsPath() + f,
                                     FileAccess::kMaxPictureFileSize);
        }
    }
    Status s = ProjectIntegrity::write(paths.root(), projectName);
    if (!s)
        return s;
    if (!ProjectVersion::write(paths.ConfigPath() + QStringLiteral("Version")))
        return StoreMessages::projectFilesReadOnly();
    s = writeVariablesFile(paths.ConfigPath() + QStringLiteral("Variables"), QStringList());
    if (!s)
        return StoreMessages::projectFilesReadOnly();
    out = paths;
    return Status::success();
}
