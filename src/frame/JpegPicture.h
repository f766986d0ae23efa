#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// JPEG pictures decoded by libjpeg itself. Any fault in the data (missing,
// truncated, corrupt, absurd dimensions) gives a null QImage, never a crash
// and never a half-decoded picture.
namespace JpegPicture {

// Pictures larger than this either way are refused: ours are tiny, and a
// corrupt header must not make us allocate gigabytes.
constexpr int MaxDimension = 4096;

QImage Decode(const QByteArray& data);
// Reads a file or a Qt resource (":/...") and decodes it.
QImage Load(const QString& path);

// The 16 x 16 green refresh symbol compiled into the frame library.
QString RefreshPicturePath();

}  // namespace JpegPicture
