#include "LinuxPackageTexts.h"

#include <QRegularExpression>

namespace {

// One line of a control field or a desktop entry value: no line breaks, no controls.
QString oneLine(const QString &text) {
    QString out;
    for (const QChar c : text)
        out += (c.isSpace() || c.category() == QChar::Other_Control) ? QLatin1Char(' ') : c;
    return out.simplified();
}

// A control file's extended description: lines of at most 78 characters, each after one space,
// " ." for an empty line.
QString extendedDescription(const QStringList &paragraphs) {
    QStringList lines;
    for (const QString &p : paragraphs) {
        if (!lines.isEmpty())
            lines << QStringLiteral(" .");
        QString line;
        for (const QString &word : oneLine(p).split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            if (!line.isEmpty() && line.size() + 1 + word.size() > 78) {
                lines << QLatin1Char(' ') + line;
                line.clear();
            }
            line += (line.isEmpty() ? QString() : QStringLiteral(" ")) + word;
        }
        if (!line.isEmpty())
            lines << QLatin1Char(' ') + line;
    }
    return lines.join(QLatin1Char('\n'));
}

// Text for a roff page: backslashes doubled, no line starting with a control character.
QString roff(const QString &text) {
    QString t = oneLine(text);
    t.replace(QLatin1Char('\\'), QStringLiteral("\\e"));
    t.replace(QLatin1Char('-'), QStringLiteral("\\-"));
    if (t.startsWith(QLatin1Char('.')) || t.startsWith(QLatin1Char('\'')))
        t.prepend(QStringLiteral("\\&"));
    return t;
}

// A desktop entry's string value: escapes as the desktop entry format asks.
QString desktopValue(const QString &text) {
    QString t = oneLine(text);
    t.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    return t;
}

// `text` as one word of a shell command line.
QString shellWord(const QString &text) {
    return QLatin1Char('\'') + QString(text).replace(QLatin1Char('\''), QStringLiteral("'\\''")) +
           QLatin1Char('\'');
}

// The start script's check that the libraries left to the system are there (the player, its
// sound and video libraries loaded on first use, and any other plugin, with the folder's own
// libraries first): when one is missing the player would not even start, so the script names
// them, in a window when it can, and exits with status 1. A missing library that the folder
// carries in lib/fallback/<soname>/ is taken from there, and only then: where the system has
// its own, that one matches the rest of the system.
QString libraryCheck(const LinuxGameInfo &game) {
    return QStringLiteral("title=") + shellWord(oneLine(game.title)) + QLatin1Char('\n') +
           QStringLiteral(R"sh(not_found() (
    export LD_LIBRARY_PATH="$here/lib${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH}${1:+:$1}"
    { ldd "$here/%1" "$here"/lib/libqm*.so
      find "$here" -name '*.so' ! -path "$here/lib/*" -exec ldd {} +; } 2>/dev/null |
        sed -n 's/^[[:space:]]*\([^[:space:]]*\) => not found.*/\1/p' | sort -u | tr '\n' ' '
)
missing=$(not_found)
fallback=
for soname in $missing; do
    if [ -d "$here/lib/fallback/$soname" ]; then
        fallback="${fallback:+$fallback:}$here/lib/fallback/$soname"
    fi
done
if [ -n "$fallback" ]; then
    missing=$(not_found "$fallback")
    export LD_LIBRARY_PATH="${LD_LIBRARY_PATH:+$LD_LIBRARY_PATH:}$fallback"
fi
if [ -n "$missing" ]; then
    text="$title cannot start: these libraries are missing on this system: $missing
Please install them with the system's package manager."
    printf '%s\n' "$text" >&2
    if command -v zenity >/dev/null 2>&1; then
        zenity --error --no-markup --title="$title" --text="$text"
    elif command -v kdialog >/dev/null 2>&1; then
        kdialog --title "$title" --error "$text"
    elif command -v xmessage >/dev/null 2>&1; then
        xmessage -center "$text"
    fi
    exit 1
fi
)sh")
               .arg(game.name);
}

} // namespace

QString LinuxGameInfo::maintainer() const {
    static const QRegularExpression address(
        QStringLiteral("^[A-Za-z0-9._%+-]+@[A-Za-z0-9-]+(\\.[A-Za-z0-9-]+)+$"));
    QString who = oneLine(author);
    who.remove(QLatin1Char('<')).remove(QLatin1Char('>')).remove(QLatin1Char(','));
    if (who.isEmpty())
        who = oneLine(title);
    const QString mail = oneLine(email);
    const QString to =
        address.match(mail).hasMatch() ? mail : name + QStringLiteral("@users.invalid");
    return who + QStringLiteral(" <") + to + QLatin1Char('>');
}

