// What a screen reader reads from every window of the editor: roles, and each control named by
// its caption or label.

#include "AccessibleNames.h"
#include "AccessibleCheck.h"
#include "EditorFolders.h"
#include "EditorTestSupport.h"
#include "RecordingMedia.h"
#include "TextFontDialog.h"
#include "frmAreaProperties.h"
#include "frmCheckProject.h"
#include "frmCompile.h"
#include "frmExploreGame.h"
#include "frmFrameProperties.h"
#include "frmFrames.h"
#include "frmItemOnItem.h"
#include "frmLinuxPackage.h"
#include "frmMain.h"
#include "frmMenu.h"
#include "frmNewProject.h"
#include "frmObjects.h"
#include "frmProjectProperties.h"
#include "frmText.h"

#include <functional>
#include <memory>

TEST(AccessibleNamesTest, EveryWindowAndControlIsNamedAsItIsShown) {
    AccessibleNames::install(); // as both programs do
    TestProject p;
    writeProject(p, "Harbour", "Shore", {"Shore", "Hall"});
    p.writeRaw("Icons/hand.ico", "");
    EditorProject project;
    project.paths = p.paths();
    FrameEditState state;
    state.project = &project;
    state.frameName = "Shore";
    state.CurrentAreaNumber = "1";
    RecordingMediaBackend media;
    AnsweredEditor editor;
    frmMenu menu(EditorFolders(QString()), media);
    menu.show();
    ASSERT_TRUE(menu.openProject(p.root()));

    using Open = std::function<std::unique_ptr<QWidget>()>;
    auto area = [&](const std::function<void(frmAreaProperties &)> &prepare) -> Open {
        return [&, prepare] {
            auto d = std::make_unique<frmAreaProperties>(state, nullptr, media);
            prepare(*d);
            return d;
        };
    };
    const std::pair<const char *, Open> windows[] = {
        {"Area Properties", area([](frmAreaProperties &) {})},
        {"Area Properties, item", area([](frmAreaProperties &d) { d.SetType(1); })},
        {"Area Properties, pointers", area([](frmAreaProperties &d) { d.showPointerPanel(); })},
        {"Area Properties, variables", area([](frmAreaProperties &d) { d.showVariablePanel(0); })},
        {"Frame Properties", [&] { return std::make_unique<frmFrameProperties>(project); }},
        {"Project Properties",
         [&] { return std::make_unique<frmProjectProperties>(project, EditorFolders(QString())); }},
        {"Items and Events", [&] { return std::make_unique<frmItemOnItem>(p.paths()); }},
        {"Compile", [&] { return std::make_unique<frmCompile>(project, QString()); }},
        {"Linux package", [&] { return std::make_unique<frmLinuxPackage>(p.root(), QString()); }},
        {"Text", [] { return std::make_unique<frmText>(0, "A gull"); }},
        {"Font", [] { return std::make_unique<TextFontDialog>(QFont(), 0); }},
        {"Check project", [&] { return std::make_unique<frmCheckProject>(project); }},
        {"Explore", [&] { return std::make_unique<frmExploreGame>(project); }},
        {"New project", [&] { return std::make_unique<frmNewProject>(p.root()); }},
    };
    for (const auto &[what, open] : windows) {
        SCOPED_TRACE(what);
        std::unique_ptr<QWidget> w = open();
        EXPECT_EQ(accessibilityFaults(w.get()), QStringList());
    }
    // The main window as it shows the frame (with the items list) and the frames list, with
    // the context menus of the canvas and the lists.
    ASSERT_TRUE(menu.EditFrame("Shore"));
    menu.ShowItemsAndEvents("Shore");
    EXPECT_EQ(accessibilityFaults(&menu), QStringList());
    menu.ShowMenu(2);
    EXPECT_EQ(accessibilityFaults(&menu), QStringList());
    for (QWidget *w : {static_cast<QWidget *>(menu.canvasWindow()),
                       static_cast<QWidget *>(menu.framesWindow()),
                       static_cast<QWidget *>(menu.itemsWindow())})
        EXPECT_FALSE(w->isWindow()) << w->metaObject()->className();
}
