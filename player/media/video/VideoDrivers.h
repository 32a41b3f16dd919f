#pragma once

#include "MediaDriver.h"

#include <QString>

#include <memory>

class AviVideoDriver;

// Opens a video to play inside the window with native id `parentWindow` (0: no window).
// Null with *error when the file cannot be played.
std::unique_ptr<MediaDriver> openAviVideo(const QString &file, quintptr parentWindow,
                                          QString *error);
std::unique_ptr<AviVideoDriver> openAviVideoDriver(const QString &file, quintptr parentWindow,
                                                   QString *error);
