#pragma once
// A class built in code inside a temporary program folder.
#include "classe.h"
#include "dossier.h"
#include "horloge.h"
#include "options.h"
#include "real48.h"

#include <QTemporaryDir>

struct ClasseTest {
    QTemporaryDir dossier;

    ClasseTest()
    {
        DefinirDossierProgramme(dossier.path());
        DefinirCheminParametresAppli(dossier.path() + QStringLiteral("/Vestrel.INI"));
    }
    ~ClasseTest() { FixerHorloge(QDateTime()); }

    // noms: "NOM Prenom" each; marks all NO_MARK.
    void construire(bool deuxPeriodes, bool uneMatiere, const QStringList &noms,
                    const QString &coefs = COEFS_PAR_DEFAUT)
    {
        OptionsParDefaut();
        DeuxPeriodes = deuxPeriodes;
        UneMatiere = uneMatiere;
        LibelleMat1 = QStringLiteral("Fran");
        LibelleMat2 = uneMatiere ? QString() : QStringLiteral("Hist");
        for (int p = 1; p <= 3; ++p) {
            CoefPeriode[p] = coefs;
            DatePeriode[p] = DatesParDefaut();
        }
        DatePeriode[2].replace(0, 5, QStringLiteral("05/11"));
        DecoderCoefDates();
        NomFichier = QStringLiteral("3EME1.VTC");
        NomClasse = QStringLiteral("3EME1");
        ListeEleves.clear();
        for (const QString &n : noms) {
            StudentRecord e;
            e.Nom = n.section(u' ', 0, 0);
            e.Prenom = n.section(u' ', 1);
            ListeEleves.append(e);
        }
    }

    static void note(int eleve, int periode, int devoir, double x, int matiere = 1)
    {
        ListeEleves[eleve].note(matiere, periode, devoir) = ArrondiReal48(x);
    }

    QString chemin(const QString &nom) const { return dossier.path() + u'/' + nom; }
};
