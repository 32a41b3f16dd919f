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
    l.MousePointer = QStringLiteral("hand.cur"); // the hand shows every spot that does something
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

// The tools' arguments stay grouped by option, as one would type them.
// clang-format off

// The pictures. Pictures that lie on the scene (the gull, the match, the lamp, the matchbox, the
// stairs) are GIFs with a transparent background; the backgrounds are as large as the play area.
void makePictures(Demo &d) {
    const QString im = QStringLiteral("convert");
    // Shore: sky, clouds, sea, beach and the lighthouse on its rocks.
    d.tool(im, {"-size", "640x260", "gradient:#9fd3f0-#d9eef7",
                "(", "-size", "640x260", "xc:none", "-fill", "#ffffffd0", "-draw",
                "ellipse 120,90 70,16 0,360 ellipse 170,80 50,20 0,360 ellipse 360,150 90,14 0,360 "
                "ellipse 410,140 50,16 0,360 ellipse 600,70 60,12 0,360",
                "-blur", "0x6", ")", "-composite",
                "-size", "640x110", "gradient:#4a8cbc-#24567f", "-append",
                "-size", "640x110", "xc:#e9e2c8", "-append",
                "-stroke", "#b9dcef", "-strokewidth", "2", "-draw",
                "line 40,290 90,290 line 200,300 260,300 line 330,282 370,282 line 120,330 190,330 "
                "line 280,345 350,345 line 40,355 100,355 line 560,300 610,300",
                "-stroke", "none", "-fill", "#f7f4ea", "-draw",
                "polygon 0,370 80,364 160,372 240,366 320,374 400,366 640,372 640,380 0,380",
                "-fill", "#5d5a55", "-draw",
                "polygon 420,400 440,372 470,362 520,360 552,370 575,398 560,408 430,410",
                "-fill", "#78746c", "-draw", "polygon 440,380 470,366 500,368 480,384",
                // The tower, its red bands, the gallery, the lantern and the roof.
                "-fill", "#fbfbf7", "-draw", "polygon 458,372 470,132 514,132 526,372",
                "-fill", "#c0392b", "-draw",
                "polygon 466,212 518,212 520,250 464,250 polygon 461,306 523,306 524,338 460,338",
                "-fill", "#3a3a3a", "-draw", "rectangle 460,124 524,134",
                "-fill", "#f3e6a6", "-draw", "rectangle 474,92 510,124",
                "-stroke", "#3a3a3a", "-strokewidth", "2", "-draw",
                "line 486,92 486,124 line 498,92 498,124", "-stroke", "none",
                "-fill", "#a93226", "-draw", "polygon 468,94 492,66 516,94",
                "-fill", "#4a2e1a", "-draw", "rectangle 482,330 502,372",
                "-fill", "#2c3e50", "-draw", "rectangle 488,170 496,186",
                "-quality", "82", d.frames_("shore.jpg")});
    d.tool(im, {"-size", "32x32", "xc:#7a3b12", "-fill", "#a0522d", "-draw", "rectangle 1,1 14,14",
                "-draw", "rectangle 17,17 30,30", "-draw", "rectangle 17,1 30,14", "-draw",
                "rectangle 1,17 14,30", "BMP3:" + d.frames_("tile.bmp")});
    // Ending: the lighthouse shining over the night sea.
    d.tool(im, {"-size", "640x340", "gradient:#060a22-#24386a",
                "(", "-size", "640x340", "xc:none", "-fill", "#fffbe0", "-draw",
                "point 40,40 point 114,70 point 180,24 point 260,80 point 420,36 point 500,88 "
                "point 580,52 point 600,120 point 70,140 point 150,190 point 330,30 point 380,120",
                ")", "-composite", "-size", "640x140", "gradient:#0d1e44-#061029", "-append",
                "(", "-size", "640x480", "xc:none", "-fill", "#fff3c080", "-draw",
                "polygon 540,138 640,60 640,118", "-draw", "polygon 540,138 300,0 380,0", "-blur",
                "0x8", ")", "-composite",
                "-fill", "#05070f", "-draw", "polygon 470,480 490,350 530,338 570,344 610,360 640,480",
                "-fill", "#0d0f17", "-draw", "polygon 526,344 532,150 548,150 554,344",
                "-fill", "#ffe9a0", "-draw", "rectangle 531,128 549,150",
                "-fill", "#0d0f17", "-draw", "polygon 526,128 540,112 554,128",
                "-stroke", "#2d4d86", "-strokewidth", "2", "-draw",
                "line 30,380 110,380 line 160,410 250,410 line 300,372 380,372 line 60,450 170,450",
                "-quality", "82", d.frames_("ending.jpg")});

    // The door, closed (planks, iron bands and a keyhole) and open (stairs lit from above).
    const QStringList stoneFrame{"-fill", "#8a8580", "-draw", "rectangle 0,0 119,259", "-fill",
                                 "#6f6a64", "-draw", "rectangle 0,0 119,10"};
    QStringList closed{"-size", "120x260", "xc:none"};
    closed += stoneFrame;
    closed += QStringList{"-fill", "#7b4a22", "-draw", "rectangle 10,12 109,259", "-stroke", "#4e2d12",
               "-strokewidth", "2", "-draw",
               "line 30,12 30,259 line 50,12 50,259 line 70,12 70,259 line 90,12 90,259",
               "-stroke", "none", "-fill", "#2b2b2b", "-draw",
               "rectangle 10,50 109,58 rectangle 10,200 109,208",
               "-fill", "#c9a227", "-draw", "roundrectangle 48,112 72,150 4,4",
               "-fill", "black", "-draw", "circle 60,124 60,129", "-draw", "rectangle 58,126 62,142",
               "-fill", "none", "-stroke", "#2b2b2b", "-strokewidth", "3", "-draw",
               "circle 92,130 92,138", "GIF:" + d.areas_("door.gif")};
    d.tool(im, closed);
    QStringList open{"-size", "120x260", "xc:none"};
    open += stoneFrame;
    open += QStringList{"(", "-size", "100x248", "gradient:#f5d58a-#140c05", ")", "-geometry", "+10+12",
             "-composite", "-fill", "#3b2a1a", "-draw",
             "polygon 30,259 100,259 100,236 40,236 polygon 40,236 100,236 100,214 48,214 "
             "polygon 48,214 100,214 100,194 56,194 polygon 56,194 100,194 100,176 62,176",
             "-stroke", "#8c6a3e", "-strokewidth", "2", "-draw",
             "line 30,259 100,259 line 40,236 100,236 line 48,214 100,214 line 56,194 100,194",
             "-stroke", "none", "-fill", "#6b3f1c", "-draw", "polygon 10,12 28,24 28,250 10,259",
             "GIF:" + d.areas_("dooropen.gif")};
    d.tool(im, open);
    d.tool(im, {"-size", "140x40", "xc:#9c7444", "-fill", "#b48a55", "-draw",
                "rectangle 6,6 133,33", "-stroke", "#7d5a32", "-strokewidth", "2", "-draw",
                "line 12,12 127,12 line 12,20 127,20 line 12,28 127,28", "BMP3:" + d.areas_("mat.bmp")});
    d.tool(im, {"-size", "40x40", "xc:#1b3b6f", "-fill", "white", "-draw",
                "polygon 6,20 26,6 26,34", "BMP3:" + d.areas_("back.bmp")});
    d.tool(im, {"-size", "100x40", "xc:#3a1c5c", "-fill", "#ffcf6b", "-draw",
                "polygon 70,6 94,20 70,34", "-draw", "rectangle 6,14 70,26", "BMP3:" + d.areas_("leave.bmp")});

    // Things lying on the scene, on transparent backgrounds.
    d.tool(im, {"-size", "60x30", "xc:none", "-fill", "#00000030", "-draw", "ellipse 31,21 26,4 0,360",
                "-stroke", "#8b5a2b", "-strokewidth", "3", "-draw", "line 6,19 50,12",
                "-stroke", "none", "-fill", "#c0392b", "-draw", "ellipse 52,11 5,4 0,360",
                "GIF:" + d.areas_("match.gif")});
    d.tool(im, {"-size", "120x120", "xc:none", "-fill", "#8c6d1f", "-draw",
                "polygon 30,118 90,118 80,96 40,96", "-fill", "#b8892a", "-draw",
                "rectangle 36,88 84,98", "-fill", "#c9d3dc", "-draw", "ellipse 60,56 34,38 0,360",
                "-stroke", "#93a1ad", "-strokewidth", "2", "-fill", "none", "-draw",
                "ellipse 60,56 26,38 0,360 ellipse 60,56 16,38 0,360 line 26,56 94,56 "
                "line 30,38 90,38 line 30,74 90,74",
                "-stroke", "none", "-fill", "#b8892a", "-draw", "polygon 40,18 80,18 60,6",
                "GIF:" + d.areas_("lamp.gif")});
    d.tool(im, {"-size", "50x30", "xc:none", "-fill", "#00000030", "-draw", "rectangle 5,24 49,29",
                "-fill", "#2e4a8b", "-draw", "rectangle 2,4 46,25", "-fill", "#f1c40f", "-draw",
                "rectangle 8,8 40,21", "-fill", "#c0392b", "-draw", "circle 24,14 24,18",
                "-fill", "#6b4a2b", "-draw", "rectangle 2,4 46,6", "GIF:" + d.areas_("matchbox.gif")});
    d.tool(im, {"-size", "120x60", "xc:none", "-fill", "#5b6270", "-draw",
                "polygon 0,0 120,0 120,59 0,59", "-fill", "#7d8594", "-draw",
                "rectangle 0,0 119,10 rectangle 0,16 119,26 rectangle 0,32 119,42 rectangle 0,48 119,59",
                "-fill", "#2a2e36", "-draw", "rectangle 0,10 119,16 rectangle 0,26 119,32 rectangle 0,42 119,48",
                "-fill", "#ffffff", "-draw", "polygon 96,20 112,20 104,34",
                "GIF:" + d.areas_("stairs.gif")});
    // The gull: three wing beats, white with grey wing tips.
    QStringList gull{"-dispose", "background", "-delay", "20", "-loop", "0"};
    for (const char *wings : {"polyline 6,22 18,12 30,20 42,12 54,22",
                              "polyline 6,16 18,18 30,20 42,18 54,16",
                              "polyline 6,28 18,24 30,20 42,24 54,28"}) {
        gull += QStringList{"(", "-size", "60x40", "xc:none", "-fill", "none", "-stroke", "#3d4852",
                 "-strokewidth", "6", "-draw", wings, "-stroke", "white", "-strokewidth", "3",
                 "-draw", wings, "-stroke", "#3d4852", "-strokewidth", "1", "-fill", "white", "-draw",
                 "ellipse 30,21 9,5 0,360", "-stroke", "none", "-fill", "#e67e22", "-draw",
                 "polygon 38,19 45,21 38,23", ")"};
    }
    gull.append(d.areas_("gull.gif"));
    d.tool(im, gull);

    // Item pictures and the hand pointer.
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
    // A pointing hand: the index finger's tip is the hot spot.
    d.tool(im, {"-size", "32x32", "xc:none", "-fill", "white", "-stroke", "black", "-strokewidth", "1",
                "-draw", "roundrectangle 9,1 15,18 3,3", "-draw", "roundrectangle 15,9 20,18 2,2",
                "-draw", "roundrectangle 20,10 25,18 2,2", "-draw", "roundrectangle 25,11 29,19 2,2",
                "-draw", "polygon 3,13 9,17 9,21 6,22 2,16",
                "-draw", "roundrectangle 7,15 29,29 5,5", "-stroke", "none", "-draw",
                "rectangle 10,16 28,20", d.icons_("hand.cur")});
    if (!DemoMedia::makeCursor(d.icons_("hand.cur"), 12, 1))
        d.ok = false;
}

