#include "TitleView.h"

#include "ColourContrast.h"
#include "PictureLoader.h"

#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include <iterator>

#ifndef QM_VERSION
#define QM_VERSION ""
#endif

namespace {

// The credits panel's own colours: light text on a dark panel (about 12.7 : 1).
const QColor kCreditsBackground(16, 24, 32);
const QColor kCreditsInk(230, 220, 190);

// Colours are stored as 0x00BBGGRR; the high bit marks a system colour, which keeps the
// style's own.
bool colourFromValue(qint64 value, QColor &out) {
    if (value < 0)
        return false;
    const quint32 v = static_cast<quint32>(value);
    if (v & 0x80000000u)
        return false;
    out = QColor(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF);
    return true;
}

void setInk(QWidget *w, const QColor &c) {
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, c);
    p.setColor(QPalette::ButtonText, c);
    p.setColor(QPalette::Text, c);
    w->setPalette(p);
}

// Black or white, whichever reads better on `background`.
QColor readableOn(const QColor &background) {
    const quint32 ink = ColourContrast::readableOn(
        ColourContrast::bgr(background.red(), background.green(), background.blue()));
    return ink == 0 ? QColor(Qt::black) : QColor(Qt::white);
}

// The mean colour of a picture (sampled on a grid of at most 64 x 64 points).
QColor meanColour(const QImage &image) {
    const int stepX = qMax(1, image.width() / 64), stepY = qMax(1, image.height() / 64);
    qint64 r = 0, g = 0, b = 0, n = 0;
    for (int y = 0; y < image.height(); y += stepY)
        for (int x = 0; x < image.width(); x += stepX) {
            const QRgb c = image.pixel(x, y);
            r += qRed(c);
            g += qGreen(c);
            b += qBlue(c);
            ++n;
        }
    return n ? QColor(int(r / n), int(g / n), int(b / n)) : QColor(Qt::white);
}

// A button drawn as a bare text or a bare picture, in the button-text colour of its palette.
// The pointer over it underlines its text (or rings its picture) and the keyboard focus draws a
// ring around it; Return, Enter and Space press it. Screen readers see a button they can press.
class TitleButton : public QPushButton {
public:
    TitleButton(QWidget *parent, const QString &name) : QPushButton(parent) {
        setObjectName(name);
        setFlat(true);
        setCursor(Qt::PointingHandCursor);
        setFocusPolicy(Qt::StrongFocus);
        setAttribute(Qt::WA_Hover);
    }

    void setPicture(const QPixmap &picture) {
        m_picture = picture;
        update();
    }
    const QPixmap &picture() const { return m_picture; }
    // How thick the focus ring is, in pixels (one twip-scaled pixel).
    void setRingWidth(int width) { m_ring = qMax(1, width); }

    QSize sizeHint() const override {
        if (!m_picture.isNull())
            return m_picture.size();
        const QFontMetrics fm(font());
        const int pad = 2 * m_ring + 2;
        return QSize(fm.horizontalAdvance(text()) + 2 * pad, fm.height() + 2 * pad);
    }

protected:
    void paintEvent(QPaintEvent *) override {
        QPainter p(this);
        const QColor ink = palette().color(QPalette::ButtonText);
        const bool hovered = underMouse() || testAttribute(Qt::WA_UnderMouse);
        if (!m_picture.isNull()) {
            p.drawPixmap(rect(), m_picture);
            // On a picture of any colours a black and white ring shows.
            if (hovered || hasFocus()) {
                const int w = hasFocus() ? 2 * m_ring : m_ring;
                drawRing(p, rect(), Qt::black, w);
                drawRing(p, rect().adjusted(w, w, -w, -w), Qt::white, w);
            }
            return;
        }
        QFont f = font();
        f.setUnderline(hovered);
        p.setFont(f);
        p.setPen(ink);
        p.drawText(rect(), Qt::AlignCenter, text());
        if (hasFocus())
            drawRing(p, rect(), ink, m_ring);
    }

