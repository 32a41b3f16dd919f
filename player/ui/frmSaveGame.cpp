#include "frmSaveGame.h"

#include "GameEngine.h"

#include <QEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

void centreOnScreen(QWidget *dialog) {
    QScreen *screen = dialog->screen() ? dialog->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame = dialog->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    dialog->move(frame.topLeft());
}

frmSaveGame::frmSaveGame(GameEngine &engine, QWidget *parent) : QDialog(parent), m_engine(engine) {
    const CustomTexts &texts = engine.texts();
    setObjectName(QStringLiteral("frmSaveGame"));
    setWindowTitle(texts.text(21));
    setModal(true);

    m_prompt = new QLabel(texts.text(23), this);
    m_prompt->setObjectName(QStringLiteral("Label1"));
    m_prompt->setWordWrap(true);
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("Text1"));
    m_prompt->setBuddy(m_name);
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("List1"));
    m_list->setAccessibleName(tr("Saved games"));
    m_save = new QPushButton(texts.text(25), this);
    m_save->setObjectName(QStringLiteral("Command2"));
    m_save->setDefault(true);
    m_remove = new QPushButton(texts.text(22), this);
    m_remove->setObjectName(QStringLiteral("Command3"));
    m_remove->setAutoDefault(false);
    m_cancel = new QPushButton(texts.text(11), this);
    m_cancel->setObjectName(QStringLiteral("Command1"));
    m_cancel->setAutoDefault(false);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_save);
    buttons->addWidget(m_remove);
    buttons->addStretch();
    buttons->addWidget(m_cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_prompt);
    layout->addWidget(m_name);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);
    resize(380, 320);

    // A click (or any change of the selection) puts the entry in the name box.
    connect(m_list, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            m_name->setText(m_list->item(row)->text());
    });
    connect(m_list, &QListWidget::itemClicked, this,
            [this](QListWidgetItem *item) { m_name->setText(item->text()); });
    connect(m_list, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem *item) {
        m_name->setText(item->text());
        save();
    });
    connect(m_save, &QPushButton::clicked, this, &frmSaveGame::save);
    connect(m_remove, &QPushButton::clicked, this, &frmSaveGame::removeSelected);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);

    LoadSaveGames();
}

void frmSaveGame::LoadSaveGames() {
    const QSignalBlocker quiet(m_list); // refilling is not a choice of the player
    m_list->clear();
    m_list->addItems(m_engine.LoadSaveGames());
    m_list->setCurrentRow(-1);
}

QString frmSaveGame::selectedName() const {
    const QListWidgetItem *item = m_list->currentItem();
    return item && item->isSelected() ? item->text() : QString();
}

void frmSaveGame::save() {
    if (!m_engine.saveGame(m_name->text()))
        return;
    LoadSaveGames();
    accept();
}

void frmSaveGame::removeSelected() {
    if (m_engine.removeSavedGame(selectedName()))
        LoadSaveGames();
}

void frmSaveGame::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    centreOnScreen(this);
}

bool frmSaveGame::event(QEvent *event) {
    if (event->type() == QEvent::WindowActivate)
        m_name->setFocus();
    return QDialog::event(event);
}
