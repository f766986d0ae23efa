#pragma once

#include <QWidget>

class QToolButton;

// Two arrow buttons that count whole steps; not attached to any edit, the
// owner copies values itself. A click moves the position by one within
// Min..Max (no wrap) and then emits click, also when the position stayed at
// an end. Disabled while Max is 0 or less.
class TUpDownSpinner : public QWidget {
    Q_OBJECT

public:
    enum class TDirection { Up, Down };
    Q_ENUM(TDirection)

    explicit TUpDownSpinner(QWidget* parent = nullptr);

    int Position() const { return FPosition; }
    int Min() const { return FMin; }
    int Max() const { return FMax; }
    // Held within Min..Max.
    void SetPosition(int position);
    void SetMin(int min);
    void SetMax(int max);

    QToolButton* UpButton() const { return FUp; }
    QToolButton* DownButton() const { return FDown; }

signals:
    void click(TUpDownSpinner::TDirection direction);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void Step(TDirection direction);
    void UpdateEnabled();

    QToolButton* FUp;
    QToolButton* FDown;
    int FPosition = 0;
    int FMin = 0;
    int FMax = 0;
};
