// The title view: the model's places at any scale, and texts that read on the colours the
// player chooses itself.

#include "UiTestSupport.h"

#include "ColourContrast.h"
#include "TitleView.h"

#include <QCheckBox>
#include <QFrame>
#include <QHash>
#include <QLabel>
#include <QPushButton>
#include <QtTest/QTest>

#include <algorithm>
#include <cstdlib>

namespace {

// A screen filled the way a preview fills it: fields first, then the layout.
TitleScreen fullScreen() {
    TitleScreen t;
    t.title = QStringLiteral("Marsh Lights");
    t.version.text = QStringLiteral("Version 1.2");
    t.author.label = QStringLiteral("Created By:");
    t.author.text = QStringLiteral("Ada Fenwick");
    t.email.label = QStringLiteral("E-mail:");
    t.email.text = QStringLiteral("ada@example.org");
    t.homepage.label = QStringLiteral("Web Site:");
    t.homepage.text = QStringLiteral("https://example.org/");
    t.resolutionShown = true;
    t.resolutionLabel = QStringLiteral("Change display resolution to 640 x 480");
    const char *captions[] = {"Start", "Load", "Exit"};
    for (int i = 0; i < 3; ++i)
        t.buttons[i].caption = QString::fromLatin1(captions[i]);
    t.layOut();
    return t;
}

// How far the most distant colour in `area` of `shot` stands from the area's most common
// colour (the background under a text).
double drawnContrast(const QImage &shot, const QRect &area) {
    QHash<QRgb, int> counts;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            ++counts[shot.pixel(x, y) & 0xFFFFFF];
    QRgb background = 0;
    int most = -1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (it.value() > most) {
            most = it.value();
            background = it.key();
        }
    auto packed = [](QRgb c) { return ColourContrast::bgr(qRed(c), qGreen(c), qBlue(c)); };
    double best = 1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        best = std::max(best, ColourContrast::ratio(packed(background), packed(it.key())));
    return best;
}

QRect areaOf(QWidget *w, QWidget *in) {
    return QRect(w->mapTo(in, QPoint(0, 0)), w->size());
}

} // namespace

TEST(TitleViewLayout, EveryControlStandsAtItsTwipsPlaceAtEveryScale) {
    const TitleScreen t = fullScreen();
    struct Scale {
        int num, den; // pixels per 15 twips
    };
    for (const Scale sc : {Scale{1, 1}, Scale{2, 1}, Scale{1, 2}}) {
        const TwipScale scale(double(sc.num) / sc.den);
        auto px = [&](int twips) { return twips * sc.num / (15 * sc.den); };
        auto rect = [&](int x, int y, int w, int h) { return QRect(px(x), px(y), px(w), px(h)); };
        // A child like any other, in a dialog of the editor or in the title window.
        QWidget parent;
        auto *view = new TitleView(&parent);
        view->setScreen(t, scale);
        EXPECT_FALSE(view->isWindow());
        EXPECT_EQ(view->windowType(), Qt::Widget);
        const std::string at = std::to_string(sc.num) + "/" + std::to_string(sc.den);
        EXPECT_EQ(view->size(), QSize(px(4800), px(4425))) << at;

        auto label = [&](const char *name) {
            return view->findChild<QLabel *>(QString::fromLatin1(name));
        };
        struct Case {
            QWidget *w;
            QRect expected;
        };
        const Case cases[] = {
            {view->titleLabel(), rect(0, 240, 4800, 720)},
            {label("txtVersion"), rect(240, 3000, 4320, 255)},
            {label("lblAuthor"), rect(240, 3255, 1200, 255)},
            {label("txtAuthor"), rect(1440, 3255, 3120, 255)},
            {label("lblEmail"), rect(240, 3510, 1200, 255)},
            {label("txtEmail"), rect(1440, 3510, 3120, 255)},
            {label("lblHomepage"), rect(240, 3765, 1200, 255)},
            {label("txtHomepage"), rect(1440, 3765, 3120, 255)},
            {view->resolutionCheck(), rect(240, 4065, 270, 225)},
            {label("lblResolution"), rect(510, 4020, 4050, 255)},
            {view->creditsButton(), rect(4500, 4125, 240, 240)},
        };
        for (const Case &c : cases) {
            ASSERT_NE(c.w, nullptr);
            EXPECT_EQ(c.w->geometry(), c.expected) << c.w->objectName().toStdString() << " " << at;
            EXPECT_FALSE(c.w->isHidden()) << c.w->objectName().toStdString();
        }
        const int tops[] = {1080, 1560, 2040};
        for (int i = 0; i < 3; ++i) {
            QPushButton *b = view->textButton(i);
            EXPECT_EQ(b->y(), px(tops[i])) << i << " " << at;
            EXPECT_LE(std::abs(b->geometry().center().x() - px(2400)), 1) << i << " " << at;
            EXPECT_DOUBLE_EQ(b->font().pointSizeF(), 12.0 * sc.num / sc.den);
            EXPECT_TRUE(b->font().bold());
        }
        EXPECT_DOUBLE_EQ(view->titleLabel()->font().pointSizeF(), 16.0 * sc.num / sc.den);
        EXPECT_DOUBLE_EQ(label("txtAuthor")->font().pointSizeF(), 9.0 * sc.num / sc.den);

        // A preview takes no Tab stops from the dialog that shows it.
        view->setInteractive(false);
        for (QWidget *w : view->findChildren<QWidget *>())
            EXPECT_EQ(w->focusPolicy(), Qt::NoFocus) << w->objectName().toStdString();
    }
}

