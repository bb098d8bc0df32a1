// vestrel-cli rapport and exporter, run as processes on class files, against
// what the print command and the export write in the program.
#include "classe.h"
#include "classetest.h"
#include "cp1252.h"
#include "dossier.h"
#include "export.h"
#include "horloge.h"
#include "options.h"
#include "rapport.h"

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
    Resultat r;
    if (!p.waitForFinished(30000))
        return r;
    r.statut = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.sortie = p.readAllStandardOutput();
    r.erreur = QString::fromUtf8(p.readAllStandardError());
    return r;
}

// Everything but the line holding the date and time of writing.
QByteArray SansHorodatage(QByteArray texte, bool derniereLigne)
{
    if (derniereLigne) {
        texte.chop(2);
        return texte.left(texte.lastIndexOf("\r\n") + 2);
    }
    return texte.mid(texte.indexOf("\r\n"));
}

} // namespace

class TstCliRapport : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void rapport_data();
    void rapport();
    void exporter_data();
    void exporter();
    void combinaisonsAbsentes_data();
    void combinaisonsAbsentes();
    void sortieImpossible();

private:
    void charger(const QString &classe);
    QTemporaryDir m_dossier;
};

// Two classes on disk: 3EME1 (one subject, trimesters) and 4EME2 (two
// subjects, semesters).
void TstCliRapport::initTestCase()
{
    QVERIFY(m_dossier.isValid());
    DefinirDossierProgramme(m_dossier.path());
    for (bool une : {true, false}) {
        if (une)
            ClasseTest::UneMatiereFran(false);
        else
            ClasseTest::DeuxMatieres(true);
        for (int p = 1; p <= 3; ++p) {
            CoefPeriode[p] = une ? QStringLiteral("1211011111111111") : QStringLiteral("2111111111311112");
            DatePeriode[p] = QStringLiteral("05/1112/12--/--01/01") + QStringLiteral("--/--").repeated(12);
        }
        OptionsAEcrire o;
        o.nomClasse = NomClasse;
        o.trimestre = !DeuxPeriodes;
        o.uneMatiere = UneMatiere;
        o.mat1 = LibelleMat1;
        o.mat2 = LibelleMat2;
        QCOMPARE(EcrireOptions(o), QString());
        QCOMPARE(EcrireEleves(CheminProgramme(NomFichier), ListeEleves).etat, EtatEcriture::Ecrit);
    }
}

void TstCliRapport::charger(const QString &classe)
{
    QVERIFY(::charger(classe + QStringLiteral(".VTC")).ok);
}

void TstCliRapport::rapport_data()
{
    QTest::addColumn<QString>("classe");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("vue");
    QTest::addColumn<int>("span");
    QTest::addColumn<int>("sel");
    QTest::newRow("liste") << "3EME1" << QStringList{"--vue", "liste"} << int(Vue::Liste) << 1 << 0;
    QTest::newRow("notes 2") << "3EME1" << QStringList{"--vue", "notes", "--periode", "2", "--matiere", "mat1"}
                             << int(Vue::Notes) << 2 << int(Selecteur::Mat1);
    QTest::newRow("notes annee ensemble")
        << "4EME2" << QStringList{"--vue=notes", "--periode=annee", "--matiere=ensemble"} << int(Vue::Notes)
        << int(Annee) << int(Selecteur::Ensemble);
    QTest::newRow("appreciations 1 mat2")
        << "4EME2" << QStringList{"--vue", "appreciations", "--periode", "1", "--matiere", "mat2"}
        << int(Vue::Appreciations) << 1 << int(Selecteur::Mat2);
}

void TstCliRapport::rapport()
{
    QFETCH(QString, classe);
    QFETCH(QStringList, options);
    QFETCH(int, vue);
    QFETCH(int, span);
    QFETCH(int, sel);
    const QString fichier = m_dossier.filePath(QStringLiteral("sortie.txt"));
    const QStringList commun = QStringList{"rapport", classe + ".VTC", "--dossier", m_dossier.path()} + options;

    const Resultat ecran = Lancer(commun);
    QCOMPARE(ecran.statut, 0);
    const Resultat dansFichier = Lancer(commun + QStringList{"--sortie", fichier});
    QCOMPARE(dansFichier.statut, 0);
    QVERIFY(dansFichier.sortie.isEmpty());
    QFile f(fichier);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray octets = f.readAll();
    // The same text: Windows-1252 in the file, UTF-8 on the screen.
    QCOMPARE(QString::fromUtf8(ecran.sortie), DepuisCp1252(octets));

    charger(classe);
    SortieMemoire attendu;
    QVERIFY(RapportComplet(attendu, EntreesDepuisClasse(Vue(vue), span, Selecteur(sel)), Maintenant()));
    QCOMPARE(SansHorodatage(octets, true), SansHorodatage(VersCp1252(attendu.texte()), true));
    QVERIFY(QRegularExpression(QStringLiteral("\r\n\r\n\\d\\d/\\d\\d/\\d{4}   \\d\\d:\\d\\d:\\d\\d\r\n$"))
                .match(DepuisCp1252(octets)).hasMatch());
}