    void keyPressEvent(QKeyEvent *event) override {
        switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            click();
            return;
        // Up and Left go back, Down and Right on, as Tab does.
        case Qt::Key_Up:
        case Qt::Key_Left:
            focusNextPrevChild(false);
            return;
        case Qt::Key_Down:
        case Qt::Key_Right:
            focusNextPrevChild(true);
            return;
        default:
            break;
        }
        QPushButton::keyPressEvent(event);
    }

private:
    static void drawRing(QPainter &p, const QRect &r, const QColor &c, int width) {
        p.fillRect(QRect(r.left(), r.top(), r.width(), width), c);
        p.fillRect(QRect(r.left(), r.bottom() - width + 1, r.width(), width), c);
        p.fillRect(QRect(r.left(), r.top(), width, r.height()), c);
        p.fillRect(QRect(r.right() - width + 1, r.top(), width, r.height()), c);
    }

    QPixmap m_picture;
    int m_ring = 1;
};

TitleButton *asTitleButton(QPushButton *b) {
    return static_cast<TitleButton *>(b);
}

} // namespace

TitleView::TitleView(QWidget *parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TitleView"));
    setAutoFillBackground(true);

    auto label = [this](const QString &name) {
        auto *l = new QLabel(this);
        l->setObjectName(name);
        l->setTextFormat(Qt::PlainText);
        l->installEventFilter(this);
        l->hide();
        return l;
    };
    m_txtAdventureName = label(QStringLiteral("txtAdventureName"));
    m_txtAdventureName->setAlignment(Qt::AlignCenter);
    m_txtAdventureName->setWordWrap(true);
    m_txtVersion = label(QStringLiteral("txtVersion"));
    m_lblAuthor = label(QStringLiteral("lblAuthor"));
    m_txtAuthor = label(QStringLiteral("txtAuthor"));
    m_lblEmail = label(QStringLiteral("lblEmail"));
    m_txtEmail = label(QStringLiteral("txtEmail"));
    m_txtEmail->setCursor(Qt::PointingHandCursor);
    m_lblHomepage = label(QStringLiteral("lblHomepage"));
    m_txtHomepage = label(QStringLiteral("txtHomepage"));
    m_txtHomepage->setCursor(Qt::PointingHandCursor);
    m_lblResolution = label(QStringLiteral("lblResolution"));
    m_chkResolution = new QCheckBox(this);
    m_chkResolution->setObjectName(QStringLiteral("chkResolution"));
    m_chkResolution->hide();

    for (int i = 0; i < 4; ++i) {
        m_img[i] = new TitleButton(this, QStringLiteral("Img%1").arg(i));
        m_img[i]->hide();
        if (i < 3)
            connect(m_img[i], &QPushButton::clicked, this, [this, i] { emit buttonClicked(i); });
    }
    // The tile is painted, never shown as a control.
    m_img[3]->setAccessibleName(tr("Background"));
    m_img[3]->setFocusPolicy(Qt::NoFocus);
    for (int i = 0; i < 3; ++i) {
        m_lblButton[i] = new TitleButton(this, QStringLiteral("lblButton%1").arg(i));
        m_lblButton[i]->hide();
        connect(m_lblButton[i], &QPushButton::clicked, this, [this, i] { emit buttonClicked(i); });
    }
    buildCredits();
    m_settings = new TitleButton(this, QStringLiteral("cmdPlayerSettings"));
    m_settings->setText(tr("Settings"));
    m_settings->setAccessibleDescription(tr("Player settings"));
    connect(m_settings, &QPushButton::clicked, this, &TitleView::settingsClicked);

    // Tab and the arrows go Start, Load, Exit (picture or text, whichever shows), then the
    // option and the credits.
    QWidget *order[] = {m_img[0],       m_lblButton[0],  m_img[1], m_lblButton[1], m_img[2],
                        m_lblButton[2], m_chkResolution, m_info,   m_settings};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
    installEventFilter(this);
    m_screen.layOut();
    setScreen(m_screen);
}

