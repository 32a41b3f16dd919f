#include "EngineTestSupport.h"

#include "MediaPlayers.h"
#include "VariablesFile.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <stdexcept>

Area areaWith(const ActionRecord &action, int n) {
    Area a;
    a.look.Left = 300 * n;
    a.look.Top = 300;
    a.look.Width = 600;
    a.look.Height = 600;
    a.action = action;
    return a;
}

Area areaShownIf(const QStringList &mustBeZero, const QStringList &mustBeOne) {
    Area a = areaWith();
    a.look.VisibleIf = 1;
    a.look.ZeroList = mustBeZero;
    a.look.OneList = mustBeOne;
    return a;
}

ChannelRecord playing(const QString &file, bool loop) {
    ChannelRecord r;
    r.NoAction = false;
    r.PlaySound = true;
    r.SoundFile = file;
    r.Loop = loop ? 1 : 0;
    return r;
}

QList<ChannelRecord> onChannel(int channel, const ChannelRecord &record) {
    QList<ChannelRecord> channels(channelCount(SoundMode::MultiChannel));
    channels[channel] = record;
    return channels;
}

void TimelineMedia::note(const QString &what) {
    timeline.append(TimelineEntry{what, snapshot ? snapshot() : Snapshot()});
}

int TimelineMedia::indexOf(const QString &needle, int from) const {
    for (int i = qMax(0, from); i < timeline.size(); ++i) {
        if (timeline[i].what.contains(needle))
            return i;
    }
    return -1;
}

int TimelineMedia::count(const QString &needle) const {
    int n = 0;
    for (const TimelineEntry &e : timeline) {
        if (e.what.contains(needle))
            ++n;
    }
    return n;
}

QStringList TimelineMedia::commands() const {
    QStringList out;
    for (const TimelineEntry &e : timeline)
        out.append(e.what);
    return out;
}

int TimelineMedia::sendString(const QString &command, QString *reply) {
    note(command);
    const int code = RecordingMediaBackend::sendString(command, reply);
    static const QRegularExpression openVideo(QStringLiteral("^open .* alias (\\S+) type avivideo"),
                                              QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression stop(QStringLiteral("^(stop|close) (\\S+)$"),
                                         QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression status(QStringLiteral("^status (\\S+) mode$"),
                                           QRegularExpression::CaseInsensitiveOption);
    QRegularExpressionMatch m = openVideo.match(command);
    if (m.hasMatch()) {
        m_videoAlias = m.captured(1);
        return code;
    }
    m = stop.match(command);
    if (m.hasMatch() && m.captured(2) == m_videoAlias) {
        m_videoAlias.clear();
        return code;
    }
    m = status.match(command);
    if (m.hasMatch() && videosKeepPlaying && reply && !m_videoAlias.isEmpty() &&
        m.captured(1) == m_videoAlias)
        *reply = QStringLiteral("playing");
    return code;
}

quint32 TimelineMedia::WaveMixOpenWave(quint32 session, const QByteArray &fileName, int instance,
                                       int flags) {
    note(QStringLiteral("WaveMixOpenWave ") + QFile::decodeName(fileName));
    return RecordingMediaBackend::WaveMixOpenWave(session, fileName, instance, flags);
}

int TimelineMedia::WaveMixCloseSession(quint32 session) {
    note(QStringLiteral("WaveMixCloseSession"));
    return RecordingMediaBackend::WaveMixCloseSession(session);
}

void TimelineMedia::mp3stop() {
    note(QStringLiteral("mp3stop"));
    RecordingMediaBackend::mp3stop();
}

void TestHost::showErrorReport(const ErrorReport &report) {
    errorReports.append(report);
    if (media)
        media->note(QStringLiteral("error: ") + report.text);
}

EngineHost::Answer TestHost::messageBox(const QString &title, const QString &text,
                                        Status::Icon icon, Buttons buttons) {
    boxes.append(ShownBox{title, text, icon, buttons});
    if (media)
        media->note(QStringLiteral("box: ") + text);
    return ScriptHost::messageBox(title, text, icon, buttons);
}

void TestHost::processEvents() {
    ++eventPasses;
    if (onProcessEvents)
        onProcessEvents();
}

CustomTexts slotTexts() {
    CustomTexts t;
    for (int slot = 1; slot <= CustomTexts::UsedSlots; ++slot)
        t.setText(slot, QStringLiteral("(text %1)").arg(slot));
    return t;
}

EngineTest::EngineTest() {
    host.media = &media;
    media.snapshot = [this] { return snapshot(); };
}

EngineTest::~EngineTest() {
    if (engine)
        joinMp3Workers();
    media.snapshot = nullptr;
}

GameEngine &EngineTest::makeEngine() {
    engine = std::make_unique<GameEngine>(project.paths(), project.general, texts, media, host);
    host.setEngine(engine.get());
    return *engine;
}

GameEngine &EngineTest::start() {
    if (!engine)
        makeEngine();
    engine->ResetAll();
    engine->StartNewGame();
    return *engine;
}

QStringList EngineTest::takeErrors() {
    QStringList out;
    const QString prefix = texts.text(30) + QStringLiteral("\n\n") + texts.text(31);
    for (const ErrorReport &r : host.errorReports) {
        if (r.title == texts.text(29) && r.text == texts.text(30))
            out.append(QStringLiteral("[report without a message of its own]"));
        else if (r.title == texts.text(29) && r.text.startsWith(prefix))
            out.append(r.text.mid(prefix.size()));
        else
            out.append(QStringLiteral("[not the standard report] ") + r.title +
                       QStringLiteral(" | ") + r.text);
    }
    host.errorReports.clear();
    return out;
}

QList<ShownBox> EngineTest::takeBoxes() {
    QList<ShownBox> out;
    std::swap(out, host.boxes);
    return out;
}

QStringList EngineTest::inventory() const {
    QStringList out;
    for (const InventorySlot &s : engine->scene().inventory)
        out.append(s.name);
    return out;
}

QList<int> EngineTest::shownAreas() const {
    QList<int> out;
    for (const SceneArea &a : engine->scene().areas) {
        if (a.visible)
            out.append(a.number);
    }
    return out;
}

QList<QPair<QString, int>> EngineTest::hiddenAreas() const {
    QList<QPair<QString, int>> out;
    for (const ClassVariable &d : engine->variables().Disappear)
        out.append({d.Name, d.Value});
    return out;
}

int EngineTest::value(const QString &variable) const {
    return engine->variables().GetVariableValue(variable);
}

void EngineTest::joinMp3Workers() {
    engine->media().mp3().joinWorkers();
}

Snapshot EngineTest::snapshot() const {
    Snapshot s;
    if (!engine)
        return s;
    s.frame = engine->currentFrame();
    s.inventory = inventory();
    s.hidden = engine->variables().Disappear.Count();
    for (const ClassVariable &v : engine->variables().Variables)
        s.variables.insert(v.Name, v.Value);
    s.message = engine->scene().messageVisible;
    return s;
}

QString brokenLink() {
    return QStringLiteral(
        " A program link is broken. Verify that the 'Initial Frame' exists and that "
        "the 'Go to another frame' option in the Area Properties is linked to an "
        "existing frame.");
}

QString frameHeaderFailure(const QString &frame) {
    return QStringLiteral(" Unable to load the frame called '") + frame + QStringLiteral("'.");
}

QString frameLoadFailure(const QString &frame) {
    return QStringLiteral(" Unable to load the frame called '") + frame +
           QStringLiteral("'. Verify that the 'Initial Frame' exists and that the 'Go to another "
                          "frame' option in the Area Properties is linked to an existing frame.");
}
