#include "ProjectDump.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace {

QJsonArray strings(const QStringList &list) {
    QJsonArray a;
    for (const QString &s : list)
        a.append(s);
    return a;
}

QJsonObject error(const Status &s) { return QJsonObject{{QStringLiteral("error"), s.text()}}; }

// The value of a loaded file, its error, or null when an optional file is absent.
template <class T, class ToJson> QJsonValue loaded(const Loaded<T> &l, ToJson toJson) {
    if (!l.status.ok())
        return error(l.status);
    if (!l.present)
        return QJsonValue::Null;
    return toJson(l.value);
}

QJsonObject general(const GeneralInfo &g) {
    return QJsonObject{
        {"ProjectName", g.ProjectName},
        {"GeneralFilePath", g.GeneralFilePath},
        {"SoftwareTitle", g.SoftwareTitle},
        {"ScreenSizeChoice", g.ScreenSizeChoice},
        {"InitialFrame", g.InitialFrame},
        {"CommentsAndVersion", g.CommentsAndVersion},
        {"ScreenWidth", g.ScreenWidth},
        {"ScreenHeight", g.ScreenHeight},
        {"Author", g.Author},
        {"Email", g.Email},
        {"Homepage", g.Homepage},
        {"ShowChangeResolution", g.ShowChangeResolution},
        {"SchemeName", g.SchemeName},
        {"SingleChannelAudio", g.SingleChannelAudio},
        {"HideLoad", g.HideLoad},
        {"HideSave", g.HideSave},
        {"TextsKind", g.TextsKind},
    };
}

QJsonObject texts(const TextsFile &t) {
    return QJsonObject{{"TextsKind", t.TextsKind},
                       {"WriterVersion", t.WriterVersion},
                       {"PresetName", t.PresetName},
                       {"Slots", strings(t.Slots)}};
}

QJsonArray channels(const ChannelFile &c) {
    QJsonArray a;
    for (const ChannelRecord &r : c.Channels) {
        a.append(QJsonObject{{"NoAction", r.NoAction},
                             {"StopSound", r.StopSound},
                             {"PlaySound", r.PlaySound},
                             {"SoundFile", r.SoundFile},
                             {"Loop", r.Loop}});
    }
    return a;
}

QJsonObject frame(const FrameProperties &f) {
    QJsonObject o{
        {"BackgroundKind", f.BackgroundKind},
        {"Tiled", f.Tiled},
        {"StopMidi", f.StopMidi},
        {"MidiFile", f.MidiFile},
        {"TimerEnabled", f.TimerEnabled},
        {"TimerSeconds", f.TimerSeconds},
        {"TimerFrame", f.TimerFrame},
        {"VideoFile", f.VideoFile},
        {"WaitVideo", f.WaitVideo},
        {"StopWav", f.StopWav},
        {"StopMp3", f.StopMp3},
        {"Mp3File", f.Mp3File},
        {"VideoFullScreen", f.VideoFullScreen},
        {"VideoAtPosition", f.VideoAtPosition},
        {"VideoLeft", f.VideoLeft},
        {"VideoTop", f.VideoTop},
        {"VideoWidth", f.VideoWidth},
        {"VideoHeight", f.VideoHeight},
    };
    // A colour is a number, a picture a file name.
    if (f.BackgroundKind == 0)
        o.insert("Background", f.backgroundColor());
    else
        o.insert("Background", f.Background);
    return o;
}

QJsonObject look(const AreaLook &a) {
    return QJsonObject{
        {"Left", a.Left},
        {"Top", a.Top},
        {"Width", a.Width},
        {"Height", a.Height},
        {"IsAnimatedGif", a.IsAnimatedGif},
        {"HasPicture", a.HasPicture},
        {"PictureFile", a.PictureFile},
        {"Stretch", a.Stretch},
        {"MousePointer", a.MousePointer},
        {"VisibleIf", a.VisibleIf},
        {"ZeroList", strings(a.ZeroList)},
        {"OneList", strings(a.OneList)},
    };
}

