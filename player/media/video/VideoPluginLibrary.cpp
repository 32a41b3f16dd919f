// libqmvideo.so: the video back end a program loads on its first video.

#include "MediaPlugin.h"
#include "VideoDrivers.h"

namespace {

class FfmpegVideoPlugin : public VideoPlugin {
public:
    std::unique_ptr<MediaDriver> openAviVideo(const QString &file, quintptr parentWindow,
                                              QString *error) override {
        return ::openAviVideo(file, parentWindow, error);
    }
};

} // namespace

extern "C" __attribute__((visibility("default"))) VideoPlugin *qmVideoPlugin1() {
    static FfmpegVideoPlugin plugin;
    return &plugin;
}
