#include "frmItemOnItem.h"

#include "DialogControls.h"
#include "EditorItems.h"
#include "EditorMessages.h"
#include "Items.h"
#include "ProjectHistory.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

frmItemOnItem::frmItemOnItem(const ProjectPaths &paths, QWidget *parent)
    : QDialog(parent), m_paths(paths) {
    setWindowTitle(QStringLiteral("Create new event"));
    auto *layout = new QVBoxLayout(this);
    auto *tabs = new QTabWidget(this);
    auto *tab = new QWidget(tabs);
    auto *t = new QVBoxLayout(tab);
    tabs->addTab(tab, QStringLiteral("Use of an item on another item"));
    layout->addWidget(tabs);
    auto itemRow = [this](int i, QWidget *owner, QBoxLayout *into, const QString &label,
                          const QString &name) {
        auto *caption = new QLabel(label, owner);
        into->addWidget(caption);
        auto *row = new QHBoxLayout;
        Combo[i] = new QComboBox(owner);
        Combo[i]->setEditable(true);
        // Named by its label, "Select the first item:", as a screen reader reads a labelled box.
        caption->setBuddy(Combo[i]);
        imgItem[i] = new QLabel(owner);
        imgItem[i]->setFixedSize(32, 32);
        imgItem[i]->setAccessibleName(name + QStringLiteral(" icon"));
        cmdNew[i] = new QPushButton(QStringLiteral("New..."), owner);
        cmdNew[i]->setAccessibleDescription(QStringLiteral("New ") + name + QStringLiteral("..."));
        cmdRemove[i] = new QPushButton(QStringLiteral("Remove"), owner);
        cmdRemove[i]->setAccessibleDescription(QStringLiteral("Remove ") + name);
        row->addWidget(Combo[i], 1);
        row->addWidget(imgItem[i]);
        row->addWidget(cmdNew[i]);
        row->addWidget(cmdRemove[i]);
        into->addLayout(row);
        connect(Combo[i], &QComboBox::currentTextChanged, this, [this, i] { showIcon(i); });
        connect(cmdNew[i], &QPushButton::clicked, this, [this, i] { NewItem(i); });
        connect(cmdRemove[i], &QPushButton::clicked, this, [this, i] { RemoveItem(i); });
    };
    itemRow(1, tab, t, QStringLiteral("Select the first item:"), QStringLiteral("First item"));
    itemRow(2, tab, t, QStringLiteral("Select the second item:"), QStringLiteral("Second item"));
    auto *what = new QFrame(tab);
    what->setFrameShape(QFrame::StyledPanel);
    auto *w = new QVBoxLayout(what);
    w->addWidget(new QLabel(
        QStringLiteral("What to do when the first item is dragged on the second item?"), what));
    Check1 = new QCheckBox(QStringLiteral("Remove the first item from the inventory"), what);
    Check2 = new QCheckBox(QStringLiteral("Remove the second item from the inventory"), what);
    Check3 = new QCheckBox(QStringLiteral("Add a new item to the inventory"), what);
    for (QCheckBox *c : {Check1, Check2, Check3}) {
        c->setAccessibleName(c->text());
        w->addWidget(c);
    }
    FramePutItem = new QFrame(what);
    auto *put = new QVBoxLayout(FramePutItem);
    put->setContentsMargins(16, 0, 0, 0);
    itemRow(3, FramePutItem, put, QStringLiteral("Select the new item:"),
            QStringLiteral("New item"));
    w->addWidget(FramePutItem);
    t->addWidget(what);
    t->addStretch();
    connect(Check3, &QCheckBox::toggled, FramePutItem, &QWidget::setVisible);
    FramePutItem->hide();

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    Command2 = new QPushButton(QStringLiteral("OK"), this);
    Command3 = new QPushButton(QStringLiteral("Cancel"), this);
    Command2->setDefault(true);
    buttons->addWidget(Command2);
    buttons->addWidget(Command3);
    layout->addLayout(buttons);
    connect(Command2, &QPushButton::clicked, this, &frmItemOnItem::confirm);
    connect(Command3, &QPushButton::clicked, this, &QDialog::reject);
    RefreshLists();
    for (int i = 1; i <= 3; ++i) {
        Combo[i]->setCurrentIndex(-1);
        Combo[i]->setEditText(QString());
        imgItem[i]->clear();
    }
}

void frmItemOnItem::RefreshLists() {
    const QStringList items = EditorItems::ItemNames(m_paths);
    for (int i = 1; i <= 3; ++i) {
        const QString kept = Combo[i]->currentText();
        const QSignalBlocker quiet(Combo[i]);
        Combo[i]->clear();
        Combo[i]->addItems(items);
        const int at = Combo[i]->findText(kept);
        if (at >= 0)
            Combo[i]->setCurrentIndex(at);
        else
            Combo[i]->setEditText(kept);
        showIcon(i);
    }
}

void frmItemOnItem::showIcon(int i) {
    const QPixmap icon = EditorItems::ItemIcon(m_paths, Combo[i]->currentText());
    if (icon.isNull())
        imgItem[i]->clear();
    else
        imgItem[i]->setPixmap(icon.scaled(imgItem[i]->size(), Qt::KeepAspectRatio));
}

void frmItemOnItem::NewItem(int i) {
    const QString item = EditorItems::CreateItem(this, m_paths);
    if (item.isEmpty())
        return;
    RefreshLists();
    Combo[i]->setCurrentText(item);
}

void frmItemOnItem::RemoveItem(int i) {
    const QString item = Combo[i]->currentText();
    if (item.isEmpty())
        return;
    if (!EditorItems::RemoveItem(
            this, m_paths, item,
            QStringLiteral("Do you really want to remove '") + item + QStringLiteral(".obj' ?"),
            QStringLiteral("Unable to remove '") + item + QStringLiteral("'.")))
        return;
    Combo[i]->setEditText(QString());
    RefreshLists();
}

void frmItemOnItem::confirm() {
    ItemEvent e;
    e.First = Combo[1]->currentText().trimmed();
    e.Second = Combo[2]->currentText().trimmed();
    e.RemoveFirst = Check1->isChecked() ? 1 : 0;
    e.RemoveSecond = Check2->isChecked() ? 1 : 0;
    e.AddNew = Check3->isChecked() ? 1 : 0;
    e.NewItem = e.AddNew ? Combo[3]->currentText().trimmed() : QString();
    const Status refused = Items::checkEvent(e);
    if (!refused) {
        EditorMessages::show(this, refused);
        return;
    }
    Status written;
    ProjectHistory::instance().record(m_paths, QStringLiteral("New Event"), [&] {
        written = Items(m_paths).writeEvent(e);
        return written.ok();
    });
    if (!written) {
        EditorMessages::show(this, written);
        return;
    }
    accept();
}
