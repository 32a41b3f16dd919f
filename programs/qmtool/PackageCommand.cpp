#include "PackageCommand.h"

#include "BuildMachine.h"
#include "LinuxPackage.h"

#include <QCoreApplication>
#include <QDir>
#include <QImage>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

int usage() {
    std::fputs("usage: qmtool package PROJECT --deb|--portable --to FOLDER [--enable]\n"
               "                      [--editor FOLDER] [--replace] [--quick]\n",
               stderr);
    return 2;
}

void printLine(const QString &text) {
    std::fputs(text.toLocal8Bit().constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

} // namespace

bool writePngIcon(const QString &picture, const QString &png) {
    QImage image(picture);
    return !image.isNull() && image.save(png, "PNG");
}

int runPackageCommand(const QStringList &arguments) {
    LinuxPackage::Request request;
    request.editorFolder = QCoreApplication::applicationDirPath();
    bool kindGiven = false;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString &arg = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (arg == QLatin1String("--deb") || arg == QLatin1String("--portable")) {
            request.kind = arg == QLatin1String("--deb") ? LinuxPackage::Kind::Debian
                                                         : LinuxPackage::Kind::Portable;
            kindGiven = true;
        } else if (arg == QLatin1String("--enable")) {
            request.letAnyoneEdit = true;
        } else if (arg == QLatin1String("--replace")) {
            request.replace = true;
        } else if (arg == QLatin1String("--quick")) {
            request.quickArchive = true; // a larger archive, made in seconds (trials)
        } else if (arg == QLatin1String("--to") && hasValue) {
            request.location = QDir(arguments[++i]).absolutePath();
        } else if (arg == QLatin1String("--editor") && hasValue) {
            request.editorFolder = QDir(arguments[++i]).absolutePath();
        } else if (!arg.startsWith(QLatin1String("--")) && request.projectRoot.isEmpty()) {
            request.projectRoot = QDir(arg).absolutePath();
        } else {
            return usage();
        }
    }
    if (request.projectRoot.isEmpty() || request.location.isEmpty() || !kindGiven)
        return usage();
    request.writeIcon = writePngIcon;

    LinuxPackage package(request);
    package.setProgress([](const QString &step) { printLine(step + QStringLiteral("...")); });
    const LinuxPackage::Result r = package.build();
    if (!r.ok) {
        std::fputs((QStringLiteral("qmtool package: ") + r.error + QLatin1Char('\n'))
                       .toLocal8Bit()
                       .constData(),
                   stderr);
        return 1;
    }
    for (const QString &out : r.outputs)
        printLine(QDir::toNativeSeparators(out));
    printLine(QStringLiteral("size: %1 bytes").arg(r.bytes));
    if (r.unpackedBytes > 0) {
        qint64 libraries = 0;
        for (const qint64 b : r.libraryBytes)
            libraries += b;
        printLine(QStringLiteral("unpacked: %1 bytes, of which libraries %2 bytes")
                      .arg(r.unpackedBytes)
                      .arg(libraries));
        // The largest libraries first: where the size of a portable game goes.
        QList<QPair<qint64, QString>> bySize;
        for (auto it = r.libraryBytes.begin(); it != r.libraryBytes.end(); ++it)
            bySize.append({it.value(), it.key()});
        std::sort(bySize.begin(), bySize.end(), std::greater<>());
        QStringList largest;
        for (int i = 0; i < bySize.size() && i < 8; ++i)
            largest << QStringLiteral("%1 %2").arg(bySize[i].second).arg(bySize[i].first);
        printLine(QStringLiteral("largest libraries (bytes): ") +
                  largest.join(QStringLiteral(", ")));
    }
    if (!r.depends.isEmpty())
        printLine(QStringLiteral("Depends: ") + r.depends);
    if (request.kind == LinuxPackage::Kind::Debian)
        printLine(QStringLiteral("The package is for %1, the system that built it: a game for "
                                 "another Debian release is built on that release.")
                      .arg(BuildMachine::systemRelease()));
    else if (!BuildMachine::glibcVersion().isEmpty())
        printLine(QStringLiteral("The folder needs the C library glibc %1 or newer (this "
                                 "machine's).")
                      .arg(BuildMachine::glibcVersion()));
    if (!r.bundled.isEmpty())
        printLine(QStringLiteral("bundled: ") + r.bundled.join(QLatin1Char(' ')));
    return 0;
}
