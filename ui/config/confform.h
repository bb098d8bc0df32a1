#pragma once
// Creating, modifying and duplicating a class.
#include <QDialog>

#include <memory>

class QCheckBox;
class QLabel;
class QPushButton;
class QTimer;
class ChampConf;
class RadioGroupe;
class ListeBoite;
class BoutonSuppression;
class SpinFleches;
class LigneEtat;
class VerrouClasse;

// Exactly one is set by the main menu before the dialog opens.
extern bool ModeCreation;
extern bool ModeModification;
extern bool ModeDuplication;

// State of the dialog, shared with whoever needs to know.
namespace Conf {
extern bool Modifie;            // unsaved changes
extern bool ATrier;             // the class model must be sorted before saving
extern bool DemanderEcrasement; // ask before replacing an existing class file
extern bool ViderNotes;         // the duplicate starts without marks, coefficients and dates
} // namespace Conf

// Sorts ListeEleves by CleDeTri(Nom + " " + Prenom); equal keys keep their order.
void TrierEleves();

// The confirmation asked before a student is deleted; true on Yes.
bool ConfirmerSuppression(const QString &nom, const QString &prenom);

class TConfForm : public QDialog {
    Q_OBJECT
public:
    explicit TConfForm(QWidget *parent = nullptr);
    ~TConfForm() override;
    // exec(): works on the loaded class (modify, duplicate) or an empty one (create).

    // Controls, by their designer names.
    ChampConf *E1, *E2, *E3, *M4, *M5;
    RadioGroupe *RadioGroup1, *RadioGroup2, *RG3;
    QCheckBox *CheckBox1;
    ListeBoite *LB1;
    QLabel *L6, *Label3, *Image1;
    QPushButton *B1, *B2, *B3, *B5, *B6, *BImporter;
    BoutonSuppression *B4;
    SpinFleches *SpinEdit1;
    QTimer *Timer1;
    LigneEtat *StatusLine;

public slots:
    void FormShow();
    void B1Click(); // quit
    void B2Click(); // add
    void B3Click(); // save
    void B4Click(); // delete
    void B4DragDrop(const QString &entree);
    void B5Click(); // rename
    void B6Click(); // coefficients and dates
    void BImporterClick();
    void LB1Click();
    void Label3Click();
    void Timer1Timer();

protected:
    void showEvent(QShowEvent *e) override;
    void reject() override;
    bool eventFilter(QObject *objet, QEvent *e) override;

private:
    void construire();
    bool enregistrer(); // true once both files are written
    bool ecrireFichiers(const QString &nomFichier);
    void ajouterEleve(const QString &nom, const QString &prenom);
    void retirerEleve(const QString &entree);
    void afficherNombre();
    void fermer();
    void entreeControle();    // the subject, period, label and print controls
    bool m_ouverture = false; // controls are being filled, not changed

    // A class being modified is locked against other copies of the program
    // (verrouconf.cpp).
    void reserver();
    void liberer();
    void lectureSeule(bool oui);
    bool avantEcriture(); // false: write nothing now
    std::unique_ptr<VerrouClasse> m_verrou;
    bool m_lectureSeule = false;
};

extern TConfForm *ConfForm;
