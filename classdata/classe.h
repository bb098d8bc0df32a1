#pragma once
// The loaded class: module-level state shared by every window.
#include "classdata/eleve.h"
#include "classdata/options.h"

#include <QList>
#include <QString>

extern QList<StudentRecord> ListeEleves;
extern QString NomFichier; // e.g. 3EME1.VTC, without folder
extern QString NomClasse;  // NomFichier less its last 4 characters

// Number of students of the loaded class (at most 127).
inline int NbEleves()
{
    return int(ListeEleves.size());
}

// True when one more student may be added.
bool PeutAjouterEleve();
// The message shown when the class is full.
QString MessageClassePleine();

void ViderClasse();

// The file-name part of a command-line argument: everything up to the last
// "/", "\" or ":" is dropped.
QString NomDepuisArgument(const QString &argument);

struct ResultatChargement {
    bool ok = false;
    QString message; // the platform's French message when !ok
};

// Loads program folder + nomFichier (looked up ignoring letter case) and its
// settings file. The model is replaced; on failure it is left empty (the
// settings are already replaced then). The caller shows "Fichier déjà chargé !"
// beforehand when a class was loaded, and the hourglass.
ResultatChargement charger(const QString &nomFichier);

enum class EtatEcriture { Ecrit, Vide, Echec };
struct ResultatEcriture {
    EtatEcriture etat = EtatEcriture::Echec;
    QString message; // "Fichier vide !" or the platform's message
};

// Writes ListeEleves whole to program folder + NomFichier through the safe
// writer: a failure leaves the previous file intact.
ResultatEcriture EcrireClasse();

// Same format to any path (the configuration dialog writes under its own name).
// viderNotes: every mark NO_MARK and every appreciation empty in the copy written.
ResultatEcriture EcrireEleves(const QString &chemin, const QList<StudentRecord> &eleves,
                              bool viderNotes = false);

// The file's bytes: the records in order.
QByteArray OctetsEleves(const QList<StudentRecord> &eleves, bool viderNotes = false);

// A class file and its settings file saved together: both are written or
// neither (the configuration dialog; the mark-entry window after moving
// columns, which moves their coefficients too).
ResultatEcriture EcrireElevesEtOptions(const QString &chemin, const QList<StudentRecord> &eleves,
                                       bool viderNotes, const OptionsAEcrire &options,
                                       bool reglagesNeufs = false);
ResultatEcriture EcrireClasseEtCoefDates(const QString coefs[4], const QString dates[4]);

// Reads a marks file into a list without touching the model.
ResultatChargement LireEleves(const QString &chemin, QList<StudentRecord> &eleves);
