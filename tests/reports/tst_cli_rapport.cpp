// vestrel-cli rapport and exporter, run as processes on class files, against
// what the print command and the export write in the program.
#include "platform/cp1252.h"
#include "platform/dossier.h"
#include "platform/horloge.h"
#include "reports/export.h"
#include "reports/rapport.h"
#include "tests/common/classeessai.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Resultat {
    int statut = -1;
    QByteArray sortie;
    QString erreur;
};

Resultat Lancer(const QStringList &arguments)
{
    QProcess p;
    p.start(QStringLiteral(VESTREL_CLI), arguments);
    if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit)
        return {};
    return {p.exitCode(), p.readAllStandardOutput(), QString::fromUtf8(p.readAllStandardError())};
}

// The written text without the date and time of writing (last line of a
// report, end of the first line of an export).
QByteArray SansHorodatage(const QByteArray &texte, bool rapport)
{
    if (!rapport)
        return texte.mid(texte.indexOf("\r\n"));
    return texte.left(texte.lastIndexOf("\r\n", texte.size() - 3) + 2);
}

} // namespace

class TstCliRapport : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void commeLeProgramme_data();
    void commeLeProgramme();
    void refus_data();
    void refus();

private:
    QTemporaryDir m_dossier;
};

// 3EME1: one subject, trimesters; 4EME2: two subjects, semesters.
void TstCliRapport::initTestCase()
{
    QVERIFY(m_dossier.isValid());
    DefinirDossierProgramme(m_dossier.path());
    for (bool une : {true, false}) {
        une ? ClasseEssai::UneMatiereFran(false) : ClasseEssai::DeuxMatieres(true);
        for (int p = 1; p <= 3; ++p) {
            CoefPeriode[p] = QStringLiteral("2111111111311112");
            DatePeriode[p] = QStringLiteral("05/1112/12--/--01/01") + QStringLiteral("--/--").repeated(12);
        }
        QCOMPARE(EcrireOptions({NomClasse, !DeuxPeriodes, UneMatiere, LibelleMat1, LibelleMat2}), QString());
        QCOMPARE(EcrireEleves(CheminProgramme(NomFichier), ListeEleves).etat, EtatEcriture::Ecrit);
    }
}

void TstCliRapport::commeLeProgramme_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("vue");
    QTest::addColumn<int>("span");
    QTest::addColumn<int>("sel");
    QTest::addColumn<QString>("separateur"); // "-": a report, not an export
    const int N = int(Vue::Notes), A = int(Vue::Appreciations), L = int(Vue::Liste);
    QTest::newRow("rapport liste") << QStringList{"rapport", "3EME1.VTC", "--vue", "liste"} << L << 1 << 0
                                   << "-";
    QTest::newRow("rapport notes 2") << QStringList{"rapport",   "3EME1.VTC", "--vue",     "notes",
                                                    "--periode", "2",         "--matiere", "mat1"}
                                     << N << 2 << 0 << "-";
    QTest::newRow("rapport année ensemble")
        << QStringList{"rapport", "4EME2.VTC", "--vue=notes", "--periode=annee", "--matiere=ensemble"} << N
        << int(Annee) << int(Selecteur::Ensemble) << "-";
    QTest::newRow("exporter ; ,") << QStringList{"exporter",     "3EME1", "--vue",     "notes",
                                                 "--periode",    "1",     "--matiere", "mat1",
                                                 "--separateur", ";",     "--decimal", ","}
                                  << N << 1 << 0 << ";";
    QTest::newRow("exporter Aucun par défaut")
        << QStringList{"exporter", "3EME1", "--vue", "notes", "--periode", "annee", "--matiere", "mat1"} << N
        << int(Annee) << 0 << "";
    QTest::newRow("exporter appréciations Tab .")
        << QStringList{"exporter",  "4EME2", "--vue",        "appreciations", "--periode", "1",
                       "--matiere", "mat2",  "--separateur", "Tab",           "--decimal", "."}
        << A << 1 << int(Selecteur::Mat2) << "\t";
}

