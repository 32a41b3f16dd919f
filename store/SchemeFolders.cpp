#include "SchemeFolders.h"

#include "NameRules.h"
#include "ProjectFiles.h"
#include "ProjectPaths.h"
#include "ProjectVersion.h"
#include "SchemeFile.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>

namespace {

QString native(const QString &path) {
    return QDir::toNativeSeparators(path);
}

Status info(const QString &title, const QString &text) {
    return Status::failure(title, text, Status::Icon::Information);
}

bool isPictureName(const QString &name) {
    for (const char *ext : {".bmp", ".gif", ".jpg"}) {
        if (name.endsWith(QLatin1String(ext), Qt::CaseInsensitive))
            return true;
    }
    return false;
}

} // namespace

SchemeFolders::SchemeFolders(const QString &schemesFolder)
    : m_root(withTrailingSeparator(schemesFolder)) {}

QStringList SchemeFolders::list() const {
    QStringList names = QDir(m_root).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    return names;
}

QString SchemeFolders::schemeFolder(const QString &scheme) const {
    if (m_root.isEmpty() || !NameRules::isSafeComponent(scheme))
        return QString();
    return withTrailingSeparator(ProjectFiles::existingVariant(m_root + scheme));
}

QString SchemeFolders::schemeFile(const QString &scheme) const {
    const QString folder = schemeFolder(scheme);
    return folder.isEmpty() ? QString()
                            : ProjectFiles::existingVariant(folder + QStringLiteral("Scheme.txt"));
}

bool SchemeFolders::create(const QString &scheme) {
    if (scheme.isEmpty() || !NameRules::isSafeComponent(scheme))
        return fail(NameRules::checkName(QStringLiteral("\"")),
                    QStringLiteral("not a folder name: ") + scheme);
    const QString folder = m_root + scheme;
    if (QFileInfo::exists(ProjectFiles::existingVariant(folder)))
        return fail(info(QStringLiteral("Scheme Already Exists"),
                         QStringLiteral("A scheme with the name you specified already exists. "
                                        "Specify a different name.")),
                    native(folder) + QStringLiteral(": already exists"));
    const Status cannotSave = Status::failure(
        QStringLiteral("Error Saving Scheme"),
        QStringLiteral("Unable to create the scheme folder '%1'.").arg(native(folder)));
    if (!makeFolder(folder))
        return fail(cannotSave);
    SchemeFile s;
    s.SchemeName = scheme;
    s.WriterVersion = ProjectVersion::editorVersionText();
    const QDate today = QDate::currentDate();
    s.SavedDate = savedDateText(today.year(), today.month(), today.day());
    s.BackgroundColor = 0x000000;
    s.TitleColor = 0xFFFFFF;
    s.TextsColor = 0xFF0080;
    s.ButtonsColor = 0xFF0080;
    const QString file = withTrailingSeparator(folder) + QStringLiteral("Scheme.txt");
    const Status written = writeScheme(file, s);
    if (!written) {
        QDir(folder).removeRecursively();
        return fail(cannotSave, native(file) + QStringLiteral(": ") + written.text());
    }
    return succeed();
}

bool SchemeFolders::remove(const QString &scheme) {
    if (scheme.isEmpty())
        return fail(info(QStringLiteral("Scheme Removal"),
                         QStringLiteral("Select the scheme you want to remove.")),
                    QStringLiteral("no scheme selected"));
    const QString folder = schemeFolder(scheme);
    const Status failure = Status::failure(
        QStringLiteral("Error Removing Scheme"),
        QStringLiteral("Unable to remove '%1'.").arg(native(folder.isEmpty() ? scheme : folder)));
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        return fail(failure, native(m_root + scheme) + QStringLiteral(": no such scheme folder"));
    if (!removeFolder(folder))
        return fail(failure);
    return succeed();
}

bool SchemeFolders::pictures(const QString &scheme, QStringList &out) {
    const QString folder = schemeFolder(scheme);
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        return fail(Status::failure(QStringLiteral("Invalid Scheme Folder."),
                                    QStringLiteral("Unable to retrieve graphic files from scheme "
                                                   "folder.")),
                    native(m_root + scheme) + QStringLiteral(": no such scheme folder"));
    out = QStringList{QStringLiteral("[DEFAULT]")};
    QStringList files = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
    std::sort(files.begin(), files.end(), [](const QString &a, const QString &b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    for (const QString &f : files) {
        if (isPictureName(f))
            out.append(f);
    }
    return succeed();
}

bool SchemeFolders::addPicture(const QString &scheme, const QString &sourcePath) {
    const QString folder = schemeFolder(scheme);
    const QString name = QFileInfo(sourcePath).fileName();
    const QString target = ProjectFiles::existingVariant(folder + name);
    const Status failure = Status::failure(
        QStringLiteral("Error Adding Files"),
        QStringLiteral("Unable to copy '%1' to '%2'.").arg(native(sourcePath), native(target)));
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        return fail(failure, native(m_root + scheme) + QStringLiteral(": no such scheme folder"));
    if (QFileInfo::exists(target))
        return fail(info(QStringLiteral("Error Adding Files"),
                         QStringLiteral("The selected file is already in the scheme folder.")),
                    native(target) + QStringLiteral(": already exists"));
    if (!copyFile(sourcePath, target))
        return fail(failure);
    return succeed();
}

bool SchemeFolders::removePicture(const QString &scheme, const QString &fileName) {
    if (fileName.isEmpty())
        return fail(info(QStringLiteral("File Removal"),
                         QStringLiteral("Select the file you want to remove.")),
                    QStringLiteral("no file selected"));
    if (fileName.compare(QStringLiteral("[DEFAULT]"), Qt::CaseInsensitive) == 0 ||
        fileName.compare(QStringLiteral("[NONE]"), Qt::CaseInsensitive) == 0)
        return fail(info(QStringLiteral("File Removal"),
                         QStringLiteral("The selected file cannot be removed.")),
                    fileName + QStringLiteral(": the built-in picture has no file"));
    const QString folder = schemeFolder(scheme);
    const Status failure = Status::failure(QStringLiteral("Error Removing File"),
                                           QStringLiteral("Unable to remove '%1'.").arg(fileName));
    if (folder.isEmpty() || !NameRules::isSafeComponent(fileName))
        return fail(failure, QStringLiteral("not a file name: ") + fileName);
    if (!removeFile(ProjectFiles::existingVariant(folder + fileName)))
        return fail(failure);
    return succeed();
}
