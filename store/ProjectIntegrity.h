#pragma once

#include "ProjectPaths.h"
#include "Status.h"

#include <QString>

// Project.dat: the sum of the Windows-1252 codes of the project name. The editor refuses to
// open a project whose Project.dat is missing or does not match Config/General.
namespace ProjectIntegrity {

// The sum is kept as a 16-bit signed value. Long names whose sum passes 32767 wrap around
// (two's complement), the same way when writing and when checking, so such projects open.
int nameSum(const QString &projectName);

// Writes Project.dat in the project root.
Status write(const QString &root, const QString &projectName);
// The stored value; false when the file is missing or unreadable.
bool read(const QString &root, int &out);

// Success, or the "Write-Protected" refusal.
Status check(const ProjectPaths &paths);

} // namespace ProjectIntegrity
