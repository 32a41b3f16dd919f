#include "AreaActionTab.h"

#include "ActionRecord.h"
#include "DialogControls.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>

using DialogControls::boxOf;
using DialogControls::button;
using DialogControls::check;
using DialogControls::chosen;
using DialogControls::note;
using DialogControls::option;

namespace {

// The number a field begins with ("12px" reads 12), 0 when it begins with none.
double leadingNumber(const QString &text) {
    static const QRegularExpression number(
        QStringLiteral("^\\s*([+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?)"));
    const QRegularExpressionMatch m = number.match(text);
    return m.hasMatch() ? m.captured(1).toDouble() : 0;
}

} // namespace

AreaActionTab::AreaActionTab(const AreaFileListMaker &fileList, QWidget *videoSurface,
                             QWidget *parent)
    : QWidget(parent) {
    auto *t = new QVBoxLayout(this);
    m_heading = new QLabel(this); // the dialog words it for an area or an item
    t->addWidget(m_heading);
    auto action = [this, t](const char *caption) {
        QCheckBox *c = check(QString::fromLatin1(caption), this);
        t->addWidget(c);
        connect(c, &QCheckBox::clicked, this, &AreaActionTab::changed);
        return c;
    };
    m_goToFrame = action("Go to another frame.");
    m_frameList = new QComboBox(this);
    m_frameList->setEditable(true);
    m_frameList->setAccessibleName(QStringLiteral("Frame to go to"));
    t->addWidget(m_frameList);
    m_goBack = action("Go back to the last visited frame.");
    m_showText = action("Display a text message.");
    m_messagePanel = DialogControls::panel(this);
    m_message = new QLineEdit(m_messagePanel);
    m_message->setAccessibleName(QStringLiteral("Text message"));
    boxOf(m_messagePanel)->addWidget(m_message);
    auto *where = new QHBoxLayout;
    auto *whereGroup = new QButtonGroup(this);
    m_onPopup = option(QStringLiteral("On popup window"), m_messagePanel);
    m_onBackground = option(QStringLiteral("On background"), m_messagePanel);
    for (QRadioButton *r : {m_onPopup, m_onBackground}) {
        whereGroup->addButton(r);
        where->addWidget(r);
    }
    m_onBackground->setChecked(true);
    boxOf(m_messagePanel)->addLayout(where);
    t->addWidget(m_messagePanel);
    m_hide = action("Hide this area (permanently).");
    m_closeProgram = action("Close the program (go to the main menu).");
    m_stopWav = action("Stop any wav sound (necessary for videos with audio track).");
    m_playVideo = action("Play a video.");
    m_videoPanel = DialogControls::panel(this);
    m_videoList = fileList(AreaFileKind::Video, m_videoPanel, QStringLiteral("Video files (*.avi)"),
                           QStringLiteral("Video"));
    auto *placing = new QHBoxLayout;
    auto *videoGroup = new QButtonGroup(this);
    m_fullScreen = option(QStringLiteral("Full-screen"), m_videoPanel);
    m_atPosition = option(QStringLiteral("Coordinates"), m_videoPanel);
    for (QRadioButton *r : {m_fullScreen, m_atPosition}) {
        videoGroup->addButton(r);
        placing->addWidget(r);
        connect(r, &QRadioButton::clicked, this, &AreaActionTab::changed);
    }
    m_fullScreen->setChecked(true);
    boxOf(m_videoPanel)->addLayout(placing);
    m_positionPanel = DialogControls::panel(m_videoPanel);
    auto *position = new QHBoxLayout;
    DialogControls::addVideoPosition(position, m_positionPanel, m_videoField);
    boxOf(m_positionPanel)->addLayout(position);
    m_resetVideo = button(QStringLiteral("Reset to area size"), m_positionPanel);
    boxOf(m_positionPanel)->addWidget(m_resetVideo);
    boxOf(m_videoPanel)->addWidget(m_positionPanel);
    boxOf(m_videoPanel)
        ->addWidget(note(QStringLiteral("Select the video you want to play. If the video is not "
                                        "in the list, click 'Browse...'."),
                         m_videoPanel));
    t->addWidget(m_videoPanel);
    t->addStretch();
    boxOf(m_videoPanel)->addWidget(videoSurface);
}

double AreaActionTab::videoValue(int i) const {
    return leadingNumber(m_videoField[i]->text());
}

void AreaActionTab::setItemMode(bool item) {
    m_hide->setText(item ? QStringLiteral("Remove the dragged item from the user's inventory.")
                         : QStringLiteral("Hide this area (permanently)."));
    m_hide->setAccessibleName(m_hide->text());
}

void AreaActionTab::load(const ActionRecord &a) {
    m_showText->setChecked(a.ShowText != 0);
    m_message->setText(a.TextMessage);
    m_hide->setChecked(a.HideOrRemove != 0);
    m_closeProgram->setChecked(a.CloseProgram != 0);
    m_goToFrame->setChecked(a.GoToFrame != 0);
    DialogControls::select(m_frameList, a.TargetFrame);
    m_stopWav->setChecked(a.StopWav != 0);
    m_playVideo->setChecked(a.PlayVideo != 0);
    DialogControls::select(m_videoList, a.VideoFile);
    // Records that end before the video's place keep the place the dialog proposed.
    if (a.EndedAfter == 0 || a.EndedAfter > 13) {
        (a.VideoAtPosition ? m_atPosition : m_fullScreen)->setChecked(true);
        const double position[] = {a.VideoLeft, a.VideoTop, a.VideoWidth, a.VideoHeight};
        for (int i = 0; i < 4; ++i)
            m_videoField[i]->setText(QString::number(position[i]));
    }
    m_goBack->setChecked(a.GoBack != 0);
    if (a.EndedAfter == 0 || a.EndedAfter > 32)
        (a.TextOnBackground ? m_onBackground : m_onPopup)->setChecked(true);
}

void AreaActionTab::saveInto(ActionRecord &a) const {
    a.ShowText = m_showText->isChecked() ? 1 : 0;
    a.TextMessage = a.ShowText ? m_message->text() : QString();
    a.HideOrRemove = m_hide->isChecked() ? 1 : 0;
    a.CloseProgram = m_closeProgram->isChecked() ? 1 : 0;
    a.GoToFrame = m_goToFrame->isChecked() ? 1 : 0;
    a.TargetFrame = chosen(a.GoToFrame, m_frameList);
    a.StopWav = m_stopWav->isChecked() ? 1 : 0;
    a.PlayVideo = m_playVideo->isChecked() ? 1 : 0;
    a.VideoFile = chosen(a.PlayVideo, m_videoList);
    a.VideoFullScreen = m_fullScreen->isChecked();
    a.VideoAtPosition = m_atPosition->isChecked();
    a.VideoLeft = videoValue(0);
    a.VideoTop = videoValue(1);
    a.VideoWidth = videoValue(2);
    a.VideoHeight = videoValue(3);
    a.GoBack = m_goBack->isChecked() ? 1 : 0;
    a.TextOnBackground = m_onBackground->isChecked() ? 1 : 0;
}

void AreaActionTab::refresh() {
    if (m_goBack->isChecked()) {
        m_goToFrame->setChecked(false);
        m_goToFrame->setEnabled(false);
    } else {
        m_goToFrame->setEnabled(true);
    }
    m_frameList->setVisible(m_goToFrame->isChecked());
    m_messagePanel->setVisible(m_showText->isChecked());
    m_videoPanel->setVisible(m_playVideo->isChecked());
    m_positionPanel->setVisible(m_atPosition->isChecked());
}
