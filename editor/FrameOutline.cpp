#include "FrameOutline.h"

#include "AreaFiles.h"
#include "frmMain.h"

#include <QAction>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

enum Kind { AreaRow = 1, TextRow = 2 };
constexpr int kKindRole = Qt::UserRole;
constexpr int kNumberRole = Qt::UserRole + 1;

// An open eye while the element shows, a struck-through grey one while it is hidden.
QIcon eyeIcon() {
    QIcon icon;
    for (const bool open : {true, false}) {
        QPixmap pixmap(16, 16);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        const QColor colour = open ? QColor(30, 30, 30) : QColor(150, 150, 150);
        p.setPen(QPen(colour, 1.5));
        p.drawEllipse(QRectF(1.5, 4.5, 13, 7));
        p.setBrush(colour);
        p.drawEllipse(QRectF(6, 6, 4, 4));
        if (!open)
            p.drawLine(QPointF(2, 14), QPointF(14, 2));
        p.end();
        icon.addPixmap(pixmap, QIcon::Normal, open ? QIcon::On : QIcon::Off);
    }
    return icon;
}

} // namespace

FrameOutline::FrameOutline(frmMain *canvas, QWidget *parent)
    : QWidget(parent), m_canvas(canvas), m_tree(new QTreeWidget(this)) {
    setWindowTitle(QStringLiteral("Areas and texts"));
    setAccessibleName(QStringLiteral("Areas and texts"));
    m_tree->setAccessibleName(QStringLiteral("Areas and texts"));
    m_tree->setHeaderLabels({QStringLiteral("Shown"), QStringLiteral("Number"),
                             QStringLiteral("Name"), QStringLiteral("Kind"),
                             QStringLiteral("Variables")});
    m_tree->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_tree->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_tree->setRootIsDecorated(false);
    m_tree->installEventFilter(this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_tree);
    connect(m_tree, &QTreeWidget::itemSelectionChanged, this, [this] { selectOnCanvas(); });
    connect(m_tree, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem *item) { open(item); });
    connect(canvas, &frmMain::contentsChanged, this, [this] { refresh(); });
    connect(canvas, &frmMain::selectionChanged, this, [this] { followCanvas(); });
    refresh();
}

QTreeWidgetItem *FrameOutline::row(int kind, int number) const {
    QTreeWidgetItem *group = kind == AreaRow ? m_areas : m_texts;
    for (int i = 0; group && i < group->childCount(); ++i) {
        if (group->child(i)->data(0, kNumberRole).toInt() == number)
            return group->child(i);
    }
    return nullptr;
}

QTreeWidgetItem *FrameOutline::areaRow(int n) const {
    return row(AreaRow, n);
}

QTreeWidgetItem *FrameOutline::textRow(int k) const {
    return row(TextRow, k);
}

QAbstractButton *FrameOutline::eye(QTreeWidgetItem *row) const {
    return row ? qobject_cast<QAbstractButton *>(m_tree->itemWidget(row, 0)) : nullptr;
}

QTreeWidgetItem *FrameOutline::addRow(QTreeWidgetItem *group, int kind, int number,
                                      const QStringList &columns, bool shown) {
    auto *item = new QTreeWidgetItem(group, QStringList(QString()) + columns);
    item->setData(0, kKindRole, kind);
    item->setData(0, kNumberRole, number);
    auto *button = new QToolButton;
    button->setCheckable(true);
    button->setChecked(shown);
    button->setIcon(eyeIcon());
    button->setAutoRaise(true);
    button->setAccessibleName(QStringLiteral("Show on canvas"));
    button->setToolTip(QStringLiteral("Show on canvas"));
    button->setAccessibleDescription(columns.value(1));
    m_tree->setItemWidget(item, 0, button);
    connect(button, &QToolButton::toggled, this, [this, kind, number](bool show) {
        if (!m_canvas)
            return;
        if (kind == AreaRow)
            m_canvas->setAreaHiddenOnCanvas(number, !show);
        else
            m_canvas->setTextHiddenOnCanvas(number, !show);
    });
    return item;
}

