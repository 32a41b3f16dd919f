#include "frmFrames.h"

#include "EditorMessages.h"
#include "FrameFiles.h"
#include "FrameOperations.h"
#include "FramesModel.h"
#include "PictureLoader.h"
#include "ProjectHistory.h"
#include "ReferenceQuestions.h"
#include "RenameAndRemove.h"
#include "SettingsStore.h"
#include "frmFrameProperties.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QPointer>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QThreadPool>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// Thumbnails are 4:3, the shape of most game screens.
constexpr int kThumbnail = 128;
constexpr int kThumbnailHeight = kThumbnail * 3 / 4;

const QString kNoFrame = QStringLiteral("The project does not contain any frame. To create a new "
                                        "frame, click 'Add New Frame'.");

QString setting(const QString &key) {
    return SettingsStore::GetSetting(QStringLiteral("A"), QStringLiteral("Settings"), key);
}

// The background of a frame, drawn small: its picture (stretched or tiled) or its colour.
QImage thumbnail(const QString &framesFolder, const FrameProperties &p) {
    QImage out(kThumbnail, kThumbnailHeight, QImage::Format_RGB32);
    if (p.BackgroundKind == 0) {
        const qint32 c = p.backgroundColor();
        out.fill(QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF));
        return out;
    }
    out.fill(Qt::black);
    const QImage picture = PictureLoader::load(framesFolder + p.Background);
    if (picture.isNull())
        return out;
    QPainter painter(&out);
    if (p.Tiled)
        painter.fillRect(out.rect(), QBrush(picture.scaled(picture.size() / 4)));
    else
        painter.drawImage(out.rect(), picture);
    return out;
}

// One worker: the picture readers are not all safe to run side by side.
QThreadPool &thumbnailPool() {
    static QThreadPool *pool = [] {
        auto *p = new QThreadPool;
        p->setMaxThreadCount(1);
        return p;
    }();
    return *pool;
}

// In "Icons", every frame takes one cell: its thumbnail (an empty frame until it is made) and
// up to two lines of its name under it. The cell does not depend on the thumbnail having
// arrived, so the first layout, made before any thumbnail exists, is already the right one.
class ThumbnailDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    bool icons = true;

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override {
        if (!icons)
            return QStyledItemDelegate::sizeHint(option, index);
        return QSize(kThumbnail + 16, kThumbnailHeight + 2 * option.fontMetrics.lineSpacing() + 12);
    }

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        if (!icons)
            return;
        option->decorationSize = QSize(kThumbnail, kThumbnailHeight);
        option->decorationPosition = QStyleOptionViewItem::Top;
        option->displayAlignment = Qt::AlignHCenter | Qt::AlignTop;
        option->features |= QStyleOptionViewItem::HasDecoration | QStyleOptionViewItem::WrapText;
        option->textElideMode = Qt::ElideRight;
        if (option->icon.isNull())
            option->icon = placeholder();
    }

private:
    static const QIcon &placeholder() {
        static const QIcon icon = [] {
            QPixmap p(kThumbnail, kThumbnailHeight);
            p.fill(Qt::transparent);
            QPainter painter(&p);
            painter.setPen(QColor(160, 160, 160));
            painter.drawRect(p.rect().adjusted(0, 0, -1, -1));
            return QIcon(p);
        }();
        return icon;
    }
};

} // namespace

