#include "frmSaveGame.h"

#include "GameEngine.h"
#include "MessageBoxes.h"
#include "SavedGameFile.h"

#include <QDateTime>
#include <QEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

void centreOnScreen(QWidget *dialog) {
    QScreen *screen = dialog->screen() ? dialog->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame = dialog->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    dialog->move(frame.topLeft());
}

namespace {

constexpr int kDetailsRole = Qt::UserRole + 1;

// Draws a saved game's name as usual and its frame and time right-aligned beside it.
class SavedGameDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override {
        QStyledItemDelegate::paint(painter, option, index);
        const QString details = index.data(kDetailsRole).toString();
        if (details.isEmpty())
            return;
        const bool selected = option.state.testFlag(QStyle::State_Selected);
        painter->save();
        painter->setPen(
            option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
        painter->setFont(option.font);
        painter->drawText(option.rect.adjusted(0, 0, -kMargin, 0),
                          Qt::AlignRight | Qt::AlignVCenter, details);
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        const QString details = index.data(kDetailsRole).toString();
        if (!details.isEmpty())
            size.rwidth() += QFontMetrics(option.font).horizontalAdvance(details) + 4 * kMargin;
        return size;
    }

private:
    static constexpr int kMargin = 6;
};

} // namespace

QString savedGameDetails(const QString &frame, const QDateTime &saved) {
    const QString when = QLocale().toString(saved, QLocale::ShortFormat);
    return frame.isEmpty() ? when : frame + QStringLiteral(", ") + when;
}

void fillSavedGamesList(QListWidget *list, const QString &root) {
    if (!dynamic_cast<SavedGameDelegate *>(list->itemDelegate()))
        list->setItemDelegate(new SavedGameDelegate(list));
    list->clear();
    for (const SavedGames::Entry &e : SavedGames::entries(root)) {
        auto *item = new QListWidgetItem(e.name, list);
        const QString details = savedGameDetails(e.frame, e.saved);
        item->setData(kDetailsRole, details);
        item->setToolTip(details);
        item->setData(Qt::AccessibleDescriptionRole, details);
    }
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
    resize(420, 320);
    makePlainDialog(this);

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
    fillSavedGamesList(m_list, m_engine.savedGamesFolder());
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
