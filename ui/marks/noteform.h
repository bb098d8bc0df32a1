#pragma once
// The mark-entry window.
#include <QDialog>

class TNoteForm : public QDialog {
    Q_OBJECT
public:
    explicit TNoteForm(QWidget *parent = nullptr); // reads the application settings
    ~TNoteForm() override;                         // writes them back
    // exec(): shown modally on the class just loaded by charger.
};

extern TNoteForm *NoteForm;
