#pragma once

#include <QChartView>

// A chart view that reports the clock value under the mouse: a line series
// signals only entering and leaving, not moves.
class THoverChartView : public QChartView {
    Q_OBJECT

public:
    explicit THoverChartView(QWidget* parent = nullptr);

signals:
    // Milliseconds since the epoch on the chart's horizontal axis.
    void hoveredAt(qint64 ms);
    void left();

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
};
