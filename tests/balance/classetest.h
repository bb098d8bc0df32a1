#pragma once
// A small class in memory for the balance tests: one mark per student,
// coefficient 1, subject 1 ("Maths") and subject 2 ("Physique").
#include "classe.h"
#include "options.h"
#include "real48.h"

#include <QList>

struct EleveTest {
    const char *nom;
    const char *prenom;
    double note1; // subject 1, NO_MARK for none
    double note2 = NO_MARK;
};

inline void ChargerClasseTest(const QList<EleveTest> &eleves)
{
    ViderClasse();
    OptionsParDefaut();
    UneMatiere = false;
    LibelleMat1 = QStringLiteral("Maths");
    LibelleMat2 = QStringLiteral("Physique");
    NomClasse = QStringLiteral("3EME1");
    NomFichier = QStringLiteral("3EME1.VTC");
    for (const EleveTest &e : eleves) {
        StudentRecord r;
        r.Nom = QString::fromUtf8(e.nom);
        r.Prenom = QString::fromUtf8(e.prenom);
        r.NotesMat1[1][1] = e.note1;
        r.NotesMat2[1][1] = e.note2;
        ListeEleves.append(r);
    }
}