void TstCliRapport::exporter_data()
{
    QTest::addColumn<QString>("classe");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("vue");
    QTest::addColumn<int>("span");
    QTest::addColumn<int>("sel");
    QTest::addColumn<QString>("separateur");
    QTest::addColumn<bool>("virgule");
    QTest::newRow("notes ; ,") << "3EME1"
                               << QStringList{"--vue", "notes", "--periode", "1", "--matiere", "mat1",
                                              "--separateur", ";", "--decimal", ","}
                               << int(Vue::Notes) << 1 << 0 << ";" << true;
    QTest::newRow("notes Aucun par défaut") << "3EME1"
                                            << QStringList{"--vue", "notes", "--periode", "annee", "--matiere", "mat1"}
                                            << int(Vue::Notes) << int(Annee) << 0 << "" << true;
    QTest::newRow("appréciations Tab .")
        << "4EME2"
        << QStringList{"--vue", "appreciations", "--periode", "annee", "--matiere", "ensemble",
                       "--separateur", "Tab", "--decimal", "."}
        << int(Vue::Appreciations) << int(Annee) << int(Selecteur::Ensemble) << "\t" << false;
    QTest::newRow("liste @") << "4EME2" << QStringList{"--vue", "liste", "--separateur", "@"}
                             << int(Vue::Liste) << 1 << 0 << "@" << true;
}

void TstCliRapport::exporter()
{
    QFETCH(QString, classe);
    QFETCH(QStringList, options);
    QFETCH(int, vue);
    QFETCH(int, span);
    QFETCH(int, sel);
    QFETCH(QString, separateur);
    QFETCH(bool, virgule);
    const QString fichier = m_dossier.filePath(QStringLiteral("export.txt"));
    const QStringList commun = QStringList{"exporter", classe, "--dossier", m_dossier.path()} + options;
    const Resultat ecran = Lancer(commun);
    QCOMPARE(ecran.statut, 0);
    QCOMPARE(Lancer(commun + QStringList{"--sortie", fichier}).statut, 0);
    QFile f(fichier);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray octets = f.readAll();
    QCOMPARE(QString::fromUtf8(ecran.sortie), DepuisCp1252(octets));

    charger(classe);
    const QByteArray attendu = TexteExport(ConstruireGrille(Vue(vue), span, Selecteur(sel)), NomClasse,
                                           Maintenant(), separateur, virgule);
    QCOMPARE(SansHorodatage(octets, false), SansHorodatage(attendu, false));
    QVERIFY(octets.startsWith(NomClasse.toLatin1() + "  "));
}

void TstCliRapport::combinaisonsAbsentes_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");
    const QString d = m_dossier.path();
    QTest::newRow("mat2 d'une classe à une matière")
        << QStringList{"rapport", "3EME1.VTC", "--dossier", d, "--vue", "notes", "--periode", "1", "--matiere", "mat2"}
        << "une matière";
    QTest::newRow("ensemble d'une classe à une matière")
        << QStringList{"exporter", "3EME1", "--dossier", d, "--vue", "appreciations", "--periode", "2",
                       "--matiere", "ensemble"}
        << "une matière";
    QTest::newRow("période 3 d'une classe en semestres")
        << QStringList{"rapport", "4EME2.VTC", "--dossier", d, "--vue", "notes", "--periode", "3", "--matiere", "mat1"}
        << "période 3";
    QTest::newRow("vue inconnue") << QStringList{"rapport", "4EME2.VTC", "--dossier", d, "--vue", "bilan"}
                                  << "vue inconnue";
    QTest::newRow("période manquante")
        << QStringList{"rapport", "4EME2.VTC", "--dossier", d, "--vue", "notes", "--matiere", "mat1"} << "--periode";
    QTest::newRow("séparateur inconnu")
        << QStringList{"exporter", "4EME2.VTC", "--dossier", d, "--vue", "liste", "--separateur", "|"}
        << "séparateur";
    QTest::newRow("décimal inconnu")
        << QStringList{"exporter", "4EME2.VTC", "--dossier", d, "--vue", "liste", "--decimal", ":"} << "décimal";
}

void TstCliRapport::combinaisonsAbsentes()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    const Resultat r = Lancer(arguments);
    QCOMPARE(r.statut, 2);
    QVERIFY(r.sortie.isEmpty());
    QVERIFY2(r.erreur.contains(message), qPrintable(r.erreur));
}

void TstCliRapport::sortieImpossible()
{
    const QString absent = m_dossier.filePath(QStringLiteral("absent/rapport.txt"));
    const Resultat r = Lancer({"rapport", "3EME1.VTC", "--dossier", m_dossier.path(), "--vue", "liste",
                               "--sortie", absent});
    QCOMPARE(r.statut, 1);
    QVERIFY(!r.erreur.isEmpty());
    QVERIFY(!QFile::exists(absent));
    const Resultat classe = Lancer({"rapport", "ABSENTE.VTC", "--dossier", m_dossier.path(), "--vue", "liste"});
    QCOMPARE(classe.statut, 1);
    QVERIFY(classe.erreur.contains(QStringLiteral("introuvable")));
}

QTEST_GUILESS_MAIN(TstCliRapport)
#include "tst_cli_rapport.moc"
