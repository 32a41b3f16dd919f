#pragma once

#include "Status.h"

#include <QString>
#include <QStringList>

// Config/Variables: the names of the game variables, in list order.
constexpr int kMaxVariables = 32767;

Status readVariablesFile(const QString &path, QStringList &out);
Status writeVariablesFile(const QString &path, const QStringList &names);
