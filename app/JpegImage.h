// Decoding of the logo, a JPEG built into the program, with libjpeg.
#pragma once

#include <QByteArray>
#include <QImage>

namespace kivo {

// Decodes a JFIF (baseline or progressive JPEG) image with libjpeg. Returns a null image
// when the data is not a JPEG image it can decode.
QImage DecodeJpeg(const QByteArray& data);

}  // namespace kivo
