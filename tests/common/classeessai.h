#pragma once
// The test fixture: a temporary program folder, the clock, the globals reset,
// and classes built in code, the class model and settings set directly as a
// load would leave them. Qt Core only; the message boxes are answered by
// RepondeurScripte.
#include "classdata/classe.h"
#include "classdata/options.h"
#include "classdata/real48.h"
#include "platform/dossier.h"
#include "platform/horloge.h"
#include "tests/common/fichiersessai.h"

#include <QStringList>

class ClasseEssai : public DossierEssai {
public:
    // A fresh program folder, with the application settings in it; the clock
    // is the system's again when the fixture goes.
    ClasseEssai()
    {
        reinitialiser();
        DefinirDossierProgramme(dossier.path());
        DefinirCheminParametresAppli(dossier.path() + QStringLiteral("/Vestrel.INI"));
    }
    ~ClasseEssai() { FixerHorloge(QDateTime()); }
    ClasseEssai(const ClasseEssai &) = delete;
    ClasseEssai &operator=(const ClasseEssai &) = delete;

    // No class loaded, default settings, the system's clock.
    static void reinitialiser()
    {
        ViderClasse();
        OptionsParDefaut();
        NomFichier.clear();
        NomClasse.clear();
        FixerHorloge(QDateTime());
    }

    struct Note {
        int matiere, periode, devoir;
        double valeur;
    };

    static StudentRecord Eleve(const QString &nom, const QString &prenom,
                               std::initializer_list<Note> notes = {})
    {
        StudentRecord e;
        e.Nom = nom;
        e.Prenom = prenom;
        for (const Note &n : notes)
            e.note(n.matiere, n.periode, n.devoir) = n.valeur;
        return e;
    }

    // An empty class of the given kind: coefficients 1, no dates.
    static void Vide(const QString &nomFichier, bool deuxPeriodes, bool uneMatiere,
                     const QString &l1 = QStringLiteral("Mat1"), const QString &l2 = QStringLiteral("Mat2"))
    {
        OptionsParDefaut();
        ListeEleves.clear();
        NomFichier = nomFichier;
        NomClasse = nomFichier.chopped(4);
        DeuxPeriodes = deuxPeriodes;
        UneMatiere = uneMatiere;
        LibelleMat1 = l1;
        LibelleMat2 = l2;
    }

    // "3EME1" in subject "Fran" (and "Hist"), the coefficient strings given
    // for every period, one date; noms: "NOM Prénom" each, without marks.
    static void construire(bool deuxPeriodes, bool uneMatiere, const QStringList &noms,
                           const QString &coefs = COEFS_PAR_DEFAUT)
    {
        Vide(QStringLiteral("3EME1.VTC"), deuxPeriodes, uneMatiere, QStringLiteral("Fran"),
             uneMatiere ? QString() : QStringLiteral("Hist"));
        for (int p = 1; p <= 3; ++p)
            CoefPeriode[p] = coefs;
        DatePeriode[2].replace(0, 5, QStringLiteral("05/11"));
        DecoderCoefDates();
        ListeEleves = Eleves(noms);
    }

    static void note(int eleve, int periode, int devoir, double x, int matiere = 1)
    {
        ListeEleves[eleve].note(matiere, periode, devoir) = ArrondiReal48(x);
    }

    // "NOM Prénom" each, without marks.
    static QList<StudentRecord> Eleves(const QStringList &noms)
    {
        QList<StudentRecord> l;
        for (const QString &n : noms)
            l.append(Eleve(n.section(u' ', 0, 0), n.section(u' ', 1)));
        return l;
    }

    // "3EME1" in "Maths" and "Physique": one mark per student and subject,
    // assignment 1 of period 1 (NO_MARK for none).
    struct EleveNotes {
        const char *nom;
        const char *prenom;
        double note1;
        double note2 = NO_MARK;
    };
    static void ChargerNotes(const QList<EleveNotes> &eleves)
    {
        Vide(QStringLiteral("3EME1.VTC"), false, false, QStringLiteral("Maths"), QStringLiteral("Physique"));
        for (const EleveNotes &e : eleves)
            ListeEleves.append(Eleve(QString::fromUtf8(e.nom), QString::fromUtf8(e.prenom),
                                     {{1, 1, 1, e.note1}, {2, 1, 1, e.note2}}));
    }