void TitleView::buildCredits() {
    // The credits panel: a small "i" opens it, BACK closes it.
    m_info = new TitleButton(this, QStringLiteral("imgCredits"));
    m_info->setText(QStringLiteral("i"));
    m_info->setAccessibleDescription(tr("About Quillmoor"));
    m_credits = new QFrame(this);
    m_credits->setObjectName(QStringLiteral("Credits"));
    m_credits->setFrameShape(QFrame::Box);
    m_credits->setAutoFillBackground(true);
    QPalette creditsPalette = m_credits->palette();
    creditsPalette.setColor(QPalette::Window, kCreditsBackground);
    m_credits->setPalette(creditsPalette);
    m_creditsText =
        new QLabel(tr("Made with Quillmoor %1\n\nan authoring tool for point-and-click games")
                       .arg(QStringLiteral(QM_VERSION)),
                   m_credits);
    m_creditsText->setObjectName(QStringLiteral("lblCredits"));
    m_creditsText->setAlignment(Qt::AlignCenter);
    m_creditsText->setWordWrap(true);
    setInk(m_creditsText, kCreditsInk);
    m_back = new TitleButton(m_credits, QStringLiteral("lblBack"));
    m_back->setText(tr("BACK"));
    setInk(m_back, kCreditsInk);
    auto *creditsLayout = new QVBoxLayout(m_credits);
    creditsLayout->addStretch();
    creditsLayout->addWidget(m_creditsText);
    creditsLayout->addStretch();
    creditsLayout->addWidget(m_back, 0, Qt::AlignHCenter);
    m_credits->hide();
    connect(m_info, &QPushButton::clicked, this, [this] {
        m_credits->setGeometry(rect());
        m_credits->show();
        m_credits->raise();
        m_back->setFocus();
    });
    connect(m_back, &QPushButton::clicked, this, [this] {
        m_credits->hide();
        m_info->setFocus();
    });
}

QFont TitleView::fontOf(double points, bool bold, bool italic) const {
    QFont f = QApplication::font();
    f.setPointSizeF(m_scale.scalePoints(points));
    f.setBold(bold);
    f.setItalic(italic);
    return f;
}

QSize TitleView::sizeHint() const {
    return m_scale.toPixels(QSize(TitleScreen::Width, m_screen.innerHeight));
}

void TitleView::setInteractive(bool interactive) {
    setAttribute(Qt::WA_TransparentForMouseEvents, !interactive);
    const Qt::FocusPolicy policy = interactive ? Qt::StrongFocus : Qt::NoFocus;
    for (QPushButton *b : {m_img[0], m_img[1], m_img[2], m_lblButton[0], m_lblButton[1],
                           m_lblButton[2], m_info, m_settings, m_back})
        b->setFocusPolicy(policy);
    m_chkResolution->setFocusPolicy(policy);
}

QPushButton *TitleView::shownButton(int i) const {
    if (!m_img[i]->isHidden())
        return m_img[i];
    return m_lblButton[i]->isHidden() ? nullptr : m_lblButton[i];
}

void TitleView::setScreen(const TitleScreen &screen, const TwipScale &scale) {
    m_screen = screen;
    m_scale = scale;
    place();
    applyColours();
    updateGeometry();
    resize(sizeHint());
    update();
}

