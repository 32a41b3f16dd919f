// The explorer over small games made from the input (see RandomGame), all written through the
// store. The search must not crash, and the engine must agree with it: every walkthrough, dead
// end and broken link it reports, and a walk of the engine chosen by the rest of the input, give
// the same game after every step in both, and the walk meets only states the search found.

#include "EngineAgreement.h"
#include "EngineWalk.h"
#include "GameExplorer.h"
#include "ProjectPaths.h"
#include "ProjectSnapshot.h"
#include "RandomGame.h"
#include "ScratchFolder.h"

#include <QDir>
#include <QStringList>
#include <QTemporaryDir>

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

// A project folder, emptied before each game.
class Scratch {
public:
    Scratch() : m_dir(scratchParent() + QStringLiteral("/qm-fuzz-explore-XXXXXX")) {
        if (!m_dir.isValid())
            std::abort();
        m_paths = ProjectPaths(m_dir.path());
    }

    const ProjectPaths &fresh() const {
        QDir(m_paths.root()).removeRecursively();
        for (const QString &folder : {m_paths.FramesPath(), m_paths.AreasPath(),
                                      m_paths.IconsPath(), m_paths.ConfigPath()}) {
            if (!QDir().mkpath(folder))
                std::abort();
        }
        return m_paths;
    }

private:
    QTemporaryDir m_dir;
    ProjectPaths m_paths;
};

void agree(const QString &what, const QStringList &steps, const QString &differs) {
    if (differs.isEmpty())
        return;
    std::fprintf(stderr, "fuzz_explore: the engine and the explorer disagree on the %s %s: %s\n",
                 qPrintable(what), qPrintable(steps.join(QLatin1Char(' '))), qPrintable(differs));
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    static const Scratch scratch;
    const ProjectPaths &paths = scratch.fresh();
    FuzzedDataProvider in(data, size);
    const auto choose = [&](int lo, int hi) { return in.ConsumeIntegralInRange(lo, hi); };
    writeRandomGame(paths, choose);

    GameExplorer::Limits limits;
    limits.maxStates = 500;
    limits.maxSeconds = 0.5;
    const GameExplorer explorer = GameExplorer::fromSnapshot(ProjectSnapshot::load(paths));
    const ExploreReport report = explorer.run(limits);
    if (report.endReachable)
        agree(QStringLiteral("walkthrough"), report.walkthrough,
              engineDisagreement(paths, explorer, report.walkthrough));
    for (const ExploreFinding &f : report.deadEnds + report.brokenLinks)
        agree(QStringLiteral("steps"), f.steps, engineDisagreement(paths, explorer, f.steps));
    if (report.complete) {
        const QStringList walk =
            engineRandomWalk(paths, 8, [&](int n) { return choose(0, n - 1); });
        agree(QStringLiteral("walk"), walk, walkOutsideSearch(paths, explorer, walk, limits));
    }
    return 0;
}
