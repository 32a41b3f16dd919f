#include "DistributeCommand.h"

#include "BuildChecks.h"
#include "BuildHost.h"
#include "DistributionBuild.h"
#include "InstallerScript.h"
#include "ProjectPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdio>
#include <utility>

namespace {

void put(FILE *to, const QString &text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, bytes.size(), to);
    std::fflush(to);
}

QString iconName(Status::Icon icon) {
    switch (icon) {
    case Status::Icon::Critical:
        return QStringLiteral("error");
    case Status::Icon::Exclamation:
        return QStringLiteral("warning");
    case Status::Icon::Question:
        return QStringLiteral("question");
    default:
        return QStringLiteral("message");
    }
}

// Answers every question OK and prints messages and steps (to `to`).
class ConsoleHost : public BuildHost {
public:
    using IconWriter = std::function<bool(const QString &, const QString &)>;
    explicit ConsoleHost(FILE *to, IconWriter writeIcon = {})
        : m_to(to), m_writeIcon(std::move(writeIcon)) {}
    bool ask(const BuildMessage &m) override {
        print(m, QStringLiteral(" [answered OK]"));
        return true;
    }
    void tell(const BuildMessage &m) override { print(m, QString()); }
    void note(const QString &text) override { put(m_to, text + QLatin1Char('\n')); }
    void compilerOutput(const QString &text) override { put(m_to, text); }
    bool writeIcon(const QString &picture, const QString &png) override {
        return m_writeIcon && m_writeIcon(picture, png);
    }

private:
    void print(const BuildMessage &m, const QString &suffix) {
        QString head = iconName(m.icon);
        if (!m.title.isEmpty())
            head += QStringLiteral(" (") + m.title + QLatin1Char(')');
        put(m_to, head + QStringLiteral(": ") + m.text + suffix + QLatin1Char('\n'));
    }
    FILE *m_to;
    IconWriter m_writeIcon;
};

struct Arguments {
    BuildOptions options;
    QString editor;
    bool ok = true;
    QString error;
};

Arguments parse(const QStringList &args, bool needTo) {
    Arguments a;
    a.editor = QCoreApplication::applicationDirPath();
    bool haveTo = false;
    for (int i = 0; i < args.size() && a.ok; ++i) {
        const QString &arg = args[i];
        const auto value = [&](QString &out) {
            if (i + 1 >= args.size()) {
                a.ok = false;
                a.error = arg + QStringLiteral(" needs a value");
                return;
            }
            out = args[++i];
        };
        if (arg == QLatin1String("--to")) {
            value(a.options.location);
            haveTo = true;
        } else if (arg == QLatin1String("--name")) {
            value(a.options.fileName);
        } else if (arg == QLatin1String("--editor")) {
            value(a.editor);
        } else if (arg == QLatin1String("--color")) {
            QString name;
            value(name);
            a.options.colorIndex = installerColorIndex(name);
            if (a.ok && a.options.colorIndex < 0) {
                a.ok = false;
                a.error = QStringLiteral("unknown colour ") + name + QStringLiteral("; one of ") +
                          installerColors().join(QStringLiteral(", "));
            }
        } else if (arg == QLatin1String("--cd")) {
            a.options.CheckRunFromCD = true;
        } else if (arg == QLatin1String("--enable")) {
            a.options.CheckEnable = true;
        } else if (arg == QLatin1String("--no-system-files")) {
            a.options.Check2 = true;
        } else if (arg == QLatin1String("--v6")) {
            a.options.version6 = true;
        } else {
            a.ok = false;
            a.error = QStringLiteral("unknown option ") + arg;
        }
    }
    if (a.ok && needTo && !haveTo) {
        a.ok = false;
        a.error = QStringLiteral("--to FOLDER is needed");
    }
    if (a.options.CheckRunFromCD)
        a.options.CheckEnable = false;
    return a;
}

int refuse(const QString &error) {
    put(stderr, QStringLiteral("qmtool: ") + error + QLatin1Char('\n'));
    return 2;
}

// The options read and the project found. On a fault the reason is printed and `refused` holds
// the exit code (2).
struct Request {
    Arguments args;
    ProjectPaths paths;
    int refused = 0;
};

Request prepare(const QString &project, const QStringList &options, bool needTo) {
    Request r;
    r.args = parse(options, needTo);
    if (!r.args.ok) {
        r.refused = refuse(r.args.error);
        return r;
    }
    r.paths = ProjectPaths(QDir(project).absolutePath());
    if (!r.paths.isValidProject())
        r.refused = refuse(QStringLiteral("The folder you have chosen does not contain a valid "
                                          "project."));
    return r;
}

bool readGeneralTitle(const ProjectPaths &paths, GeneralInfo &info) {
    return readGeneral(paths.configFile(QStringLiteral("General")), info, GeneralReader::Editor)
        .ok();
}

} // namespace

int runDistributeCommand(
    const QString &project, const QStringList &options,
    const std::function<bool(const QString &picture, const QString &png)> &writeIcon) {
    Request r = prepare(project, options, true);
    if (r.refused)
        return r.refused;
    Arguments &a = r.args;
    const ProjectPaths &paths = r.paths;
    ConsoleHost host(stdout, writeIcon);
    GeneralInfo info;
    if (a.options.fileName.isEmpty() && readGeneralTitle(paths, info)) {
        // The installer is named after the title: a title the build refuses is told as such,
        // not as a file name the author never typed.
        const Status title = BuildChecks::checkTitle(info.SoftwareTitle);
        if (!title) {
            host.tell({title.title(), title.text(), title.icon()});
            return 1;
        }
        a.options.fileName = info.SoftwareTitle + QStringLiteral(".exe");
    }
    // Refused before the folder is made: a file given as the folder, or a folder inside the
    // project, whose next build would ship this one's outputs.
    a.options.location = QDir(a.options.location).absolutePath();
    const Status where = BuildChecks::checkLocation(a.options.location, paths.root(), true);
    if (!where)
        return refuse(where.text());
    QDir().mkpath(a.options.location);
    DistributionBuild build(paths, QDir(a.editor).absolutePath(), host);
    if (build.start(a.options) != DistributionBuild::Result::Completed)
        return 1;
    if (!QFileInfo(build.installer()).isFile())
        return 1;
    if (a.options.CheckRunFromCD && !QFileInfo(build.cdFolder()).isDir())
        return 1;
    return 0;
}

int runSetupScriptCommand(const QString &project, const QStringList &options) {
    const Request r = prepare(project, options, false);
    if (r.refused)
        return r.refused;
    const Arguments &a = r.args;
    const ProjectPaths &paths = r.paths;
    ConsoleHost host(stderr);
    DistributionBuild build(paths, QDir(a.editor).absolutePath(), host);
    QStringList lines;
    if (!build.scriptLines(a.options, lines))
        return 1;
    put(stdout, lines.join(QLatin1Char('\n')) + QLatin1Char('\n'));
    return 0;
}
