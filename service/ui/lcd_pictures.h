#pragma once

#include "service/video_memory.h"

#include <QImage>
#include <QString>

namespace qv {

// A decoded picture as an image of the LCD's eight colours, the colour
// code being the pixel's index.
QImage LcdImageOf(const LcdPicture& picture);

// The greyscale sample of the instrument's display shown before the first
// capture and behind a partial one.
QImage BackdropPicture();

// Writes the picture as "BMP" or "PNG" through a temporary file; the old
// file stays when that fails. False with the reason.
bool WritePicture(const QImage& picture, const QString& path, const char* format, QString& error);

} // namespace qv