QJsonObject action(const ActionRecord &a) {
    return QJsonObject{
        {"ChangeVariables", a.ChangeVariables},
        {"LegacyVariable", a.LegacyVariable},
        {"LegacySetZero", a.LegacySetZero},
        {"LegacySetOne", a.LegacySetOne},
        {"LegacyInvert", a.LegacyInvert},
        {"ShowText", a.ShowText},
        {"TextMessage", a.TextMessage},
        {"LegacyPlaySound", a.LegacyPlaySound},
        {"LegacySoundFile", a.LegacySoundFile},
        {"HideOrRemove", a.HideOrRemove},
        {"CloseProgram", a.CloseProgram},
        {"GoToFrame", a.GoToFrame},
        {"TargetFrame", a.TargetFrame},
        {"StopMidi", a.StopMidi},
        {"StopWav", a.StopWav},
        {"PlayVideo", a.PlayVideo},
        {"VideoFile", a.VideoFile},
        {"VideoFullScreen", a.VideoFullScreen},
        {"VideoAtPosition", a.VideoAtPosition},
        {"VideoLeft", a.VideoLeft},
        {"VideoTop", a.VideoTop},
        {"VideoWidth", a.VideoWidth},
        {"VideoHeight", a.VideoHeight},
        {"StopMp3", a.StopMp3},
        {"PlayMidi", a.PlayMidi},
        {"MidiFile", a.MidiFile},
        {"PlayMp3", a.PlayMp3},
        {"Mp3File", a.Mp3File},
        {"GoBack", a.GoBack},
        {"TextOnBackground", a.TextOnBackground},
        {"ChangeVariablesLists", a.ChangeVariablesLists},
        {"SetZeroList", strings(a.SetZeroList)},
        {"SetOneList", strings(a.SetOneList)},
        {"InvertList", strings(a.InvertList)},
        {"EndedAfter", a.EndedAfter},
    };
}

QJsonObject areaItem(const AreaItem &c) {
    return QJsonObject{{"PickItem", c.PickItem}, {"ItemName", c.ItemName}, {"GifSpeed", c.GifSpeed}};
}

QJsonObject textLabel(const TextLabel &t) {
    return QJsonObject{
        {"Caption", t.Caption},
        {"Left", t.Left},
        {"Top", t.Top},
        {"FontBold", t.FontBold},
        {"FontItalic", t.FontItalic},
        {"FontName", t.FontName},
        {"FontSize", t.FontSize},
        {"FontStrikethru", t.FontStrikethru},
        {"FontUnderline", t.FontUnderline},
        {"ForeColor", t.ForeColor},
    };
}

QJsonArray pairs(const QList<QPair<QString, int>> &list) {
    QJsonArray a;
    for (const auto &p : list)
        a.append(QJsonArray{p.first, p.second});
    return a;
}

QJsonObject savedGame(const SavedGameFile &g) {
    QJsonObject o{{"SavedFrame", g.SavedFrame},
                  {"Variables", pairs(g.Variables)},
                  {"Disappear", pairs(g.Disappear)},
                  {"Items", strings(g.Items)}};
    if (g.HasHistory)
        o.insert("History", strings(g.History));
    return o;
}

QJsonObject options(const OptionsFile &o) {
    return QJsonObject{{"ColorIndex", o.ColorIndex}, {"ColorName", o.ColorName},
                       {"CheckEnable", o.CheckEnable}, {"CheckRunFromCD", o.CheckRunFromCD},
                       {"Check1", o.Check1},           {"Check2", o.Check2}};
}

QJsonObject area(const AreaSnapshot &a) {
    QJsonObject drops;
    for (auto it = a.drops.begin(); it != a.drops.end(); ++it) {
        drops.insert(it.key(), QJsonObject{{"drg", loaded(it.value().drg, action)},
                                           {"chn", loaded(it.value().chn, channels)}});
    }
    return QJsonObject{{"a", loaded(a.a, look)},     {"b", loaded(a.b, action)},
                       {"c", loaded(a.c, areaItem)}, {"d", loaded(a.d, channels)},
                       {"Drops", drops}};
}

