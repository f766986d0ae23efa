#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

namespace WindowPlacement {

// Where a window of frameSize goes beside the owner's frame: to its right,
// else to its left, else over it; always inside the available screen area
// (a window larger than the area keeps its top-left corner in view).
QPoint Beside(const QRect& ownerFrame, const QSize& frameSize, const QRect& available);

// The geometry (frame excluded) of a window of the wanted size whose frame
// adds frameMargins: placed as Beside places its frame, and shrunk where the
// frame would not fit, so that title bar and borders lie inside available too.
QRect BesideWithFrame(
    const QRect& ownerFrame, const QSize& wanted, const QMargins& frameMargins, const QRect& available);

// The geometry of a window shown again: kept, where the user left it, when
// its frame still lies wholly inside available; otherwise, and the first
// time (kept null), placed as BesideWithFrame places it, at its kept size
// once it has one.
QRect Reshown(const QRect& kept, const QRect& ownerFrame, const QSize& wanted, const QMargins& frameMargins,
    const QRect& available);

}  // namespace WindowPlacement