    // One subject "Fran": a coefficient 0, a student without marks, a one-letter
    // and an empty first name, names of the full 12 characters, accents.
    static void UneMatiereFran(bool deuxPeriodes)
    {
        Vide(QStringLiteral("3EME1.VTC"), deuxPeriodes, true, QStringLiteral("Fran"));
        CoefMat1[1][2] = 2;
        CoefMat1[1][5] = 0;
        CoefMat1[2][1] = 3;
        CoefMat1[3][16] = 9;
        DateMat1[1][1] = QStringLiteral("05/11");
        DateMat1[1][2] = QStringLiteral("12/12");
        DateMat1[1][4] = QStringLiteral("01/01");
        DateMat1[1][16] = QStringLiteral("30/08");
        DateMat1[2][1] = QStringLiteral("15/02");
        const bool t = !deuxPeriodes; // period-3 marks only in a trimester class
        StudentRecord a = Eleve(QStringLiteral("DUPONT"), QStringLiteral("jean"),
                                {{1, 1, 1, 12.5},
                                 {1, 1, 2, 8},
                                 {1, 1, 3, 15.25},
                                 {1, 1, 5, 20},
                                 {1, 2, 1, 10},
                                 {1, 2, 2, 14},
                                 {1, 3, 1, t ? 9.75 : NO_MARK}});
        a.Appreciations[VUE_MAT1][1] = QStringLiteral("Bon trimestre, élève sérieux.");
        a.Appreciations[VUE_MAT1][4] = QStringLiteral("Très bonne année.");
        StudentRecord b =
            Eleve(QStringLiteral("MARTIN"), QStringLiteral("Élodie"),
                  {{1, 1, 1, 6}, {1, 1, 2, 7.5}, {1, 1, 16, 4}, {1, 2, 1, 5}, {1, 3, 16, t ? 19 : NO_MARK}});
        b.Appreciations[VUE_MAT1][1] = QString(40, u'x') + QString(40, u'y');
        ListeEleves = {a, b,
                       Eleve(QStringLiteral("LEBLANC"), QStringLiteral("a"),
                             {{1, 1, 1, 20}, {1, 1, 2, 0}, {1, 2, 3, 11.5}}),
                       Eleve(QStringLiteral("DURAND"), QString()),
                       Eleve(QStringLiteral("BERANGER-ABC"), QStringLiteral("françoise-ma"),
                             {{1, 2, 16, 13.75}, {1, 3, 8, t ? 12 : NO_MARK}})};
    }

    // Two subjects "Hist" and "Geo" (a label shorter than 4 characters).
    static void DeuxMatieres(bool deuxPeriodes)
    {
        Vide(QStringLiteral("4EME2.VTC"), deuxPeriodes, false, QStringLiteral("Hist"), QStringLiteral("Geo"));
        CoefMat1[1][1] = 2;
        CoefMat2[1][3] = 3;
        CoefMat2[1][8] = 2;
        CoefMat2[2][2] = 0;
        DateMat1[1][1] = QStringLiteral("05/11");
        DateMat2[1][1] = QStringLiteral("06/11");
        DateMat2[1][8] = QStringLiteral("20/12");
        DateMat1[2][3] = QStringLiteral("03/03");
        const bool t = !deuxPeriodes;
        StudentRecord a = Eleve(QStringLiteral("DUPONT"), QStringLiteral("jean"),
                                {{1, 1, 1, 12.5},
                                 {1, 1, 2, 13.25},
                                 {2, 1, 1, 13.25},
                                 {2, 1, 8, 16},
                                 {1, 2, 1, 9},
                                 {2, 2, 2, 11.75},
                                 {2, 2, 3, 10.5},
                                 {1, 3, 8, t ? 18 : NO_MARK}});
        a.Appreciations[VUE_MAT2][2] = QStringLiteral("Progrès en géographie.");
        a.Appreciations[VUE_ENSEMBLE][3] = QStringLiteral("Ensemble correct.");
        a.Appreciations[VUE_ENSEMBLE][4] = QStringLiteral("Année satisfaisante.");
        StudentRecord b = Eleve(QStringLiteral("MARTIN"), QStringLiteral("Élodie"),
                                {{1, 1, 1, 7}, {2, 1, 1, 9.5}, {2, 2, 1, 3}});
        b.Appreciations[VUE_ENSEMBLE][4] = QStringLiteral("Doit travailler davantage.");
        ListeEleves = {a, b,
                       Eleve(QStringLiteral("LEBLANC"), QStringLiteral("a"),
                             {{2, 1, 3, 14}, {1, 2, 8, 20}, {2, 3, 5, t ? 8 : NO_MARK}}),
                       Eleve(QStringLiteral("DURAND"), QString())};
    }

    // The class named by a test row.
    static bool Preparer(const QString &nom)
    {
        const QString vide = QStringLiteral("VIDE.VTC"), h = QStringLiteral("Hist"),
                      g = QStringLiteral("Geo");
        if (nom == u"une" || nom == u"unesem")
            UneMatiereFran(nom == u"unesem");
        else if (nom == u"deux" || nom == u"deuxsem")
            DeuxMatieres(nom == u"deuxsem");
        else if (nom == u"vide-une")
            Vide(vide, false, true, QStringLiteral("Fran"));
        else if (nom == u"vide-deux" || nom == u"vide-deuxsem")
            Vide(vide, nom == u"vide-deuxsem", false, h, g);
        else if (nom == u"cent") { // numbers from 100 take five characters in the list
            Vide(QStringLiteral("GRAND.VTC"), false, true);
            for (int i = 1; i <= 101; ++i)
                ListeEleves.append(
                    Eleve(QStringLiteral("ELEVE%1").arg(i, 3, 10, QChar(u'0')), QStringLiteral("Prénom")));
        } else if (nom == u"douze") { // every year average exactly 12, one student without
            Vide(QStringLiteral("DOUZE.VTC"), false, true);
            for (int i = 1; i <= 3; ++i)
                ListeEleves.append(
                    Eleve(QStringLiteral("ELEVE%1").arg(i), QStringLiteral("Luc"), {{1, i, 1, 12}}));
            ListeEleves.append(Eleve(QStringLiteral("SANSNOTE"), QStringLiteral("Max")));
        } else
            return false;
        return true;
    }
};
