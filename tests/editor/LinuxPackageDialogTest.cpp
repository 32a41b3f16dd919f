// "Create Linux package...": the dialog builds the open project's Debian package on a worker
// thread, tells where it went, and asks before replacing it.

#include "EditorTestSupport.h"
#include "frmLinuxPackage.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

TEST(LinuxPackageDialog, BuildsTheDebianPackageAndAsksBeforeReplacingIt) {
    AnsweredEditor answered;
    TestProject project;
    writeProject(project, QStringLiteral("Quest"), QStringLiteral("Hall"),
                 {QStringLiteral("Hall")});
    // An editor folder: any program stands in for the player; the default icon.
    QTemporaryDir editor, out;
    ASSERT_TRUE(
        QFile::copy(QStringLiteral("/bin/true"), editor.filePath(QStringLiteral("run.dat"))));
    QImage icon(16, 16, QImage::Format_ARGB32);
    icon.fill(Qt::darkBlue);
    ASSERT_TRUE(icon.save(editor.filePath(QStringLiteral("quillmoor.png"))));

    frmLinuxPackage dialog(project.root(), editor.path());
    dialog.show();
    EXPECT_TRUE(dialog.optDebian->isChecked());
    EXPECT_FALSE(dialog.CheckEnable->isChecked());
    dialog.txtLocation->setText(out.path());
    QTest::mouseClick(dialog.cmdOK, Qt::LeftButton);
    EXPECT_TRUE(dialog.building());
    EXPECT_FALSE(dialog.cmdOK->isEnabled());
    ASSERT_TRUE(waitFor([&] { return !dialog.building(); }, 120000));
    ASSERT_TRUE(dialog.result().ok) << dialog.result().error.toStdString();
    const QStringList debs = QDir(out.path()).entryList({QStringLiteral("*.deb")});
    ASSERT_EQ(debs.size(), 1);
    EXPECT_TRUE(debs[0].startsWith(QStringLiteral("quest_1.0_")));
    ASSERT_EQ(answered.boxes.size(), 1);
    EXPECT_EQ(answered.boxes[0].icon, Status::Icon::Information);
    EXPECT_TRUE(answered.boxes[0].text.contains(
        QDir::toNativeSeparators(QDir(out.path()).filePath(debs[0]))));
    EXPECT_FALSE(dialog.isVisible());

    // Again: the same package exists; Cancel on the question leaves it as it was.
    const QDateTime built = QFileInfo(QDir(out.path()).filePath(debs[0])).lastModified();
    answered.boxes.clear();
    answered.answers = {EngineHost::Answer::Cancel};
    dialog.show();
    QTest::mouseClick(dialog.cmdOK, Qt::LeftButton);
    ASSERT_TRUE(waitFor([&] { return !dialog.building() && !answered.boxes.isEmpty(); }, 30000));
    ASSERT_EQ(answered.boxes.size(), 1);
    EXPECT_EQ(answered.boxes[0].title, QStringLiteral("Caution!"));
    EXPECT_EQ(answered.boxes[0].buttons, EngineHost::Buttons::OkCancel);
    EXPECT_FALSE(dialog.building());
    EXPECT_EQ(QFileInfo(QDir(out.path()).filePath(debs[0])).lastModified(), built);

    // A location inside the project is refused: the next build would ship this package.
    answered.boxes.clear();
    dialog.txtLocation->setText(project.root());
    dialog.startBuild();
    ASSERT_TRUE(waitFor([&] { return !dialog.building(); }, 30000));
    ASSERT_EQ(answered.texts().size(), 1);
    EXPECT_TRUE(answered.texts()[0].startsWith("The location you specified is inside the project"));
}
