#pragma once

#include "BuildHost.h"
#include "BuildOptions.h"
#include "ProjectLifecycle.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressDialog;
class QPushButton;
class QStackedWidget;

// The "Create .EXE" dialog: the installer's file name and location, the options page and the
// waiting page shown while the setup compiler runs. The builds themselves are
// DistributionBuild's; this window only shows their questions and progress.
class frmCompile : public QDialog, private BuildHost {
    Q_OBJECT
public:
    frmCompile(const EditorProject &project, const QString &editorFolder,
               QWidget *parent = nullptr);
    ~frmCompile() override;

    enum Page { FirstPage, OptionsPage, WaitingPage };
    int currentPage() const;
    // The dialog's choices as they stand.
    BuildOptions options() const;
    // True while a build runs (the dialog cannot be closed then).
    bool building() const { return m_building; }

    // Starts the build the options ask for ("OK" on the first page).
    void StartCompilation();
    // "Default" on the options page: Blue and every box cleared.
    void SetDefaults();
    // Closes the dialog, except while a build runs (it ends through its own messages).
    void reject() override;

private:
    bool ask(const BuildMessage &message) override;
    void tell(const BuildMessage &message) override;
    void showWaitingPage(const QString &text) override;
    void compilerOutput(const QString &text) override;
    void showFirstPage() override;
    void closeDialog() override;
    void copyStarted(AnimatedCopy &copy) override;
    void copyFinished(AnimatedCopy &copy) override;
    bool writeIcon(const QString &picture, const QString &png) override;

    void buildFirstPage();
    void buildOptionsPage();
    void buildWaitingPage();
    void browse();

    EditorProject m_project;
    QString m_editorFolder;
    bool m_building = false;
    bool m_closeWhenDone = false;

    QStackedWidget *m_pages = nullptr;
    QLineEdit *txtFileName = nullptr;
    QLineEdit *txtLocation = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdCancel = nullptr;
    QPushButton *cmdOptions = nullptr;
    QPushButton *cmdBrowse = nullptr;
    QComboBox *Color = nullptr;
    QCheckBox *CheckEnable = nullptr;
    QCheckBox *CheckRunFromCD = nullptr;
    QCheckBox *Check2 = nullptr;
    QCheckBox *chkVersion6 = nullptr;
    QLabel *lblWaiting = nullptr;
    QPlainTextEdit *txtOutput = nullptr;
    QProgressDialog *m_progress = nullptr;
};
