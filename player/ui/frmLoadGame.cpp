#include "frmLoadGame.h"

#include "GameEngine.h"
#include "MessageBoxes.h"
#include "frmSaveGame.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

frmLoadGame::frmLoadGame(GameEngine &engine, QWidget *parent) : QDialog(parent), m_engine(engine) {
    const CustomTexts &texts = engine.texts();
    setObjectName(QStringLiteral("frmLoadGame"));
    setWindowTitle(texts.text(17));
    setModal(true);

    m_prompt = new QLabel(texts.text(18), this);
    m_prompt->setObjectName(QStringLiteral("Label1"));
    m_prompt->setWordWrap(true);
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("List1"));
    m_list->setAccessibleName(tr("Saved games"));
    m_list->setAccessibleDescription(texts.text(18));
    m_load = new QPushButton(texts.text(19), this);
    m_load->setObjectName(QStringLiteral("Command2"));
    m_load->setDefault(true);
    m_cancel = new QPushButton(texts.text(11), this);
    m_cancel->setObjectName(QStringLiteral("Command1"));
    m_cancel->setAutoDefault(false);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_load);
    buttons->addStretch();
    buttons->addWidget(m_cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_prompt);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);
    resize(420, 300);
    makePlainDialog(this);

    connect(m_list, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem *item) {
        m_list->setCurrentItem(item);
        load();
    });
    connect(m_load, &QPushButton::clicked, this, &frmLoadGame::load);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);

    LoadSaveGames();
}

void frmLoadGame::LoadSaveGames() {
    fillSavedGamesList(m_list, m_engine.savedGamesFolder());
    // The newest saved game is the likely choice: Return loads it.
    m_list->setCurrentRow(m_list->count() - 1);
    if (QListWidgetItem *newest = m_list->currentItem())
        m_list->scrollToItem(newest);
}

QString frmLoadGame::selectedName() const {
    const QListWidgetItem *item = m_list->currentItem();
    return item && item->isSelected() ? item->text() : QString();
}

void frmLoadGame::load() {
    const QString name = selectedName();
    if (!name.isEmpty() && m_beforeLoad) {
        hide();
        m_beforeLoad();
    }
    if (m_engine.loadSavedGame(name))
        accept();
}

void frmLoadGame::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    centreOnScreen(this);
    m_list->setFocus();
}
