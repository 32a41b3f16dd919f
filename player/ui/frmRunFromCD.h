#pragma once

#include "EngineHost.h"
#include "MessageBoxes.h"
#include "Status.h"

#include <QDialog>
#include <QString>
#include <QStringList>

#include <functional>

class CustomTexts;
class DriveProvider;
class QComboBox;
class QLabel;
class QPushButton;

// The CD drive dialog of a run-from-CD installation: the player could not find its data on the
// drive it knows, so the user picks the drive. A good choice is remembered in RunFromCD.dat.
class frmRunFromCD : public QDialog {
    Q_OBJECT
public:
    using MessageAnswerer = ::MessageAnswerer;

    // `root` is the installation folder (where RunFromCD.dat lies).
    frmRunFromCD(const QString &root, const QString &softwareTitle, const CustomTexts &texts,
                 const DriveProvider &drives, QWidget *parent = nullptr);

    void setMessageAnswerer(MessageAnswerer answerer) { m_answerer = std::move(answerer); }

    // Frames, Areas and Icons of the game's data on a drive, each ending in a separator.
    static QStringList dataFolders(const QString &driveRoot, const QString &softwareTitle);

    // The drive roots as listed, and the one chosen in the list (empty for none).
    QStringList driveRoots() const { return m_roots; }
    QString selectedRoot() const;
    QComboBox *driveList() const { return m_list; }

    // OK: checks the chosen drive; closes the dialog once the data was found there.
    void ok();
    // True once the user cancelled; the caller then does nothing more.
    bool cancelled() const { return m_cancelled; }
    // The data folders on the chosen drive, once the dialog accepted it.
    QStringList chosenFolders() const { return m_chosen; }

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void message(const QString &title, const QString &text);

    QString m_root;
    QString m_title;
    const CustomTexts &m_texts;
    MessageAnswerer m_answerer;
    QStringList m_roots;
    QStringList m_chosen;
    bool m_cancelled = false;
    QPoint m_dragOffset;
    bool m_dragging = false;
    QLabel *m_prompt = nullptr;
    QLabel *m_driveLabel = nullptr;
    QComboBox *m_list = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
};
