#pragma once
// Coefficients and dates of the assignments of the loaded class.
#include <QDialog>

class TCoefForm : public QDialog {
    Q_OBJECT
public:
    explicit TCoefForm(QWidget *parent = nullptr);
    // exec(): edits the six coefficient and date strings of the class settings
    // (CoefPeriode, DatePeriode) for NomClasse; Accepted once OK has written them
    // with EcrireCoefDates, Rejected (nothing written, strings unchanged) on Cancel.
};

extern TCoefForm *CoefForm;
