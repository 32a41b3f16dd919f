#pragma once

#include "VariablesCollection.h"

#include <QString>

class ErrorReporter;
class ProjectPaths;

// The game variables and the areas hidden for good, as the game window keeps them.
class GameVariables {
public:
    VariablesCollection Variables;
    // Entries named after a frame whose value is an area number.
    VariablesCollection Disappear;

    // Fills Variables from Config/Variables, every value 0. On a failure the names read before
    // it stay and " Unable to load variables list." is reported.
    void LoadVariables(const ProjectPaths &paths, ErrorReporter &reporter);
    // The value of the first entry named exactly `name`; -1 when there is none.
    qint16 GetVariableValue(const QString &name) const;
    // Sets every entry named exactly `VariableName` to `NewValue`, or inverts it for -1. An
    // unknown name changes nothing.
    void ChangeVariableValue(const QString &VariableName, qint16 NewValue);

    // Empties both collections (a new or loaded game).
    void reset();
};