TEST(TitleViewLayout, APictureButtonIsScaledAndCentred) {
    UiProject project;
    QImage picture(60, 20, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    TitleScreen t = fullScreen();
    t.buttons[1].pictureShown = true;
    t.buttons[1].textShown = false;
    t.buttons[1].picture = project.picture("load.bmp", picture);
    TitleView view;
    for (int factor : {1, 2}) {
        view.setScreen(t, TwipScale(factor));
        QPushButton *img = view.pictureButton(1);
        EXPECT_FALSE(img->isHidden());
        EXPECT_TRUE(view.textButton(1)->isHidden());
        EXPECT_EQ(img->geometry(),
                  QRect(160 * factor - 30 * factor, 104 * factor, 60 * factor, 20 * factor));
        EXPECT_EQ(view.shownButton(1), img);
    }
}

TEST(TitleViewColours, TextsThePlayerColoursItselfRead) {
    // A dark window whose scheme names no colour for the buttons.
    TitleScreen t = fullScreen();
    t.coloursSet = true;
    t.backgroundColour = ColourContrast::bgr(16, 24, 32);
    t.titleColour = ColourContrast::bgr(240, 240, 200);
    t.textsColour = ColourContrast::bgr(200, 200, 200);
    t.buttonsColourSet = false;
    QWidget window;
    auto *view = new TitleView(&window);
    view->setScreen(t);
    window.resize(view->size());
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    QImage shot = view->grab().toImage();
    for (int i = 0; i < 3; ++i)
        EXPECT_GE(drawnContrast(shot, areaOf(view->textButton(i), view)), 4.5) << i;
    EXPECT_GE(drawnContrast(shot, areaOf(view->creditsButton(), view)), 4.5);

    // The credits panel and its BACK.
    view->creditsButton()->click();
    ASSERT_FALSE(view->creditsPanel()->isHidden());
    shot = view->grab().toImage();
    auto *back = view->creditsPanel()->findChild<QPushButton *>(QStringLiteral("lblBack"));
    auto *credits = view->creditsPanel()->findChild<QLabel *>(QStringLiteral("lblCredits"));
    ASSERT_NE(back, nullptr);
    ASSERT_NE(credits, nullptr);
    EXPECT_GE(drawnContrast(shot, areaOf(back, view)), 4.5);
    EXPECT_GE(drawnContrast(shot, areaOf(credits, view)), 4.5);
    back->click();
    EXPECT_TRUE(view->creditsPanel()->isHidden());
}

TEST(TitleViewColours, TextsOnATileWithoutColoursRead) {
    UiProject project;
    QImage tile(8, 8, QImage::Format_RGB32);
    tile.fill(QColor(20, 30, 60));
    TitleScreen t = fullScreen();
    t.tile = project.picture("tile.bmp", tile);
    QWidget window;
    auto *view = new TitleView(&window);
    view->setScreen(t);
    window.resize(view->size());
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const QImage shot = view->grab().toImage();
    for (QWidget *w :
         {static_cast<QWidget *>(view->titleLabel()), static_cast<QWidget *>(view->textButton(0)),
          static_cast<QWidget *>(view->findChild<QLabel *>("txtAuthor")),
          static_cast<QWidget *>(view->findChild<QLabel *>("lblResolution"))})
        EXPECT_GE(drawnContrast(shot, areaOf(w, view)), 4.5) << w->objectName().toStdString();
}
