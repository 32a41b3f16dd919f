#pragma once

#include "EditorFolders.h"
#include "ProjectLifecycle.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;

// "Project Properties": the project information, screen size, initial frame, title-screen
// options, sound mode, the texts the player shows (with presets) and the title-screen scheme.
// OK checks the entries in order and writes Project.dat, Config/General and Config/Texts
// through the store; for a new project it first makes the project's folders. Cancel writes
// nothing.
class frmProjectProperties : public QDialog {
    Q_OBJECT
public:
    // An open project.
    frmProjectProperties(const EditorProject &project, const EditorFolders &folders,
                         QWidget *parent = nullptr);
    // A new project: `root` is where it goes, its last folder the project's name.
    frmProjectProperties(const QString &newRoot, const EditorFolders &folders,
                         QWidget *parent = nullptr);

    // Fills the dialog from Config/General and Config/Texts.
    void LoadProject();
    void RefreshComboBoxes();
    void RefreshEnabled();
    void LoadPreset(const QString &preset);
    // "Save As..." and "Delete" of the presets.
    bool SavePresetAs();
    bool DeletePreset();
    // OK: the checks, then the files; the dialog closes when all pass.
    void confirm();
    // The project as written by OK.
    const EditorProject &project() const { return m_project; }

    QTabWidget *tabs;
    QLineEdit *txtProjectName, *txtSoftwareTitle, *txtComments, *txtAuthor, *txtEmail, *txtHomepage,
        *txtWidth, *txtHeight;
    QRadioButton *optSize[4];
    QCheckBox *chkResolution, *chkHideSave, *chkHideLoad;
    QComboBox *cboInitialFrame, *cboScheme, *cboPresets;
    QRadioButton *optSound[2]; // single-channel, multi-channel
    QRadioButton *optTexts[3];
    QLineEdit *txtText[44];
    QPushButton *cmdSaveAs, *cmdDeletePreset;

private:
    void build();
    bool refuse(int tab, const QString &text, Status::Icon icon = Status::Icon::Information);
    bool write();
    GeneralInfo fromControls() const;

    EditorProject m_project;
    EditorFolders m_folders;
    bool m_new = false;
    QString m_newRoot;
};
