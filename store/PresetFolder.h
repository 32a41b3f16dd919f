#pragma once

#include "FileOperation.h"

#include <QString>
#include <QStringList>

// The text presets of the editor's installation: Presets/<preset>.pre. The two built-in presets
// have no file.
class PresetFolder : public FileOperation {
public:
    explicit PresetFolder(const QString &presetsFolder);

    // The two built-in presets, then the .pre files without extension.
    QStringList list() const;
    // Presets/<preset>.pre (found without regard to case); empty when the name cannot be a file
    // name.
    QString path(const QString &preset) const;
    bool remove(const QString &preset);

private:
    QString m_root;
};
