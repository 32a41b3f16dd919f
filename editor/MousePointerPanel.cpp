#include "MousePointerPanel.h"

#include "DialogControls.h"

#include <QBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

using DialogControls::button;

MousePointerPanel::MousePointerPanel(QWidget *parent) : QFrame(parent) {
    setFrameShape(QFrame::Box);
    setAccessibleName(QStringLiteral("AVAILABLE MOUSE POINTERS :"));
    auto *p = new QVBoxLayout(this);
    p->addWidget(new QLabel(QStringLiteral("AVAILABLE MOUSE POINTERS :"), this));
    m_list = new QListWidget(this);
    m_list->setViewMode(QListView::IconMode);
    m_list->setIconSize(QSize(32, 32));
    m_list->setResizeMode(QListView::Adjust);
    m_list->setMovement(QListView::Static);
    m_list->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    m_list->setAccessibleName(QStringLiteral("Available mouse pointers"));
    p->addWidget(m_list, 1);
    p->addWidget(DialogControls::note(QStringLiteral("Double-click the icon you want to be shown "
                                                     "when the user moves the mouse over the "
                                                     "selected area."),
                                      this));
    auto *row = new QHBoxLayout;
    m_browse =
        button(QStringLiteral("Browse..."), this, QStringLiteral("Browse mouse pointers..."));
    m_remove = button(QStringLiteral("Remove"), this, QStringLiteral("Remove mouse pointer"));
    m_ok = button(QStringLiteral("OK"), this, QStringLiteral("Use mouse pointer"));
    m_cancel = button(QStringLiteral("Cancel"), this, QStringLiteral("Close mouse pointers"));
    for (QPushButton *b : {m_browse, m_remove, m_ok, m_cancel})
        row->addWidget(b);
    p->addLayout(row);
}
