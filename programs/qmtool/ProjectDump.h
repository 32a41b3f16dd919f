#pragma once

#include "ProjectSnapshot.h"

#include <QJsonObject>

#include <functional>

// Everything the store read from a project, as one JSON object whose keys are the fields'
// names; a file that could not be read appears as {"error": message}.
QJsonObject projectToJson(const ProjectSnapshot &project);

// The same object, compact, for the project at `paths`, written through `write` piece by piece
// while the project is read: one frame at a time is held in memory.
void writeProjectJson(const ProjectPaths &paths,
                      const std::function<void(const QByteArray &)> &write);
