#pragma once

#include "Status.h"

#include <QList>
#include <QString>

// One sound channel of a channel file (frame sounds, area click sounds, item-drop sounds).
struct ChannelRecord {
    bool NoAction = true;
    bool StopSound = false;
    bool PlaySound = false;
    QString SoundFile; // relative to Areas/
    int Loop = 0;
};

// The channel layout depends on the project's sound mode: eight records in multi-channel
// projects, one in single-channel projects.
enum class SoundMode { MultiChannel, SingleChannel };
int channelCount(SoundMode mode);

struct ChannelFile {
    QString WriterVersion;
    QList<ChannelRecord> Channels; // channelCount(mode) records
};

// A missing file reads as every channel "No action". A file that ends after a whole record
// keeps "No action" for the channels after it; one that ends inside a record is unreadable,
// and `out` then holds the whole records read before the failure.
Status readChannels(const QString &path, SoundMode mode, ChannelFile &out);
// Writes channelCount(mode) records (missing ones as "No action") under the editor's version.
Status writeChannels(const QString &path, SoundMode mode, const QList<ChannelRecord> &channels);
