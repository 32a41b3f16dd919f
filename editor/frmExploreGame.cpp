#include "frmExploreGame.h"

#include "GameExplorer.h"
#include "ProjectSnapshot.h"
#include "frmFrameProperties.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QString kindText(ExploreFinding::Kind k) {
    switch (k) {
    case ExploreFinding::Kind::DeadEnd:
        return QStringLiteral("Dead end");
    case ExploreFinding::Kind::BrokenLink:
        return QStringLiteral("Broken link");
    case ExploreFinding::Kind::NeverReached:
        return QStringLiteral("Never reached");
    case ExploreFinding::Kind::NeverUsed:
        return QStringLiteral("Never used");
    }
    return QString();
}

} // namespace

frmExploreGame::frmExploreGame(const EditorProject &project, QWidget *parent)
    : QDialog(parent), m_project(project) {
    setWindowTitle(QStringLiteral("Explore the Game"));
    auto *layout = new QVBoxLayout(this);
    m_status = new QLabel(this);
    m_progress = new QProgressBar(this);
    m_progress->setAccessibleName(QStringLiteral("Exploring the game"));
    m_progress->setTextVisible(false);
    auto *label = new QLabel(QStringLiteral("&Findings:"), this);
    m_list = new QTreeWidget(this);
    m_list->setAccessibleName(QStringLiteral("Findings"));
    m_list->setHeaderLabels({QStringLiteral("Kind"), QStringLiteral("Frame"),
                             QStringLiteral("Finding"), QStringLiteral("Steps")});
    m_list->setRootIsDecorated(false);
    m_list->setMinimumSize(640, 260);
    label->setBuddy(m_list);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    m_cancel = buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::ActionRole);
    m_again = buttons->addButton(QStringLiteral("Explore &Again"), QDialogButtonBox::ActionRole);
    layout->addWidget(m_status);
    layout->addWidget(m_progress);
    layout->addWidget(label);
    layout->addWidget(m_list, 1);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_cancel, &QPushButton::clicked, this, &frmExploreGame::cancel);
    connect(m_again, &QPushButton::clicked, this, &frmExploreGame::start);
    connect(m_list, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem *item) { openFrameOf(m_list->indexOfTopLevelItem(item)); });
    connect(this, &QDialog::rejected, this, &frmExploreGame::cancel);
}

frmExploreGame::~frmExploreGame() {
    // The search holds nothing of this window but its stop flag; it is stopped and waited for.
    if (m_thread) {
        m_stop->store(true);
        m_thread->wait();
        delete m_thread;
    }
}

void frmExploreGame::setLimits(qint64 maxStates, double maxSeconds) {
    m_maxStates = maxStates;
    m_maxSeconds = maxSeconds;
}

void frmExploreGame::start() {
    if (m_thread)
        return;
    m_list->clear();
    m_report = ExploreReport();
    m_status->setText(QStringLiteral("Exploring the game..."));
    m_progress->setRange(0, 0); // busy: the number of states is not known beforehand
    m_cancel->setEnabled(true);
    m_again->setEnabled(false);
    m_stop = std::make_shared<std::atomic<bool>>(false);
    const std::shared_ptr<std::atomic<bool>> stop = m_stop;
    const ProjectPaths paths = m_project.paths;
    GameExplorer::Limits limits;
    limits.maxStates = m_maxStates;
    limits.maxSeconds = m_maxSeconds;
    QPointer<frmExploreGame> self(this);
    m_thread = QThread::create([self, stop, paths, limits] {
        const auto onProgress = [self, stop](qint64 states, qint64 moves) {
            if (!stop->load())
                QMetaObject::invokeMethod(
                    self,
                    [self, states, moves] {
                        if (self)
                            self->progress(states, moves);
                    },
                    Qt::QueuedConnection);
        };
        const ExploreReport report = GameExplorer::fromSnapshot(ProjectSnapshot::load(paths))
                                         .run(limits, onProgress, stop.get());
        QMetaObject::invokeMethod(
            self,
            [self, report] {
                if (self)
                    self->done(report);
            },
            Qt::QueuedConnection);
    });
    m_thread->start();
}

void frmExploreGame::cancel() {
    if (m_stop)
        m_stop->store(true);
}

void frmExploreGame::progress(qint64 states, qint64 moves) {
    if (m_thread)
        m_status->setText(
            QStringLiteral("Exploring the game: %1 states, %2 moves...").arg(states).arg(moves));
}

void frmExploreGame::done(const ExploreReport &report) {
    if (m_thread) {
        m_thread->wait();
        delete m_thread;
        m_thread = nullptr;
    }
    m_report = report;
    m_progress->setRange(0, 1);
    m_progress->setValue(1);
    m_cancel->setEnabled(false);
    m_again->setEnabled(true);
    m_status->setText(QStringLiteral("%1 states, %2 moves explored: %3")
                          .arg(report.states)
                          .arg(report.moves)
                          .arg(report.complete
                                   ? QStringLiteral("complete.")
                                   : QStringLiteral("incomplete (%1).").arg(report.limit)));
    m_list->clear();
    m_list->addTopLevelItem(new QTreeWidgetItem(
        report.endReachable
            ? QStringList{QStringLiteral("Walkthrough"), QString(),
                          QStringLiteral("The shortest way to the end of the game."),
                          stepsAsCommandLine(report.walkthrough)}
            : QStringList{QStringLiteral("No end"), QString(),
                          report.complete ? QStringLiteral("No end reachable.")
                                          : QStringLiteral("No end reached within the limit."),
                          QString()}));
    for (const ExploreFinding &f : report.findings())
        m_list->addTopLevelItem(new QTreeWidgetItem(
            QStringList{kindText(f.kind), f.frame, f.text, stepsAsCommandLine(f.steps)}));
    if (report.clean())
        m_list->addTopLevelItem(new QTreeWidgetItem(
            QStringList{QStringLiteral("No problem found."), QString(), QString(), QString()}));
    m_list->header()->resizeSections(QHeaderView::ResizeToContents);
    emit finished();
}

bool frmExploreGame::openFrameOf(int row) {
    const QTreeWidgetItem *item = m_list->topLevelItem(row);
    const QString frame = item ? item->text(1) : QString();
    if (!frmFrameProperties::editFrame(m_project, m_media, frame, this))
        return false;
    return true;
}
