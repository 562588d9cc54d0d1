// Windows bitmap (.bmp) files: 24 bits per pixel, uncompressed, rows bottom-up and padded to 4 bytes,
// 96 dpi.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include "gdi/DeviceContext.h"

namespace gdi {

QByteArray encodeBmp(const QImage& image);
// False when the image is empty or the file cannot be written completely; an existing file is then
// left as it was and no new one is made.
bool saveBmp(const QImage& image, const QString& path);
bool saveBitmapFile(HBITMAP bitmap, const QString& path);
// The bitmap selected into a memory context.
bool saveBitmapFile(const DeviceContext& dc, const QString& path);

}  // namespace gdi
