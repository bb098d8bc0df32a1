#pragma once
// Classes built in code for the report, grid and export tests: the class
// model and settings are set directly, as a load would leave them.
#include "classe.h"
#include "eleve.h"
#include "options.h"
#include "real48.h"

#include <QString>

namespace ClasseTest {

inline StudentRecord Eleve(const QString &nom, const QString &prenom)
{
    StudentRecord e;
    e.Nom = nom;
    e.Prenom = prenom;
    return e;
}

// An empty class of the given kind: coefficients 1, no dates, default labels.
inline void Vide(const QString &nomFichier, bool deuxPeriodes, bool uneMatiere,
                 const QString &l1 = QStringLiteral("Mat1"), const QString &l2 = QStringLiteral("Mat2"))
{
    ListeEleves.clear();
    NomFichier = nomFichier;
    NomClasse = nomFichier.left(nomFichier.size() - 4);
    DeuxPeriodes = deuxPeriodes;
    UneMatiere = uneMatiere;
    LibelleMat1 = l1;
    LibelleMat2 = l2;
    for (int p = 0; p <= 3; ++p)
        for (int a = 0; a <= 16; ++a) {
            CoefMat1[p][a] = 1;
            CoefMat2[p][a] = 1;
            DateMat1[p][a] = QStringLiteral("--/--");
            DateMat2[p][a] = QStringLiteral("--/--");
        }
    Gras = false;
    TailleEcriture = 8;
}

// One subject "Fran": four students with marks in every period the class has,
// one without marks, a one-letter and an empty first name, accents.
inline void UneMatiereFran(bool deuxPeriodes)
{
    Vide(QStringLiteral("3EME1.VTC"), deuxPeriodes, true, QStringLiteral("Fran"));
    const int coefs1[17] = {0, 1, 2, 1, 1, 0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
    for (int a = 1; a <= 16; ++a) {
        CoefMat1[1][a] = coefs1[a];
        CoefMat1[3][a] = a == 16 ? 9 : 1;
    }
    CoefMat1[2][1] = 3;
    DateMat1[1][1] = QStringLiteral("05/11");
    DateMat1[1][2] = QStringLiteral("12/12");
    DateMat1[1][4] = QStringLiteral("01/01");
    DateMat1[1][16] = QStringLiteral("30/08");
    DateMat1[2][1] = QStringLiteral("15/02");

    StudentRecord a = Eleve(QStringLiteral("DUPONT"), QStringLiteral("jean"));
    a.NotesMat1[1][1] = 12.5;
    a.NotesMat1[1][2] = 8;
    a.NotesMat1[1][3] = 15.25;
    a.NotesMat1[1][5] = 20; // coefficient 0: counts for nothing
    a.NotesMat1[2][1] = 10;
    a.NotesMat1[2][2] = 14;
    a.Appreciations[VUE_MAT1][1] = QStringLiteral("Bon trimestre, élève sérieux.");
    a.Appreciations[VUE_MAT1][4] = QStringLiteral("Très bonne année.");

    StudentRecord b = Eleve(QStringLiteral("MARTIN"), QStringLiteral("Élodie"));
    b.NotesMat1[1][1] = 6;
    b.NotesMat1[1][2] = 7.5;
    b.NotesMat1[1][16] = 4;
    b.NotesMat1[2][1] = 5;
    b.Appreciations[VUE_MAT1][1] = QString(40, u'x') + QString(40, u'y');

    StudentRecord c = Eleve(QStringLiteral("LEBLANC"), QStringLiteral("a"));
    c.NotesMat1[1][1] = 20;
    c.NotesMat1[1][2] = 0;
    c.NotesMat1[2][3] = 11.5;

    StudentRecord d = Eleve(QStringLiteral("DURAND"), QString()); // no mark at all

    StudentRecord e = Eleve(QStringLiteral("BERANGER-ABC"), QStringLiteral("françoise-ma"));
    e.NotesMat1[2][16] = 13.75;

    if (!deuxPeriodes) {
        a.NotesMat1[3][1] = 9.75;
        b.NotesMat1[3][16] = 19;
        e.NotesMat1[3][8] = 12;
    }
    ListeEleves = {a, b, c, d, e};
}

// Two subjects "Hist" and "Geo" (a label shorter than 4 characters).
inline void DeuxMatieres(bool deuxPeriodes)
{
    Vide(QStringLiteral("4EME2.VTC"), deuxPeriodes, false, QStringLiteral("Hist"), QStringLiteral("Geo"));
    const int c1[9] = {0, 2, 1, 1, 1, 1, 1, 1, 1};
    const int c2[9] = {0, 1, 1, 3, 1, 1, 1, 1, 2};
    for (int a = 1; a <= 8; ++a) {
        CoefMat1[1][a] = c1[a];
        CoefMat2[1][a] = c2[a];
        CoefMat2[2][a] = a == 2 ? 0 : 1;
    }
    DateMat1[1][1] = QStringLiteral("05/11");
    DateMat2[1][1] = QStringLiteral("06/11");
    DateMat2[1][8] = QStringLiteral("20/12");
    DateMat1[2][3] = QStringLiteral("03/03");

    StudentRecord a = Eleve(QStringLiteral("DUPONT"), QStringLiteral("jean"));
    a.NotesMat1[1][1] = 12.5;
    a.NotesMat1[1][2] = 13.25;
    a.NotesMat2[1][1] = 13.25;
    a.NotesMat2[1][8] = 16;
    a.NotesMat1[2][1] = 9;
    a.NotesMat2[2][2] = 11.75; // coefficient 0
    a.NotesMat2[2][3] = 10.5;
    a.Appreciations[VUE_MAT2][2] = QStringLiteral("Progrès en géographie.");
    a.Appreciations[VUE_ENSEMBLE][3] = QStringLiteral("Ensemble correct.");
    a.Appreciations[VUE_ENSEMBLE][4] = QStringLiteral("Année satisfaisante.");

    StudentRecord b = Eleve(QStringLiteral("MARTIN"), QStringLiteral("Élodie"));
    b.NotesMat1[1][1] = 7;
    b.NotesMat2[1][1] = 9.5;
    b.NotesMat2[2][1] = 3;
    b.Appreciations[VUE_ENSEMBLE][4] = QStringLiteral("Doit travailler davantage.");

    StudentRecord c = Eleve(QStringLiteral("LEBLANC"), QStringLiteral("a"));
    c.NotesMat2[1][3] = 14;
    c.NotesMat1[2][8] = 20;

    StudentRecord d = Eleve(QStringLiteral("DURAND"), QString());

    if (!deuxPeriodes) {
        a.NotesMat1[3][8] = 18;
        c.NotesMat2[3][5] = 8;
        a.Appreciations[VUE_MAT1][3] = QStringLiteral("Bien.");
    }
    ListeEleves = {a, b, c, d};
}

// 101 students: numbers from 100 take five characters in the list.
inline void Cent()
{
    Vide(QStringLiteral("GRAND.VTC"), false, true);
    for (int i = 1; i <= 101; ++i)
        ListeEleves.append(Eleve(QStringLiteral("ELEVE%1").arg(i, 3, 10, QChar(u'0')),
                                 QStringLiteral("Prénom")));
}

// Every student with a mark has a year average of exactly 12.
inline void Douze()
{
    Vide(QStringLiteral("DOUZE.VTC"), false, true);
    for (int i = 0; i < 3; ++i) {
        StudentRecord e = Eleve(QStringLiteral("ELEVE%1").arg(i + 1), QStringLiteral("Luc"));
        e.NotesMat1[i + 1][1] = 12;
        ListeEleves.append(e);
    }
    ListeEleves.append(Eleve(QStringLiteral("SANSNOTE"), QStringLiteral("Max")));
}

// The fixture named by a test row.
inline bool Preparer(const QString &nom)
{
    if (nom == u"une") UneMatiereFran(false);
    else if (nom == u"unesem") UneMatiereFran(true);
    else if (nom == u"deux") DeuxMatieres(false);
    else if (nom == u"deuxsem") DeuxMatieres(true);
    else if (nom == u"vide-une") Vide(QStringLiteral("VIDE.VTC"), false, true, QStringLiteral("Fran"));
    else if (nom == u"vide-deux") Vide(QStringLiteral("VIDE.VTC"), false, false, QStringLiteral("Hist"), QStringLiteral("Geo"));
    else if (nom == u"vide-deuxsem") Vide(QStringLiteral("VIDE.VTC"), true, false, QStringLiteral("Hist"), QStringLiteral("Geo"));
    else if (nom == u"cent") Cent();
    else if (nom == u"douze") Douze();
    else return false;
    return true;
}

} // namespace ClasseTest
