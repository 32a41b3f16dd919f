#pragma once

#include <QProxyStyle>

// The application's style with the menu bar's overflow arrows drawn in code. Every QMenuBar asks
// the style for them when it is made, and the common style reads them from image files, which
// makes Qt load every image-format plug-in (SVG, TIFF, WebP...) while the main window is built:
// most of what the editor's start costs beyond Qt's own. Everything else is the style's own.
class MenuBarStyle : public QProxyStyle {
public:
    MenuBarStyle();
    QIcon standardIcon(StandardPixmap icon, const QStyleOption *option = nullptr,
                       const QWidget *widget = nullptr) const override;
};
