#include "MediaBackend.h"

#include "MciCommandDevice.h"
#include "MediaClock.h"
#include "RecordingMedia.h"
#include "RealMediaBackend.h"

std::unique_ptr<MediaBackend> createMediaBackend(MediaBackendKind kind, const MediaClock *clock) {
    if (kind == MediaBackendKind::Recording)
        return std::make_unique<RecordingMediaBackend>(clock);
    return createRealMediaBackend(clock);
}
