#pragma once

#include "ActionRecord.h"
#include "AreaFileKind.h"
#include "AreaFiles.h"
#include "FrameEditState.h"

#include <QDialog>

#include <memory>

class AreaActionTab;
class AreaAppearanceTab;
class AreaItemTab;
class AreaMusicTab;
class AreaSoundsTab;
class AreaVariablesTab;
class MediaBackend;
class MediaPlayButtons;
class MousePointerPanel;
class QComboBox;
class QPushButton;
class QTabWidget;
class VariablePanel;

// "Area Properties": how an area looks and what a click on it does (area mode), or what happens
// when an item is dragged onto it (item mode). The canvas drives it: construct, SetType, the
// load step for an existing area or event, RefreshEnabled, exec(). OK checks the entries, writes
// the area's files or the event's files through the store and sets CurrentAreaNumber to "0";
// Cancel writes neither and sets it to "cancel". However it closes, the available variables are
// written as the project's variable list. A file that could not be written sets WriteFailed.
// Each tab is a class of its own that shows and reads back its part of the files; this dialog
// owns them, the project's files and the two panels that take the tabs' place for a while.
class frmAreaProperties : public QDialog {
    Q_OBJECT
public:
    frmAreaProperties(FrameEditState &state, FrameCanvas *canvas, MediaBackend &media,
                      QWidget *parent = nullptr);
    ~frmAreaProperties() override;

    // 0: area; 1: an item dropped on the area (state.DraggedItemName).
    void SetType(int type);
    int type() const { return m_type; }
    // Fills the controls from the area's four files; a file that ends early leaves the rest at
    // the defaults. An unreadable file: "Unable to load Area properties.".
    void LoadAreaProperties();
    // Fills the controls from the event's .drg and .chn files; nothing when it does not exist.
    void LoadObjectOnArea();
    void RefreshEnabled();
    // Refills every file list from its folder, keeping each list's current text.
    void RefreshComboBoxes();
    void RefreshIconsList();
    // "Is an animated GIF" only for a name ending in ".gif" (exact lower case).
    void RefreshIsAnimatedGif();
    // The checks in their order; on the first failure its tab is shown with its message.
    bool CheckValidity();
    // Write the area's files / the event's files; false (message shown) on failure.
    bool SaveAreaProperties();
    bool SaveObjectOnArea();
    // Shows the saved appearance on the canvas (after the picture file was found).
    void UpdateAreaAppearance();
    void OpenMousePointer();
    // The available variables written as the project's variable list. When the list could not
    // be read and the author did not change it, nothing is written (the file is kept as it is).
    bool SaveVariablesList();

    // "OK" and "Cancel" as their buttons do.
    void confirm();
    void cancel();

    // The kinds of file the lists offer.
    using Kind = AreaFileKind;
    // "Browse..." once a file is chosen: copied into its folder, the lists refreshed, `list`
    // showing it (for "Add .wav sound to lists...", the first playing channel without a sound).
    void addFile(Kind kind, const QString &sourcePath, QComboBox *list);
    // "Remove" beside `list`: asks, then deletes the chosen file from its folder.
    void removeFile(Kind kind, QComboBox *list);
    // "Remove" beside the item list: asks, then deletes the item file.
    void removeItem();
    // "New..." beside the item list: creates an item and selects it.
    void newItem();

    // The pointer panel, in place of the tabs.
    void showPointerPanel();
    // "OK" or a double-click: the selected pointer becomes the area's.
    void usePointer();
    // "Browse..." once a file is chosen.
    void addPointer(const QString &sourcePath);
    void removePointer();
    // A name typed in place over `from`: the file is renamed, its extension kept.
    bool renamePointer(const QString &from, const QString &typed);

    // The variable panel, adding to the variables tab's list(i).
    void showVariablePanel(int list);
    // "OK" or a double-click in the panel.
    void addSelectedVariable();
    void createVariable();
    void removeAvailableVariable();
    // "Remove" beside the variables tab's list(i).
    void removeFromList(int list);

    // "Play" beside a sound, music or video list (null for a list without one).
    QPushButton *playButton(QComboBox *list) const;
    bool playFile(QComboBox *list);

    // Only confirm() saves: accept(), reject(), Escape and the close box all act as "Cancel".
    void done(int result) override;

    // The tabs in their order ("Appearance", "Action", "Variables", "Item", "Music",
    // "Sounds Effects"), and the panels shown in their place.
    QTabWidget *tabs() const { return m_tabs; } // SSTab1 in the old layout
    AreaAppearanceTab *appearance() const { return m_appearance; }
    AreaActionTab *action() const { return m_action; }
    AreaVariablesTab *variables() const { return m_variables; }
    AreaItemTab *item() const { return m_item; }
    AreaMusicTab *music() const { return m_music; }
    AreaSoundsTab *sounds() const { return m_sounds; }
    MousePointerPanel *pointerPanel() const { return m_pointers; }   // FrameMousePointers
    VariablePanel *variablePanel() const { return m_variablePanel; } // FrameVariables
    QPushButton *okButton() const { return m_ok; }                   // Command2
    QPushButton *cancelButton() const { return m_cancel; }           // Command1

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QComboBox *fileList(Kind kind, QWidget *owner, const QString &filter, const QString &name);
    void connectPanels();
    QString folderOf(Kind kind) const;
    void fail(int tab, const QString &text);
    void LoadVariablesList();
    void setVideoDefaults();
    void showItemIcon();
    ActionRecord actionFromControls() const;
    void showAction(const ActionRecord &a);
    int areaNumber() const;
    void closing();

    FrameEditState &m_state;
    FrameCanvas *m_canvas;
    EditorProject m_project;
    SoundMode m_mode;
    int m_type = 0;
    int m_variableTarget = 0;
    bool m_closed = false;
    bool m_variablesRead = false;
    bool m_variablesChanged = false;
    // The position read from the area's first file, used when the canvas has no such area.
    QRectF m_loadedRect;
    std::unique_ptr<MediaPlayButtons> m_play;
    QTabWidget *m_tabs;
    AreaAppearanceTab *m_appearance;
    AreaActionTab *m_action;
    AreaVariablesTab *m_variables;
    AreaItemTab *m_item;
    AreaMusicTab *m_music;
    AreaSoundsTab *m_sounds;
    MousePointerPanel *m_pointers;
    VariablePanel *m_variablePanel;
    QPushButton *m_ok, *m_cancel;
};