void makeMedia(Demo &d) {
    makePictures(d);
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

    // Videos, drawn by ffmpeg's filters. In the lamp room's window: the sun setting over the
    // sea, its light glittering on the waves.
    const QString im = QStringLiteral("convert");
    const QString ff = QStringLiteral("ffmpeg");
    const QString glitter = QStringLiteral("pow(max(0\\,sin(X/5+T*5+Y*Y/40))\\,8)*exp(-abs(X-110)/20)");
    const QString sun = QStringLiteral("exp(-((X-110)*(X-110)+(Y-54)*(Y-54))/50)");
    const QString sunset =
        QStringLiteral("color=black:s=160x120:r=10,format=gbrp,geq=") +
        QStringLiteral("r='if(lt(Y\\,62)\\,250-Y*2.2+%1*40\\,40+150*%2)':").arg(sun, glitter) +
        QStringLiteral("g='if(lt(Y\\,62)\\,150-Y*1.6+%1*100\\,45+120*%2)':").arg(sun, glitter) +
        QStringLiteral("b='if(lt(Y\\,62)\\,90+Y*0.3+%1*60\\,80+70*%2)',format=yuv420p").arg(sun, glitter);
    d.tool(ff, {"-v", "error", "-y", "-f", "lavfi", "-i", sunset, "-f", "lavfi", "-i",
                "anoisesrc=color=pink:amplitude=0.15:sample_rate=11025,lowpass=f=600", "-t", "2",
                "-c:v", "mpeg4", "-q:v", "6", "-c:a", "pcm_u8", "-ac", "1", d.frames_("lamp.avi")});
    // Over the whole play area: the lit beacon's beam sweeping the night over the sea.
    const QString night = QDir::tempPath() + QStringLiteral("/qm-demo-night.png");
    d.tool(im, {"-size", "320x240", "gradient:#070b24-#23386b",
                "(", "-size", "320x240", "xc:none", "-fill", "#fffbe0", "-draw",
                "point 20,20 point 57,35 point 90,12 point 130,40 point 210,18 point 250,44 "
                "point 290,26 point 300,60 point 35,70 point 75,95 point 240,90 point 280,110",
                ")", "-composite", "-fill", "#0b1a3d", "-draw", "rectangle 0,176 320,240",
                "-fill", "#1c3566", "-draw",
                "line 10,190 60,190 line 90,200 150,200 line 200,186 260,186 line 230,214 300,214",
                "-fill", "#05070f", "-draw", "polygon 120,240 130,182 150,176 175,178 196,186 210,240",
                "-fill", "#0d0f17", "-draw", "polygon 150,178 154,80 166,80 170,178",
                "-fill", "#1a1d2a", "-draw", "rectangle 151,66 169,80", "-fill", "#ffe9a0",
                "-draw", "rectangle 154,68 166,79", "-fill", "#0d0f17", "-draw",
                "polygon 149,66 160,56 171,66", "PNG24:" + night});
    const QString beam = QStringLiteral(
        "color=black:s=320x240:r=12,format=gray,geq=lum='clip(255*(pow(abs(cos(atan2(Y-73\\,X-160)"
        "-1.1*T))\\,90)*(1-0.6*gt(Y\\,176))+1.6*exp(-((X-160)*(X-160)+(Y-73)*(Y-73))/90))\\,0\\,255)'");
    d.tool(ff, {"-v", "error", "-y", "-loop", "1", "-framerate", "12", "-i", night, "-f", "lavfi",
                "-i", beam, "-f", "lavfi", "-i",
                "anoisesrc=color=brown:amplitude=0.3:sample_rate=11025,lowpass=f=400",
                "-filter_complex",
                "[0]format=gbrp[bg];[1]format=gbrp,colorchannelmixer=rr=1:gg=0.93:bb=0.7[b];"
                "[bg][b]blend=all_mode=screen,format=yuv420p[v]",
                "-map", "[v]", "-map", "2:a", "-t", "3", "-c:v", "mpeg4", "-q:v", "7", "-c:a",
                "pcm_u8", "-ac", "1", d.frames_("beam.avi")});
    QFile::remove(night);
}

