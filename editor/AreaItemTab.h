#pragma once

#include <QWidget>

struct AreaItem;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QPushButton;

// The "Item" tab of the area properties dialog: the item a click on the area adds to the
// inventory.
class AreaItemTab : public QWidget {
    Q_OBJECT
public:
    explicit AreaItemTab(QWidget *parent);

    QCheckBox *pickItemOption() const { return m_pickItem; }       // ObjectOption
    QComboBox *itemList() const { return m_itemList; }             // Combo7
    QLabel *itemIcon() const { return m_icon; }                    // imgItem
    QPushButton *newItemButton() const { return m_newItem; }       // "New..."
    QPushButton *removeItemButton() const { return m_removeItem; } // "Remove"

    // The item and whether it is picked up (the GIF speed belongs to the appearance).
    void load(const AreaItem &item);
    void saveInto(AreaItem &item) const;
    void refresh();

signals:
    // A choice that changes what the dialog shows.
    void changed();

private:
    QCheckBox *m_pickItem;
    QFrame *m_panel; // Frame6
    QComboBox *m_itemList;
    QLabel *m_icon;
    QPushButton *m_newItem, *m_removeItem;
};
