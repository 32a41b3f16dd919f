#pragma once

#include "ExploreReport.h"
#include "ProjectLifecycle.h"

#include <QDialog>

#include <atomic>
#include <memory>

class MediaBackend;
class QLabel;
class QProgressBar;
class QPushButton;
class QThread;
class QTreeWidget;

// "Explore the Game": plays every path of the game on a worker thread (the search of
// `qmtool explore`), shows its progress with a Cancel button, then lists the walkthrough and the
// findings. Double-clicking a finding opens its frame's properties.
class frmExploreGame : public QDialog {
    Q_OBJECT
public:
    explicit frmExploreGame(const EditorProject &project, QWidget *parent = nullptr);
    ~frmExploreGame() override;

    QTreeWidget *findingList() const { return m_list; }
    QProgressBar *progressBar() const { return m_progress; }
    QPushButton *cancelButton() const { return m_cancel; }
    // The media layer the frame properties dialog plays files through (must outlive this).
    void setMedia(MediaBackend *media) { m_media = media; }
    // The search limits (the default: a million states, one minute).
    void setLimits(qint64 maxStates, double maxSeconds);

    // Starts a search on a worker thread; does nothing while one runs.
    void start();
    bool running() const { return m_thread != nullptr; }
    // Asks the running search to stop; its report then says it is incomplete.
    void cancel();
    // The last report (empty before the first search ends).
    const ExploreReport &report() const { return m_report; }
    // Opens the frame properties of row `row`'s frame; false when it has none or the frame
    // does not exist.
    bool openFrameOf(int row);

signals:
    void finished();

private:
    void progress(qint64 states, qint64 moves);
    void done(const ExploreReport &report);

    EditorProject m_project;
    QLabel *m_status;
    QProgressBar *m_progress;
    QTreeWidget *m_list;
    QPushButton *m_cancel;
    QPushButton *m_again;
    MediaBackend *m_media = nullptr;
    qint64 m_maxStates = 1000000;
    double m_maxSeconds = 60;
    QThread *m_thread = nullptr;
    std::shared_ptr<std::atomic<bool>> m_stop;
    ExploreReport m_report;
};
