#pragma once

// GoogleTest prints a QString as the list of its 16-bit characters. Every file of the player
// tests is compiled with this header first (see CMakeLists.txt), so that all of them print
// strings the same, readable way.

#include <QString>

#include <ostream>

inline void PrintTo(const QString &text, std::ostream *os) {
    *os << '"' << text.toStdString() << '"';
}
