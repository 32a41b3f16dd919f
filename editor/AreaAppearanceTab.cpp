#include "AreaAppearanceTab.h"

#include "AreaFiles.h"
#include "DialogControls.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

using DialogControls::boxOf;
using DialogControls::button;
using DialogControls::check;
using DialogControls::note;
using DialogControls::option;

AreaAppearanceTab::AreaAppearanceTab(const AreaFileListMaker &fileList, QWidget *parent)
    : QWidget(parent) {
    auto *t = new QVBoxLayout(this);
    t->addWidget(new QLabel(QStringLiteral("How should the selected area look like?"), this));
    auto *group = new QButtonGroup(this);
    m_transparent = option(QStringLiteral("Transparent"), this);
    m_picture = option(QStringLiteral("Picture"), this);
    auto *row = new QHBoxLayout;
    for (QRadioButton *r : {m_transparent, m_picture}) {
        group->addButton(r);
        row->addWidget(r);
        connect(r, &QRadioButton::clicked, this, &AreaAppearanceTab::changed);
    }
    t->addLayout(row);
    m_transparent->setChecked(true);
    m_picturePanel = DialogControls::panel(this);
    m_pictureList = fileList(AreaFileKind::Picture, m_picturePanel, DialogControls::pictureFilter(),
                             QStringLiteral("Picture"));
    connect(m_pictureList, &QComboBox::currentTextChanged, this, &AreaAppearanceTab::changed);
    m_stretch = check(QStringLiteral("Resize to fit selected area."), m_picturePanel);
    m_animatedGif = check(QStringLiteral("Is an animated GIF"), m_picturePanel);
    connect(m_animatedGif, &QCheckBox::clicked, this, &AreaAppearanceTab::changed);
    boxOf(m_picturePanel)->addWidget(m_stretch);
    boxOf(m_picturePanel)->addWidget(m_animatedGif);
    boxOf(m_picturePanel)
        ->addWidget(note(QStringLiteral("The drop-down list contains all the pictures that are "
                                        "in the project folder. To import a picture from "
                                        "another directory, click 'Browse...'."),
                         m_picturePanel));
    t->addWidget(m_picturePanel);
    m_speedPanel = DialogControls::panel(this);
    auto *speed = new QHBoxLayout;
    m_speed = new QSlider(Qt::Horizontal, m_speedPanel);
    m_speed->setRange(1, 100);
    m_speed->setValue(50);
    m_speed->setAccessibleName(QStringLiteral("Animation speed"));
    m_speedText = new QLabel(QStringLiteral("50"), m_speedPanel);
    speed->addWidget(new QLabel(QStringLiteral("Fast"), m_speedPanel));
    speed->addWidget(m_speed, 1);
    speed->addWidget(new QLabel(QStringLiteral("Slow"), m_speedPanel));
    speed->addWidget(m_speedText);
    boxOf(m_speedPanel)->addLayout(speed);
    connect(m_speed, &QSlider::valueChanged, this,
            [this](int v) { m_speedText->setText(QString::number(v)); });
    t->addWidget(m_speedPanel);
    t->addWidget(new QLabel(QStringLiteral("How should the mouse pointer look like?"), this));
    auto *pointer = new QHBoxLayout;
    m_pointerPicture = new QLabel(this);
    m_pointerPicture->setFixedSize(32, 32);
    m_pointerPicture->setAccessibleName(QStringLiteral("Mouse pointer picture"));
    m_pointerName = new QLabel(QStringLiteral("DEFAULT"), this);
    m_pointerName->setAccessibleName(QStringLiteral("Mouse pointer"));
    m_changePointer =
        button(QStringLiteral("Change..."), this, QStringLiteral("Change mouse pointer..."));
    m_defaultPointer =
        button(QStringLiteral("DEFAULT"), this, QStringLiteral("Default mouse pointer"));
    pointer->addWidget(m_pointerPicture);
    pointer->addWidget(m_pointerName, 1);
    pointer->addWidget(m_changePointer);
    pointer->addWidget(m_defaultPointer);
    t->addLayout(pointer);
    t->addStretch();
}

QWidget *AreaAppearanceTab::speedPanel() const {
    return m_speedPanel;
}

void AreaAppearanceTab::load(const AreaLook &look, int gifSpeed) {
    (look.HasPicture ? m_picture : m_transparent)->setChecked(true);
    DialogControls::select(m_pictureList, look.PictureFile);
    m_stretch->setChecked(look.Stretch != 0);
    m_animatedGif->setChecked(look.IsAnimatedGif != 0);
    m_pointerName->setText(look.hasCustomPointer() ? look.MousePointer : QStringLiteral("DEFAULT"));
    m_speed->setValue(gifSpeed);
}

void AreaAppearanceTab::saveInto(AreaLook &look, int &gifSpeed) const {
    look.HasPicture = m_picture->isChecked();
    look.PictureFile = DialogControls::chosen(look.HasPicture, m_pictureList);
    look.IsAnimatedGif = look.HasPicture && m_animatedGif->isChecked() ? 1 : 0;
    look.Stretch = look.HasPicture && m_stretch->isChecked() ? 1 : 0;
    look.MousePointer = m_pointerName->text();
    gifSpeed = m_speed->value();
}

void AreaAppearanceTab::refresh() {
    m_picturePanel->setVisible(m_picture->isChecked());
}

void AreaAppearanceTab::refreshAnimatedGif() {
    const QString name = m_pictureList->currentText();
    const bool gif = name.size() > 4 && name.endsWith(QStringLiteral(".gif"), Qt::CaseSensitive);
    m_animatedGif->setEnabled(gif);
    if (!gif)
        m_animatedGif->setChecked(false);
    const bool animated = gif && m_animatedGif->isChecked() && m_picture->isChecked();
    if (animated)
        m_stretch->setChecked(false);
    m_stretch->setEnabled(!animated);
    m_speedPanel->setVisible(animated);
}
