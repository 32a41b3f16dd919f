#pragma once

#include <QString>

// The command-string device layer: takes the command strings the media players send
// ("Open \"f\" ALIAS a TYPE Sequencer wait", "Play a", "Status a mode", ...) and answers with a
// result code (0 = success) and a reply text.
class MciDevice {
public:
    virtual ~MciDevice() = default;
    virtual int sendString(const QString &command, QString *reply = nullptr) = 0;
};
