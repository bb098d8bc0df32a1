#pragma once
// One student as the class marks file holds it.
#include <QByteArray>
#include <QString>

constexpr int TAILLE_ENREGISTREMENT = 1578;
constexpr int CAPACITE_NOM = 12;
constexpr int CAPACITE_APPRECIATION = 80;
constexpr int NB_PERIODES_MAX = 3;
constexpr int NB_DEVOIRS = 16;
constexpr int NB_ELEVES_MAX = 127; // the student count is a signed 8-bit value

// Appreciation views and the year slot.
constexpr int VUE_MAT1 = 1, VUE_MAT2 = 2, VUE_ENSEMBLE = 3;
constexpr int PERIODE_ANNEE = 4;

// All arrays are indexed from 1, as periods and assignments are numbered;
// index 0 is unused.
struct StudentRecord {
    QString Nom;    // at most 12 characters, stored upper-cased
    QString Prenom; // at most 12 characters
    double NotesMat1[NB_PERIODES_MAX + 1][NB_DEVOIRS + 1];
    double NotesMat2[NB_PERIODES_MAX + 1][NB_DEVOIRS + 1];
    QString Appreciations[4][5]; // [view 1..3][period 1..3, 4 = year], at most 80 characters
    quint32 Lien = 0;

    // The record's bytes as last read or written: bytes that carry no meaning
    // (after the end of a text) are written back as they were.
    QByteArray brut;

    // A new student: NO_MARK everywhere, empty appreciations.
    StudentRecord();

    // Slot of subject 1 or 2.
    double &note(int matiere, int periode, int devoir)
    {
        return matiere == 2 ? NotesMat2[periode][devoir] : NotesMat1[periode][devoir];
    }
    double note(int matiere, int periode, int devoir) const
    {
        return matiere == 2 ? NotesMat2[periode][devoir] : NotesMat1[periode][devoir];
    }
};

// 1578 bytes to a record; texts longer than their capacity are cut, never read past.
StudentRecord DecoderEleve(const QByteArray &octets);
// A record to 1578 bytes; texts are cut to their capacity, marks outside 0..20
// other than what was read are stored as they stand.
QByteArray CoderEleve(const StudentRecord &eleve);