namespace LinuxPackageTexts {

QString control(const LinuxGameInfo &game, const QString &architecture, qint64 installedSizeKiB,
                const QString &depends) {
    QStringList fields{
        QStringLiteral("Package: ") + game.name,
        QStringLiteral("Version: ") + game.version,
        QStringLiteral("Architecture: ") + architecture,
        QStringLiteral("Maintainer: ") + game.maintainer(),
        QStringLiteral("Installed-Size: ") + QString::number(installedSizeKiB),
    };
    if (!depends.isEmpty())
        fields << QStringLiteral("Depends: ") + depends;
    fields << QStringLiteral("Section: games") << QStringLiteral("Priority: optional");
    const QString home = oneLine(game.homepage);
    if (home.startsWith(QLatin1String("http://")) || home.startsWith(QLatin1String("https://")))
        fields << QStringLiteral("Homepage: ") + home;
    QStringList about;
    if (!oneLine(game.comments).isEmpty())
        about << game.comments;
    about << QStringLiteral("A point-and-click game made with Quillmoor.");
    fields << QStringLiteral("Description: point-and-click game: ") + oneLine(game.title).left(60);
    fields << extendedDescription(about);
    return fields.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

QString desktopEntry(const LinuxGameInfo &game, const QString &exec, const QString &icon) {
    QStringList lines{
        QStringLiteral("[Desktop Entry]"),
        QStringLiteral("Type=Application"),
        QStringLiteral("Name=") + desktopValue(game.title),
        QStringLiteral("GenericName=Adventure game"),
    };
    if (!oneLine(game.comments).isEmpty())
        lines << QStringLiteral("Comment=") + desktopValue(game.comments);
    lines << QStringLiteral("Exec=") + exec << QStringLiteral("Icon=") + icon
          << QStringLiteral("Terminal=false") << QStringLiteral("Categories=Game;AdventureGame;")
          << QStringLiteral("Keywords=game;adventure;point-and-click;");
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

QString launcher(const LinuxGameInfo &game) {
    return QStringLiteral("#!/bin/sh\n"
                          "# Starts %1.\n"
                          "here=$(dirname \"$(readlink -f \"$0\")\")\n"
                          "exec \"$here/../lib/games/%2/%2\" \"$@\"\n")
        .arg(oneLine(game.title), game.name);
}

QString startScript(const LinuxGameInfo &game) {
    return QStringLiteral(
               "#!/bin/sh\n"
               "# Starts %1 from this folder, wherever it lies.\n"
               "# \"--add-to-menu\" puts the game in the user's application menu instead.\n"
               "here=$(dirname \"$(readlink -f \"$0\")\")\n"
               "if [ \"$1\" = \"--add-to-menu\" ]; then\n"
               "    apps=\"${XDG_DATA_HOME:-$HOME/.local/share}/applications\"\n"
               "    quoted=$(printf '%s' \"$here\" | sed 's/[\\\\\"`$]/\\\\\\\\&/g')\n"
               "    mkdir -p \"$apps\" || exit 1\n"
               "    grep -v '^Exec=\\|^Icon=' \"$here/%2.desktop\" > \"$apps/%2.desktop\" || exit "
               "1\n"
               "    printf 'Exec=\"%s/%2.sh\"\\nIcon=%s/%2.png\\n' \"$quoted\" \"$here\" >> "
               "\"$apps/%2.desktop\"\n"
               "    exit\n"
               "fi\n"
               "%3"
               "exec \"$here/%2\" \"$@\"\n")
        .arg(oneLine(game.title), game.name, libraryCheck(game));
}

QString cdStartScript(const LinuxGameInfo &game, const QString &playerFolder) {
    return QStringLiteral("#!/bin/sh\n"
                          "# Plays %1 from this CD wherever it is mounted, or from a copy of it.\n"
                          "# The player takes the game's pictures and sounds from Data/ here and\n"
                          "# keeps saved games in the user's data folder.\n"
                          "cd=$(dirname \"$(readlink -f \"$0\")\")\n"
                          "exec \"$cd\"/%2 --cd \"$cd\" \"$@\"\n")
        .arg(oneLine(game.title),
             shellWord(playerFolder + QLatin1Char('/') + game.name + QStringLiteral(".sh")));
}

QString execBeside(const QString &script) {
    return QStringLiteral("sh -c \"exec \\\\\"\\\\$(dirname \\\\\"\\\\$0\\\\\")/%1\\\\\"\" %k")
        .arg(script);
}

QString qtConf() {
    return QStringLiteral("[Paths]\nPrefix = .\nPlugins = plugins\n");
}

QString copyright(const LinuxGameInfo &game, int year) {
    const QString who = game.maintainer();
    return QStringLiteral(
               "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n"
               "Upstream-Name: %1\n"
               "Upstream-Contact: %2\n"
               "\n"
               "Files: *\n"
               "Copyright: %3 %4\n"
               "License: custom\n"
               " All rights reserved by the author, %5.\n"
               " The game is played with the Quillmoor player, which comes with it.\n")
        .arg(oneLine(game.title), who, QString::number(year), who,
             oneLine(game.author).isEmpty() ? oneLine(game.title) : oneLine(game.author));
}

QString changelog(const LinuxGameInfo &game, const QString &date) {
    return QStringLiteral("%1 (%2) unstable; urgency=low\n"
                          "\n"
                          "  * Packaged with Quillmoor.\n"
                          "\n"
                          " -- %3  %4\n")
        .arg(game.name, game.version, game.maintainer(), date);
}

QString manPage(const LinuxGameInfo &game) {
    return QStringLiteral(".TH %1 6\n"
                          ".SH NAME\n"
                          "%2 \\- %3\n"
                          ".SH SYNOPSIS\n"
                          ".B %2\n"
                          ".SH DESCRIPTION\n"
                          "%4\n"
                          "Saved games are kept in the user's data folder "
                          "(\\fI$XDG_DATA_HOME/Quillmoor/Games\\fR).\n")
        .arg(game.name.toUpper(), roff(game.name), roff(game.title),
             roff(game.comments.isEmpty() ? game.title : game.comments));
}

} // namespace LinuxPackageTexts
