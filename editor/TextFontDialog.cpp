#include "TextFontDialog.h"

#include "BasicColor.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QFormLayout>
#include <QPixmap>
#include <QVBoxLayout>

namespace {

const char *const kColorNames[16] = {"Black", "Navy",    "Green",  "Teal", "Maroon", "Purple",
                                     "Olive", "Silver",  "Gray",   "Blue", "Lime",   "Aqua",
                                     "Red",   "Fuchsia", "Yellow", "White"};

QColor qcolor(qint32 c) {
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

} // namespace

TextFontDialog::TextFontDialog(const QFont &font, qint32 color, QWidget *parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Font"));
    auto *layout = new QVBoxLayout(this);
    m_font = new QFontDialog(font, this);
    m_font->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog |
                       QFontDialog::ScalableFonts | QFontDialog::NonScalableFonts);
    m_font->setWindowFlags(Qt::Widget);
    m_font->setCurrentFont(font);
    layout->addWidget(m_font);
    auto *form = new QFormLayout;
    m_color = new QComboBox(this);
    m_color->setAccessibleName(QStringLiteral("Color"));
    for (int i = 0; i < 16; ++i) {
        QPixmap swatch(16, 16);
        swatch.fill(qcolor(BasicPaletteColor(i)));
        m_color->addItem(QIcon(swatch), QString::fromLatin1(kColorNames[i]), BasicPaletteColor(i));
    }
    const int index = m_color->findData(color);
    m_color->setCurrentIndex(index >= 0 ? index : 0);
    form->addRow(QStringLiteral("&Color:"), m_color);
    layout->addLayout(form);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

QFont TextFontDialog::selectedFont() const {
    return m_font->currentFont();
}

qint32 TextFontDialog::selectedColor() const {
    return m_color->currentData().toInt();
}

bool TextFontDialog::choose(QFont &font, qint32 &color, QWidget *parent) {
    TextFontDialog dialog(font, color, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    font = dialog.selectedFont();
    color = dialog.selectedColor();
    return true;
}
