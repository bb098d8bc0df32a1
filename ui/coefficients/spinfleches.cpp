#include "ui/coefficients/spinfleches.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QWheelEvent>

SpinFleches::SpinFleches(QWidget *parent)
    : QSpinBox(parent)
{
    // Only the edit is read-only: the spin box itself still steps.
    lineEdit()->setReadOnly(true);
    setContextMenuPolicy(Qt::NoContextMenu);
    setAlignment(Qt::AlignCenter);
}

void SpinFleches::keyPressEvent(QKeyEvent *e)
{
    switch (e->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down: QSpinBox::keyPressEvent(e); return;
    case Qt::Key_Delete:
    case Qt::Key_Backspace:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        e->accept(); // swallowed: a coefficient is never emptied
        return;
    default:
        if (!e->text().isEmpty() && e->text().at(0).isPrint()) {
            e->accept();
            return;
        }
        QSpinBox::keyPressEvent(e);
    }
}

void SpinFleches::wheelEvent(QWheelEvent *e)
{
    e->ignore();
}
