#pragma once
// Coefficients and dates of the assignments of the loaded class.
#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;
class PanneauCalendrier;
class SpinFleches;
class LabelDate;
class LigneEtat;
class QCalendarWidget;

class TCoefForm : public QDialog {
    Q_OBJECT
public:
    explicit TCoefForm(QWidget *parent = nullptr);
    // exec(): edits the six coefficient and date strings of the class settings
    // (CoefPeriode, DatePeriode) for NomClasse; Accepted once OK has written them
    // with EcrireCoefDates, Rejected (nothing written, strings unchanged) on Cancel.

    // Controls, by their designer names; arrays indexed from 1 like periods
    // and assignments (SpinEdit[p][k] is SpinEdit<16(p-1)+k>).
    QFrame *Panel[4];
    QLabel *Label[4];       // period captions
    QLabel *LabelMat[4][3]; // [p][1] left half, [p][2] right half
    QFrame *Bevel[4][3];
    SpinFleches *SpinEdit[4][17];
    LabelDate *Ld[4][17];
    PanneauCalendrier *Panel4;
    QCalendarWidget *MonthCalendar1;
    QPushButton *Button1, *BitBtn1, *BitBtn2, *BitBtn3, *BitBtn4;
    LigneEtat *StatusLine;

    // OK keeps the strings in memory and writes nothing: the class being
    // created or duplicated is written, settings included, by its own save.
    bool EcritureDifferee = false;

    // The date the calendar shows and gives.
    QDate DateCalendrier() const;

public slots:
    void FormShow();
    void Ld1Click(LabelDate *l);
    void BitBtn1Click();
    void MonthCalendar1Click(const QDate &d);
    void Button1Click();
    void BitBtn3Click();
    void BitBtn2Click();
    void BitBtn4Click();

protected:
    void showEvent(QShowEvent *e) override;
    void done(int r) override;

private:
    void construire();
    QFrame *construireRangee(int p);
    void initialiser_coef();
    void ecrireDateChoisie(const QString &texte);
    void FormClose();
};

extern TCoefForm *CoefForm;
