#pragma once

#include "ProjectSnapshot.h"

#include <QJsonObject>

// Everything the store read from a project, as one JSON object whose keys are the fields'
// names; a file that could not be read appears as {"error": message}.
QJsonObject projectToJson(const ProjectSnapshot &project);
