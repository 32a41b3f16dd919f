#include "TestProject.h"

#include "Cp1252.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <stdexcept>

QString q(const QString &s) { return QLatin1Char('"') + s + QLatin1Char('"'); }

TestProject::TestProject() {
    if (!m_dir.isValid())
        throw std::runtime_error("cannot create a temporary folder");
    m_root = withTrailingSeparator(m_dir.path());
}

QString TestProject::path(const QString &relativePath) const {
    return m_root + QDir::toNativeSeparators(relativePath);
}

QString TestProject::writeRaw(const QString &relativePath, const QByteArray &bytes) const {
    const QString p = path(relativePath);
    QDir().mkpath(QFileInfo(p).path());
    QFile f(p);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write a test file");
    return p;
}

QString TestProject::writeLines(const QString &relativePath, const QStringList &lines) const {
    QByteArray bytes;
    for (const QString &l : lines) {
        bytes.append(Cp1252::encode(l));
        bytes.append("\r\n");
    }
    return writeRaw(relativePath, bytes);
}

QByteArray TestProject::read(const QString &relativePath) const {
    QFile f(path(relativePath));
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}

bool TestProject::exists(const QString &relativePath) const {
    return QFileInfo::exists(path(relativePath));
}

void TestProject::writeMinimalProject(const QString &name, const QString &initialFrame) const {
    writeLines(QStringLiteral("Config/General"),
               {q(name), q(QString()), q(QStringLiteral("Title")), QStringLiteral("2"), q(initialFrame),
                q(QString()), QStringLiteral("640"), QStringLiteral("480"), q(QString()), q(QString()),
                q(QString()), QStringLiteral("0"), q(QString()), q(QString()), q(QString()),
                q(QString()), q(QString()), q(QString()), QStringLiteral("#FALSE#"),
                QStringLiteral("#FALSE#"), QStringLiteral("#FALSE#"), QStringLiteral("1")});
    writeLines(QStringLiteral("Config/Version"), {q(QStringLiteral("Version 2.06.01"))});
    writeLines(QStringLiteral("Config/Variables"), {QStringLiteral("0")});
    int sum = 0;
    for (char c : Cp1252::encode(name))
        sum += static_cast<unsigned char>(c);
    writeLines(QStringLiteral("Project.dat"), {QString::number(sum)});
    QDir().mkpath(path(QStringLiteral("Frames")));
    QDir().mkpath(path(QStringLiteral("Areas")));
    QDir().mkpath(path(QStringLiteral("Icons")));
}

QMap<QString, QByteArray> folderTree(const QString &root) {
    QMap<QString, QByteArray> out;
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QByteArray bytes("<dir>");
        if (!it.fileInfo().isDir()) {
            QFile f(path);
            bytes = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
        }
        out.insert(QDir(root).relativeFilePath(path), bytes);
    }
    return out;
}
