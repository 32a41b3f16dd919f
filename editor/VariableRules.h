#pragma once

#include <QString>
#include <QStringList>

// The rules of the area dialog's variable lists.
namespace VariableRules {

// The lists of one group may not name a variable twice: lists 0 and 1 (the visibility
// conditions), lists 2, 3 and 4 (the changes). The group of list i, 0 or 1.
int groupOf(int list);
// Whether list `target` may take a variable that `lists` (the five lists) hold: false when a
// list of the same group already names it.
bool mayAdd(const QStringList lists[5], int target, const QString &variable);
// The name "Create New..." proposes: the selected variable's name without one or two trailing
// digits ("Variable" when none is selected or its name is shorter than 3 characters), followed
// by the first number from 01 upward, in at least two digits, that no variable of `existing`
// bears (names compared exactly).
QString proposeName(const QString &selected, const QStringList &existing);

} // namespace VariableRules
