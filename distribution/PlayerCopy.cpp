#include "PlayerCopy.h"

#include "FileAccess.h"
#include "GeneralInfo.h"
#include "ToolRun.h"

#include <QDir>
#include <QTemporaryDir>

namespace PlayerCopy {

bool copyStripped(const QString &from, const QString &to, QString *error) {
    // strip writes beside nothing it knows: a temporary copy, then one checked replacement.
    QTemporaryDir work;
    const QString stripped = work.filePath(QStringLiteral("player"));
    const bool ok =
        work.isValid() && runTool(QStringLiteral("strip"), {QStringLiteral("--strip-unneeded"),
                                                            QStringLiteral("-o"), stripped, from})
                              .ok;
    return FileAccess::copyFile(ok ? stripped : from, to, FileAccess::kMaxMediaFileSize, error);
}

bool writeForPlayers(const QString &from, const QString &to, QString *error) {
    GeneralInfo info;
    Status s = readGeneral(from, info, GeneralReader::Editor);
    if (s) {
        info.GeneralFilePath.clear();
        s = writeGeneral(to, info);
    }
    if (!s && error)
        *error = QStringLiteral("Unable to write '%1'.\n\n%2")
                     .arg(QDir::toNativeSeparators(to), s.text().trimmed());
    return s.ok();
}

} // namespace PlayerCopy
