#include "UiFont.h"

#include <QStringList>

namespace {

constexpr int PointSize = 8;

QStringList Families()
{
    return {QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Liberation Sans"),
        QStringLiteral("Arial")};
}

}  // namespace

QFont ClassicUiFont()
{
    QFont font;
    font.setFamilies(Families());
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(PointSize);
    return font;
}

QString ClassicStyleSheet()
{
    QString families;
    for (const QString& family : Families()) {
        families += QLatin1Char('"') + family + QStringLiteral("\", ");
    }
    return QStringLiteral("QWidget { font-family: %1sans-serif; font-size: %2pt; }"
                          "QGroupBox { border: 1px solid palette(mid); border-radius: 2px; margin-top: 6px; }"
                          "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left;"
                          " left: 6px; padding: 0px 2px; }")
        .arg(families)
        .arg(PointSize);
}