frmFrames::frmFrames(QWidget *parent) : QWidget(parent, Qt::Window) {
    setWindowTitle(QStringLiteral("List of available frames (scenes)"));
    setAcceptDrops(true);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_list = new QListView(this);
    m_model = new FramesModel(this);
    m_model->setRenameHandler([this](const QString &oldName, const QString &newName) {
        return renameFrame(oldName, newName);
    });
    m_list->setModel(m_model);
    m_list->setAccessibleName(QStringLiteral("Frames"));
    m_list->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    m_list->setResizeMode(QListView::Adjust);
    // Every item has the same size: a project of a thousand frames lays out at once.
    m_list->setUniformItemSizes(true);
    m_list->setLayoutMode(QListView::Batched);
    m_list->setBatchSize(200);
    m_list->setItemDelegate(new ThumbnailDelegate(m_list));
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    m_list->installEventFilter(this);
    m_list->viewport()->setAcceptDrops(false); // drops go to the window
    layout->addWidget(m_list);

    m_menu = new QMenu(QStringLiteral("Modify frame"), this);
    connect(m_menu->addAction(QStringLiteral("Edit...")), &QAction::triggered, this,
            &frmFrames::editSelected);
    connect(m_list, &QListView::activated, this, [this] { editSelected(); });
    connect(m_menu->addAction(QStringLiteral("Properties...")), &QAction::triggered, this,
            &frmFrames::showProperties);
    m_menu->addSeparator();
    connect(m_menu->addAction(QStringLiteral("Duplicate...")), &QAction::triggered, this,
            &frmFrames::duplicateSelected);
    connect(m_menu->addAction(QStringLiteral("Remove!")), &QAction::triggered, this,
            &frmFrames::removeSelected);
    m_menu->addSeparator();
    connect(m_menu->addAction(QStringLiteral("Refresh")), &QAction::triggered, this,
            &frmFrames::refresh);
    m_menu->addSeparator();
    m_menu->addAction(QStringLiteral("Cancel"));
    connect(m_list, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &at) { m_menu->popup(m_list->viewport()->mapToGlobal(at)); });
    connect(m_list->verticalScrollBar(), &QScrollBar::valueChanged, this,
            &frmFrames::requestVisibleThumbnails);

    bool okW = false, okH = false;
    const int w = setting(QStringLiteral("frmFrames.Width")).toInt(&okW);
    const int h = setting(QStringLiteral("frmFrames.Height")).toInt(&okH);
    resize(okW && w > 0 ? w : 420, okH && h > 0 ? h : 320);
    setIconStyle(true);
    ProjectHistory::addActions(this);
    connect(&ProjectHistory::instance(), &ProjectHistory::restored, this, [this] {
        if (m_project.isOpen())
            refresh();
    });
}

frmFrames::~frmFrames() {
    // No thumbnail is still being made once the window is gone (nor when the program ends).
    thumbnailPool().clear();
    thumbnailPool().waitForDone();
}

SoundMode frmFrames::soundMode() const {
    return m_project.general.SingleChannelAudio ? SoundMode::SingleChannel
                                                : SoundMode::MultiChannel;
}

void frmFrames::setProject(const EditorProject &project) {
    m_project = project;
    refresh();
}

void frmFrames::setIconStyle(bool icons) {
    static_cast<ThumbnailDelegate *>(m_list->itemDelegate())->icons = icons;
    m_list->setViewMode(icons ? QListView::IconMode : QListView::ListMode);
    m_list->setIconSize(icons ? QSize(kThumbnail, kThumbnailHeight) : QSize(16, 16));
    m_list->setMovement(QListView::Static);
    m_list->setSpacing(icons ? 6 : 0);
    m_list->setWordWrap(icons);
    // The cells' size changed with the style: lay them out again.
    m_list->doItemsLayout();
    requestVisibleThumbnails();
}

void frmFrames::refresh() {
    const QString selected = selectedFrame();
    m_model->setFrames(m_project.isOpen() ? FrameFiles(m_project.paths, soundMode()).list()
                                          : QStringList());
    if (!selected.isEmpty())
        selectFrame(selected);
    startThumbnails();
}

void frmFrames::startThumbnails() {
    ++m_generation;
    m_thumbnailAsked.assign(static_cast<size_t>(m_model->rowCount()), false);
    requestVisibleThumbnails();
}

