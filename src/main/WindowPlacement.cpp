#include "WindowPlacement.h"

#include <algorithm>

QPoint WindowPlacement::Beside(const QRect& ownerFrame, const QSize& frameSize, const QRect& available)
{
    int left = ownerFrame.right() + 1;
    if (left + frameSize.width() > available.right() + 1) {
        left = ownerFrame.left() - frameSize.width();
    }
    // Neither side has room: as far right as the screen allows.
    if (left < available.left()) {
        left = available.right() + 1 - frameSize.width();
    }
    left = std::max(left, available.left());
    const int top = std::max(std::min(ownerFrame.top(), available.bottom() + 1 - frameSize.height()), available.top());
    return {left, top};
}

QRect WindowPlacement::BesideWithFrame(
    const QRect& ownerFrame, const QSize& wanted, const QMargins& frameMargins, const QRect& available)
{
    const QSize room = available.size().shrunkBy(frameMargins).expandedTo(QSize(1, 1));
    const QSize size = wanted.boundedTo(room);
    const QPoint frame = Beside(ownerFrame, size.grownBy(frameMargins), available);
    return {frame + QPoint(frameMargins.left(), frameMargins.top()), size};
}

QRect WindowPlacement::Reshown(const QRect& kept, const QRect& ownerFrame, const QSize& wanted,
    const QMargins& frameMargins, const QRect& available)
{
    if (kept.isNull()) {
        return BesideWithFrame(ownerFrame, wanted, frameMargins, available);
    }
    if (available.contains(kept.marginsAdded(frameMargins))) {
        return kept;
    }
    return BesideWithFrame(ownerFrame, kept.size(), frameMargins, available);
}
