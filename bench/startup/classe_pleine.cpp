// Writes a full class into a folder: CLASSE.VTC and CLASSE.INI, 127 students,
// two subjects, three trimesters, every mark set; and CLASSE.csv, the same
// names and marks as a grid for a spreadsheet.
#include "classdata/classe.h"
#include "classdata/options.h"
#include "classdata/texte.h"
#include "platform/dossier.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QString dossier = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
    DefinirDossierProgramme(dossier);
    const char *noms[] = {"ARNAUD",    "BÉNARD", "CHEVALIER", "DA SILVA",
                          "DESCHAMPS", "DUBOIS", "FAURE",     "FONTAINE"};
    const char *prenoms[] = {"Léa", "Marie", "Théo", "Inès", "Loïc", "Anne", "Maël", "Chloé", "Jérôme"};
    QList<StudentRecord> eleves(NB_ELEVES_MAX);
    for (int i = 0; i < eleves.size(); ++i) {
        StudentRecord &e = eleves[i];
        e.Nom = QString::fromUtf8(noms[i % 8]).left(9) + QString::number(100 + i);
        e.Prenom = QString::fromUtf8(prenoms[i % 9]);
        for (int p = 1; p <= 3; ++p) {
            for (int d = 1; d <= NB_DEVOIRS; ++d) {
                e.NotesMat1[p][d] = ((i * 37 + p * 11 + d * 7) % 41) / 2.0;
                e.NotesMat2[p][d] = ((i * 13 + p * 5 + d * 3) % 41) / 2.0;
            }
        }
    }
    const ResultatEcriture r = EcrireEleves(QDir(dossier).filePath(QStringLiteral("CLASSE.VTC")), eleves);
    if (r.etat != EtatEcriture::Ecrit) {
        std::fprintf(stderr, "%s\n", qPrintable(r.message));
        return 1;
    }
    OptionsParDefaut();
    OptionsAEcrire o;
    o.nomClasse = QStringLiteral("CLASSE");
    o.trimestre = true;
    o.uneMatiere = false;
    o.mat1 = QStringLiteral("Hist");
    o.mat2 = QStringLiteral("Géo");
    const QString erreur = EcrireOptions(o);
    if (!erreur.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(erreur));
        return 1;
    }

    QFile csv(QDir(dossier).filePath(QStringLiteral("CLASSE.csv")));
    if (!csv.open(QIODevice::WriteOnly))
        return 1;
    QString t = QStringLiteral("Nom;Prénom");
    for (int p = 1; p <= 3; ++p)
        for (int m = 1; m <= 2; ++m)
            for (int d = 1; d <= 8; ++d)
                t += QStringLiteral(";%1 %2-%3").arg(m == 1 ? o.mat1 : o.mat2).arg(p).arg(d);
    t += u'\n';
    for (const StudentRecord &e : eleves) {
        t += e.Nom + u';' + e.Prenom;
        for (int p = 1; p <= 3; ++p)
            for (int m = 1; m <= 2; ++m)
                for (int d = 1; d <= 8; ++d)
                    t += u';' + NoteEnTexte(m == 1 ? e.NotesMat1[p][d] : e.NotesMat2[p][d]).trimmed();
        t += u'\n';
    }
    csv.write(t.toUtf8());
    return 0;
}
