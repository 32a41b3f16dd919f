#pragma once

#include <QString>

#include <functional>

class QComboBox;
class QWidget;

// The kinds of file the area properties dialog offers in its lists.
enum class AreaFileKind { Picture, Sound, Video, Mp3, Midi };

// Builds one file row for a tab of the dialog: the editable list named `name`, its "Play"
// (not for pictures), "Browse..." (files matching `filter`) and "Remove", added to the layout of
// `owner`. The dialog that owns the project's files answers the buttons.
using AreaFileListMaker = std::function<QComboBox *(AreaFileKind kind, QWidget *owner,
                                                    const QString &filter, const QString &name)>;
