#pragma once

#include <QString>

// One named game value. The engine stores 0 or 1; a name that does not exist reads as -1.
class ClassVariable {
public:
    QString Name;
    qint16 Value = 0;
};
