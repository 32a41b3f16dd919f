// Items and their events: the new-item dialogue, the items list and its drag, the item-on-item
// dialog's refusals and replacement, and the main window's events pages removing both kinds of
// event.

#include "AreaFiles.h"
#include "EditorFolders.h"
#include "EditorItems.h"
#include "EditorTestSupport.h"
#include "FrameEditState.h"
#include "Items.h"
#include "RecordingMedia.h"
#include "frmItemOnItem.h"
#include "frmMenu.h"
#include "frmObjects.h"

#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QDockWidget>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>

using Answer = EngineHost::Answer;

namespace {

struct ItemsProject {
    TestProject p;
    QString icon;
    ItemsProject() {
        writeProject(p, "Harbour", "Shore", {"Shore"});
        QDir().mkpath(p.path("Areas"));
        icon = p.path("outside/lamp.ico");
        p.writeRaw("outside/lamp.ico", "");
        QImage image(16, 16, QImage::Format_ARGB32);
        image.fill(Qt::blue);
        EXPECT_TRUE(image.save(icon, "ICO"));
        EditorItems::setIconChooser([this](QWidget *) { return icon; });
    }
    ~ItemsProject() { EditorItems::setIconChooser({}); }
};

const QString kIconNote = "You must now select the icon that will appear in the user's "
                          "inventory.\r\rClick 'OK' to continue...";

} // namespace

TEST(ItemsEventsTest, ItemsAreCreatedReplacedListedDraggedAndRemoved) {
    ItemsProject ip;
    AnsweredEditor editor;
    frmObjects list;
    list.setProject(ip.p.paths());
    EXPECT_EQ(list.windowTitle(), "List of items");

    // A comma is refused and asked again; the icon is copied and named in the item file.
    editor.inputs = {"Old, key", "Key"};
    editor.answers = {Answer::Ok};
    list.CreateItem();
    EXPECT_EQ(editor.texts(), (QStringList{"Sorry, a filename cannot contain any of the following "
                                           "characters:\n\" \\ / : * ? < > | ,",
                                           kIconNote}));
    ItemFile f;
    ASSERT_TRUE(Items(ip.p.paths()).read("Key", f));
    EXPECT_EQ(f.IconFile, "lamp.ico");
    EXPECT_TRUE(ip.p.exists("Areas/lamp.ico"));
    ASSERT_EQ(list.ObjectsList->count(), 1);

    // The same name again: declined, asked again, then replaced.
    editor.boxes.clear();
    ip.p.writeLines("Areas/Key.obj", {q("other.ico")});
    editor.inputs = {"Key", "Key"};
    editor.answers = {Answer::Cancel, Answer::Ok, Answer::Ok};
    EXPECT_EQ(EditorItems::CreateItem(nullptr, ip.p.paths()), "Key");
    EXPECT_EQ(editor.boxes.first().title, "Caution!");
    ASSERT_TRUE(Items(ip.p.paths()).read("Key", f));
    EXPECT_EQ(f.IconFile, "lamp.ico");
    // Cancel at the icon note makes no item.
    editor.inputs = {"Rope"};
    editor.answers = {Answer::Cancel};
    EXPECT_EQ(EditorItems::CreateItem(nullptr, ip.p.paths()), "");
    EXPECT_FALSE(ip.p.exists("Areas/Rope.obj"));

    // A drag carries the item's name under the item type; none without a selection.
    list.ObjectsList->clearSelection();
    EXPECT_EQ(list.ObjectsList->dragData(), nullptr);
    list.ObjectsList->setCurrentRow(0);
    std::unique_ptr<QMimeData> data(list.ObjectsList->dragData());
    ASSERT_TRUE(data);
    EXPECT_EQ(data->data(kItemMimeType), "Key");

    // Remove Selected: nothing selected, then declined, then done.
    editor.boxes.clear();
    list.ObjectsList->clearSelection();
    list.RemoveSelected();
    list.ObjectsList->setCurrentRow(0);
    editor.answers = {Answer::No, Answer::Yes};
    list.RemoveSelected();
    EXPECT_TRUE(ip.p.exists("Areas/Key.obj"));
    list.RemoveSelected();
    EXPECT_FALSE(ip.p.exists("Areas/Key.obj"));
    EXPECT_TRUE(ip.p.exists("Areas/lamp.ico"));
    EXPECT_EQ(list.ObjectsList->count(), 0);
    EXPECT_EQ(editor.texts().first(), "Please select the item you want to remove.");
    EXPECT_EQ(editor.texts().last(), "Do you really want to remove the item 'Key'?");
}

