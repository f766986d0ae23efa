#pragma once

#include <QLabel>

// A picture that reports a left click (press and release on it).
class TClickablePicture : public QLabel {
    Q_OBJECT

public:
    explicit TClickablePicture(QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool FPressed = false;
};
