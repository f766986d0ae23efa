#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace WindowPlacement {

// Where a window of frameSize goes beside the owner's frame: to its right,
// else to its left, else over it; always inside the available screen area
// (a window larger than the area keeps its top-left corner in view).
QPoint Beside(const QRect& ownerFrame, const QSize& frameSize, const QRect& available);

}  // namespace WindowPlacement
