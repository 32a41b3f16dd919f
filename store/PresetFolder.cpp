#include "PresetFolder.h"

#include "NameRules.h"
#include "PresetFile.h"
#include "ProjectFiles.h"
#include "ProjectPaths.h"

#include <QDir>
#include <QFileInfo>

PresetFolder::PresetFolder(const QString &presetsFolder)
    : m_root(withTrailingSeparator(presetsFolder)) {}

QStringList PresetFolder::list() const {
    QStringList names{applicationsPresetName(), gamesPresetName()};
    for (const QString &n : ProjectFiles::baseNamesWithExtension(m_root, QStringLiteral("pre"))) {
        if (!isBuiltInPreset(n))
            names.append(n);
    }
    return names;
}

QString PresetFolder::path(const QString &preset) const {
    if (m_root.isEmpty() || !NameRules::isSafeComponent(preset))
        return QString();
    return ProjectFiles::existingVariant(m_root + preset + QStringLiteral(".pre"));
}

bool PresetFolder::remove(const QString &preset) {
    auto refuse = [this](const QString &text, const QString &why) {
        return fail(
            Status::failure(QStringLiteral("Remove Preset"), text, Status::Icon::Information), why);
    };
    if (preset.isEmpty())
        return refuse(QStringLiteral("Select the Preset you want to remove."),
                      QStringLiteral("no preset selected"));
    if (isBuiltInPreset(preset))
        return refuse(QStringLiteral("The selected Preset cannot be removed."),
                      preset + QStringLiteral(": built in"));
    const QString file = path(preset);
    const QString shown =
        QDir::toNativeSeparators(file.isEmpty() ? m_root + preset + QStringLiteral(".pre") : file);
    if (file.isEmpty() || !QFileInfo(file).isFile())
        return refuse(QStringLiteral("File Not Found '%1'.").arg(shown),
                      shown + QStringLiteral(": no such file"));
    if (!removeFile(file))
        return fail(Status::failure(QStringLiteral("Error"),
                                    QStringLiteral("Unable to remove '%1'.").arg(preset)));
    return succeed();
}
