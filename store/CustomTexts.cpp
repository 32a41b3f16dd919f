#include "CustomTexts.h"

#include "RecordReader.h"
#include "RecordWriter.h"
#include "StoreMessages.h"

#include <QFileInfo>

namespace {

struct BuiltInText {
    int slot;
    const char *games;
    const char *applications; // nullptr: the same as for games
};

const BuiltInText kBuiltIn[] = {
    {1, "Start New Game", "Start"},
    {2, "Load Game...", "Load"},
    {3, "Exit", nullptr},
    {4, "Created By:", nullptr},
    {5, "E-mail:", nullptr},
    {6, "Web site:", nullptr},
    {7, "Change display resolution to 640 x 480.", nullptr},
    {8, "Save game...", "Save..."},
    {9, "Please select something.", nullptr},
    {10, "Do you really want to quit?", nullptr},
    {11, "Cancel", nullptr},
    {12, "Exit", nullptr},
    {13, "Do you want to open the default mail client to send an e-mail to:", nullptr},
    {14, "Do you want to visit", nullptr},
    {15, "(You must be connected to the Internet)", nullptr},
    {17, "Load a previously saved game", "Load"},
    {18, "Select the game you wish to load and click 'LOAD'",
     "Select the file you wish to load and click 'LOAD'"},
    {19, "LOAD", nullptr},
    {21, "Save the current game", "Save"},
    {22, "Remove Selected", nullptr},
    {23, "Enter the name of the game you want to save", "Enter the name of the file you want to save"},
    {24, "already exists. Do you want to replace it?", nullptr},
    {25, "SAVE", nullptr},
    {26, "Remove Saved Game", "Remove Saved File"},
    {27, "Do you really want to remove", nullptr},
    {29, "Error", nullptr},
    {30,
     "An error has occurred. This game may not work properly. Press 'Esc' and the click 'Exit' to "
     "quit.",
     "An error has occurred. The program may not work properly. Press 'Esc' and the click 'Exit' "
     "to quit."},
    {31, "Error description:", nullptr},
    {32, "Do you want to continue anyway? (not recommended)", nullptr},
    {33, "The following file is missing:", nullptr},
    {34,
     "This file may have been moved or removed from its original location. This game may not work "
     "properly until the missing file is placed back in its original location. Press 'Esc' and the "
     "click 'Exit' to quit.",
     "This file may have been moved or removed from its original location. The program may not "
     "work properly until the missing file is placed back in its original location. Press 'Esc' "
     "and the click 'Exit' to quit."},
    {35, "Please do not use any of the following characters:", nullptr},
    {36, "Please insert the CD in the CD-ROM drive and then click 'OK'.", nullptr},
    {37, "CD-ROM Drive:", nullptr},
    {38,
     "The selected device is unavailable. Make sure that the CD-ROM drive letter is right and that "
     "the disk is properly inserted, and then try again.",
     nullptr},
    {40,
     "Warning! Your system is set to use large fonts. This program will NOT work properly if you "
     "don't change this setting. Do you want to continue anyway? (not recommended)",
     nullptr},
    {41,
     "To fix this problem, go to the 'Control Panel' (from the 'Settings' menu of the Start Menu), "
     "double-click 'Display', click the 'Settings' tab, click 'Advanced...' and select 'Small "
     "Fonts' under 'Font size'. Click 'OK' and restart your computer.",
     nullptr},
    {43, "The following folder is missing:", nullptr},
    {44, "Make sure that the disk is properly inserted, and then try again.", nullptr},
};

// Texts files hold 44 slots; a hand-edited file may hold up to the whole table.
constexpr int kMaxStoredSlots = CustomTexts::SlotCount;

} // namespace

CustomTexts::CustomTexts() {
    for (int i = 0; i < SlotCount; ++i)
        m_slots.append(QString());
}

CustomTexts CustomTexts::builtIn(Kind kind) {
    CustomTexts t;
    for (const BuiltInText &b : kBuiltIn) {
        const char *text = (kind == Applications && b.applications) ? b.applications : b.games;
        t.setText(b.slot, QString::fromLatin1(text));
    }
    return t;
}

CustomTexts CustomTexts::load(const QString &textsPath, Status *status) {
    if (status)
        *status = Status::success();
    if (!QFileInfo(textsPath).isFile())
        return builtIn(Applications);
    RecordReader r = RecordReader::fromFile(textsPath);
    int kind = 0;
    if (r.readInt16(kind) && kind != Custom)
        return builtIn(kind == Games ? Games : Applications);
    CustomTexts t;
    int count = 0;
    r.skip(5);
    r.readCount(count, SlotCount - 1);
    for (int slot = 1; slot <= count && r.ok(); ++slot) {
        QString s;
        if (r.readString(s))
            t.setText(slot, s);
    }
    if (r.ok())
        return t;
    if (status)
        *status = Status::failure(QStringLiteral("Error"), QStringLiteral("Unable to load texts."));
    return builtIn(Applications);
}

QString CustomTexts::text(int slot) const {
    if (slot < 1 || slot > SlotCount)
        return QString();
    return m_slots[slot - 1];
}

void CustomTexts::setText(int slot, const QString &text) {
    if (slot >= 1 && slot <= SlotCount)
        m_slots[slot - 1] = text;
}

Status readTexts(const QString &path, TextsFile &out) {
    RecordReader r = RecordReader::fromFile(path);
    TextsFile t;
    r.readInt16(t.TextsKind);
    r.readString(t.WriterVersion);
    r.readString(t.PresetName);
    r.skip(3);
    int count = 0;
    r.readCount(count, kMaxStoredSlots);
    for (int i = 0; i < count && r.ok(); ++i) {
        QString s;
        r.readString(s);
        t.Slots.append(s);
    }
    if (!r.ok())
        return StoreMessages::unreadable(path, r);
    out = t;
    return Status::success();
}

Status writeTexts(const QString &path, const TextsFile &t) {
    RecordWriter w;
    w.writeInt(t.TextsKind);
    w.writeString(t.WriterVersion);
    w.writeString(t.PresetName);
    w.writeEmptyStrings(3);
    w.writeInt(t.Slots.size());
    for (const QString &s : t.Slots)
        w.writeString(s);
    return w.commit(path, Status::failure(QStringLiteral("Error"),
                                          QStringLiteral("Unable to save texts information.")));
}
