#include "ui/components/editr.h"

#include <QKeyEvent>

void TEditR::keyPressEvent(QKeyEvent *e)
{
    if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter)
        && !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        // Accepted here, so the dialog's default button does not see it.
        e->accept();
        focusNextChild();
        return;
    }
    QLineEdit::keyPressEvent(e);
}
