// Every reader of project files over the same arbitrary bytes on disk. A reader may refuse the
// file but must not crash, trip a sanitizer or allocate without bound.

#include "ActionRecord.h"
#include "AreaFiles.h"
#include "ChannelFile.h"
#include "CustomTexts.h"
#include "FrameFiles.h"
#include "GeneralInfo.h"
#include "Items.h"
#include "OptionsFile.h"
#include "PresetFile.h"
#include "ProjectIntegrity.h"
#include "ProjectPaths.h"
#include "ProjectVersion.h"
#include "RunFromCd.h"
#include "SavedGameFile.h"
#include "SchemeFile.h"
#include "TextLabels.h"
#include "VariablesFile.h"

#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

void check(bool condition) {
    if (!condition)
        __builtin_trap();
}

// A project folder made once per process. Readers that find their file by project layout
// (frame files, Project.dat, RunFromCD.dat, Config/General) reach the one input file through
// symbolic links, so each input is written once.
class Scratch {
public:
    Scratch() {
        if (!m_dir.isValid())
            std::abort();
        m_paths = ProjectPaths(m_dir.path());
        m_file = m_paths.root() + QStringLiteral("input.dat");
        QDir().mkpath(m_paths.FramesPath());
        QDir().mkpath(m_paths.ConfigPath());
        write(QByteArray());
        const QString links[] = {
            m_paths.FramesPath() + QStringLiteral("F.fme"),
            m_paths.FramesPath() + QStringLiteral("F.chn"),
            m_paths.FramesPath() + QStringLiteral("F.lks"),
            m_paths.ConfigPath() + QStringLiteral("General"),
            m_paths.root() + QStringLiteral("Project.dat"),
            m_paths.root() + QStringLiteral("RunFromCD.dat"),
        };
        for (const QString &link : links) {
            if (!QFile::link(m_file, link))
                std::abort();
        }
    }

    // Rewrites the file in place: the links keep pointing at it.
    void write(const QByteArray &bytes) const {
        QFile f(m_file);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
            std::abort();
    }

    const QString &file() const { return m_file; }
    const ProjectPaths &paths() const { return m_paths; }

private:
    QTemporaryDir m_dir;
    ProjectPaths m_paths;
    QString m_file;
};

const Scratch &scratch() {
    static const Scratch s;
    return s;
}

void readAreaFiles(const QString &file) {
    ActionRecord action;
    if (readActionRecord(file, action)) {
        check(action.SetZeroList.size() <= kMaxNamesPerList);
        check(action.SetOneList.size() <= kMaxNamesPerList);
        check(action.InvertList.size() <= kMaxNamesPerList);
    }
    AreaLook look;
    if (readAreaLook(file, look)) {
        check(look.ZeroList.size() <= kMaxNamesPerList);
        check(look.OneList.size() <= kMaxNamesPerList);
    }
    AreaItem item;
    readAreaItem(file, item);
    for (SoundMode mode : {SoundMode::MultiChannel, SoundMode::SingleChannel}) {
        ChannelFile channels;
        if (readChannels(file, mode, channels))
            check(channels.Channels.size() == channelCount(mode));
    }
    TextLabel label;
    readTextLabel(file, label);
    ItemEvent event;
    readItemEventFile(file, event);
}

void readProjectFiles(const Scratch &s) {
    const QString &file = s.file();
    for (GeneralReader reader : {GeneralReader::Player, GeneralReader::Editor}) {
        GeneralInfo general;
        readGeneral(file, general, reader);
    }
    TextsFile texts;
    if (readTexts(file, texts))
        check(texts.Slots.size() <= CustomTexts::SlotCount);
    SavedGameFile game;
    readSavedGame(file, game); // keeps what it read even on failure
    check(game.Variables.size() <= kMaxSavedEntries && game.Disappear.size() <= kMaxSavedEntries);
    check(game.Items.size() <= kMaxSavedEntries && game.History.size() <= kMaxSavedEntries);
    SchemeFile scheme;
    readScheme(file, scheme);
    QStringList variables;
    readVariablesFile(file, variables);
    check(variables.size() <= kMaxVariables);
    OptionsFile options;
    readOptions(file, options);
    PresetFile preset;
    if (readPreset(file, preset))
        check(preset.Slots.size() <= CustomTexts::SlotCount);
    ProjectVersion::read(file);
    int stored = 0;
    ProjectIntegrity::read(s.paths().root(), stored);
    ProjectIntegrity::check(s.paths());
    RunFromCd::readDrive(s.paths().root());
}

void readFrameFiles(const Scratch &s) {
    for (SoundMode mode : {SoundMode::MultiChannel, SoundMode::SingleChannel}) {
        const FrameFiles frames(s.paths(), mode);
        FrameProperties props;
        if (frames.readProperties(QStringLiteral("F"), props))
            props.backgroundColor();
        ChannelFile channels;
        frames.readChannels(QStringLiteral("F"), channels);
        int count = 0;
        if (frames.readAreaCount(QStringLiteral("F"), count))
            check(count >= 0 && count <= kMaxAreasPerFrame);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const Scratch &s = scratch();
    s.write(QByteArray(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size)));
    readAreaFiles(s.file());
    readProjectFiles(s);
    readFrameFiles(s);
    return 0;
}
