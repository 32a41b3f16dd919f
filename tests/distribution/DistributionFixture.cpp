#include "DistributionFixture.h"

#include <QDir>
#include <QFile>

namespace {

void writeFile(const QString &path, const QByteArray &bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        throw std::runtime_error(qPrintable(QStringLiteral("cannot write ") + path));
}

const char *const kCompiler = R"sh(#!/bin/sh
here=$(dirname "$0")
printf '%s\n' "$@" > "$here/args"
mode=$(cat "$here/mode" 2>/dev/null)
[ "$mode" = close ] && exit 0
[ "$mode" = wait ] && sleep 1
mkdir -p "$here/../Output"
if [ "$mode" = pack ]; then
    box="$here/box"
    rm -rf "$box" && mkdir -p "$box" || exit 1
    tr -d '\r' < "$1" |
        sed -n 's/^Source: "\([^"]*\)"; DestDir: "{app}\([^"]*\)".*/\1|\2/p' |
        while IFS='|' read -r src dest; do
            to="$box$(printf '%s' "$dest" | tr '\\' /)"
            mkdir -p "$to"
            pattern=${src##*/}
            [ "$pattern" = '*.*' ] && pattern='*' # as the compiler reads it: every file
            for f in "${src%/*}"/$pattern; do [ -f "$f" ] && cp "$f" "$to/"; done
        done
    exec tar -cf "$here/../Output/Setup.exe" -C "$box" .
fi
printf 'setup of %s' "$1" > "$here/../Output/Setup.exe"
)sh";

} // namespace

QByteArray readAll(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

EditorInstall::EditorInstall(bool withCompiler) : folder(dir.path() + QLatin1Char('/')) {
    writeFile(path(QStringLiteral("run.dat")), "the player");
    writeFile(path(QStringLiteral("quillmoor.png")), "\x89PNG\r\n\x1a\n"); // the default icon
    QDir().mkpath(path(QStringLiteral("System")));
    QDir().mkpath(path(QStringLiteral("Schemes/Moss")));
    writeFile(path(QStringLiteral("Schemes/Moss/Scheme.txt")), "scheme");
    if (withCompiler) {
        const QString compiler = path(QStringLiteral("Compiler/Compil32.exe"));
        writeFile(compiler, kCompiler);
        QFile::setPermissions(compiler, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        setMode(QStringLiteral("write"));
    }
}

void EditorInstall::setMode(const QString &mode) const {
    writeFile(path(QStringLiteral("Compiler/mode")), mode.toUtf8());
}

QString EditorInstall::compilerArguments() const {
    return QString::fromUtf8(readAll(path(QStringLiteral("Compiler/args")))).trimmed();
}

SmallGame::SmallGame(const EditorInstall &, const QString &title) {
    general.SoftwareTitle = title;
    general.CommentsAndVersion = QStringLiteral("Version 1.0");
    general.SchemeName = QStringLiteral("Moss");
    writeGeneralInfo();
    frame(QStringLiteral("Start"));
    touch(QStringLiteral("Frames/door.bmp"));
    touch(QStringLiteral("Areas/Start/click.wav"));
    touch(QStringLiteral("Icons/key.ico"));
    item(QStringLiteral("Key"));
}

bool RecordingHost::ask(const BuildMessage &m) {
    messages << m.text;
    titles << m.title;
    return cancelAt.isEmpty() || !m.text.startsWith(cancelAt);
}

void RecordingHost::tell(const BuildMessage &m) {
    messages << m.text;
    titles << m.title;
}
