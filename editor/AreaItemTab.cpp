#include "AreaItemTab.h"

#include "AreaFiles.h"
#include "DialogControls.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

using DialogControls::boxOf;
using DialogControls::button;
using DialogControls::note;

AreaItemTab::AreaItemTab(QWidget *parent) : QWidget(parent) {
    auto *t = new QVBoxLayout(this);
    m_pickItem = DialogControls::check(
        QStringLiteral("Add an item to the inventory when the user clicks on this area."), this);
    connect(m_pickItem, &QCheckBox::clicked, this, &AreaItemTab::changed);
    t->addWidget(m_pickItem);
    m_panel = DialogControls::panel(this);
    boxOf(m_panel)->addWidget(note(
        QStringLiteral("Select the item you want to appear in the user's inventory."), m_panel));
    auto *row = new QHBoxLayout;
    m_itemList = new QComboBox(m_panel);
    m_itemList->setEditable(true);
    m_itemList->setAccessibleName(QStringLiteral("Item"));
    m_icon = new QLabel(m_panel);
    m_icon->setFixedSize(32, 32);
    m_icon->setAccessibleName(QStringLiteral("Item icon"));
    m_newItem = button(QStringLiteral("New..."), m_panel, QStringLiteral("New item..."));
    m_removeItem = button(QStringLiteral("Remove"), m_panel, QStringLiteral("Remove item"));
    row->addWidget(m_itemList, 1);
    row->addWidget(m_icon);
    row->addWidget(m_newItem);
    row->addWidget(m_removeItem);
    boxOf(m_panel)->addLayout(row);
    boxOf(m_panel)->addWidget(
        note(QStringLiteral("To choose what must happen when the user uses this item with an "
                            "other clickable area, close this window, click \"Items and Events\" "
                            "and drag and drop the item on the clickable area."),
             m_panel));
    boxOf(m_panel)->addWidget(note(QStringLiteral("Note: If you want the area to disappear when "
                                                  "the user clicks on it, select \"Hide this "
                                                  "area\" under the \"Action\" tab."),
                                   m_panel));
    t->addWidget(m_panel);
    t->addStretch();
}

void AreaItemTab::load(const AreaItem &item) {
    m_pickItem->setChecked(item.PickItem != 0);
    DialogControls::select(m_itemList, item.ItemName);
}

void AreaItemTab::saveInto(AreaItem &item) const {
    item.PickItem = m_pickItem->isChecked() ? 1 : 0;
    item.ItemName = DialogControls::chosen(item.PickItem, m_itemList);
}

void AreaItemTab::refresh() {
    m_panel->setVisible(m_pickItem->isChecked());
}
