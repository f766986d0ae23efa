#include "HoverChartView.h"

#include <QMouseEvent>

#include <cmath>

THoverChartView::THoverChartView(QWidget* parent) : QChartView(parent)
{
    setMouseTracking(true);
    setRenderHint(QPainter::Antialiasing);
}

void THoverChartView::mouseMoveEvent(QMouseEvent* event)
{
    QChartView::mouseMoveEvent(event);
    if (chart() == nullptr || chart()->series().isEmpty()) {
        return;
    }
    const QPointF scenePos = mapToScene(event->position().toPoint());
    const QPointF chartPos = chart()->mapFromScene(scenePos);
    if (!chart()->plotArea().contains(chartPos)) {
        emit left();
        return;
    }
    const double ms = chart()->mapToValue(chartPos).x();
    // Far inside qint64: the conversion below stays defined.
    constexpr double LargestMs = 1e15;
    if (std::isfinite(ms) && std::abs(ms) < LargestMs) {
        emit hoveredAt(static_cast<qint64>(std::llround(ms)));
    }
}

void THoverChartView::leaveEvent(QEvent* event)
{
    QChartView::leaveEvent(event);
    emit left();
}