void frmFrames::requestVisibleThumbnails() {
    const int count = m_model->rowCount();
    if (m_list->viewMode() != QListView::IconMode || count == 0)
        return;
    // What is shown, and one screenful below it, about to be.
    const QRect view = m_list->viewport()->rect();
    const QRect wanted = view.adjusted(0, 0, 0, view.height());
    const int generation = m_generation;
    const ProjectPaths paths = m_project.paths;
    const SoundMode mode = soundMode();
    QPointer<frmFrames> self(this);
    const int first = qMax(0, m_list->indexAt(view.topLeft() + QPoint(1, 1)).row());
    for (int i = first; i < count; ++i) {
        const QRect r = m_list->visualRect(m_model->index(i));
        if (r.top() > wanted.bottom())
            break;
        if (m_thumbnailAsked[static_cast<size_t>(i)] || !r.intersects(wanted))
            continue;
        m_thumbnailAsked[static_cast<size_t>(i)] = true;
        const QString frame = m_model->frame(i);
        // Pictures are read and scaled on a worker thread; the icon is set on this one.
        thumbnailPool().start([self, generation, paths, mode, frame, i] {
            FrameProperties p;
            if (!FrameFiles(paths, mode).readHeader(frame, p))
                return;
            const QImage image = thumbnail(paths.FramesPath(), p);
            // The application, which outlives the window, carries the call to this thread.
            QMetaObject::invokeMethod(
                qApp,
                [self, generation, frame, image, i] {
                    if (!self || self->m_generation != generation ||
                        self->m_model->frame(i) != frame)
                        return;
                    self->m_model->setThumbnail(i, QIcon(QPixmap::fromImage(image)));
                },
                Qt::QueuedConnection);
        });
    }
}

QString frmFrames::selectedFrame() const {
    const QModelIndex i = m_list->currentIndex();
    return i.isValid() ? m_model->frame(i.row()) : QString();
}

void frmFrames::selectFrame(const QString &frame) {
    const int row = m_model->rowOf(frame);
    if (row >= 0)
        m_list->setCurrentIndex(m_model->index(row));
}

bool frmFrames::hasFrames() {
    if (m_model->rowCount() > 0)
        return true;
    EditorMessages::ask(this, QString(), kNoFrame, Status::Icon::Information);
    return false;
}

bool frmFrames::renameFrame(const QString &oldName, const QString &newName) {
    using Target = References::Target;
    if (!ReferenceQuestions::askRename(
            this, QStringLiteral("frame"), oldName, newName,
            static_cast<int>(References(m_project.paths).savedGames(Target::Frame, oldName).size())))
        return false;
    RenameAndRemove frames(m_project.paths, soundMode());
    if (!ProjectHistory::instance().record(m_project.paths, QStringLiteral("Rename Frame"), [&] {
            return frames.rename(Target::Frame, oldName, newName);
        })) {
        ReferenceQuestions::showFailure(this, frames.status(), frames.errorString());
        return false;
    }
    // The rows move to keep their order; the thumbnails asked for follow the new rows.
    QTimer::singleShot(0, this, [this] { startThumbnails(); });
    return true;
}

bool frmFrames::showProperties() {
    if (!hasFrames())
        return false;
    const QString frame = selectedFrame();
    if (frame.isEmpty())
        return false;
    frmFrameProperties dialog(m_project, this);
    dialog.setMedia(m_media);
    if (!dialog.LoadFrameProperties(frame))
        return false;
    const bool saved = dialog.exec() == QDialog::Accepted;
    refresh();
    return saved;
}

bool frmFrames::editSelected() {
    if (!hasFrames())
        return false;
    const QString frame = selectedFrame();
    if (frame.isEmpty())
        return false;
    emit editRequested(frame);
    return true;
}

bool frmFrames::duplicateSelected() {
    if (!hasFrames())
        return false;
    const QString frame = selectedFrame();
    if (frame.isEmpty())
        return false;
    FrameOperations frames(m_project.paths, soundMode());
    QString suggestion = frames.freeName(frame);
    for (;;) {
        const QString clone =
            EditorMessages::input(this, QStringLiteral("Duplicate '") + frame + QLatin1Char('\''),
                                  QStringLiteral("Give a name to the clone:"), suggestion);
        if (clone.isEmpty())
            return false;
        if (ProjectHistory::instance().record(m_project.paths, QStringLiteral("Duplicate Frame"),
                                              [&] { return frames.duplicate(frame, clone); }))
            break;
        EditorMessages::show(this, frames.status());
        if (frames.status().icon() == Status::Icon::Critical)
            return false;
        suggestion = clone;
    }
    refresh();
    return true;
}

