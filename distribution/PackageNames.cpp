#include "PackageNames.h"

#include "ToolRun.h"

#include <QRegularExpression>

namespace PackageNames {

QString debianName(const QString &softwareTitle) {
    const QString plain = softwareTitle.normalized(QString::NormalizationForm_KD).toLower();
    QString name;
    bool dash = false;
    for (const QChar c : plain) {
        if (c.category() == QChar::Mark_NonSpacing)
            continue; // the accent of a decomposed letter
        if ((c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
            (c >= QLatin1Char('0') && c <= QLatin1Char('9'))) {
            if (dash && !name.isEmpty())
                name += QLatin1Char('-');
            name += c;
            dash = false;
        } else {
            dash = true;
        }
    }
    if (name.isEmpty())
        return QStringLiteral("game");
    if (name.size() < 2)
        name += QStringLiteral("-game");
    return name;
}

QString avoidingSystemPackages(const QString &name,
                               const std::function<bool(const QString &)> &isSystemPackage) {
    return isSystemPackage && isSystemPackage(name) ? name + QStringLiteral("-game") : name;
}

bool isKnownPackage(const QString &name) {
    if (runTool(QStringLiteral("dpkg-query"), {QStringLiteral("-W"), name}).ok)
        return true;
    const ToolRun r = runTool(QStringLiteral("apt-cache"),
                              {QStringLiteral("show"), QStringLiteral("--no-all-versions"), name});
    return r.ok && r.output.contains(QStringLiteral("Package: ") + name);
}

QString versionFrom(const QString &commentsAndVersion) {
    static const QRegularExpression dotted(QStringLiteral("(?<![\\d.])(\\d+(?:\\.\\d+)+[a-z0-9]*)"),
                                           QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression named(QStringLiteral("\\b(?:version|v)\\s*(\\d+)\\b"),
                                          QRegularExpression::CaseInsensitiveOption);
    QRegularExpressionMatch m = dotted.match(commentsAndVersion);
    if (!m.hasMatch())
        m = named.match(commentsAndVersion);
    return m.hasMatch() ? m.captured(1).toLower() : QStringLiteral("1.0");
}

QString gameName(const QString &softwareTitle, const QString &projectName) {
    const QString title = softwareTitle.trimmed().isEmpty() ? projectName : softwareTitle;
    return avoidingSystemPackages(debianName(title), isKnownPackage);
}

} // namespace PackageNames
