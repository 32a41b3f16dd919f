#include "TitleScreen.h"

#include "ColourContrast.h"

#include "TestProject.h"

#include <gtest/gtest.h>

namespace {

// General with the given optional lines; 22 lines, or the first 11 when `older`.
void writeGeneral(const TestProject &p, const QString &version, const QString &author,
                  const QString &email, const QString &homepage, int showResolution,
                  const QString &scheme, bool hideLoad, bool older = false) {
    QStringList lines{q(QStringLiteral("Game")), q(QString()), q(QStringLiteral("The Title")),
                      QStringLiteral("2"), q(QStringLiteral("Start")), q(version), QStringLiteral("640"),
                      QStringLiteral("480"), q(author), q(email), q(homepage)};
    if (!older) {
        lines += {QString::number(showResolution), q(QString()), q(QString()), q(QString()), q(scheme),
                  q(QString()), q(QString()), QStringLiteral("#FALSE#"),
                  hideLoad ? QStringLiteral("#TRUE#") : QStringLiteral("#FALSE#"),
                  QStringLiteral("#FALSE#"), QStringLiteral("1")};
    }
    p.writeLines(QStringLiteral("Config/General"), lines);
}

void writeScheme(const TestProject &p, const QString &name, const QStringList &pictures,
                 const QStringList &colours, const QStringList &tail = QStringList()) {
    QStringList lines{q(name), q(QStringLiteral("Version 2.06.01")), q(QStringLiteral("01/02/2026")),
                      QString::number(pictures.size())};
    for (const QString &pic : pictures)
        lines.append(q(pic));
    lines.append(QString::number(colours.size()));
    lines += colours;
    lines += tail;
    p.writeLines(QStringLiteral("Schemes/") + name + QStringLiteral("/Scheme.txt"), lines);
}

QString schemes(const TestProject &p) { return p.root() + QStringLiteral("Schemes/"); }

} // namespace

TEST(TitleScreenLayout, LinesStackFromThreeThousandTwips) {
    TestProject p;
    writeGeneral(p, QString(), QString(), QString(), QString(), 0, QString(), false);
    TitleScreen t = TitleScreen::load(p.paths(), schemes(p), false, false);
    ASSERT_TRUE(t.generalRead);
    EXPECT_EQ(t.title, QStringLiteral("The Title"));
    EXPECT_FALSE(t.version.shown);
    EXPECT_FALSE(t.resolutionShown);
    EXPECT_EQ(t.innerHeight, 3150);

    writeGeneral(p, QStringLiteral("v1"), QString(), QStringLiteral("a@b.c"), QStringLiteral("http://x"), 1,
                 QString(), false);
    t = TitleScreen::load(p.paths(), schemes(p), false, false);
    EXPECT_EQ(t.version.top, 3000);
    EXPECT_FALSE(t.author.shown);
    EXPECT_EQ(t.email.top, 3255);
    EXPECT_EQ(t.homepage.top, 3510);
    ASSERT_TRUE(t.resolutionShown);
    EXPECT_EQ(t.resolutionLabelTop, 3765);
    EXPECT_EQ(t.resolutionCheckTop, 3810);
    EXPECT_EQ(t.innerHeight, 3000 + 4 * 255 + 150);

    // A display already at 640 x 480 never shows the resolution line.
    t = TitleScreen::load(p.paths(), schemes(p), false, true);
    EXPECT_FALSE(t.resolutionShown);
    EXPECT_EQ(t.innerHeight, 3000 + 3 * 255 + 150);
}

TEST(TitleScreenLayout, OlderGeneralOffersTheResolutionAndPlainButtons) {
    TestProject p;
    writeGeneral(p, QString(), QString(), QString(), QString(), 0, QString(), false, true);
    const TitleScreen t = TitleScreen::load(p.paths(), schemes(p), false, false);
    EXPECT_EQ(t.general.ShowChangeResolution, 1);
    EXPECT_TRUE(t.resolutionShown);
    EXPECT_FALSE(t.general.SingleChannelAudio);
    EXPECT_FALSE(t.general.HideLoad);
    // No Texts file: the applications wording.
    EXPECT_EQ(t.buttons[0].caption, QStringLiteral("Start"));
    EXPECT_TRUE(t.buttons[0].textShown);
}

