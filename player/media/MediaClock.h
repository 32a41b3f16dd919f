#pragma once

#include <QDateTime>

// The time of day as the media layer sees it (aliases, the MP3 timeline); tests set it.
class MediaClock {
public:
    virtual ~MediaClock() = default;
    virtual QDateTime now() const = 0;
};

class SystemMediaClock : public MediaClock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};
