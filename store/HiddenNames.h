#pragma once

#include <QString>

// Distributed projects install their data files under hidden names: the extension is replaced
// by a number (pic.bmp -> pic.004). The player maps the names back.
namespace HiddenNames {

// The hidden name of `name`; names with other extensions are unchanged.
QString hiddenName(const QString &name);
// True when the last four characters of `name` are one of the hidden-name extensions.
bool hasHiddenForm(const QString &name);

} // namespace HiddenNames
