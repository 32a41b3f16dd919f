#pragma once

#include <QFrame>

class QListWidget;
class QPushButton;

// "AVAILABLE MOUSE POINTERS :", shown by the area properties dialog in place of its tabs while a
// pointer is chosen. The dialog fills the list and answers the buttons.
class MousePointerPanel : public QFrame {
public:
    explicit MousePointerPanel(QWidget *parent);

    // One entry a pointer file, shown by its picture; the entry's text may be edited in place.
    QListWidget *list() const { return m_list; }           // IconsListView
    QPushButton *browseButton() const { return m_browse; } // Command3
    QPushButton *removeButton() const { return m_remove; } // Command4
    QPushButton *okButton() const { return m_ok; }         // Command18
    QPushButton *cancelButton() const { return m_cancel; } // Command21

private:
    QListWidget *m_list;
    QPushButton *m_browse, *m_remove, *m_ok, *m_cancel;
};
