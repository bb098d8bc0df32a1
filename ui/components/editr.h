#pragma once
// A one-line edit in which Enter moves the focus to the next control, as Tab
// does, instead of validating the dialog.
#include <QLineEdit>

class TEditR : public QLineEdit {
    Q_OBJECT
public:
    using QLineEdit::QLineEdit;

protected:
    void keyPressEvent(QKeyEvent *e) override;
};
