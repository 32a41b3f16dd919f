#pragma once

#include "Status.h"

#include <QString>

// Config/Options: the choices of the last successful distribution build.
struct OptionsFile {
    int ColorIndex = 0; // position in the installer's colour list
    QString ColorName = QStringLiteral("Blue");
    int CheckEnable = 0;
    int CheckRunFromCD = 0;
    int Check1 = 0;
    int Check2 = 0;
};

Status readOptions(const QString &path, OptionsFile &out);
Status writeOptions(const QString &path, const OptionsFile &options);
