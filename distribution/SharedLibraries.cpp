#include "SharedLibraries.h"

#include "BaseSystemLibraries.h"
#include "ToolRun.h"

#include <QRegularExpression>

void parseLddOutput(const QString &output, SharedLibraries &into) {
    // "\tlibz.so.1 => /lib/x86_64-linux-gnu/libz.so.1 (0x...)", "\tlibq.so => not found",
    // "\t/lib64/ld-linux-x86-64.so.2 (0x...)", "\tlinux-vdso.so.1 (0x...)".
    static const QRegularExpression arrow(
        QStringLiteral("^\\s*(\\S+)\\s+=>\\s+(.*?)\\s*(\\(0x[0-9a-fA-F]+\\))?$"));
    const QStringList lines = output.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString &line : lines) {
        const QRegularExpressionMatch m = arrow.match(line);
        if (!m.hasMatch())
            continue; // the loader itself and the kernel's virtual library
        const QString soname = m.captured(1);
        const QString path = m.captured(2);
        if (path == QLatin1String("not found") || path.isEmpty()) {
            if (!into.missing.contains(soname))
                into.missing.append(soname);
        } else {
            into.found.insert(soname, path);
        }
    }
}

QStringList parseNeeded(const QString &readelfOutput) {
    // " 0x0000000000000001 (NEEDED)             Shared library: [libc.so.6]"
    static const QRegularExpression needed(
        QStringLiteral("\\(NEEDED\\)\\s+Shared library: \\[([^\\]]+)\\]"));
    QStringList out;
    for (auto it = needed.globalMatch(readelfOutput); it.hasNext();)
        out << it.next().captured(1);
    return out;
}

namespace {

bool neededBy(const QString &file, QStringList *sonames, QString *error) {
    const ToolRun r =
        runTool(QStringLiteral("readelf"), {QStringLiteral("-d"), QStringLiteral("-W"), file});
    if (!r.ok) {
        if (error)
            *error = r.error;
        return false;
    }
    *sonames = parseNeeded(r.output);
    return true;
}

} // namespace

bool SharedLibraries::resolve(const QStringList &files, QString *error) {
    QStringList asked;
    for (const QString &file : files) {
        const ToolRun r = runTool(QStringLiteral("ldd"), {file});
        if (!r.ok) {
            if (error)
                *error = r.error;
            return false;
        }
        parseLddOutput(r.output, *this);
        QStringList needed;
        if (!neededBy(file, &needed, error))
            return false;
        asked << needed;
    }
    QMap<QString, QStringList> needs;
    for (auto it = found.begin(); it != found.end(); ++it) {
        if (!neededBy(it.value(), &needs[it.key()], error))
            return false;
    }
    noteWhatOnlyTheBaseNeeds(asked, needs);
    return true;
}

void SharedLibraries::noteWhatOnlyTheBaseNeeds(const QStringList &asked,
                                               const QMap<QString, QStringList> &needs) {
    QSet<QString> reached;
    QStringList queue = asked;
    while (!queue.isEmpty()) {
        const QString soname = queue.takeLast();
        // A base library the folder carries in lib/fallback/ may be the one used: what it
        // needs must come too.
        if (reached.contains(soname) || (BaseSystemLibraries::contains(soname) &&
                                         !BaseSystemLibraries::hasFallback(soname)))
            continue;
        reached.insert(soname);
        queue << needs.value(soname);
    }
    onlyForTheBase.clear();
    for (auto it = found.begin(); it != found.end(); ++it) {
        if (!reached.contains(it.key()) && !BaseSystemLibraries::contains(it.key()))
            onlyForTheBase.insert(it.key());
    }
}

QMap<QString, QString> SharedLibraries::toBundle() const {
    QMap<QString, QString> out;
    for (auto it = found.begin(); it != found.end(); ++it) {
        if (!BaseSystemLibraries::contains(it.key()) && !onlyForTheBase.contains(it.key()))
            out.insert(it.key(), it.value());
    }
    return out;
}
