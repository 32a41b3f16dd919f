#include "BuildChecks.h"

#include "NameRules.h"
#include "ProjectPaths.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

namespace BuildChecks {

namespace {

Status titleRefused(const QString &reason) {
    return Status::failure(
        QStringLiteral("Error"),
        QStringLiteral("The software title cannot be used as a file name. Please change it in "
                       "the Project Properties.") +
            (reason.isEmpty() ? QString() : QStringLiteral("\n\n") + reason),
        Status::Icon::Information);
}

bool hasControlCharacter(const QString &text) {
    for (const QChar c : text) {
        if (c.category() == QChar::Other_Control || c == QChar::LineSeparator ||
            c == QChar::ParagraphSeparator)
            return true;
    }
    return false;
}

Status locationRefused(const QString &text) {
    return Status::failure(QString(), text, Status::Icon::Information);
}

} // namespace

Status checkTitle(const QString &title) {
    if (title.trimmed().isEmpty())
        return titleRefused(QStringLiteral("Please enter a valid title for your software."));
    const Status characters = NameRules::checkName(title);
    if (!characters)
        return titleRefused(characters.text());
    if (hasControlCharacter(title))
        return titleRefused(QStringLiteral("Please enter a valid title for your software: it "
                                           "cannot contain line breaks, tabs or other control "
                                           "characters."));
    if (title.toUtf8().size() > kMaxTitleBytes)
        return titleRefused(QStringLiteral("Please enter a valid title for your software: it "
                                           "cannot be longer than %1 bytes.")
                                .arg(kMaxTitleBytes));
    if (!NameRules::isSafeComponent(title))
        return titleRefused(QString()); // "." or ".."
    return Status::success();
}

Status checkLocation(const QString &location, const QString &projectRoot, bool mayBeMissing) {
    const QString shown = QDir::toNativeSeparators(location);
    const QFileInfo info(location);
    if (!info.exists() && !info.isSymLink()) {
        if (!mayBeMissing)
            return locationRefused(QStringLiteral("The folder '%1' does not exist.").arg(shown));
    } else if (!info.isDir()) {
        return locationRefused(QStringLiteral("The location you specified is not a folder: '%1'. "
                                              "Please select a different location.")
                                   .arg(shown));
    }
    if (ProjectPaths(projectRoot).holds(location))
        return locationRefused(
            QStringLiteral("The location you specified is inside the project: '%1'. What a "
                           "build writes there would be distributed with the project by the next "
                           "build. Please select a location outside the project folder.")
                .arg(shown));
    if (info.isDir()) {
        QTemporaryFile probe(QDir(location).filePath(QStringLiteral("build-check-XXXXXX")));
        if (!probe.open())
            return locationRefused(
                QStringLiteral("Unable to write to the location you specified: '%1'.\n\n%2")
                    .arg(shown, probe.errorString()));
    }
    return Status::success();
}

} // namespace BuildChecks
