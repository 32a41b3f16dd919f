#pragma once

#include "EditorFolders.h"
#include "ProjectLifecycle.h"
#include "SchemeFile.h"
#include "TitleScreen.h"
#include "TwipScale.h"

#include <QDialog>

class QCheckBox;
class QFrame;
class QListWidget;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class TitleView;

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
    // Schemes: every change is written at once.
    void LoadScheme(const QString &scheme);
    bool SaveScheme();
    bool CreateNewScheme();
    bool RemoveScheme();
    // The file chooser panel for picture `slot` (0 Start, 1 Load, 2 Exit, 3 tiled background).
    bool RefreshFilesList(int slot);
    bool chooseFile();                              // its "OK"
    bool removeChosenFile();                        // its "Remove"
    bool addSchemeFile(const QString &source);      // its "Browse..." once a file is chosen
    void setSchemeColour(int which, qint32 colour); // 0 background, 1 title, 2 buttons, 3 texts
    // The title screen as the player would show it with the dialog's current entries and
    // scheme, laid out; the preview draws it with the player's own title view.
    TitleScreen previewScreen() const;
    void RefreshPreview();
    // The preview's scale: three quarters of the player's size.
    static TwipScale previewScale() { return TwipScale(0.75); }
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
    QPushButton *cmdNewScheme, *cmdDeleteScheme, *cmdPicture[4], *cmdColour[4];
    QCheckBox *chkHideTitle;
    QFrame *fraFileChooser;
    QListWidget *lstFiles;
    TitleView *titlePreview;

private:
    void build();
    bool refuse(int tab, const QString &text, Status::Icon icon = Status::Icon::Information);
    bool write();
    GeneralInfo fromControls() const;

    void showSchemeControls();
    SchemeFile m_scheme;
    bool m_loadingScheme = false;
    bool m_holdPreview = false; // while many entries are filled at once
    int m_chooserSlot = -1;
    EditorProject m_project;
    EditorFolders m_folders;
    bool m_new = false;
    QString m_newRoot;
};
