#include "VariableRules.h"

namespace VariableRules {

int groupOf(int list) {
    return list <= 1 ? 0 : 1;
}

bool mayAdd(const QStringList lists[5], int target, const QString &variable) {
    for (int i = 0; i < 5; ++i) {
        if (groupOf(i) == groupOf(target) && lists[i].contains(variable))
            return false;
    }
    return true;
}

QString proposeName(const QString &selected, const QStringList &existing) {
    QString base = selected;
    if (base.size() < 3) {
        base = QStringLiteral("Variable");
    } else {
        for (int i = 0; i < 2 && !base.isEmpty() && base.back() >= QLatin1Char('0') &&
                        base.back() <= QLatin1Char('9');
             ++i)
            base.chop(1);
    }
    for (int n = 1;; ++n) {
        const QString name = base + QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
        if (!existing.contains(name))
            return name;
    }
}

} // namespace VariableRules
