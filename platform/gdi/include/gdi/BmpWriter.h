// Windows bitmap (.bmp) files: 24 bits per pixel, uncompressed, rows bottom-up and padded to 4 bytes,
// 96 dpi.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include "gdi/DeviceContext.h"

namespace gdi {

QByteArray encodeBmp(const QImage& image);
// False (and no file left behind) when the image is empty or the file cannot be written.
bool saveBmp(const QImage& image, const QString& path);
bool saveBitmapFile(HBITMAP bitmap, const QString& path);
// The bitmap selected into a memory context.
bool saveBitmapFile(const DeviceContext& dc, const QString& path);

}  // namespace gdi