bool frmFrames::removeSelected() {
    using Removal = ReferenceQuestions::Removal;
    using Target = References::Target;
    if (!hasFrames())
        return false;
    const QString frame = selectedFrame();
    if (frame.isEmpty())
        return false;
    const Removal choice = ReferenceQuestions::askRemove(
        this,
        QStringLiteral("Do you really want to remove the frame '") + frame +
            QStringLiteral(".fme' and all its clickable areas?.\n\nClick 'Cancel' to abort "
                           "operation."),
        Status::Icon::Exclamation, EngineHost::Buttons::OkCancel,
        References(m_project.paths).find(Target::Frame, frame));
    if (choice == Removal::Cancel)
        return false;
    RenameAndRemove frames(m_project.paths, soundMode());
    const bool removed =
        ProjectHistory::instance().record(m_project.paths, QStringLiteral("Remove Frame"), [&] {
            return frames.remove(Target::Frame, frame, choice == Removal::ClearReferences);
        });
    if (!removed)
        ReferenceQuestions::showFailure(this, frames.status(), frames.errorString());
    refresh();
    return removed;
}

void frmFrames::dropFiles(const QStringList &paths) {
    FrameOperations frames(m_project.paths, soundMode());
    static const QStringList kinds{QStringLiteral(".bmp"), QStringLiteral(".gif"),
                                   QStringLiteral(".jpg"), QStringLiteral(".wmf"),
                                   QStringLiteral(".emf")};
    for (const QString &path : paths) {
        if (!kinds.contains(path.right(4).toLower())) {
            EditorMessages::ask(this, QString(),
                                QStringLiteral("Unable to create a frame from '") + path +
                                    QStringLiteral("'.\nYou can drag only .BMP, .GIF, .JPG, .WMF "
                                                   "and .EMF files."),
                                Status::Icon::Information);
            continue;
        }
        QString frame;
        if (!ProjectHistory::instance().record(m_project.paths, QStringLiteral("New Frame"), [&] {
                return frames.createFromPicture(path, false, frame);
            }))
            EditorMessages::show(this, frames.status());
    }
    refresh();
}

void frmFrames::keyPressEvent(QKeyEvent *event) {
    if (event->key() == Qt::Key_F5) {
        refresh();
        return;
    }
    QWidget::keyPressEvent(event);
}

void frmFrames::resizeEvent(QResizeEvent *event) {
    QWidget::resizeEvent(event);
    requestVisibleThumbnails();
}

void frmFrames::showEvent(QShowEvent *event) {
    QWidget::showEvent(event);
    requestVisibleThumbnails();
}

bool frmFrames::eventFilter(QObject *watched, QEvent *event) {
    // While a label is edited, keys go to its editor, not to the list.
    if (watched == m_list && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Delete) {
            removeSelected();
            return true;
        }
        if (key == Qt::Key_F5) {
            refresh();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void frmFrames::dragEnterEvent(QDragEnterEvent *event) {
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void frmFrames::dropEvent(QDropEvent *event) {
    QStringList files;
    for (const QUrl &url : event->mimeData()->urls()) {
        if (url.isLocalFile())
            files.append(url.toLocalFile());
    }
    event->acceptProposedAction();
    dropFiles(files);
}

void frmFrames::closeEvent(QCloseEvent *event) {
    SettingsStore::SaveSetting(QStringLiteral("A"), QStringLiteral("Settings"),
                               QStringLiteral("frmFrames.Width"), QString::number(width()));
    SettingsStore::SaveSetting(QStringLiteral("A"), QStringLiteral("Settings"),
                               QStringLiteral("frmFrames.Height"), QString::number(height()));
    event->accept();
}