void FrameOutline::refresh() {
    m_following = true;
    m_tree->clear();
    m_areas = m_texts = nullptr;
    if (m_canvas && m_canvas->isFrameOpen()) {
        const FrameEditState &state = m_canvas->state();
        const AreaFiles files(state.project->paths, SoundMode::MultiChannel, state.frameName);
        m_areas = new QTreeWidgetItem(m_tree, {QStringLiteral("Areas")});
        for (int n : m_canvas->areaNumbers()) {
            AreaLook look;
            const bool read = files.readLook(n, look).ok();
            const bool picture = read && look.HasPicture && !look.PictureFile.isEmpty();
            const QString kind = !read                     ? QString()
                                 : !picture                ? QStringLiteral("transparent")
                                 : look.IsAnimatedGif != 0 ? QStringLiteral("animated")
                                                           : QStringLiteral("picture");
            const QString variables = read && look.VisibleIf != 0
                                          ? QStringLiteral("shown only under some variables")
                                          : QString();
            addRow(m_areas, AreaRow, n,
                   {QString::number(n), areaPlainName(n, picture ? look.PictureFile : QString()),
                    kind, variables},
                   !m_canvas->isAreaHiddenOnCanvas(n));
        }
        m_texts = new QTreeWidgetItem(m_tree, {QStringLiteral("Texts")});
        for (int k : m_canvas->textNumbers()) {
            addRow(m_texts, TextRow, k,
                   {QString::number(k), m_canvas->text(k)->text().simplified(),
                    QStringLiteral("text"), QString()},
                   !m_canvas->isTextHiddenOnCanvas(k));
        }
        for (QTreeWidgetItem *group : {m_areas, m_texts}) {
            group->setFirstColumnSpanned(true);
            group->setFlags(Qt::ItemIsEnabled);
        }
        m_tree->expandAll();
    }
    m_following = false;
    followCanvas();
}

void FrameOutline::followCanvas() {
    if (!m_canvas)
        return;
    m_following = true;
    m_tree->clearSelection();
    QTreeWidgetItem *first = nullptr;
    for (const int kind : {AreaRow, TextRow}) {
        const QList<int> numbers =
            kind == AreaRow ? m_canvas->selectedAreas() : m_canvas->selectedTexts();
        for (int number : numbers) {
            if (QTreeWidgetItem *item = row(kind, number)) {
                item->setSelected(true);
                if (!first)
                    first = item;
            }
        }
    }
    if (first) {
        m_tree->setCurrentItem(first, 1, QItemSelectionModel::NoUpdate);
        m_tree->scrollToItem(first);
    }
    m_following = false;
}

void FrameOutline::selectOnCanvas() {
    if (m_following || !m_canvas)
        return;
    QList<int> areas;
    QList<int> texts;
    for (const QTreeWidgetItem *item : m_tree->selectedItems()) {
        const int number = item->data(0, kNumberRole).toInt();
        if (item->data(0, kKindRole).toInt() == AreaRow)
            areas.append(number);
        else if (item->data(0, kKindRole).toInt() == TextRow)
            texts.append(number);
    }
    m_canvas->setSelection(areas, texts);
}

void FrameOutline::open(QTreeWidgetItem *item) {
    if (!item || !m_canvas)
        return;
    const int number = item->data(0, kNumberRole).toInt();
    if (item->data(0, kKindRole).toInt() == AreaRow) {
        m_canvas->AreaProperties(number);
    } else if (item->data(0, kKindRole).toInt() == TextRow) {
        m_canvas->setSelection({}, {number});
        m_canvas->ChangeText(0);
    }
}

bool FrameOutline::eventFilter(QObject *watched, QEvent *event) {
    if (watched != m_tree || event->type() != QEvent::KeyPress || !m_canvas)
        return QWidget::eventFilter(watched, event);
    auto *e = static_cast<QKeyEvent *>(event);
    const int step = e->modifiers() & Qt::ShiftModifier ? 10 : 1;
    const bool moves =
        !(e->modifiers() & Qt::ControlModifier) &&
        (!m_canvas->selectedAreas().isEmpty() || !m_canvas->selectedTexts().isEmpty());
    // The list's own Ctrl+C would copy a row's text over the canvas's copy.
    for (QAction *action :
         {m_canvas->copyAction(), m_canvas->cutAction(), m_canvas->pasteAction()}) {
        if (!action->shortcut().isEmpty() &&
            QKeySequence(e->keyCombination()) == action->shortcut()) {
            action->trigger();
            return true;
        }
    }
    switch (e->key()) {
    case Qt::Key_Delete:
        m_canvas->RemoveSelection();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        open(m_tree->currentItem());
        return true;
    case Qt::Key_Left:
        return moves && m_canvas->MoveSelection(-step, 0);
    case Qt::Key_Right:
        return moves && m_canvas->MoveSelection(step, 0);
    case Qt::Key_Up:
        return moves && m_canvas->MoveSelection(0, -step);
    case Qt::Key_Down:
        return moves && m_canvas->MoveSelection(0, step);
    default:
        return QWidget::eventFilter(watched, event);
    }
}
