#pragma once

#include "CustomTexts.h"
#include "Status.h"

#include <QString>
#include <QStringList>

// Presets/<preset>.pre: a named set of the 44 custom texts.
struct PresetFile {
    QString PresetName;
    QString WriterVersion;
    QString SavedDate; // mm/dd/yyyy
    QStringList Slots; // slot 1 first
};

Status readPreset(const QString &path, PresetFile &out);
Status writePreset(const QString &path, const PresetFile &preset);

// The two presets that have no file; names compared without regard to case.
QString applicationsPresetName(); // "English (for applications)"
QString gamesPresetName();        // "English (for games)"
bool isBuiltInPreset(const QString &name);
