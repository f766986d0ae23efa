#include "ProgramPicture.h"

#include <QImage>

QPixmap ProgramPicture()
{
    QImage picture(QStringLiteral(":/kelvara/kelvara-picture.bmp"));
    if (picture.isNull()) {
        return {};
    }
    picture = picture.convertToFormat(QImage::Format_ARGB32);
    const QRgb transparent = picture.pixel(0, picture.height() - 1);
    for (int y = 0; y < picture.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < picture.width(); ++x) {
            if (line[x] == transparent) {
                line[x] = qRgba(0, 0, 0, 0);
            }
        }
    }
    return QPixmap::fromImage(picture);
}

QIcon ProgramIcon()
{
    return QIcon(QStringLiteral(":/kelvara/kelvara-icon.xpm"));
}