void TitleView::place() {
    const TitleScreen &t = m_screen;
    const TwipScale &s = m_scale;
    const int ring = s.roundToPixels(TwipScale::kTwipsPerPixel);

    m_txtAdventureName->setFont(fontOf(TitleScreen::TitlePoints, true));
    m_txtAdventureName->setText(t.title);
    m_txtAdventureName->setGeometry(s.toPixels(t.titlePlace));
    m_txtAdventureName->setVisible(!t.titleHidden && !t.title.isEmpty());

    const QFont lineFont = fontOf(TitleScreen::LinePoints, false);
    auto placeLine = [&](QLabel *label, QLabel *value, const TitleScreen::Line &line) {
        if (label) {
            label->setFont(lineFont);
            label->setText(line.label);
            label->setGeometry(s.toPixels(line.labelPlace));
            label->setVisible(line.shown);
        }
        value->setFont(lineFont);
        value->setText(line.text);
        value->setGeometry(s.toPixels(line.textPlace));
        value->setVisible(line.shown);
    };
    placeLine(nullptr, m_txtVersion, t.version);
    placeLine(m_lblAuthor, m_txtAuthor, t.author);
    placeLine(m_lblEmail, m_txtEmail, t.email);
    placeLine(m_lblHomepage, m_txtHomepage, t.homepage);

    m_lblResolution->setFont(lineFont);
    m_lblResolution->setText(t.resolutionLabel);
    m_chkResolution->setAccessibleName(t.resolutionLabel);
    m_chkResolution->setGeometry(s.toPixels(t.resolutionCheckPlace));
    m_lblResolution->setGeometry(s.toPixels(t.resolutionLabelPlace));
    m_chkResolution->setVisible(t.resolutionShown);
    m_lblResolution->setVisible(t.resolutionShown);

    const int centre = s.toPixels(TitleScreen::ButtonCentre);
    const QFont buttonFont = fontOf(TitleScreen::ButtonPoints, true);
    for (int i = 0; i < 3; ++i) {
        const TitleScreen::Button &b = t.buttons[i];
        QImage picture;
        if (b.pictureShown)
            picture = PictureLoader::load(b.picture);
        // A picture that cannot be drawn leaves its text button.
        const bool pictureShown = !picture.isNull();
        const bool textShown = b.textShown || (b.pictureShown && !pictureShown);
        TitleButton *img = asTitleButton(m_img[i]);
        img->setAccessibleName(b.caption);
        img->setToolTip(b.caption);
        img->setRingWidth(ring);
        if (pictureShown) {
            const QSize size = s.scalePixels(picture.size());
            img->setPicture(QPixmap::fromImage(
                s.isNormal()
                    ? picture
                    : picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
            img->setGeometry(centre - size.width() / 2, s.toPixels(b.pictureTop), size.width(),
                             size.height());
        } else {
            img->setPicture(QPixmap());
        }
        img->setVisible(pictureShown);

        TitleButton *text = asTitleButton(m_lblButton[i]);
        text->setFont(buttonFont);
        text->setRingWidth(ring);
        text->setText(b.caption);
        text->setAccessibleName(b.caption);
        const QSize size = text->sizeHint();
        text->setGeometry(centre - size.width() / 2, s.toPixels(b.textTop), size.width(),
                          size.height());
        text->setVisible(textShown);
    }
    m_img[3]->hide();
    m_tile = t.tile.isEmpty() ? QImage() : PictureLoader::load(t.tile);
    if (!m_tile.isNull() && !s.isNormal())
        m_tile = m_tile.scaled(s.scalePixels(m_tile.size()), Qt::IgnoreAspectRatio,
                               Qt::SmoothTransformation);

    m_info->setFont(fontOf(TitleScreen::InfoPoints, true, true));
    asTitleButton(m_info)->setRingWidth(ring);
    m_info->setGeometry(s.toPixels(t.infoPlace));
    m_info->raise();
    m_settings->setFont(fontOf(TitleScreen::InfoPoints, true, true));
    asTitleButton(m_settings)->setRingWidth(ring);
    m_settings->setGeometry(s.toPixels(t.settingsPlace));
    m_settings->raise();
    m_creditsText->setFont(lineFont);
    m_back->setFont(buttonFont);
    asTitleButton(m_back)->setRingWidth(ring);
    m_credits->setGeometry(QRect(QPoint(0, 0), sizeHint()));
}

void TitleView::applyColours() {
    const TitleScreen &t = m_screen;
    // Back to the style's colours first: a preview shows one scheme after another.
    QWidget *plain[] = {this,           m_txtAdventureName, m_txtVersion,    m_lblAuthor,
                        m_txtAuthor,    m_lblEmail,         m_txtEmail,      m_lblHomepage,
                        m_txtHomepage,  m_lblResolution,    m_chkResolution, m_lblButton[0],
                        m_lblButton[1], m_lblButton[2],     m_info,          m_settings};
    for (QWidget *w : plain)
        w->setPalette(QPalette());
    QColor c;
    if (t.coloursSet) {
        if (colourFromValue(t.backgroundColour, c)) {
            QPalette p = palette();
            p.setColor(QPalette::Window, c);
            setPalette(p);
        }
        if (colourFromValue(t.titleColour, c))
            setInk(m_txtAdventureName, c);
        if (colourFromValue(t.textsColour, c)) {
            for (QWidget *w :
                 {static_cast<QWidget *>(m_lblResolution), static_cast<QWidget *>(m_chkResolution),
                  static_cast<QWidget *>(m_txtVersion), static_cast<QWidget *>(m_lblAuthor),
                  static_cast<QWidget *>(m_lblEmail), static_cast<QWidget *>(m_lblHomepage),
                  static_cast<QWidget *>(m_txtAuthor), static_cast<QWidget *>(m_txtEmail),
                  static_cast<QWidget *>(m_txtHomepage)})
                setInk(w, c);
        }
    }
    if (colourFromValue(t.buttonTextColour(), c)) {
        for (QPushButton *b : m_lblButton)
            setInk(b, c);
    }
    if (!t.coloursSet && !m_tile.isNull()) {
        // A tile without colours: the texts take the ink that reads on the tile's mean colour
        // rather than the style's, which may vanish on a dark picture.
        const QColor mean = meanColour(m_tile);
        QPalette p = palette();
        p.setColor(QPalette::Window, mean);
        setPalette(p);
        const QColor ink = readableOn(mean);
        for (QWidget *w : plain)
            if (w != this && w != m_info && w != m_settings)
                setInk(w, ink);
    }
    // The credits button is the player's own: it reads on the window's colour.
    setInk(m_info, readableOn(palette().color(QPalette::Window)));
    setInk(m_settings, readableOn(palette().color(QPalette::Window)));
}

void TitleView::paintEvent(QPaintEvent *event) {
    QWidget::paintEvent(event);
    if (m_tile.isNull())
        return;
    QPainter p(this);
    p.drawTiledPixmap(rect(), QPixmap::fromImage(m_tile));
}

void TitleView::keyPressEvent(QKeyEvent *event) {
    // Escape leaves the credits panel first; the window closes on the next one.
    if (event->key() == Qt::Key_Escape && !m_credits->isHidden()) {
        m_back->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool TitleView::eventFilter(QObject *watched, QEvent *event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto *e = static_cast<QMouseEvent *>(event);
        if (e->button() == Qt::LeftButton) {
            m_pressed = true;
            m_dragging = false;
            m_pressPos = e->globalPosition().toPoint();
        }
        break;
    }
    case QEvent::MouseMove: {
        auto *e = static_cast<QMouseEvent *>(event);
        if (!m_pressed || !(e->buttons() & Qt::LeftButton))
            break;
        const QPoint offset = e->globalPosition().toPoint() - m_pressPos;
        if (!m_dragging && offset.manhattanLength() >= QApplication::startDragDistance()) {
            m_dragging = true;
            emit dragStarted();
        }
        if (m_dragging)
            emit dragged(offset);
        break;
    }
    case QEvent::MouseButtonRelease: {
        auto *e = static_cast<QMouseEvent *>(event);
        if (e->button() != Qt::LeftButton || !m_pressed)
            break;
        const bool click = !m_dragging;
        m_pressed = false;
        m_dragging = false;
        if (!click)
            break;
        if (watched == m_lblResolution)
            m_chkResolution->toggle();
        else if (watched == m_txtEmail)
            emit emailClicked();
        else if (watched == m_txtHomepage)
            emit homepageClicked();
        break;
    }
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}
