#include "AreaVariablesTab.h"

#include "ActionRecord.h"
#include "AreaFiles.h"
#include "DialogControls.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>

using DialogControls::boxOf;
using DialogControls::button;
using DialogControls::check;
using DialogControls::note;

namespace {

void fill(QListWidget *list, const QStringList &names) {
    list->clear();
    list->addItems(names);
}

} // namespace

AreaVariablesTab::AreaVariablesTab(QWidget *parent) : QScrollArea(parent) {
    // Five lists with their buttons: the tab scrolls rather than squeeze them.
    setWidgetResizable(true);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto *tab = new QWidget(this);
    auto *t = new QVBoxLayout(tab);
    m_visibleIf = check(QStringLiteral("The selected area must be visible only if..."), tab);
    m_change = check(QStringLiteral("Change the value of one or more variables when the user "
                                    "clicks on this area."),
                     tab);
    auto list = [this](int i, const char *caption, QWidget *owner, QGridLayout *grid, int row,
                       int column) {
        const QString name = QString::fromLatin1(caption);
        grid->addWidget(note(name, owner), row, column);
        m_lists[i] = new QListWidget(owner);
        m_lists[i]->setAccessibleName(name);
        m_lists[i]->setMinimumHeight(72);
        m_lists[i]->setMaximumHeight(120);
        grid->addWidget(m_lists[i], row + 1, column);
        auto *buttons = new QHBoxLayout;
        m_add[i] = button(QStringLiteral("Add..."), owner, QStringLiteral("Add to ") + name);
        m_remove[i] =
            button(QStringLiteral("Remove"), owner, QStringLiteral("Remove from ") + name);
        buttons->addWidget(m_add[i]);
        buttons->addWidget(m_remove[i]);
        grid->addLayout(buttons, row + 2, column);
        connect(m_add[i], &QPushButton::clicked, this, [this, i] { emit addRequested(i); });
        connect(m_remove[i], &QPushButton::clicked, this, [this, i] { emit removeRequested(i); });
    };
    for (QCheckBox *c : {m_change, m_visibleIf})
        connect(c, &QCheckBox::clicked, this, &AreaVariablesTab::changed);
    t->addWidget(m_visibleIf);
    m_visiblePanel = DialogControls::panel(tab);
    auto *visible = new QGridLayout;
    list(VisibleIfOne, "...the value of the following variables is 1:", m_visiblePanel, visible, 0,
         0);
    list(VisibleIfZero, "...the value of the following variables is 0:", m_visiblePanel, visible, 0,
         1);
    boxOf(m_visiblePanel)->addLayout(visible);
    t->addWidget(m_visiblePanel);
    t->addWidget(m_change);
    m_changePanel = DialogControls::panel(tab);
    auto *change = new QGridLayout;
    list(SetOne, "Variables whose value must become 1:", m_changePanel, change, 0, 0);
    list(SetZero, "Variables whose value must become 0:", m_changePanel, change, 0, 1);
    list(Invert,
         "Variables whose value must be inverted (0 if it was 1 and 1 if it was 0):", m_changePanel,
         change, 3, 0);
    boxOf(m_changePanel)->addLayout(change);
    t->addWidget(m_changePanel);
    t->addStretch();
    setWidget(tab);
    setMinimumWidth(tab->minimumSizeHint().width() + verticalScrollBar()->sizeHint().width());
}

QStringList AreaVariablesTab::names(int i) const {
    QStringList out;
    for (int k = 0; k < m_lists[i]->count(); ++k)
        out.append(m_lists[i]->item(k)->text());
    return out;
}

void AreaVariablesTab::setItemMode(bool item) {
    m_item = item;
    m_change->setText(item ? QStringLiteral("Change the value of one or more variables when the "
                                            "item is dragged onto this area.")
                           : QStringLiteral("Change the value of one or more variables when the "
                                            "user clicks on this area."));
    m_change->setAccessibleName(m_change->text());
    m_visibleIf->setVisible(!item);
    if (item) {
        m_visibleIf->setChecked(false);
        m_visiblePanel->hide();
    }
}

void AreaVariablesTab::loadVisibility(const AreaLook &look) {
    m_visibleIf->setChecked(look.VisibleIf != 0);
    fill(m_lists[VisibleIfZero], look.ZeroList);
    fill(m_lists[VisibleIfOne], look.OneList);
}

void AreaVariablesTab::saveVisibility(AreaLook &look) const {
    look.VisibleIf = m_visibleIf->isChecked() ? 1 : 0;
    look.ZeroList = names(VisibleIfZero);
    look.OneList = names(VisibleIfOne);
}

void AreaVariablesTab::loadChanges(const ActionRecord &record) {
    ActionRecord a = record;
    // An older record changes one variable through lines 2 to 5: it joins the matching list so
    // that saving keeps it.
    if (a.ChangeVariables && !a.LegacyVariable.isEmpty()) {
        QStringList *list = a.LegacySetZero  ? &a.SetZeroList
                            : a.LegacySetOne ? &a.SetOneList
                            : a.LegacyInvert ? &a.InvertList
                                             : nullptr;
        if (list && !list->contains(a.LegacyVariable))
            list->append(a.LegacyVariable);
    }
    m_change->setChecked(a.ChangeVariables != 0);
    fill(m_lists[SetZero], a.SetZeroList);
    fill(m_lists[SetOne], a.SetOneList);
    fill(m_lists[Invert], a.InvertList);
}

void AreaVariablesTab::saveChanges(ActionRecord &a) const {
    a.ChangeVariables = m_change->isChecked() ? 1 : 0;
    a.ChangeVariablesLists = a.ChangeVariables;
    a.SetZeroList = names(SetZero);
    a.SetOneList = names(SetOne);
    a.InvertList = names(Invert);
}

void AreaVariablesTab::refresh() {
    m_changePanel->setVisible(m_change->isChecked());
    m_visiblePanel->setVisible(!m_item && m_visibleIf->isChecked());
}
