#include "ReferenceGame.h"

#include "Items.h"
#include "SavedGameFile.h"

namespace {

Area goingTo(const QString &frame, const QString &item = QString()) {
    Area a;
    a.action.GoToFrame = 1;
    a.action.TargetFrame = frame;
    a.item.PickItem = item.isEmpty() ? 0 : 1;
    a.item.ItemName = item;
    return a;
}

} // namespace

ReferenceGame::ReferenceGame() : GameProject(QStringLiteral("Hall")) {
    frame(QStringLiteral("Hall"));
    frame(QStringLiteral("Cellar"));
    FrameProperties attic;
    attic.TimerEnabled = true;
    attic.TimerFrame = QStringLiteral("Cellar");
    frame(QStringLiteral("Attic"), attic);

    area(QStringLiteral("Hall"), 1, goingTo(QStringLiteral("cellar"), QStringLiteral("Key")));
    area(QStringLiteral("Hall"), 2);
    area(QStringLiteral("Hall"), 3);
    writeRaw(QStringLiteral("Areas/Hall/3b.dat"),
             "0,\"\",#FALSE#,#FALSE#,#FALSE#,0,\"\",0,\"\",0,0,1,\"Cellar\"\r\n");
    area(QStringLiteral("Cellar"), 1, goingTo(QStringLiteral("Hall"), QStringLiteral("Rope")));
    ActionRecord drop;
    drop.GoToFrame = 1;
    drop.TargetFrame = QStringLiteral("Cellar");
    drop.HideOrRemove = 1;
    dropEvent(QStringLiteral("Hall"), 2, QStringLiteral("Key"), drop);

    touch(QStringLiteral("Areas/Key.002"));
    require(Items(paths()).write(QStringLiteral("Key"), ItemFile{QStringLiteral("Key.ico")}),
            QStringLiteral("Key"));
    item(QStringLiteral("Rope"));
    item(QStringLiteral("Lamp"));
    itemEvent(QStringLiteral("Key"), QStringLiteral("Rope"), true, true, QStringLiteral("Lamp"));
    itemEvent(QStringLiteral("Lamp"), QStringLiteral("Key"), true, false);

    SavedGameFile evening;
    evening.SavedFrame = QStringLiteral("Cellar");
    evening.Items = QStringList{QStringLiteral("Key")};
    require(writeSavedGame(path(QStringLiteral("Evening.sav")), evening),
            QStringLiteral("Evening.sav"));
}
