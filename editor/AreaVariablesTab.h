#pragma once

#include <QScrollArea>

struct ActionRecord;
struct AreaLook;
class QCheckBox;
class QFrame;
class QListWidget;
class QPushButton;

// The "Variables" tab of the area properties dialog: when the area is visible (variables that must
// be 0 or 1) and which variables change when it is clicked or an item is dropped on it. Both
// options may be ticked together. The five lists keep the system's numbers.
class AreaVariablesTab : public QScrollArea {
    Q_OBJECT
public:
    enum List { VisibleIfZero, VisibleIfOne, SetZero, SetOne, Invert };

    explicit AreaVariablesTab(QWidget *parent);

    QCheckBox *visibleIfOption() const { return m_visibleIf; }    // VariablesOption(1)
    QCheckBox *changeVariablesOption() const { return m_change; } // VariablesOption(0)
    // One of the five lists (a List). SmallList(i) in the old layout.
    QListWidget *list(int i) const { return m_lists[i]; }
    QPushButton *addButton(int i) const { return m_add[i]; }       // Command9(i)
    QPushButton *removeButton(int i) const { return m_remove[i]; } // Command10(i)
    // The names in list i, top to bottom.
    QStringList names(int i) const;

    // An item dragged onto the area cannot make it visible: that option goes.
    void setItemMode(bool item);
    void loadVisibility(const AreaLook &look);
    void saveVisibility(AreaLook &look) const;
    void loadChanges(const ActionRecord &a);
    void saveChanges(ActionRecord &a) const;
    void refresh();

signals:
    // A choice that changes what the dialog shows.
    void changed();
    // "Add..." or "Remove" beside list i.
    void addRequested(int list);
    void removeRequested(int list);

private:
    QCheckBox *m_visibleIf, *m_change;
    QFrame *m_visiblePanel, *m_changePanel; // Frame5, Frame4
    QListWidget *m_lists[5];
    QPushButton *m_add[5], *m_remove[5];
    bool m_item = false;
};
