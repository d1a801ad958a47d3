#pragma once

#include <QByteArray>
#include <QImage>

#include <optional>

// The picture of a BMP file's bytes, refused where the reader would fill it with whatever the
// memory held, and with colours the file leaves undefined made black.
namespace BmpDecoder {

// A flag is 16 or 32 pixels on a side. Past this a picture is no flag, its stored text would
// outgrow what a language file may hold, and a few compressed bytes could ask for gigabytes.
constexpr qint64 MaxPixels = 1024 * 1024;

// nullopt when the bytes are not a bitmap, are cut short of their pixels or announce more than
// MaxPixels. A pixel whose index lies past the colour table reads as black.
std::optional<QImage> decode(const QByteArray& bmp);

} // namespace BmpDecoder