// clang-format on

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
        ActionRecord pick = text("You pick up a match.", false);
        pick.HideOrRemove = 1;
        AreaLook gull = picture(250, 80, 60, 40, "gull.gif");
        gull.IsAnimatedGif = 1;
        AreaItem gullSpeed;
        gullSpeed.GifSpeed = 40;
        writeFrame(d, "Shore", p, sounds({{3, playSound("waves.wav", true)}}),
                   {area(door, goTo("Door")),
                    area(picture(100, 380, 60, 30, "match.gif"), pick, gives("Match")),
                    area(gull, text("A gull cries overhead.", true), gullSpeed,
                         sounds({{1, playSound("gull.wav", false)}}))},
                   {label("The Lighthouse Keeper", 110, 16, "Times New Roman", 24, true, false,
                          rgb(16, 42, 84)),
                    label("Light the beacon before nightfall.", 112, 56, "Arial", 12, false, true,
                          rgb(120, 40, 10))});
    }
    // Door: a tiled background, MP3 music instead of MIDI; the key opens the door.
    {
        FrameProperties p;
        p.BackgroundKind = 1;
        p.Background = QStringLiteral("tile.bmp");
        p.Tiled = true;
        p.StopMidi = true;
        p.Mp3File = QStringLiteral("door.mp3");
        // The open doorway shows once the key has turned; until then the closed door, whose
        // keyhole takes the key.
        AreaLook door = picture(260, 140, 120, 260, "dooropen.gif");
        door.VisibleIf = 1;
        door.OneList = {QStringLiteral("door open")};
        AreaLook keyhole = picture(260, 140, 120, 260, "door.gif");
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
                   {label("The lighthouse door", 376, 24, "Courier New", 16, true, false,
                          rgb(255, 255, 255))});
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
                   {area(picture(260, 200, 120, 120, "lamp.gif"),
                         text("The lamp is cold. It needs a flame.", true)),
                    area(picture(100, 380, 50, 30, "matchbox.gif"), matchbox, gives("Matchbox")),
                    area(picture(0, 420, 120, 60, "stairs.gif"), stairs)},
                   {label("The lamp room", 200, 24, "Arial", 14, true, false, rgb(220, 220, 255))});
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
        p.Background = QStringLiteral("ending.jpg");
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