// The same text in the file (Windows-1252) and on the screen (UTF-8), and
// the text the program itself writes.
void TstCliRapport::commeLeProgramme()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, vue);
    QFETCH(int, span);
    QFETCH(int, sel);
    QFETCH(QString, separateur);
    arguments << QStringLiteral("--dossier") << m_dossier.path();
    const QString fichier = m_dossier.filePath(QStringLiteral("sortie.txt"));
    const Resultat ecran = Lancer(arguments);
    QCOMPARE(ecran.statut, 0);
    QCOMPARE(Lancer(arguments + QStringList{"--sortie", fichier}).statut, 0);
    QFile f(fichier);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray octets = f.readAll();
    const bool rapport = separateur == u"-";
    QCOMPARE(SansHorodatage(VersCp1252(QString::fromUtf8(ecran.sortie)), rapport),
             SansHorodatage(octets, rapport));

    QVERIFY(charger(arguments.at(1).left(5) + QStringLiteral(".VTC")).ok);
    QByteArray attendu;
    if (rapport) {
        SortieMemoire s;
        QVERIFY(RapportComplet(s, EntreesDepuisClasse(Vue(vue), span, Selecteur(sel)), Maintenant()));
        attendu = VersCp1252(s.texte());
        QVERIFY(QRegularExpression(QStringLiteral("\r\n\r\n\\d\\d/\\d\\d/\\d{4}   \\d\\d:\\d\\d:\\d\\d\r\n$"))
                    .match(DepuisCp1252(octets))
                    .hasMatch());
    } else {
        attendu = TexteExport(ConstruireGrille(Vue(vue), span, Selecteur(sel)), NomClasse, Maintenant(),
                              separateur, !arguments.contains(QStringLiteral(".")));
    }
    QCOMPARE(SansHorodatage(octets, rapport), SansHorodatage(attendu, rapport));
}

void TstCliRapport::refus_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("statut");
    QTest::addColumn<QString>("message");
    const QStringList notes1 = {"--vue", "notes", "--periode", "1"};
    QTest::newRow("mat2, une matière")
        << QStringList{"rapport", "3EME1.VTC", "--matiere", "mat2"} + notes1 << 2 << "une matière";
    QTest::newRow("ensemble, une matière") << QStringList{"exporter",  "3EME1", "--vue",     "appreciations",
                                                          "--periode", "2",     "--matiere", "ensemble"}
                                           << 2 << "une matière";
    QTest::newRow("période 3, semestres")
        << QStringList{"rapport", "4EME2.VTC", "--vue", "notes", "--periode", "3", "--matiere", "mat1"} << 2
        << "période 3";
    QTest::newRow("vue inconnue") << QStringList{"rapport", "4EME2.VTC", "--vue", "bilan"} << 2
                                  << "vue inconnue";
    QTest::newRow("période manquante")
        << QStringList{"rapport", "4EME2.VTC", "--vue", "notes", "--matiere", "mat1"} << 2 << "--periode";
    QTest::newRow("séparateur inconnu")
        << QStringList{"exporter", "4EME2", "--vue", "liste", "--separateur", "|"} << 2 << "séparateur";
    QTest::newRow("classe absente") << QStringList{"rapport", "ABSENTE.VTC", "--vue", "liste"} << 1
                                    << "introuvable";
    QTest::newRow("sortie impossible")
        << QStringList{"rapport", "3EME1.VTC", "--vue", "liste", "--sortie", "/nonexistent/dir/r.txt"} << 1
        << "";
}

void TstCliRapport::refus()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, statut);
    QFETCH(QString, message);
    const Resultat r = Lancer(arguments + QStringList{"--dossier", m_dossier.path()});
    QCOMPARE(r.statut, statut);
    QVERIFY(r.sortie.isEmpty());
    QVERIFY2(!r.erreur.isEmpty() && r.erreur.contains(message), qPrintable(r.erreur));
}

QTEST_GUILESS_MAIN(TstCliRapport)
#include "tst_cli_rapport.moc"
