#include "VariablePanel.h"

#include "DialogControls.h"

#include <QBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

using DialogControls::button;

VariablePanel::VariablePanel(QWidget *parent) : QFrame(parent) {
    setFrameShape(QFrame::Box);
    setAccessibleName(QStringLiteral("ADD VARIABLE"));
    auto *v = new QVBoxLayout(this);
    v->addWidget(new QLabel(QStringLiteral("ADD VARIABLE"), this));
    v->addWidget(new QLabel(QStringLiteral(" Available Variables:"), this));
    m_list = new QListWidget(this);
    m_list->setAccessibleName(QStringLiteral("Available Variables"));
    v->addWidget(m_list, 1);
    auto *row = new QHBoxLayout;
    m_create =
        button(QStringLiteral("Create New..."), this, QStringLiteral("Create New variable..."));
    m_remove = button(QStringLiteral("Remove"), this, QStringLiteral("Remove variable"));
    m_ok = button(QStringLiteral("OK"), this, QStringLiteral("Add variable"));
    m_cancel = button(QStringLiteral("Cancel"), this, QStringLiteral("Close variables"));
    for (QPushButton *b : {m_create, m_remove, m_ok, m_cancel})
        row->addWidget(b);
    v->addLayout(row);
    for (const char *text :
         {"To add a variable you can either select it and then click 'OK', or double-click on it.",
          "If the variable you want to add is not on the 'Available Variables' list, click "
          "'Create New'.",
          "To remove a variable from the 'Available Variables' list, select it and click "
          "'Remove'."})
        v->addWidget(DialogControls::note(QString::fromLatin1(text), this));
}
