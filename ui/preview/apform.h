#pragma once
// Print preview of the report file "a_classe.txt".
#include <QDialog>

class DialogueEcriture;
class QLineEdit;
class QListWidget;
class QPrinter;
class QPushButton;
class LigneEtat;

class TApForm : public QDialog {
    Q_OBJECT
public:
    explicit TApForm(QWidget *parent = nullptr);
    // exec(): reads program folder + "a_classe.txt" at every activation and shows it.

    // Font style flags of a font: bit 0 bold, bit 1 italic; underline or
    // strike-out add bits that no style text stands for.
    static int StyleDeFonte(const QFont &f);
    // The preview font of the application settings.
    static QFont PoliceApercu();

    QPushButton *Bplus;
    QPushButton *Bmoins;
    QPushButton *BBImp;
    QPushButton *BBFonte;
    QLineEdit *E_ectaille;
    QLineEdit *E_Ecnom;
    QLineEdit *E_ecstyle;
    QListWidget *ListBox1;
    DialogueEcriture *FontDialog1 = nullptr; // built on the first "Ecriture"
    LigneEtat *StatusLine;

public slots:
    void FormActivate();
    void BplusClick();
    void BmoinsClick();
    void BBFonteClick();
    void BBImpClick();

protected:
    void changeEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void FormCreate();
    void FormResize();
    void largeurDeLaPage();
    void afficherPolice();
    void changerTaille(int delta);
    void chargerRapport();

    bool m_centree = false;
    bool m_erreurSignalee = false;
};

extern TApForm *ApForm;
