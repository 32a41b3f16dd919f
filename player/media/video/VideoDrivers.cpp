#include "VideoDrivers.h"

#include "AviVideoDriver.h"

std::unique_ptr<MediaDriver> openAviVideo(const QString &file, quintptr parentWindow,
                                          QString *error) {
    return openAviVideoDriver(file, parentWindow, error);
}

std::unique_ptr<AviVideoDriver> openAviVideoDriver(const QString &file, quintptr parentWindow,
                                                   QString *error) {
    return AviVideoDriver::open(file, parentWindow, error);
}
