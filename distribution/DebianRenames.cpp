#include "DebianRenames.h"

#include <QStringList>

namespace DebianRenames {

namespace {

// Debian 13 and Ubuntu 24.04 renamed the packages of the libraries whose interface holds a time
// (time_t) when it grew to 64 bits on 32-bit systems, adding "t64"; every architecture took the
// new name. Only renames whose both packages exist, and only libraries the player, its back-end
// libraries or its Qt plugins may depend on.
struct Rename {
    const char *before; // Debian 12
    const char *after;  // Debian 13 / Ubuntu 24.04
};
const Rename kRenames[] = {
    {"libasound2", "libasound2t64"},         // Debian 13, Ubuntu 24.04
    {"libglib2.0-0", "libglib2.0-0t64"},     // Debian 13, Ubuntu 24.04
    {"libpng16-16", "libpng16-16t64"},       // Debian 13, Ubuntu 24.04
    {"libqt6core6", "libqt6core6t64"},       // Debian 13, Ubuntu 24.04
    {"libqt6gui6", "libqt6gui6t64"},         // Ubuntu 24.04 (Debian 13 kept libqt6gui6)
    {"libqt6widgets6", "libqt6widgets6t64"}, // Ubuntu 24.04 (Debian 13 kept libqt6widgets6)
};

QString packageOf(const QString &alternative) {
    return alternative.trimmed().section(QLatin1Char(' '), 0, 0).section(QLatin1Char(':'), 0, 0);
}

} // namespace

QString otherName(const QString &package) {
    for (const Rename &r : kRenames) {
        if (package == QLatin1String(r.before))
            return QLatin1String(r.after);
        if (package == QLatin1String(r.after))
            return QLatin1String(r.before);
    }
    return QString();
}

QString withAlternatives(const QString &depends) {
    QStringList entries = depends.split(QStringLiteral(", "), Qt::SkipEmptyParts);
    for (QString &entry : entries) {
        QStringList alternatives, named;
        for (const QString &a : entry.split(QLatin1Char('|'))) {
            alternatives << a.trimmed();
            named << packageOf(a);
        }
        const int given = int(alternatives.size());
        for (int i = 0; i < given; ++i) {
            const QString other = otherName(named[i]);
            if (other.isEmpty() || named.contains(other))
                continue;
            // The version bound holds for both names: they are the same library.
            alternatives << other + alternatives[i].mid(named[i].size());
            named << other;
        }
        entry = alternatives.join(QStringLiteral(" | "));
    }
    return entries.join(QStringLiteral(", "));
}

} // namespace DebianRenames
