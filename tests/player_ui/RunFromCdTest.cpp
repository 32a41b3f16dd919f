// The CD drive dialog over drives made of temporary folders.

#include "UiTestSupport.h"

#include "Drives.h"
#include "RunFromCd.h"
#include "frmRunFromCD.h"

#include <QComboBox>
#include <QDir>
#include <QPushButton>
#include <QTemporaryDir>

namespace {

class FakeDrives : public DriveProvider {
public:
    QList<Drive> list;
    QList<Drive> drives() const override { return list; }
};

class RunFromCdTest : public ::testing::Test {
protected:
    // A drive whose root is a new temporary folder; with `folders` it holds the game's data.
    Drive drive(Drive::Type type, const QString &label, const QStringList &folders = {}) {
        auto dir = std::make_unique<QTemporaryDir>();
        Drive d;
        d.root = dir->path() + "/";
        d.label = label;
        d.type = type;
        for (const QString &f : folders)
            QDir().mkpath(d.root + "Data/Marsh Lights/" + f);
        dirs.push_back(std::move(dir));
        drives.list.append(d);
        return d;
    }

    std::unique_ptr<frmRunFromCD> dialog() {
        auto d = std::make_unique<frmRunFromCD>(project.root(), "Marsh Lights", texts, drives);
        d->setMessageAnswerer(recordingAnswerer(boxes, answers));
        return d;
    }

    QByteArray marker() const { return project.read("RunFromCD.dat"); }

    UiProject project;
    CustomTexts texts = CustomTexts::builtIn(CustomTexts::Games);
    FakeDrives drives;
    std::vector<std::unique_ptr<QTemporaryDir>> dirs;
    QList<ShownBox> boxes;
    QList<EngineHost::Answer> answers;
};

TEST_F(RunFromCdTest, ListsTheDrivesAndPreselectsTheLastCdRom) {
    const Drive hard = drive(Drive::Fixed, "system");
    const Drive d = drive(Drive::CdRom, "DISC_D");
    const Drive e = drive(Drive::CdRom, "DISC_E");
    const Drive usb = drive(Drive::Removable, "stick");
    auto dlg = dialog();
    QComboBox *list = dlg->driveList();
    ASSERT_EQ(list->count(), 4);
    EXPECT_EQ(list->itemText(0), hard.root + " system (Hard Drive)");
    EXPECT_EQ(list->itemText(1), d.root + " DISC_D (CD-ROM Drive)");
    EXPECT_EQ(list->itemText(3), usb.root + " stick (Floppy Drive)");
    EXPECT_EQ(list->currentIndex(), 2);
    EXPECT_EQ(dlg->selectedRoot(), e.root);
    EXPECT_EQ(dlg->windowTitle(), "Marsh Lights");
}

TEST_F(RunFromCdTest, NoDriveChosenOrAVanishedDriveAsksForAnother) {
    drive(Drive::Fixed, "system");
    {
        auto dlg = dialog();
        EXPECT_EQ(dlg->driveList()->currentIndex(), -1); // no CD-ROM drive to preselect
        dlg->ok();
        ASSERT_EQ(boxes.size(), 1);
        EXPECT_EQ(boxes[0].text, texts.text(38));
        EXPECT_EQ(boxes[0].title, "Marsh Lights");
        EXPECT_EQ(boxes[0].icon, Status::Icon::Exclamation);
        EXPECT_NE(dlg->result(), QDialog::Accepted);
    }
    const Drive gone = drive(Drive::CdRom, "GONE", {"Frames", "Areas", "Icons"});
    QDir(gone.root).removeRecursively();
    auto dlg = dialog();
    dlg->ok();
    ASSERT_EQ(boxes.size(), 2);
    EXPECT_EQ(boxes[1].text, texts.text(38));
    EXPECT_FALSE(project.exists("RunFromCD.dat"));
}

TEST_F(RunFromCdTest, DataWithoutIconsIsRefusedNamingTheIconsFolder) {
    project.writeRaw("RunFromCD.dat", QByteArray());
    const Drive cd = drive(Drive::CdRom, "GAME", {"Frames", "Areas"});
    auto dlg = dialog();
    dlg->ok();
    ASSERT_EQ(boxes.size(), 1);
    const QString icons = cd.root + "Data/Marsh Lights/Icons/";
    EXPECT_EQ(boxes[0].text, texts.text(43) + " " + icons + "\n\n" + texts.text(44));
    EXPECT_EQ(boxes[0].icon, Status::Icon::Exclamation);
    EXPECT_NE(dlg->result(), QDialog::Accepted);
    EXPECT_TRUE(dlg->chosenFolders().isEmpty());
    EXPECT_EQ(marker(), QByteArray());

    // Folders are checked in order: Frames missing is named first.
    boxes.clear();
    QDir(cd.root + "Data/Marsh Lights/Frames").removeRecursively();
    dlg->ok();
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_TRUE(boxes[0].text.contains(cd.root + "Data/Marsh Lights/Frames/"));
}

TEST_F(RunFromCdTest, CancelLeavesTheMarkerAsItWas) {
    const QByteArray before = "\"/media/old/\"\r\n";
    project.writeRaw("RunFromCD.dat", before);
    drive(Drive::CdRom, "GAME", {"Frames", "Areas", "Icons"});
    auto dlg = dialog();
    EXPECT_FALSE(dlg->cancelled());
    dlg->findChild<QPushButton *>("cmdCancel")->click();
    EXPECT_TRUE(dlg->cancelled());
    EXPECT_EQ(dlg->result(), QDialog::Rejected);
    EXPECT_TRUE(boxes.isEmpty());
    EXPECT_EQ(marker(), before);
}

TEST_F(RunFromCdTest, AGoodDriveIsRememberedAndItsFoldersReported) {
    project.writeRaw("RunFromCD.dat", QByteArray());
    drive(Drive::CdRom, "OTHER", {"Frames"});
    const Drive cd = drive(Drive::CdRom, "GAME", {"Frames", "Areas", "Icons"});
    auto dlg = dialog();
    dlg->findChild<QPushButton *>("cmdOK")->click();
    EXPECT_TRUE(boxes.isEmpty());
    EXPECT_EQ(dlg->result(), QDialog::Accepted);
    EXPECT_FALSE(dlg->cancelled());
    EXPECT_EQ(RunFromCd::readDrive(project.root()), cd.root);
    const QString data = cd.root + "Data/Marsh Lights/";
    EXPECT_EQ(dlg->chosenFolders(),
              QStringList({data + "Frames/", data + "Areas/", data + "Icons/"}));
}

} // namespace
