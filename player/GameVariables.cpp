#include "GameVariables.h"

#include "ErrorReporter.h"
#include "GameRules.h"
#include "ProjectFiles.h"
#include "ProjectPaths.h"
#include "VariablesFile.h"

#include <QStringList>

void GameVariables::LoadVariables(const ProjectPaths &paths, ErrorReporter &reporter) {
    Variables.clear();
    QStringList names;
    const Status s = readVariablesFile(paths.configFile(QStringLiteral("Variables")), names);
    for (const QString &name : names)
        Variables.Add(name, 0); // duplicates are all added
    if (!s)
        reporter.reportError(QStringLiteral(" Unable to load variables list."));
}

qint16 GameVariables::GetVariableValue(const QString &name) const {
    for (const ClassVariable &v : Variables) {
        if (v.Name == name)
            return v.Value;
    }
    return -1;
}

void GameVariables::ChangeVariableValue(const QString &VariableName, qint16 NewValue) {
    for (int i = 1; i <= Variables.Count(); ++i) {
        ClassVariable *v = Variables.Item(i);
        if (v->Name != VariableName)
            continue;
        v->Value = static_cast<qint16>(GameRules::changedValue(v->Value, NewValue));
    }
}

void GameVariables::reset() {
    Variables.clear();
    Disappear.clear();
}
