#pragma once

#include "Status.h"

#include <QString>

// Config/Version and the check the editor makes before opening a project.
namespace ProjectVersion {

// The editor's version label and revision; their concatenation is the version text written
// into Config/Version, channel files, Texts, schemes and presets.
QString versionLabel();  // "Version 2.06"
QString revisionLabel(); // ".01"
QString editorVersionText();

// The first value of Config/Version; empty when the file is missing or unreadable.
QString read(const QString &versionFilePath);
Status write(const QString &versionFilePath, const QString &text = editorVersionText());

struct Decision {
    enum Kind { Open, Refuse, AskDifferent, AskOlder };
    Kind kind = Open;
    QString title; // "Warning!" for the two questions
    QString text;
    Status::Icon icon = Status::Icon::None;
};

// What to do with a project whose Config/Version holds `storedVersion` (empty: no check).
Decision check(const QString &storedVersion);

} // namespace ProjectVersion
