#include "frmPlayerSettings.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QSlider>
#include <QVBoxLayout>

namespace {

QSlider *volumeSlider(QWidget *parent, const QString &name, int value) {
    auto *s = new QSlider(Qt::Horizontal, parent);
    s->setObjectName(name);
    s->setRange(0, 100);
    s->setSingleStep(5);
    s->setPageStep(20);
    s->setValue(value);
    s->setAccessibleName(name);
    return s;
}

} // namespace

frmPlayerSettings::frmPlayerSettings(const QString &projectName, QWidget *parent)
    : QDialog(parent), m_project(projectName) {
    setObjectName(QStringLiteral("frmPlayerSettings"));
    setWindowTitle(tr("Player settings"));
    const PlayerSettings stored = PlayerSettings::load(projectName);

    auto *picture = new QGroupBox(tr("Picture"), this);
    auto *pictureLayout = new QVBoxLayout(picture);
    m_scaling = new QButtonGroup(this);
    const QString choices[] = {tr("&Fill the screen (smooth)"),
                               tr("Fill the screen in &whole steps (sharp pixels)"),
                               tr("&Unscaled (original size)")};
    for (int i = 0; i < 3; ++i) {
        auto *b = new QRadioButton(choices[i], picture);
        b->setObjectName(QStringLiteral("optScaling%1").arg(i));
        b->setAccessibleName(QString(choices[i]).remove(QLatin1Char('&')));
        m_scaling->addButton(b, i);
        pictureLayout->addWidget(b);
    }
    m_scaling->button(int(stored.scaling))->setChecked(true);

    m_music = volumeSlider(this, tr("Music volume"), stored.musicVolume);
    m_sound = volumeSlider(this, tr("Sound volume"), stored.soundVolume);
    m_speed = new QComboBox(this);
    m_speed->setObjectName(QStringLiteral("cboMessageSpeed"));
    m_speed->addItems({tr("Slow"), tr("Normal"), tr("Fast")});
    m_speed->setCurrentIndex(int(stored.messageSpeed));
    m_speed->setAccessibleName(tr("Message speed"));

    auto *form = new QFormLayout;
    auto row = [&](const QString &caption, QWidget *field) {
        auto *label = new QLabel(caption, this);
        label->setBuddy(field);
        form->addRow(label, field);
    };
    row(tr("&Music volume:"), m_music);
    row(tr("&Sound volume:"), m_sound);
    row(tr("M&essage speed:"), m_speed);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(picture);
    layout->addLayout(form);
    layout->addWidget(buttons);
    m_scaling->checkedButton()->setFocus();
}

PlayerSettings frmPlayerSettings::settings() const {
    PlayerSettings s;
    s.scaling = static_cast<PlayerSettings::Scaling>(qMax(0, m_scaling->checkedId()));
    s.musicVolume = m_music->value();
    s.soundVolume = m_sound->value();
    s.messageSpeed = static_cast<PlayerSettings::MessageSpeed>(m_speed->currentIndex());
    return s;
}

void frmPlayerSettings::accept() {
    settings().save(m_project);
    QDialog::accept();
}
