#include "BuildOptions.h"

const QStringList &installerColors() {
    static const QStringList colors{
        QStringLiteral("Blue"),  QStringLiteral("Green"),  QStringLiteral("Red"),
        QStringLiteral("Black"), QStringLiteral("White"),  QStringLiteral("Maroon"),
        QStringLiteral("Olive"), QStringLiteral("Navy"),   QStringLiteral("Purple"),
        QStringLiteral("Teal"),  QStringLiteral("Gray"),   QStringLiteral("Silver"),
        QStringLiteral("Lime"),  QStringLiteral("Yellow"), QStringLiteral("Fuchsia"),
        QStringLiteral("Aqua")};
    return colors;
}

int installerColorIndex(const QString &name) {
    const QStringList &colors = installerColors();
    for (int i = 0; i < colors.size(); ++i) {
        if (colors[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QString BuildOptions::colorName() const {
    const QStringList &colors = installerColors();
    return colors.value(colorIndex, colors.first());
}