TEST(ItemsEventsTest, ItemOnItemEventsAreRefusedInOrderWrittenAndReplaced) {
    ItemsProject ip;
    for (const char *item : {"Key", "Rope", "Hook"})
        ip.p.writeLines(QStringLiteral("Areas/%1.obj").arg(item), {q("lamp.ico")});
    AnsweredEditor editor;
    struct Case {
        const char *first, *second;
        bool add;
        const char *newItem;
        QString refusal;
    };
    const Case cases[] = {
        {"", "Rope", true, "", "You must select two items."},
        {"Key", "Key", true, "", "You must select the new item."},
        {"Key", "Key", false, "",
         "The first item must be different from the second item. Users "
         "cannot use an item on itself."},
        {"Key", "Rope", true, "Hook", ""},
        {"Key", "Rope", false, "Hook", ""}, // replaces the event; no new item is stored
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.refusal.toStdString());
        editor.boxes.clear();
        frmItemOnItem dialog(ip.p.paths());
        EXPECT_EQ(dialog.Combo[1]->count(), 3);
        dialog.Combo[1]->setCurrentText(c.first);
        dialog.Combo[2]->setCurrentText(c.second);
        dialog.Check1->setChecked(true);
        dialog.Check3->setChecked(c.add);
        EXPECT_EQ(dialog.FramePutItem->isHidden(), !c.add);
        dialog.Combo[3]->setCurrentText(c.newItem);
        dialog.confirm();
        EXPECT_EQ(editor.texts().join("|"), c.refusal);
        EXPECT_EQ(dialog.result(), c.refusal.isEmpty() ? QDialog::Accepted : QDialog::Rejected);
    }
    ItemEvent e;
    ASSERT_TRUE(Items(ip.p.paths()).readEvent("Key", "Rope", e));
    EXPECT_EQ(e.RemoveFirst, 1);
    EXPECT_EQ(e.AddNew, 0);
    EXPECT_EQ(e.NewItem, "");
    EXPECT_FALSE(Items(ip.p.paths()).hasEvent("Rope", "Key"));
}

TEST(ItemsEventsTest, EventsPagesListAndRemoveBothKindsOfEvent) {
    ItemsProject ip;
    for (const char *item : {"Key", "Rope"})
        ip.p.writeLines(QStringLiteral("Areas/%1.obj").arg(item), {q("lamp.ico")});
    ItemEvent ie{"Key", "Rope", 1, 0, 0, ""};
    ASSERT_TRUE(Items(ip.p.paths()).writeEvent(ie));
    const AreaFiles files(ip.p.paths(), SoundMode::MultiChannel, "Shore");
    ASSERT_TRUE(files.saveDropEvent(2, "Key", DropEvent{}));
    ASSERT_TRUE(files.saveDropEvent(1, "Rope", DropEvent{}));
    QFile::remove(ip.p.path("Areas/Shore/1_Rope.chn")); // a missing .chn is no error

    AnsweredEditor editor;
    const EditorFolders folders(ip.p.path("install"));
    RecordingMediaBackend media;
    frmMenu menu(folders, media);
    ASSERT_TRUE(menu.openProject(ip.p.root()));
    menu.ShowItemsAndEvents("Shore");
    EXPECT_EQ(menu.currentPanel(), 11);
    EXPECT_FALSE(menu.itemsDock()->isHidden());
    EXPECT_EQ(menu.itemsWindow()->ObjectsList->count(), 2);

    menu.button(11, "Remove Events...")->click();
    EXPECT_EQ(menu.currentPanel(), 12);
    EXPECT_TRUE(menu.itemsDock()->isHidden());
    QListWidget *drops = menu.dropEventsList();
    ASSERT_EQ(drops->count(), 2);
    EXPECT_EQ(drops->item(0)->text(), "1_Rope");
    menu.button(12, "Remove Selected Event")->click();
    EXPECT_EQ(editor.texts(), QStringList{"Please select the event you want to remove."});
    for (int i = 0; i < 2; ++i) {
        drops->setCurrentRow(0);
        EXPECT_TRUE(menu.RemoveSelectedDropEvent());
    }
    for (const char *f : {"1_Rope.drg", "2_Key.drg", "2_Key.chn"})
        EXPECT_FALSE(ip.p.exists(QStringLiteral("Areas/Shore/") + f)) << f;
    EXPECT_EQ(drops->count(), 0);

    menu.button(12, "Done")->click();
    menu.button(11, "Use of items on each other...")->click();
    EXPECT_EQ(menu.currentPanel(), 15);
    QListWidget *uses = menu.itemEventsList();
    ASSERT_EQ(uses->count(), 1);
    EXPECT_EQ(uses->item(0)->text(), "Key_on_Rope");
    uses->setCurrentRow(0);
    menu.button(15, "Remove Selected Event")->click();
    EXPECT_FALSE(Items(ip.p.paths()).hasEvent("Key", "Rope"));
    EXPECT_EQ(uses->count(), 0);
    menu.button(15, "Done")->click();
    EXPECT_EQ(menu.currentPanel(), 11);
    EXPECT_EQ(editor.boxes.size(), 1);
}
