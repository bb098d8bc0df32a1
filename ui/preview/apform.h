#pragma once
// Print preview of the report file "a_classe.txt".
#include <QDialog>

class TApForm : public QDialog {
    Q_OBJECT
public:
    explicit TApForm(QWidget *parent = nullptr);
    // exec(): reads program folder + "a_classe.txt" at every activation and shows it.
};

extern TApForm *ApForm;