TEST(TitleScreenLayout, HideLoadMovesOnlyTheExitTextButton) {
    TestProject p;
    writeGeneral(p, QString(), QString(), QString(), QString(), 0, QString(), true);
    TitleScreen t = TitleScreen::load(p.paths(), schemes(p), false, false);
    EXPECT_FALSE(t.buttons[1].textShown);
    EXPECT_FALSE(t.buttons[1].pictureShown);
    EXPECT_EQ(t.buttons[2].textTop, TitleScreen::LoadTop);
    EXPECT_EQ(t.buttons[0].textTop, TitleScreen::StartTop);

    // An Exit picture stays where it is: only its text button would move.
    writeScheme(p, QStringLiteral("Pics"), {QStringLiteral("[none]"), QStringLiteral("[none]"), QStringLiteral("exit.bmp"),
                                            QStringLiteral("[none]")},
                {QStringLiteral("0"), QStringLiteral("255"), QStringLiteral("65280"), QStringLiteral("16711680")});
    p.writeRaw(QStringLiteral("Schemes/Pics/exit.bmp"), "BM");
    writeGeneral(p, QString(), QString(), QString(), QString(), 0, QStringLiteral("Pics"), true);
    t = TitleScreen::load(p.paths(), schemes(p), false, false);
    EXPECT_TRUE(t.buttons[2].pictureShown);
    EXPECT_FALSE(t.buttons[2].textShown);
}

