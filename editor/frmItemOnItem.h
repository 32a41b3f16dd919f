#pragma once

#include "ProjectPaths.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QPushButton;

// "Create new event": what happens when the player drags one item onto another. Three item
// lists (the first item, the second, the item added) with their icons and "New..." and
// "Remove" beside each, and the three choices. OK checks the choice and writes the event,
// replacing an event of the same two items; Cancel writes nothing.
class frmItemOnItem : public QDialog {
    Q_OBJECT
public:
    explicit frmItemOnItem(const ProjectPaths &paths, QWidget *parent = nullptr);

    // Fills the three lists with every item, each keeping its text.
    void RefreshLists();
    // "New..." beside list i (1 to 3): creates an item and selects it there.
    void NewItem(int i);
    // "Remove" beside list i: asks, then deletes the item file.
    void RemoveItem(int i);
    // "OK": the refusals in order, then the event written and the dialog closed.
    void confirm();

    // Index 0 unused, as the lists are numbered 1 to 3.
    QComboBox *Combo[4] = {};
    QLabel *imgItem[4] = {};
    QPushButton *cmdNew[4] = {};
    QPushButton *cmdRemove[4] = {};
    QCheckBox *Check1, *Check2, *Check3;
    QFrame *FramePutItem;
    QPushButton *Command2; // OK
    QPushButton *Command3; // Cancel

private:
    void showIcon(int i);

    ProjectPaths m_paths;
};
