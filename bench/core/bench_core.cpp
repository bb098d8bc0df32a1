// A class of 127 students with every mark slot used: loading it, and every
// student average and class figure for all selectors and spans.
#include "averages/moyennes.h"
#include "classdata/classe.h"
#include "classdata/options.h"
#include "platform/dossier.h"
#include "platform/recents.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class BenchCore : public QObject {
    Q_OBJECT

    QTemporaryDir m_dossier;

private slots:
    void initTestCase()
    {
        ActiverDocumentsRecents(false);
        DefinirDossierProgramme(m_dossier.path());
        QList<StudentRecord> eleves(NB_ELEVES_MAX);
        for (int i = 0; i < eleves.size(); ++i) {
            StudentRecord &e = eleves[i];
            e.Nom = QStringLiteral("ÉLÈVE%1").arg(i);
            e.Prenom = QStringLiteral("Prénom");
            for (int p = 1; p <= 3; ++p) {
                for (int d = 1; d <= NB_DEVOIRS; ++d) {
                    e.NotesMat1[p][d] = ((i * 37 + p * 11 + d * 7) % 41) / 2.0;
                    e.NotesMat2[p][d] = ((i * 13 + p * 5 + d * 3) % 41) / 2.0;
                }
            }
            for (int v = 1; v <= 3; ++v)
                for (int q = 1; q <= 4; ++q)
                    e.Appreciations[v][q] =
                        QStringLiteral("Appréciation de l'élève, assez longue pour remplir.");
        }
        QCOMPARE(EcrireEleves(m_dossier.filePath(QStringLiteral("PLEINE.VTC")), eleves).etat,
                 EtatEcriture::Ecrit);
        QFile ini(m_dossier.filePath(QStringLiteral("PLEINE.INI")));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[Options]\r\nNombre de p\xE9riodes=3\r\nNombre de mati\xE8res=1\r\n"
                  "Coefficients p\xE9riode 1=1234567891234567\r\n");
    }

    void chargement()
    {
        QBENCHMARK {
            charger(QStringLiteral("PLEINE.VTC"));
        }
        QCOMPARE(NbEleves(), NB_ELEVES_MAX);
    }

    // One subject: all 16 slots of every period count; two: both blocks read for Ensemble.
    void moyennesEtChiffres_data()
    {
        QTest::addColumn<bool>("uneMatiere");
        QTest::newRow("une matière") << true;
        QTest::newRow("deux matières") << false;
    }
    void moyennesEtChiffres()
    {
        QFETCH(bool, uneMatiere);
        QVERIFY(charger(QStringLiteral("PLEINE.VTC")).ok);
        UneMatiere = uneMatiere;
        double total = 0;
        QBENCHMARK {
            for (Selecteur s : {Selecteur::Mat1, Selecteur::Mat2, Selecteur::Ensemble}) {
                for (int span : {1, 2, 3, int(Annee)}) {
                    for (const StudentRecord &e : std::as_const(ListeEleves))
                        total += MoyEleve(e, s, span);
                    total += MinClasse(s, span) + MoyClasse(s, span) + MaxClasse(s, span);
                }
            }
        }
        QVERIFY(total != 0);
    }
};

QTEST_GUILESS_MAIN(BenchCore)
#include "bench_core.moc"
