#pragma once

#include <QFile>
#include <QString>

// A plain copy of a file, with no sync: the benchmarks make thousands of project files from one
// written by the store, in moments.
inline bool copyBytes(const QString &from, const QString &to) {
    QFile in(from);
    QFile out(to);
    if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly))
        return false;
    return out.write(in.readAll()) == in.size();
}
