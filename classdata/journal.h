#pragma once
// The recovery journal: what the mark-entry window holds and has not saved
// yet, written beside the class (3B.VTC.journal) a few seconds after each
// change, so that a crash or a power cut loses at most those seconds.
#include "classdata/classe.h"

#include <QDateTime>
#include <QList>
#include <QString>

struct Journal {
    QDateTime instant;           // when it was written
    QString nomFichier;          // the class file it belongs to (3B.VTC)
    QList<StudentRecord> eleves; // the whole class as the window held it
    // Columns moved in the grid: the coefficient and date strings that go
    // with the marks' new places (empty when nothing was moved).
    QString coefs[4];
    QString dates[4];
    bool coefsDeplaces() const { return !coefs[1].isEmpty() || !coefs[2].isEmpty() || !coefs[3].isEmpty(); }
};

// Bytes of a journal; decoding refuses anything incomplete or altered.
QByteArray CoderJournal(const Journal &j);
bool DecoderJournal(const QByteArray &octets, Journal &j);

// Writes the journal of program folder + j.nomFichier. Empty on success,
// else the platform's message.
QString EcrireJournal(const Journal &j);
// Reads the journal of a class file; false when there is none or it is not whole.
bool LireJournal(const QString &cheminClasse, Journal &j);
// Removes it; true when none is left.
bool SupprimerJournal(const QString &cheminClasse);
// A journal exists and was written after the class file.
bool JournalPlusRecent(const QString &cheminClasse);

// How the journal differs from the saved class: students are matched by name
// (the window may have ranked them), the n-th of a repeated name with the n-th.
struct DifferencesJournal {
    int notes = 0;
    int appreciations = 0;
    bool coefs = false; // the journal moves the coefficients too
    bool vide() const { return notes == 0 && appreciations == 0 && !coefs; }
};
// coefsFichier: the class's own coefficient strings [1..3].
DifferencesJournal CompterDifferences(const QList<StudentRecord> &fichier, const Journal &j,
                                      const QString coefsFichier[4] = nullptr);

// The saved class with the journal's marks and appreciations put in.
QList<StudentRecord> AppliquerJournal(const QList<StudentRecord> &fichier, const Journal &j);

// "Des modifications non enregistrées du 07/12 à 10:42 ont été retrouvées.
// Voulez-vous les récupérer ?" with the number of marks and appreciations.
QString TexteRecuperation(const Journal &j, const DifferencesJournal &d);
