#include "DialogControls.h"

#include "EditorMessages.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <utility>

namespace DialogControls {

QCheckBox *check(const QString &caption, QWidget *parent) {
    auto *c = new QCheckBox(caption, parent);
    c->setAccessibleName(caption);
    return c;
}

QRadioButton *option(const QString &caption, QWidget *parent) {
    auto *r = new QRadioButton(caption, parent);
    r->setAccessibleName(caption);
    return r;
}

QPushButton *button(const QString &caption, QWidget *parent, const QString &name) {
    auto *b = new QPushButton(caption, parent);
    b->setAccessibleName(caption);
    if (!name.isEmpty())
        b->setAccessibleDescription(name);
    return b;
}

QPushButton *browseButton(const QString &caption, QWidget *parent, const QString &filter,
                          std::function<void(const QString &path)> chosen, const QString &name) {
    QPushButton *b = button(caption, parent, name);
    QObject::connect(b, &QPushButton::clicked, parent,
                     [parent, filter, chosen = std::move(chosen)] {
                         const QString file = EditorMessages::chooseFile(parent->window(), filter);
                         if (!file.isEmpty())
                             chosen(file);
                     });
    return b;
}

QString pictureFilter(const QString &caption) {
    return caption + QStringLiteral(" (*.bmp *.gif *.jpg *.jpeg *.png *.wmf *.emf *.ico *.cur)");
}

QLabel *note(const QString &text, QWidget *parent) {
    auto *l = new QLabel(text, parent);
    l->setWordWrap(true);
    return l;
}

QFrame *panel(QWidget *parent) {
    auto *f = new QFrame(parent);
    f->setFrameShape(QFrame::NoFrame);
    new QVBoxLayout(f);
    f->layout()->setContentsMargins(16, 0, 0, 0);
    return f;
}

QBoxLayout *boxOf(QWidget *panel) {
    return static_cast<QBoxLayout *>(panel->layout());
}

QString chosen(bool ticked, const QComboBox *list) {
    return ticked ? list->currentText().trimmed() : QString();
}

QWidget *videoSurface(QWidget *parent) {
    auto *video = new QWidget(parent);
    video->setAccessibleName(QStringLiteral("Video preview"));
    video->setFixedSize(160, 120);
    video->setAutoFillBackground(true);
    QPalette dark = video->palette();
    dark.setColor(QPalette::Window, Qt::black);
    video->setPalette(dark);
    video->hide();
    return video;
}

void select(QComboBox *list, const QString &name) {
    const int i = list->findText(name);
    if (i >= 0)
        list->setCurrentIndex(i);
    else
        list->setEditText(name);
}

QComboBox *channelAwaitingSound(QRadioButton *const options[24], QComboBox *const lists[8]) {
    for (int c = 0; c < 8; ++c)
        if (options[3 * c + 2]->isChecked() && lists[c]->currentText().isEmpty())
            return lists[c];
    return nullptr;
}

void refill(QComboBox *list, const QStringList &entries) {
    const QString kept = list->currentText();
    const QSignalBlocker quiet(list);
    list->clear();
    list->addItems(entries);
    select(list, kept);
}

bool confirmRemove(QWidget *parent, const QString &shown) {
    return EditorMessages::ask(
               parent, QString(),
               QStringLiteral("Do you really want to remove '") + shown + QStringLiteral("' ?"),
               Status::Icon::Question, EngineHost::Buttons::YesNo) == EngineHost::Answer::Yes;
}

void addChannelRows(QGridLayout *grid, int firstRow, bool captioned, QWidget *owner,
                    QRadioButton *options[24], QComboBox *lists[8], QCheckBox *loops[8]) {
    const char *const captions[] = {"No action", "Stop sound", "Play sound"};
    for (int c = 0; c < 8; ++c) {
        const int at = firstRow + c;
        const QString row = QStringLiteral("Channel %1 :").arg(c);
        grid->addWidget(new QLabel(row, owner), at, 0);
        auto *group = new QButtonGroup(owner);
        for (int k = 0; k < 3; ++k) {
            const QString caption = QString::fromLatin1(captions[k]);
            auto *r = new QRadioButton(captioned ? caption : QString(), owner);
            // A captioned button is named by its caption; the channel tells which row it is in.
            r->setAccessibleName(captioned ? caption : row + QLatin1Char(' ') + caption);
            if (captioned)
                r->setAccessibleDescription(row + QLatin1Char(' ') + caption);
            group->addButton(r);
            grid->addWidget(r, at, 1 + k);
            options[3 * c + k] = r;
        }
        options[3 * c]->setChecked(true);
        lists[c] = new QComboBox(owner);
        lists[c]->setEditable(true);
        lists[c]->setAccessibleName(row + QStringLiteral(" sound"));
        loops[c] = check(QStringLiteral("Loop"), owner);
        loops[c]->setAccessibleName(row + QStringLiteral(" Loop"));
        grid->addWidget(lists[c], at, 4);
        grid->addWidget(loops[c], at, 5);
    }
}

void showPlayingChannels(QRadioButton *const options[24], QComboBox *const lists[8],
                         QCheckBox *const loops[8],
                         const std::function<QWidget *(QComboBox *)> &playOf) {
    for (int c = 0; c < 8; ++c) {
        const bool play = options[3 * c + 2]->isChecked();
        lists[c]->setVisible(play);
        loops[c]->setVisible(play);
        if (QWidget *button = playOf(lists[c]))
            button->setVisible(play);
    }
}

void addVideoPosition(QBoxLayout *row, QWidget *owner, QLineEdit *fields[4]) {
    const char *const coordinates[] = {"Left:", "Top:", "Width:", "Height:"};
    for (int i = 0; i < 4; ++i) {
        auto *label = new QLabel(QString::fromLatin1(coordinates[i]), owner);
        fields[i] = new QLineEdit(owner);
        fields[i]->setAccessibleName(QString::fromLatin1(coordinates[i]).chopped(1));
        label->setBuddy(fields[i]);
        row->addWidget(label);
        row->addWidget(fields[i]);
    }
}

} // namespace DialogControls
