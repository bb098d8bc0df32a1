#pragma once
// Class balance of the year: mark bands, gauges, lists, class figures.
#include "averages/moyennes.h"
#include "reports/bilan.h"

#include <QDialog>

#include <functional>

class JaugeCirculaire;
class QFrame;
class QLabel;
class QListWidget;
class QPrinter;
class QPushButton;

class TPourcentForm : public QDialog {
    Q_OBJECT
public:
    explicit TPourcentForm(QWidget *parent = nullptr);
    ~TPourcentForm() override;
    // The subject selector of the mark-entry window, set before exec().
    void preparer(Selecteur sel);

    const DonneesBilan &donnees() const { return m_donnees; }

    // Handlers.
    void FormCreate();
    void FormActivate();
    void BitBtn2Click();

    QFrame *Panel1;
    QLabel *Label1, *Label2, *Label3; // band captions
    QLabel *Label4, *Label5, *Label6; // counts
    QLabel *Label7, *Label8, *Label9; // percentages
    QLabel *Label10;                  // heading
    QLabel *LabelMin, *LabelMoy, *LabelMax;
    JaugeCirculaire *Gauge1, *Gauge2, *Gauge3;
    QListWidget *LB1, *LB2, *LB3;
    QPushButton *BitBtn1, *BitBtn2;

protected:
    void showEvent(QShowEvent *e) override;

private:
    void construire();
    QPrinter &imprimante();

    Selecteur m_sel = Selecteur::Mat1;
    DonneesBilan m_donnees;
    QPrinter *m_imprimante = nullptr;
};

extern TPourcentForm *PourcentForm;
