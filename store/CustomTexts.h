#pragma once

#include "Status.h"

#include <QString>
#include <QStringList>

// The table of texts the player's windows and messages take their wording from: 61 slots, of
// which 1 to 44 are used.
class CustomTexts {
public:
    static constexpr int SlotCount = 61;
    static constexpr int UsedSlots = 44;
    enum Kind { Applications = 0, Games = 1, Custom = 2 };

    CustomTexts(); // every slot empty
    static CustomTexts builtIn(Kind kind);
    // The texts the player uses, from Config/Texts: a missing file gives the applications
    // wording, kind 0 and 1 the built-in wordings, kind 2 the stored slots. A file that cannot be
    // read (or holds more than 60 texts) gives the applications wording and a failure.
    static CustomTexts load(const QString &textsPath, Status *status = nullptr);

    // Slot numbers count from 1; slots outside 1..61 read as empty.
    QString text(int slot) const;
    void setText(int slot, const QString &text);
    // Slots 1 to 44, slot 1 first.
    QStringList usedSlots() const { return m_slots.mid(0, UsedSlots); }

private:
    QStringList m_slots;
};

// Config/Texts: which table the player uses and, for custom texts, the stored slots.
struct TextsFile {
    int TextsKind = 0;
    QString WriterVersion;
    QString PresetName;
    QStringList Slots; // the stored slots, slot 1 first (44 when written by the editor)
};

Status readTexts(const QString &path, TextsFile &out);
Status writeTexts(const QString &path, const TextsFile &texts);
