#pragma once

#include "TitleScreen.h"
#include "TwipScale.h"

#include <QImage>
#include <QPoint>
#include <QWidget>

class QCheckBox;
class QFrame;
class QLabel;
class QPushButton;

// Draws a title screen at a scale: the title, the version, author, e-mail and web site lines,
// the display-switch option, the Start, Load and Exit buttons (pictures or texts) and the
// scheme's colours and tile, each where the model places it. A plain child widget: it holds no
// settings and no window behaviour; the player's title window and the editor's preview both
// show one.
class TitleView : public QWidget {
    Q_OBJECT
public:
    explicit TitleView(QWidget *parent = nullptr);

    // Shows `screen` at `scale` (normal size is 1/15 pixel per twip) and takes its size.
    void setScreen(const TitleScreen &screen, const TwipScale &scale = TwipScale());
    const TitleScreen &screen() const { return m_screen; }
    const TwipScale &scale() const { return m_scale; }
    QSize sizeHint() const override;

    // false: a picture of the screen that takes no focus and no clicks (a preview).
    void setInteractive(bool interactive);

    // The three buttons: 0 Start, 1 Load, 2 Exit; of each, the picture or the text is shown.
    QPushButton *pictureButton(int i) const { return m_img[i]; }
    QPushButton *textButton(int i) const { return m_lblButton[i]; }
    // The shown button of `i` (picture first); null when neither is shown.
    QPushButton *shownButton(int i) const;
    QCheckBox *resolutionCheck() const { return m_chkResolution; }
    QLabel *titleLabel() const { return m_txtAdventureName; }
    QFrame *creditsPanel() const { return m_credits; }
    QPushButton *creditsButton() const { return m_info; }
    QPushButton *settingsButton() const { return m_settings; }

signals:
    void buttonClicked(int index);
    void emailClicked();
    void homepageClicked();
    void settingsClicked();
    // The left button pressed on the background or a text moved by `offset` (screen pixels)
    // since the press: the title window moves with it.
    void dragStarted();
    void dragged(const QPoint &offset);

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildCredits();
    void place();
    void applyColours();
    QFont fontOf(double points, bool bold, bool italic = false) const;

    TitleScreen m_screen;
    TwipScale m_scale;
    QImage m_tile;
    bool m_pressed = false;
    bool m_dragging = false;
    QPoint m_pressPos;

    QLabel *m_txtAdventureName = nullptr;
    QLabel *m_txtVersion = nullptr;
    QLabel *m_lblAuthor = nullptr, *m_txtAuthor = nullptr;
    QLabel *m_lblEmail = nullptr, *m_txtEmail = nullptr;
    QLabel *m_lblHomepage = nullptr, *m_txtHomepage = nullptr;
    QCheckBox *m_chkResolution = nullptr;
    QLabel *m_lblResolution = nullptr;
    QPushButton *m_img[4] = {};
    QPushButton *m_lblButton[3] = {};
    QPushButton *m_info = nullptr;
    QPushButton *m_settings = nullptr;
    QFrame *m_credits = nullptr;
    QLabel *m_creditsText = nullptr;
    QPushButton *m_back = nullptr;
};
