#pragma once

#include <QPointer>
#include <QWidget>

class QAbstractButton;
class QTreeWidget;
class QTreeWidgetItem;
class frmMain;

// "Areas and texts": every area of the frame open on the canvas (its number, the name the
// player gives it for screen readers, transparent / picture / animated, whether variables decide
// when it shows) and every text (number and text). The selection follows the canvas both ways,
// so an area lying under another can be chosen here: double-click or Enter opens its
// properties, the arrow keys move it (Shift by ten pixels; Ctrl with an arrow moves through the
// rows) and Delete removes it. Each row's "Show on canvas" button hides the element on the
// canvas for the author; nothing is written.
class FrameOutline : public QWidget {
    Q_OBJECT
public:
    explicit FrameOutline(frmMain *canvas, QWidget *parent = nullptr);

    QTreeWidget *tree() const { return m_tree; }
    // The row of area n or text k; null when the outline shows none.
    QTreeWidgetItem *areaRow(int n) const;
    QTreeWidgetItem *textRow(int k) const;
    // The row's "Show on canvas" button, checked while the element shows.
    QAbstractButton *eye(QTreeWidgetItem *row) const;

    // Lists the canvas's areas and texts again.
    void refresh();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QTreeWidgetItem *addRow(QTreeWidgetItem *group, int kind, int number,
                            const QStringList &columns, bool shown);
    QTreeWidgetItem *row(int kind, int number) const;
    void followCanvas();
    void selectOnCanvas();
    void open(QTreeWidgetItem *row);

    QPointer<frmMain> m_canvas;
    QTreeWidget *m_tree;
    QTreeWidgetItem *m_areas = nullptr;
    QTreeWidgetItem *m_texts = nullptr;
    bool m_following = false;
};
