#pragma once

#include <QFrame>

class QListWidget;
class QPushButton;

// "ADD VARIABLE", shown by the area properties dialog in place of its tabs while a variable is
// added to one of its lists. The dialog fills the list and answers the buttons.
class VariablePanel : public QFrame {
public:
    explicit VariablePanel(QWidget *parent);

    // The project's variables. VariablesList in the old layout.
    QListWidget *list() const { return m_list; }
    QPushButton *createButton() const { return m_create; } // Command11, "Create New..."
    QPushButton *removeButton() const { return m_remove; } // Command12
    QPushButton *okButton() const { return m_ok; }         // CommandOK
    QPushButton *cancelButton() const { return m_cancel; } // CommandCancel

private:
    QListWidget *m_list;
    QPushButton *m_create, *m_remove, *m_ok, *m_cancel;
};