QJsonObject frameToJson(const FrameSnapshot &f) {
    QJsonObject areas;
    for (auto a = f.areas.begin(); a != f.areas.end(); ++a)
        areas.insert(QString::number(a.key()), area(a.value()));
    QJsonObject labels;
    for (auto t = f.texts.begin(); t != f.texts.end(); ++t)
        labels.insert(t.key(), loaded(t.value(), textLabel));
    QJsonValue count = loaded(f.areaCount, [](int v) { return QJsonValue(v); });
    if (!f.areaCount.present && f.areaCount.status.ok())
        count = 0; // a frame without .lks has no areas
    return QJsonObject{{"fme", loaded(f.fme, frame)},
                       {"chn", loaded(f.chn, channels)},
                       {"AreaCount", count},
                       {"Areas", areas},
                       {"Texts", labels}};
}

// Everything but the frames.
QJsonObject withoutFrames(const ProjectSnapshot &p) {
    QJsonObject o;
    o.insert("General", loaded(p.general, general));
    o.insert("Version", loaded(p.version, [](const QString &v) { return QJsonValue(v); }));
    o.insert("ProjectDat", loaded(p.projectDat, [](int v) { return QJsonValue(v); }));
    o.insert("IntegrityOk", p.integrityOk);
    o.insert("Texts", loaded(p.texts, texts));
    o.insert("Variables", loaded(p.variables, strings));
    o.insert("Options", loaded(p.options, options));
    o.insert("RunFromCD", loaded(p.runFromCd, [](const QString &v) { return QJsonValue(v); }));

    QJsonObject items;
    for (auto it = p.items.begin(); it != p.items.end(); ++it) {
        items.insert(it.key(), loaded(it.value(), [](const ItemFile &f) {
                         return QJsonObject{{"IconFile", f.IconFile}};
                     }));
    }
    o.insert("Items", items);

    QJsonArray events;
    for (const Loaded<ItemEvent> &e : p.itemEvents) {
        events.append(loaded(e, [](const ItemEvent &v) {
            return QJsonObject{{"First", v.First},         {"Second", v.Second},
                               {"RemoveFirst", v.RemoveFirst}, {"RemoveSecond", v.RemoveSecond},
                               {"AddNew", v.AddNew},       {"NewItem", v.NewItem}};
        }));
    }
    o.insert("ItemEvents", events);

    QJsonObject saves;
    for (auto it = p.savedGames.begin(); it != p.savedGames.end(); ++it)
        saves.insert(it.key(), loaded(it.value(), savedGame));
    o.insert("SavedGames", saves);
    return o;
}

// The members of `o` in compact JSON, without the enclosing braces.
QByteArray members(const QJsonObject &o) {
    QByteArray json = QJsonDocument(o).toJson(QJsonDocument::Compact);
    return json.mid(1, json.size() - 2);
}

} // namespace

QJsonObject projectToJson(const ProjectSnapshot &p) {
    QJsonObject o = withoutFrames(p);
    QJsonObject frames;
    for (auto it = p.frames.begin(); it != p.frames.end(); ++it)
        frames.insert(it.key(), frameToJson(it.value()));
    o.insert("Frames", frames);
    return o;
}

void writeProjectJson(const ProjectPaths &paths,
                      const std::function<void(const QByteArray &)> &write) {
    // A JSON object's members are written in the order of their keys, and "Frames" comes
    // first: the frames go out as they are read, the rest once the whole project is read.
    write(QByteArrayLiteral("{\"Frames\":{"));
    bool first = true;
    const ProjectSnapshot rest =
        ProjectSnapshot::load(paths, [&](const QString &name, const FrameSnapshot &f) {
            write((first ? QByteArray() : QByteArrayLiteral(",")) +
                  members(QJsonObject{{name, frameToJson(f)}}));
            first = false;
        });
    const QByteArray others = members(withoutFrames(rest));
    write(QByteArrayLiteral("}") + (others.isEmpty() ? QByteArray() : QByteArrayLiteral(",")) +
          others + QByteArrayLiteral("}"));
}
