#pragma once

#include <QByteArray>
#include <QImage>

// WMF and EMF pictures converted to SVG and drawn. The header and record checks keep anything
// the converter libraries would misread away from them. A null image when the data is not such
// a picture or cannot be drawn.
namespace MetafileConverters {

QImage fromWmf(const QByteArray &data);
QImage fromEmf(const QByteArray &data);

} // namespace MetafileConverters
