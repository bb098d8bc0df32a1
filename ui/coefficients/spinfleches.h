#pragma once
// A spin box whose value changes only through its arrows and the up and down
// keys: nothing can be typed, pasted or deleted in it, and the wheel is left
// to the window so that scrolling never changes a value by accident.
#include <QSpinBox>

class SpinFleches : public QSpinBox {
    Q_OBJECT
public:
    explicit SpinFleches(QWidget *parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent *e) override;
    void wheelEvent(QWheelEvent *e) override;
};
