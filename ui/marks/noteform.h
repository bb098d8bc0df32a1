#pragma once
// The mark-entry window.
#include "classdata/eleve.h"
#include "reports/grille.h"

#include <QColor>
#include <QDialog>
#include <QList>
#include <memory>

class QAction;
class QCheckBox;
class QFrame;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QMenu;
class QPrinter;
class QPushButton;
class QTimer;
class QToolButton;
class DelegueGrille;
class GardeClasse;
class TBandeauCoefs;
class THistoriqueNotes;
class TPanneauExport;
class TPanneauResultats;
class TBarreNotes;
class RadioGroupe;
class TStringGrid;
struct EntreesRapport;

class TNoteForm : public QDialog {
    Q_OBJECT
public:
    explicit TNoteForm(QWidget *parent = nullptr); // reads the application settings
    ~TNoteForm() override;                         // writes them back
    // exec(): shown modally on the class just loaded by charger.

    GardeClasse *Garde; // lock, read-only opening, recovery journal

    // --- Window state ---------------------------------------------------------
    Vue vue = Vue::Notes;
    int periode = 1; // 1..3 or Annee
    Selecteur selecteur = Selecteur::Mat1;
    bool EnregistrementNecessaire = false;
    bool ApresClassement = false;
    bool EnAffichage = false;
    bool CoefsDeplaces = false;
    QString CoefsGrille[4];
    QString DatesGrille[4]; // the date strings, moved with their columns
    bool VersApercu = false;
    QColor CouleurLignesPaires{0, 255, 255};

    // --- Handlers -------------------------------------------------------------
    void FormCreate();
    void FormShow();
    void FormResize();
    void Button1Click();
    void Button2Click();
    void Button4Click();
    void RadioGroup1Click();
    void RadioGroup3Click();
    void RadioGroup2Click();
    void Affiche_Panel_Coef(bool visible);
    void Affiche_Coef();
    void BBCoefDateClick();
    void BB_toolNClick();
    void CheckBox2Click();
    void Timer1Timer();
    void TailleNormaleClick();

    void Set_Donnees();
    void Get_Donnees();
    void Put_Result();
    bool Devoir_Deja_Note() const;

    bool StringGrid1KeyPress(QKeyEvent *e, QLineEdit *editeur);
    void StringGrid1SetEditText(int col, int row);
    void StringGrid1Click();
    void StringGrid1DblClick();
    void PopupMenu1Popup();
    void Augmenterde11Click();
    void Diminuerde11Click();
    void Supprimertouteslesnotes1Click();
    void Rsultatsdudevoir1Click();
    bool StringGrid1DragOver(QObject *source, const QPoint &p) const;
    void StringGrid1DragDrop(QObject *source, const QPoint &p);
    void StringGrid1ColumnMoved(int depuis, int vers);
    void Button9Click();

    void Button7Click();
    void Button8Click();
    void Button10Click();
    void BBPourcentClick();

    bool Button5Click(); // true when everything was written
    void Button6Click();
    void BBTextClick();
    void BBOkClick();
    void BBAbandonClick();
    void BBImpClick();
    void BBApercuClick();
    void BBConf_ImpClick();

    // Undo and redo of the last changes of marks and appreciations.
    void Annuler();
    void Retablir();

    // Names in column 0, in class-model order.
    void EcrireNoms();

public slots:
    void reject() override; // every way of closing but "&Quitter"

protected:
    void showEvent(QShowEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;

private:
    friend class GardeClasse;
    // --- Controls, by their designer names ---------------------------------
    TStringGrid *StringGrid1;
    RadioGroupe *RadioGroup1, *RadioGroup2, *RadioGroup3;
    QPushButton *Button1, *Button2, *Button4, *Button5, *Button6, *Button7, *Button8, *Button9, *Button10;
    QPushButton *BBText, *BBImp, *BBApercu, *BBConf_Imp, *BBPourcent, *BBCoefDate, *BB_toolN;
    QToolButton *BBTailleNormale; // puts the window back to its normal size
    TBarreNotes *P_Notes;
    QCheckBox *CheckBox2;
    TBandeauCoefs *Panel_coef;
    TPanneauResultats *Panel1, *Panel2;
    QFrame *PanelBas;
    QLabel *Label1, *Label16, *Label17, *Label18, *Image1;
    QMenu *PopupMenu1;
    QAction *Rsultatsdudevoir1, *Augmenterde11, *Diminuerde11, *Supprimertouteslesnotes1;
    TPanneauExport *WinPanel1;
    QTimer *Timer1;
    THistoriqueNotes *m_historique;

    void construire();
    void construireBoutons();
    void construirePanneaux();
    void construireMenu();
    void appliquerCouleurs();
    void brancher();
    void appliquerLargeurs();
    void menuAttache(bool oui);
    void deplacementColonnes();
    void rafraichirApresSelection();
    void remplirApresChoix();
    void verrouillerApresDeplacement();
    void ajusterDeuxChiffres(int delta);
    void majDrapeau();
    EntreesRapport entreesRapport() const;
    // Coefficient of a column by its title: the one the column carried when
    // the window opened, wherever the teacher has since moved it.
    void memoriserCoefs();
    int CoefColonne(int col) const;
    QString DateColonne(int col) const;
    bool colonneMat2(int col) const;

    // Undo: the history records each change between these two calls.
    void debutModification();
    void finModification(const QString &libelle);
    void viderHistorique();
    QString nomEtape(int col, int row) const;
    void historiqueDeplace();

    DelegueGrille *m_delegue;
    bool m_menuAttache = true;
    bool m_fermetureAutorisee = false;
    bool m_verrouille = false; // column moved: locked until closed
    bool m_modifHorsHistorique = false;
    int m_largeurDessin = 640;
    QString m_texteAvantEdition;
    QPoint m_celluleEditee;
    qint32 m_coef1[4][17] = {};
    qint32 m_coef2[4][17] = {};
    QString m_date1[4][17];
    QString m_date2[4][17];
};

extern TNoteForm *NoteForm;
