#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QBoxLayout;
class QFrame;
class QPushButton;
class QRadioButton;
class QWidget;

// Small pieces the editor's property dialogs build alike: named controls, the file lists that
// keep what was typed, the eight sound channel rows and the video position row.
namespace DialogControls {

// A check box, option button or push button whose accessible name is its caption, as a screen
// reader says it; `name`, when given, says which of several alike buttons it is (its accessible
// description, "Browse Picture" for one "Browse...").
QCheckBox *check(const QString &caption, QWidget *parent);
QRadioButton *option(const QString &caption, QWidget *parent);
QPushButton *button(const QString &caption, QWidget *parent, const QString &name = QString());
// A button (named as button() names it) that asks for a file matching `filter` and hands its
// path to `chosen`; nothing happens when the author cancels.
QPushButton *browseButton(const QString &caption, QWidget *parent, const QString &filter,
                          std::function<void(const QString &path)> chosen,
                          const QString &name = QString());
// The open-file filter for pictures: every kind the player shows (see PictureLoader), under
// `caption` ("Graphic files", or "Icons" for item icons).
QString pictureFilter(const QString &caption = QStringLiteral("Graphic files"));
// A label that wraps its text.
QLabel *note(const QString &text, QWidget *parent);
// A black 160 x 120 surface, hidden, for a video played beside its list.
QWidget *videoSurface(QWidget *parent);
// A borderless frame whose contents, laid out top to bottom, are indented under the option
// that shows it; boxOf() gives that layout.
QFrame *panel(QWidget *parent);
QBoxLayout *boxOf(QWidget *panel);

// Shows `name` in `list`: its entry when the list has it, otherwise as typed text.
void select(QComboBox *list, const QString &name);
// Replaces the entries of `list` by `entries` without signals, keeping its current text
// (selected again when it is among them).
void refill(QComboBox *list, const QStringList &entries);

// The list's text (trimmed) while its option is ticked, otherwise nothing: a file chosen and
// then unticked is no longer named.
QString chosen(bool ticked, const QComboBox *list);

// Asks "Do you really want to remove '<shown>' ?"; true when the answer is Yes.
bool confirmRemove(QWidget *parent, const QString &shown);

// The eight rows "Channel 0 :" to "Channel 7 :", from grid row `firstRow` on: in columns 1 to 3
// the choices "No action", "Stop sound" and "Play sound" (a group of their own a row, "No action"
// checked; with `captioned` false the buttons show no caption, a heading row names them), in
// column 4 the editable sound list and in column 5 "Loop". Fills options[3 * c + k], lists[c]
// and loops[c].
void addChannelRows(QGridLayout *grid, int firstRow, bool captioned, QWidget *owner,
                    QRadioButton *options[24], QComboBox *lists[8], QCheckBox *loops[8]);
// Shows a channel's list, "Loop" and the widget `playOf` gives for its list only while
// "Play sound" is chosen.
void showPlayingChannels(QRadioButton *const options[24], QComboBox *const lists[8],
                         QCheckBox *const loops[8],
                         const std::function<QWidget *(QComboBox *)> &playOf);

// Where "Add .wav sound to lists..." shows the sound it added: the list of the first channel set
// to "Play sound" that names no sound yet; nullptr when there is none.
QComboBox *channelAwaitingSound(QRadioButton *const options[24], QComboBox *const lists[8]);

// "Left:", "Top:", "Width:" and "Height:" with their boxes, added to `row`; fills fields[0..3].
void addVideoPosition(QBoxLayout *row, QWidget *owner, QLineEdit *fields[4]);

} // namespace DialogControls