TEST(TitleScreenScheme, PictureEntriesNoneDefaultAndFiles) {
    TestProject p;
    writeScheme(p, QStringLiteral("Night"), {QStringLiteral("[none]"), QStringLiteral("load.bmp"), QStringLiteral("[DEFAULT]")},
                {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4")},
                {q(QString()), q(QString()), q(QString()), QStringLiteral("1")});
    p.writeRaw(QStringLiteral("Schemes/Night/load.bmp"), "BM");
    writeGeneral(p, QString(), QString(), QString(), QString(), 0, QStringLiteral("Night"), false);
    const TitleScreen t = TitleScreen::load(p.paths(), schemes(p), false, false);
    EXPECT_FALSE(t.buttons[0].pictureShown);
    EXPECT_TRUE(t.buttons[0].textShown);
    EXPECT_TRUE(t.buttons[1].pictureShown);
    EXPECT_TRUE(t.buttons[1].picture.endsWith(QStringLiteral("load.bmp")));
    EXPECT_FALSE(t.buttons[1].textShown);
    EXPECT_FALSE(t.buttons[2].pictureShown);
    EXPECT_TRUE(t.buttons[2].textShown);
    ASSERT_TRUE(t.coloursSet);
    EXPECT_EQ(t.backgroundColour, 1);
    EXPECT_EQ(t.titleColour, 2);
    EXPECT_EQ(t.textsColour, 3);
    ASSERT_TRUE(t.buttonsColourSet);
    EXPECT_EQ(t.buttonsColour, 4);
    EXPECT_TRUE(t.titleHidden);
    EXPECT_TRUE(t.errors.isEmpty());
}

TEST(TitleScreenScheme, ColourCountDecidesValidityAndTheButtonsColour) {
    TestProject p;
    writeScheme(p, QStringLiteral("Three"), {QStringLiteral("[none]")},
                {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")});
    writeGeneral(p, QString(), QString(), QString(), QString(), 0, QStringLiteral("Three"), false);
    TitleScreen t = TitleScreen::load(p.paths(), schemes(p), false, false);
    EXPECT_TRUE(t.coloursSet);
    EXPECT_FALSE(t.buttonsColourSet);

    // No colours: an invalid scheme, reported only in the editor's test run.
    writeScheme(p, QStringLiteral("Bad"), {QStringLiteral("[none]")}, {});
    writeGeneral(p, QString(), QString(), QString(), QString(), 0, QStringLiteral("Bad"), false);
    t = TitleScreen::load(p.paths(), schemes(p), false, false);
    EXPECT_FALSE(t.coloursSet);
    EXPECT_TRUE(t.errors.isEmpty());
    t = TitleScreen::load(p.paths(), schemes(p), true, false);
    ASSERT_EQ(t.errors.size(), 1);
    EXPECT_TRUE(t.errors[0].startsWith(QStringLiteral(" Unable to load the following scheme: ")));
    EXPECT_TRUE(t.errors[0].contains(QStringLiteral("Bad")));

    // A scheme that does not exist: text buttons, no message.
    writeGeneral(p, QString(), QString(), QString(), QString(), 0, QStringLiteral("Nowhere"), false);
    t = TitleScreen::load(p.paths(), schemes(p), true, false);
    EXPECT_TRUE(t.errors.isEmpty());
    EXPECT_TRUE(t.buttons[2].textShown);
}

TEST(TitleScreenTexts, EachSourceOfWording) {
    TestProject p;
    writeGeneral(p, QString(), QStringLiteral("Ann"), QString(), QString(), 0, QString(), false);
    QStringList games{QStringLiteral("1"), q(QStringLiteral("Version 2.06.01")), q(QString()), q(QString()),
                      q(QString()), q(QString()), QStringLiteral("44")};
    for (int i = 0; i < 44; ++i)
        games.append(q(QString()));
    p.writeLines(QStringLiteral("Config/Texts"), games);
    TitleScreen t = TitleScreen::load(p.paths(), schemes(p), false, false);
    EXPECT_EQ(t.buttons[0].caption, QStringLiteral("Start New Game")); // stored slots ignored
    EXPECT_EQ(t.author.label, QStringLiteral("Created By:"));

    QStringList custom = games;
    custom[0] = QStringLiteral("2");
    custom[7] = q(QStringLiteral("Los"));
    p.writeLines(QStringLiteral("Config/Texts"), custom);
    t = TitleScreen::load(p.paths(), schemes(p), false, false);
    EXPECT_EQ(t.buttons[0].caption, QStringLiteral("Los"));
    EXPECT_TRUE(t.textsStatus.ok());

    // More than 60 texts overrun the table: the applications wording and the message.
    custom[6] = QStringLiteral("61");
    p.writeLines(QStringLiteral("Config/Texts"), custom);
    t = TitleScreen::load(p.paths(), schemes(p), false, false);
    EXPECT_FALSE(t.textsStatus.ok());
    EXPECT_EQ(t.textsStatus.text(), QStringLiteral("Unable to load texts."));
    EXPECT_EQ(t.buttons[0].caption, QStringLiteral("Start"));
}

TEST(TitleScreenLayout, UnreadableGeneralIsReported) {
    TestProject p;
    p.writeLines(QStringLiteral("Config/General"), {q(QStringLiteral("Game")), q(QString())});
    const TitleScreen t = TitleScreen::load(p.paths(), schemes(p), false, false);
    EXPECT_FALSE(t.generalRead);
    EXPECT_EQ(t.errors, QStringList{QStringLiteral(" Unable to load project information.")});

    // Damaged further on: what came before the damage is kept for the title and the game.
    p.writeLines(QStringLiteral("Config/General"),
                 {q(QStringLiteral("Game")), q(QString()), q(QStringLiteral("The Title")),
                  QStringLiteral("2"), q(QStringLiteral("Start")), q(QString()),
                  QStringLiteral("320"), QStringLiteral("tall")});
    const TitleScreen damaged = TitleScreen::load(p.paths(), schemes(p), false, false);
    EXPECT_FALSE(damaged.generalRead);
    EXPECT_EQ(damaged.errors, QStringList{QStringLiteral(" Unable to load project information.")});
    EXPECT_EQ(damaged.title, QStringLiteral("The Title"));
    EXPECT_EQ(damaged.general.InitialFrame, QStringLiteral("Start"));
    EXPECT_EQ(damaged.general.ScreenWidth, 320);
}

TEST(TitleScreenLayout, EveryPlaceInTwips) {
    TestProject p;
    writeGeneral(p, QStringLiteral("v1"), QStringLiteral("Ann"), QStringLiteral("a@b.c"),
                 QStringLiteral("http://x"), 1, QString(), false);
    const TitleScreen t = TitleScreen::load(p.paths(), schemes(p), false, false);
    struct Case {
        const char *what;
        QRect place;
        QRect expected;
    };
    const Case cases[] = {
        {"title", t.titlePlace, QRect(0, 240, 4800, 720)},
        {"version", t.version.textPlace, QRect(240, 3000, 4320, 255)},
        {"author label", t.author.labelPlace, QRect(240, 3255, 1200, 255)},
        {"author", t.author.textPlace, QRect(1440, 3255, 3120, 255)},
        {"e-mail label", t.email.labelPlace, QRect(240, 3510, 1200, 255)},
        {"e-mail", t.email.textPlace, QRect(1440, 3510, 3120, 255)},
        {"web site label", t.homepage.labelPlace, QRect(240, 3765, 1200, 255)},
        {"web site", t.homepage.textPlace, QRect(1440, 3765, 3120, 255)},
        {"resolution check", t.resolutionCheckPlace, QRect(240, 4065, 270, 225)},
        {"resolution label", t.resolutionLabelPlace, QRect(510, 4020, 4050, 255)},
        {"credits button", t.infoPlace, QRect(4500, 4425 - 300, 240, 240)},
    };
    for (const Case &c : cases)
        EXPECT_EQ(c.place, c.expected) << c.what;
    EXPECT_EQ(t.innerHeight, 4425);
    const int tops[] = {1080, 1560, 2040};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(t.buttons[i].textTop, tops[i]);
        EXPECT_EQ(t.buttons[i].pictureTop, tops[i]);
    }
    EXPECT_EQ(TitleScreen::ButtonCentre, 2400);
}

TEST(TitleScreenColours, ButtonTextIsTheSchemesOrReadableOnItsWindowColour) {
    TestProject p;
    struct Case {
        QStringList colours;
        qint64 expected;
    };
    const Case cases[] = {
        {{QStringLiteral("1056816"), QStringLiteral("0"), QStringLiteral("0")}, 0xFFFFFF}, // dark
        {{QStringLiteral("15794160"), QStringLiteral("0"), QStringLiteral("0")}, 0},       // light
        {{QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("255")},
         255}, // the scheme's own
        {{QStringLiteral("-2147483633"), QStringLiteral("0"), QStringLiteral("0")}, -1}, // system
    };
    for (const Case &c : cases) {
        writeScheme(p, QStringLiteral("S"), {QStringLiteral("[none]")}, c.colours);
        writeGeneral(p, QString(), QString(), QString(), QString(), 0, QStringLiteral("S"), false);
        const TitleScreen t = TitleScreen::load(p.paths(), schemes(p), false, false);
        EXPECT_EQ(t.buttonTextColour(), c.expected)
            << c.colours.join(QLatin1Char(',')).toStdString();
    }
    writeGeneral(p, QString(), QString(), QString(), QString(), 0, QString(), false);
    EXPECT_EQ(TitleScreen::load(p.paths(), schemes(p), false, false).buttonTextColour(), -1);
}

TEST(ColourContrast, RatiosAndTheReadableInk) {
    using namespace ColourContrast;
    EXPECT_NEAR(ratio(bgr(0, 0, 0), bgr(255, 255, 255)), 21.0, 1e-9);
    EXPECT_NEAR(ratio(bgr(255, 255, 255), bgr(0, 0, 0)), 21.0, 1e-9);
    EXPECT_NEAR(ratio(bgr(119, 119, 119), bgr(255, 255, 255)), 4.48, 0.01);
    EXPECT_NEAR(ratio(bgr(0, 0, 255), bgr(255, 255, 255)), 8.59, 0.01);
    EXPECT_NEAR(ratio(bgr(16, 24, 32), bgr(0, 0, 0)), 1.17, 0.01);
    // On every colour of a coarse sweep, the chosen ink reads.
    for (int r = 0; r < 256; r += 15)
        for (int g = 0; g < 256; g += 15)
            for (int b = 0; b < 256; b += 15)
                ASSERT_GE(ratio(bgr(r, g, b), readableOn(bgr(r, g, b))), kMinimumTextRatio)
                    << r << "," << g << "," << b;
}
