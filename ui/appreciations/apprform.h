#pragma once
// The appreciation expert: phrase libraries chosen by a student profile.
#include "appreciations/baseappreciations.h"

#include <QDialog>

class ListePhrases;
class LigneEtat;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;
class RadioGroupe;

class TApprForm : public QDialog {
    Q_OBJECT
public:
    explicit TApprForm(QWidget *parent = nullptr);
    // Inputs, set before exec(): the student's display name, his mark
    // (NO_MARK for none), the period shown (1..3 or Annee); DeuxPeriodes is read
    // from the class settings.
    void preparer(const QString &nomEleve, double note, int span);
    // After exec(): the chosen appreciation (at most 80 characters), empty when
    // none was chosen.
    QString appreciationChoisie() const;

    // What the window works on, for its indicator and for tests.
    Profil profil() const;
    QString baseCourante() const { return m_base; }
    bool baseModifiee() const { return m_modifiee; }

    // Handlers.
    void FormActivate();
    void FormPaint();
    void RG1Click();
    void BChargerClick();
    void BSauverClick();
    void BAjouterClick();
    void M1Change();
    void BModifierClick();
    void BSupprimerClick();
    void BChoisirClick();
    void BQuitterClick();
    void Timer1Timer();

    RadioGroupe *RG1, *RG2, *RG3, *RG4, *RG5, *RG6, *RG7, *RG8;
    ListePhrases *CB1;
    QLabel *Panel1;
    QLineEdit *M1;
    QPushButton *BChoisir, *BModifier, *BSupprimer, *BAjouter;
    QPushButton *BCharger, *BSauver, *BQuitter;
    QLabel *Image1;
    QTimer *Timer1;
    LigneEtat *StatusLine;

protected:
    void showEvent(QShowEvent *e) override;
    void closeEvent(QCloseEvent *e) override;

public slots:
    void reject() override; // Escape: the window closes only through its buttons

private:
    void construire();
    void fermer(int resultat);
    void couleurRecharger(bool rouge);
    void activerCommandes(bool avecAjouter);
    // Empties the list, rebuilds the base name from the profile; loads the
    // base when it exists. Returns whether it existed.
    bool relireBase(bool messageSiAbsente);
    // Writes the list to the current base; reports a failure and returns false.
    bool ecrireBase();
    std::array<RadioGroupe *, 8> groupes() const { return {RG1, RG2, RG3, RG4, RG5, RG6, RG7, RG8}; }
    // Common part of opening and of a profile change.
    void ouvrirProfil();
    // "Choisir", "Modifier", "Supprimer" need a selected phrase.
    int ligneChoisie();

    QString m_nom;
    double m_note = -1;
    int m_span = 1;
    QString m_choisie;
    QString m_base;
    Profil m_profil{};
    bool m_modifiee = false;
    bool m_fermeture = false;
    BasesLues m_bases; // while the window is open
};

extern TApprForm *ApprForm;
