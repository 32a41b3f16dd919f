#pragma once

// Projects written through the store, and a game engine driven headless: timers move only when
// a test advances them, message boxes are recorded and answered from a queue, and media commands
// are recorded together with the game state at the moment each one was sent.

#include "AreaFiles.h"
#include "CustomTexts.h"
#include "FrameFiles.h"
#include "GameEngine.h"
#include "GameProject.h"
#include "GeneralInfo.h"
#include "Items.h"
#include "RecordingMedia.h"
#include "ScriptHost.h"
#include "TextLabels.h"

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

// An area of a reasonable size at a distinct place, with the given click action.
Area areaWith(const ActionRecord &action = ActionRecord(), int n = 1);
// An area whose visibility depends on variables.
Area areaShownIf(const QStringList &mustBeZero, const QStringList &mustBeOne);
// A channel that plays `file` (relative to Areas/).
ChannelRecord playing(const QString &file, bool loop = false);
// The channel list with `record` on channel `channel` and "No action" elsewhere.
QList<ChannelRecord> onChannel(int channel, const ChannelRecord &record);

// The game state as it was when something happened.
struct Snapshot {
    QString frame;
    QStringList inventory;
    int hidden = 0; // entries of the permanently hidden areas
    QMap<QString, int> variables;
    bool message = false; // the message strip on the background is shown
};

struct TimelineEntry {
    QString what; // a media command or library call, or "box: <text>"
    Snapshot at;
};

// The recording back end, which also notes the game state at every command it receives and can
// pretend that a video keeps playing until it is stopped.
class TimelineMedia : public RecordingMediaBackend {
public:
    using RecordingMediaBackend::RecordingMediaBackend;

    std::function<Snapshot()> snapshot;
    QList<TimelineEntry> timeline;
    bool videosKeepPlaying = false;

    void note(const QString &what);
    // The first entry at or after `from` whose text contains `needle`; -1 when there is none.
    int indexOf(const QString &needle, int from = 0) const;
    int count(const QString &needle) const;
    QStringList commands() const;

    int sendString(const QString &command, QString *reply = nullptr) override;
    quint32 WaveMixOpenWave(quint32 session, const QByteArray &fileName, int instance,
                            int flags) override;
    int WaveMixCloseSession(quint32 session) override;
    void mp3stop() override;

private:
    QString m_videoAlias;
};

struct ShownBox {
    QString title;
    QString text;
    Status::Icon icon = Status::Icon::None;
    EngineHost::Buttons buttons = EngineHost::Buttons::Ok;
};

// The script host, with every message box and error report kept as it was shown.
class TestHost : public ScriptHost {
public:
    QList<ErrorReport> errorReports;
    QList<ShownBox> boxes;
    TimelineMedia *media = nullptr;
    std::function<void()> onProcessEvents;
    int eventPasses = 0;

    void showErrorReport(const ErrorReport &report) override;
    Answer messageBox(const QString &title, const QString &text, Status::Icon icon,
                      Buttons buttons) override;
    void processEvents() override;
};

// Custom texts that name their own slot, so a message shows which slots it was built from.
CustomTexts slotTexts();

class EngineTest : public ::testing::Test {
protected:
    EngineTest();
    ~EngineTest() override;

    GameProject project;
    TestHost host;
    TimelineMedia media{&host};
    CustomTexts texts = slotTexts();
    std::unique_ptr<GameEngine> engine;

    // Builds the engine on the project as it is now (General as `project.general`).
    GameEngine &makeEngine();
    // A new game: ResetAll, then StartNewGame. Builds the engine first when needed.
    GameEngine &start();

    // What each error report shown since the last call says after the standard part (title custom
    // text 29, text 30, two line breaks, 31). A report that is not the standard one comes back
    // whole, marked, so that comparisons fail.
    QStringList takeErrors();
    QList<ShownBox> takeBoxes();
    void clearTimeline() { media.timeline.clear(); }

    QStringList inventory() const;
    QList<int> shownAreas() const;
    QList<QPair<QString, int>> hiddenAreas() const;
    int value(const QString &variable) const;
    // Lets the MP3 worker threads started so far finish.
    void joinMp3Workers();

    Snapshot snapshot() const;
};

// The message of the broken-link report and of a frame that cannot be opened.
QString brokenLink();
QString frameLoadFailure(const QString &frame);
QString frameHeaderFailure(const QString &frame);
