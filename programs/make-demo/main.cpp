// qm-make-demo FOLDER: writes the demo game "The Lighthouse Keeper" into FOLDER/Demo through the
// store's writers, with pictures, sounds, music and videos made by ImageMagick, sox, lame and
// ffmpeg. The game uses every feature of the player.

#include "AreaFiles.h"
#include "CustomTexts.h"
#include "DemoMedia.h"
#include "FrameFiles.h"
#include "GeneralInfo.h"
#include "Items.h"
#include "ProjectIntegrity.h"
#include "ProjectVersion.h"
#include "TextLabels.h"
#include "VariablesFile.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>

namespace {

constexpr int T = 15; // twips per pixel

struct Demo {
    ProjectPaths paths;
    FrameFiles frames{ProjectPaths(), SoundMode::MultiChannel};
    bool ok = true;

    void check(const Status &s, const char *what) {
        if (!s) {
            std::fprintf(stderr, "%s: %s\n", what, qPrintable(s.text()));
            ok = false;
        }
    }
    void tool(const QString &program, const QStringList &args) {
        if (!DemoMedia::run(program, args))
            ok = false;
    }
    QString frames_(const char *name) const { return paths.FramesPath() + QString::fromLatin1(name); }
    QString areas_(const char *name) const { return paths.AreasPath() + QString::fromLatin1(name); }
    QString icons_(const char *name) const { return paths.IconsPath() + QString::fromLatin1(name); }
};

QList<ChannelRecord> sounds(std::initializer_list<std::pair<int, ChannelRecord>> set) {
    QList<ChannelRecord> list(8);
    for (const auto &p : set)
        list[p.first] = p.second;
    return list;
}

ChannelRecord playSound(const char *file, bool loop) {
    ChannelRecord r;
    r.NoAction = false;
    r.PlaySound = true;
    r.SoundFile = QString::fromLatin1(file);
    r.Loop = loop ? 1 : 0;
    return r;
}

AreaLook look(int x, int y, int w, int h) {
    AreaLook l;
    // The stored rectangle is the editor's outer one: the clickable part lies 30 twips inside.
    l.Left = x * T - 30;
    l.Top = y * T - 30;
    l.Width = w * T + 60;
    l.Height = h * T + 60;
    return l;
}

AreaLook picture(int x, int y, int w, int h, const char *file, bool stretch = true) {
    AreaLook l = look(x, y, w, h);
    l.HasPicture = true;
    l.PictureFile = QString::fromLatin1(file);
    l.Stretch = stretch ? 1 : 0;
    return l;
}

ActionRecord text(const char *message, bool onBackground) {
    ActionRecord a;
    a.ShowText = 1;
    a.TextMessage = QString::fromLatin1(message);
    a.TextOnBackground = onBackground ? 1 : 0;
    a.VideoWidth = 640;
    a.VideoHeight = 480;
    return a;
}

ActionRecord goTo(const char *frame) {
    ActionRecord a;
    a.GoToFrame = 1;
    a.TargetFrame = QString::fromLatin1(frame);
    a.VideoWidth = 640;
    a.VideoHeight = 480;
    return a;
}

TextLabel label(const char *caption, int x, int y, const char *font, double size, bool bold,
                bool italic, qint32 colour) {
    TextLabel t;
    t.Caption = QString::fromLatin1(caption);
    t.Left = x * T;
    t.Top = y * T;
    t.FontName = QString::fromLatin1(font);
    t.FontSize = size;
    t.FontBold = bold;
    t.FontItalic = italic;
    t.ForeColor = colour;
    return t;
}

constexpr qint32 rgb(int r, int g, int b) { return r | (g << 8) | (b << 16); }

void writeFrame(Demo &d, const char *name, const FrameProperties &p,
                const QList<ChannelRecord> &channels, const QList<Area> &areas,
                const QList<TextLabel> &texts) {
    const QString frame = QString::fromLatin1(name);
    d.check(d.frames.saveProperties(frame, p, channels), name);
    d.check(d.frames.writeAreaCount(frame, areas.size()), name);
    const AreaFiles files(d.paths, SoundMode::MultiChannel, frame);
    QDir().mkpath(d.paths.AreasPath() + frame);
    for (int i = 0; i < areas.size(); ++i)
        d.check(files.save(i + 1, areas[i]), name);
    const QString folder = AreaFiles(d.paths, SoundMode::MultiChannel, frame).folder();
    for (const TextLabel &t : texts)
        d.check(writeTextLabel(TextLabels::nextFree(folder), t), name);
}

Area area(const AreaLook &l, const ActionRecord &a, const AreaItem &item = AreaItem(),
          const QList<ChannelRecord> &s = QList<ChannelRecord>(8)) {
    Area r;
    r.look = l;
    r.action = a;
    r.item = item;
    r.sounds = s;
    return r;
}

AreaItem gives(const char *item) {
    AreaItem c;
    c.PickItem = 1;
    c.ItemName = QString::fromLatin1(item);
    return c;
}

void makeMedia(Demo &d) {
    const QString im = QStringLiteral("convert");
    d.tool(im, {"-size", "320x240", "gradient:#9fd3f0-#1b3b6f", "-fill", "#e9e2c8", "-draw",
                "rectangle 0,200 320,240", "-fill", "white", "-draw", "rectangle 230,60 262,200",
                "-fill", "#b22222", "-draw", "rectangle 230,60 262,78", "-draw",
                "rectangle 230,120 262,136", "-quality", "70", d.frames_("shore.jpg")});
    d.tool(im, {"-size", "32x32", "xc:#7a3b12", "-fill", "#a0522d", "-draw", "rectangle 1,1 14,14",
                "-draw", "rectangle 17,17 30,30", "-draw", "rectangle 17,1 30,14", "-draw",
                "rectangle 1,17 14,30", "BMP3:" + d.frames_("tile.bmp")});
    d.tool(im, {"-size", "160x120", "gradient:#ffcf6b-#3a1c5c", "BMP3:" + d.frames_("ending.bmp")});
    // Area pictures.
    d.tool(im, {"-size", "60x30", "xc:#e9e2c8", "-fill", "#8b5a2b", "-draw", "rectangle 5,13 55,16",
                "-fill", "#c0392b", "-draw", "circle 55,14 58,14", "BMP3:" + d.areas_("match.bmp")});
    d.tool(im, {"-size", "30x40", "xc:#5a2d0c", "-fill", "black", "-draw", "circle 15,14 15,20",
                "-draw", "rectangle 12,18 18,34", "BMP3:" + d.areas_("keyhole.bmp")});
    d.tool(im, {"-size", "140x40", "xc:#6b8e23", "-fill", "#556b2f", "-draw",
                "rectangle 6,6 134,34", "BMP3:" + d.areas_("mat.bmp")});
    d.tool(im, {"-size", "40x40", "xc:#1b3b6f", "-fill", "white", "-draw",
                "polygon 6,20 26,6 26,34", "BMP3:" + d.areas_("back.bmp")});
    d.tool(im, {"-size", "120x120", "xc:#10183a", "-fill", "#d4af37", "-draw", "circle 60,60 60,10",
                "-fill", "#fff8dc", "-draw", "circle 60,60 60,35", "BMP3:" + d.areas_("lamp.bmp")});
    d.tool(im, {"-size", "50x30", "xc:#2e4a8b", "-fill", "#f1c40f", "-draw", "rectangle 4,4 46,26",
                "BMP3:" + d.areas_("matchbox.bmp")});
    d.tool(im, {"-size", "100x40", "xc:#3a1c5c", "-fill", "#ffcf6b", "-draw",
                "polygon 70,6 94,20 70,34", "-draw", "rectangle 6,14 70,26", "BMP3:" + d.areas_("leave.bmp")});
    // An animated gull.
    d.tool(im, {"-delay", "20", "-loop", "0", "-size", "60x40", "xc:#9fd3f0", "-fill", "white",
                "-draw", "polyline 5,20 30,10 55,20", "(", "-size", "60x40", "xc:#9fd3f0", "-fill",
                "white", "-draw", "polyline 5,14 30,18 55,14", ")", "(", "-size", "60x40",
                "xc:#9fd3f0", "-fill", "white", "-draw", "polyline 5,24 30,22 55,24", ")",
                d.areas_("gull.gif")});
    // Item pictures and the pointer.
    const QList<QPair<const char *, QStringList>> icons = {
        {"match.ico", {"-fill", "#8b5a2b", "-draw", "rectangle 4,15 26,17", "-fill", "#c0392b", "-draw", "circle 27,16 29,16"}},
        {"matchbox.ico", {"-fill", "#2e4a8b", "-draw", "rectangle 3,8 29,24", "-fill", "#f1c40f", "-draw", "rectangle 6,11 26,21"}},
        {"litmatch.ico", {"-fill", "#8b5a2b", "-draw", "rectangle 4,15 22,17", "-fill", "#ff8c00", "-draw", "circle 25,12 29,12"}},
        {"key.ico", {"-fill", "#d4af37", "-draw", "circle 9,16 9,22", "-draw", "rectangle 14,14 30,18", "-draw", "rectangle 24,18 27,24"}},
    };
    for (const auto &icon : icons) {
        QStringList args{"-size", "32x32", "xc:none"};
        args += icon.second;
        args.append(d.areas_(icon.first));
        d.tool(im, args);
    }
    d.tool(im, {"-size", "32x32", "xc:none", "-fill", "white", "-stroke", "black", "-draw",
                "polygon 8,2 8,26 14,20 20,30 24,28 18,18 26,18", d.icons_("hand.cur")});
    if (!DemoMedia::makeCursor(d.icons_("hand.cur"), 8, 2))
        d.ok = false;
    // Sounds and music.
    d.tool(QStringLiteral("sox"), {"-n", "-r", "11025", "-c", "1", "-b", "8", d.areas_("waves.wav"),
                                   "synth", "3", "brownnoise", "vol", "0.5", "fade", "0.5", "3", "0.5"});
    d.tool(QStringLiteral("sox"), {"-n", "-r", "11025", "-c", "1", "-b", "8", d.areas_("gull.wav"),
                                   "synth", "0.4", "sine", "1800-900", "vol", "0.5"});
    d.tool(QStringLiteral("sox"), {"-n", "-r", "11025", "-c", "1", "-b", "8", d.areas_("creak.wav"),
                                   "synth", "0.6", "sawtooth", "140-60", "vol", "0.4"});
    const QString doorWav = QDir::tempPath() + QStringLiteral("/qm-demo-door.wav");
    d.tool(QStringLiteral("sox"), {"-n", "-r", "22050", "-c", "1", doorWav, "synth", "5", "pluck",
                                   "A2", "pluck", "E3", "remix", "-", "vol", "0.5", "fade", "0", "5", "1"});
    d.tool(QStringLiteral("lame"), {"--quiet", "-b", "32", doorWav, d.frames_("door.mp3")});
    QFile::remove(doorWav);
    if (!DemoMedia::writeMidi(d.frames_("shore.mid"), {67, 69, 71, 74, 71, 69, 67, 64, 62, 64, 67, 67}, 96) ||
        !DemoMedia::writeMidi(d.frames_("ending.mid"), {60, 64, 67, 72, 67, 64, 60}, 144))
        d.ok = false;
    // Videos: one shown in a rectangle of the lamp room, one over the whole play area.
    d.tool(QStringLiteral("ffmpeg"), {"-v", "error", "-y", "-f", "lavfi", "-i", "testsrc=size=160x120:rate=10",
                                      "-f", "lavfi", "-i", "sine=frequency=330:sample_rate=11025", "-t", "2",
                                      "-c:v", "mpeg4", "-q:v", "12", "-c:a", "pcm_u8", d.frames_("lamp.avi")});
    d.tool(QStringLiteral("ffmpeg"), {"-v", "error", "-y", "-f", "lavfi", "-i", "mandelbrot=size=320x240:rate=10",
                                      "-f", "lavfi", "-i", "sine=frequency=220:sample_rate=11025", "-t", "3",
                                      "-c:v", "mpeg4", "-q:v", "14", "-c:a", "pcm_u8", d.frames_("beam.avi")});
}

void writeProject(Demo &d) {
    GeneralInfo g;
    g.ProjectName = QStringLiteral("Demo");
    g.GeneralFilePath = d.paths.ConfigPath() + QStringLiteral("General");
    g.SoftwareTitle = QStringLiteral("The Lighthouse Keeper");
    g.ScreenSizeChoice = 2;
    g.InitialFrame = QStringLiteral("Shore");
    g.CommentsAndVersion = QStringLiteral("A short demo game. Version 1.0");
    g.Author = QStringLiteral("The Quillmoor team");
    g.Email = QStringLiteral("demo@quillmoor.invalid");
    g.Homepage = QStringLiteral("https://quillmoor.invalid");
    g.ShowChangeResolution = 1;
    g.TextsKind = CustomTexts::Games;
    d.check(writeGeneral(d.paths.ConfigPath() + QStringLiteral("General"), g), "General");
    TextsFile texts;
    texts.TextsKind = CustomTexts::Games;
    texts.WriterVersion = ProjectVersion::editorVersionText();
    texts.PresetName = QStringLiteral("English (for games)");
    texts.Slots = CustomTexts::builtIn(CustomTexts::Games).usedSlots();
    d.check(writeTexts(d.paths.ConfigPath() + QStringLiteral("Texts"), texts), "Texts");
    d.check(ProjectVersion::write(d.paths.ConfigPath() + QStringLiteral("Version")), "Version");
    d.check(ProjectIntegrity::write(d.paths.root(), g.ProjectName), "Project.dat");
    d.check(writeVariablesFile(d.paths.ConfigPath() + QStringLiteral("Variables"),
                               {QStringLiteral("door open"), QStringLiteral("lamp lit")}),
            "Variables");

    const Items items(d.paths);
    d.check(items.write(QStringLiteral("Match"), ItemFile{QStringLiteral("match.ico")}), "Match");
    d.check(items.write(QStringLiteral("Matchbox"), ItemFile{QStringLiteral("matchbox.ico")}), "Matchbox");
    d.check(items.write(QStringLiteral("Lit match"), ItemFile{QStringLiteral("litmatch.ico")}), "Lit match");
    d.check(items.write(QStringLiteral("Key"), ItemFile{QStringLiteral("key.ico")}), "Key");
    for (const auto &pair : {qMakePair(QStringLiteral("Match"), QStringLiteral("Matchbox")),
                             qMakePair(QStringLiteral("Matchbox"), QStringLiteral("Match"))}) {
        ItemEvent e;
        e.First = pair.first;
        e.Second = pair.second;
        e.RemoveFirst = 1;
        e.RemoveSecond = 1;
        e.AddNew = 1;
        e.NewItem = QStringLiteral("Lit match");
        d.check(items.writeEvent(e), "item event");
    }

    // Shore: a stretched picture, MIDI music, waves looping on channel 3.
    {
        FrameProperties p;
        p.BackgroundKind = 1;
        p.Background = QStringLiteral("shore.jpg");
        p.MidiFile = QStringLiteral("shore.mid");
        AreaLook door = look(420, 120, 140, 280);
        door.MousePointer = QStringLiteral("hand.cur");
        ActionRecord pick = text("You pick up a match.", false);
        pick.HideOrRemove = 1;
        AreaLook gull = picture(250, 80, 60, 40, "gull.gif");
        gull.IsAnimatedGif = 1;
        AreaItem gullSpeed;
        gullSpeed.GifSpeed = 40;
        writeFrame(d, "Shore", p, sounds({{3, playSound("waves.wav", true)}}),
                   {area(door, goTo("Door")), area(picture(100, 380, 60, 30, "match.bmp"), pick, gives("Match")),
                    area(gull, text("A gull cries overhead.", true), gullSpeed,
                         sounds({{1, playSound("gull.wav", false)}}))},
                   {label("The Lighthouse Keeper", 20, 16, "Times New Roman", 24, true, false, rgb(255, 255, 255)),
                    label("Light the beacon before nightfall.", 20, 56, "Arial", 12, false, true, rgb(255, 235, 120))});
    }
    // Door: a tiled background, MP3 music instead of MIDI; the key opens the door.
    {
        FrameProperties p;
        p.BackgroundKind = 1;
        p.Background = QStringLiteral("tile.bmp");
        p.Tiled = true;
        p.StopMidi = true;
        p.Mp3File = QStringLiteral("door.mp3");
        AreaLook door = look(260, 140, 120, 260);
        door.VisibleIf = 1;
        door.OneList = {QStringLiteral("door open")};
        door.MousePointer = QStringLiteral("hand.cur");
        AreaLook keyhole = picture(305, 250, 30, 40, "keyhole.bmp");
        keyhole.VisibleIf = 1;
        keyhole.ZeroList = {QStringLiteral("door open")};
        ActionRecord underMat = text("There is a key under the mat.", true);
        underMat.HideOrRemove = 1;
        ActionRecord back;
        back.GoBack = 1;
        back.StopMp3 = 1;
        back.VideoWidth = 640;
        back.VideoHeight = 480;
        writeFrame(d, "Door", p, QList<ChannelRecord>(8),
                   {area(door, goTo("Lamp Room")), area(keyhole, text("The door is locked.", true)),
                    area(picture(250, 410, 140, 40, "mat.bmp"), underMat, gives("Key")),
                    area(picture(20, 200, 40, 40, "back.bmp", false), back)},
                   {label("The lighthouse door", 20, 440, "Courier New", 16, true, false, rgb(255, 255, 255))});
        DropEvent key;
        key.action = text("The key turns. The door creaks open.", true);
        key.action.HideOrRemove = 1;
        key.action.ChangeVariables = 1;
        key.action.SetOneList = {QStringLiteral("door open")};
        key.sounds = sounds({{2, playSound("creak.wav", false)}});
        d.check(AreaFiles(d.paths, SoundMode::MultiChannel, QStringLiteral("Door")).saveDropEvent(2, QStringLiteral("Key"), key), "drop");
    }
    // Lamp Room: a colour, a video in a rectangle; the lit match lights the lamp.
    {
        FrameProperties p;
        p.BackgroundKind = 0;
        p.Background = QString::number(rgb(16, 24, 58));
        p.StopMp3 = true;
        p.VideoFile = QStringLiteral("lamp.avi");
        p.VideoFullScreen = false;
        p.VideoAtPosition = true;
        p.VideoLeft = 440;
        p.VideoTop = 40;
        p.VideoWidth = 160;
        p.VideoHeight = 120;
        ActionRecord matchbox = text("You take a box of matches.", false);
        matchbox.HideOrRemove = 1;
        ActionRecord stairs;
        stairs.GoBack = 1;
        stairs.VideoWidth = 640;
        stairs.VideoHeight = 480;
        writeFrame(d, "Lamp Room", p, QList<ChannelRecord>(8),
                   {area(picture(260, 200, 120, 120, "lamp.bmp"), text("The lamp is cold. It needs a flame.", true)),
                    area(picture(100, 380, 50, 30, "matchbox.bmp"), matchbox, gives("Matchbox")),
                    area(look(0, 420, 120, 60), stairs)},
                   {label("The lamp room", 20, 20, "Arial", 14, true, false, rgb(220, 220, 255))});
        DropEvent light = DropEvent{goTo("Beacon"), QList<ChannelRecord>(8)};
        light.action.HideOrRemove = 1;
        light.action.ChangeVariables = 1;
        light.action.SetOneList = {QStringLiteral("lamp lit")};
        d.check(AreaFiles(d.paths, SoundMode::MultiChannel, QStringLiteral("Lamp Room"))
                    .saveDropEvent(1, QStringLiteral("Lit match"), light),
                "drop");
    }
    // Beacon: a full-screen video, then a timer to the ending.
    {
        FrameProperties p;
        p.BackgroundKind = 0;
        p.Background = QStringLiteral("0");
        p.StopWav = true;
        p.StopMidi = true;
        p.VideoFile = QStringLiteral("beam.avi");
        p.TimerEnabled = true;
        p.TimerSeconds = QStringLiteral("2.5");
        p.TimerFrame = QStringLiteral("Ending");
        writeFrame(d, "Beacon", p, QList<ChannelRecord>(8), {},
                   {label("The beacon shines over the sea.", 150, 220, "Times New Roman", 18, false, true, rgb(255, 230, 90))});
    }
    // Ending: MIDI again, leave the game or remember the climb.
    {
        FrameProperties p;
        p.BackgroundKind = 1;
        p.Background = QStringLiteral("ending.bmp");
        p.MidiFile = QStringLiteral("ending.mid");
        ActionRecord leave;
        leave.CloseProgram = 1;
        leave.VideoWidth = 640;
        leave.VideoHeight = 480;
        writeFrame(d, "Ending", p, QList<ChannelRecord>(8),
                   {area(picture(520, 420, 100, 40, "leave.bmp"), leave),
                    area(look(20, 400, 200, 60), goTo("Memory"))},
                   {label("The End", 250, 180, "Times New Roman", 36, true, false, rgb(255, 255, 255)),
                    label("Thank you for playing.", 230, 250, "Courier New", 14, false, false, rgb(255, 255, 255)),
                    label("Remember the climb...", 30, 420, "Arial", 12, false, true, rgb(255, 255, 255))});
    }
    // Memory: a short look back, then the timer returns to the last visited frame.
    {
        FrameProperties p;
        p.BackgroundKind = 0;
        p.Background = QString::number(rgb(40, 40, 40));
        p.TimerEnabled = true;
        p.TimerSeconds = QStringLiteral("3");
        p.TimerFrame = QStringLiteral("[last visited frame]");
        writeFrame(d, "Memory", p, QList<ChannelRecord>(8), {},
                   {label("One hundred and twelve steps, every night.", 120, 220, "Courier New", 14, false, false, rgb(200, 200, 200))});
    }
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    if (app.arguments().size() != 2) {
        std::fputs("usage: qm-make-demo FOLDER   (writes FOLDER/Demo)\n", stderr);
        return 2;
    }
    Demo d;
    const QString root = QDir(app.arguments()[1]).absoluteFilePath(QStringLiteral("Demo"));
    QDir(root).removeRecursively();
    d.paths = ProjectPaths(root);
    d.frames = FrameFiles(d.paths, SoundMode::MultiChannel);
    for (const QString &f : {d.paths.FramesPath(), d.paths.AreasPath(), d.paths.IconsPath(), d.paths.ConfigPath()})
        QDir().mkpath(f);
    makeMedia(d);
    writeProject(d);
    return d.ok ? 0 : 1;
}
