// vestrel-cli run as a process on a temporary folder.
#include "classe.h"
#include "dossier.h"
#include "eleve.h"
#include "options.h"
#include "texte.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Resultat {
    int code = -1;
    QString sortie;
    QString erreurs;
};

Resultat lancer(const QStringList &arguments)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(VESTREL_CLI), arguments);
    if (!p.waitForFinished(30000))
        return {};
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

QByteArray lire(const QString &chemin)
{
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TstCli : public QObject {
    Q_OBJECT

    QTemporaryDir m_dossier;
    QString dossier() const { return m_dossier.path(); }

private slots:
    void exempleRealiste()
    {
        const Resultat r = lancer({QStringLiteral("exemple"), QStringLiteral("--dossier"), dossier()});
        QCOMPARE(r.code, 0);
        QVERIFY(r.erreurs.isEmpty());

        DefinirDossierProgramme(dossier());
        QVERIFY(charger(QStringLiteral("EXEMPLE.VTC")).ok);
        QVERIFY(NbEleves() >= 20 && NbEleves() <= 30);
        QVERIFY(!UneMatiere);
        QVERIFY(!DeuxPeriodes);
        QCOMPARE(LibelleMat1.isEmpty(), false);
        QCOMPARE(LibelleMat2.isEmpty(), false);
        bool accent = false, trait = false, appreciation = false, notesP1 = false, notesP2 = false;
        for (const StudentRecord &e : std::as_const(ListeEleves)) {
            accent |= e.Nom.contains(QRegularExpression(QStringLiteral("[À-ÿ]")))
                || e.Prenom.contains(QRegularExpression(QStringLiteral("[À-ÿ]")));
            trait |= e.Prenom.contains(QLatin1Char('-'));
            for (int v = 1; v <= 3; ++v)
                appreciation |= !e.Appreciations[v][1].isEmpty();
            notesP1 |= EstNote(e.NotesMat1[1][1]) && EstNote(e.NotesMat2[1][1]);
            notesP2 |= EstNote(e.NotesMat1[2][1]);
            QVERIFY(!EstNote(e.NotesMat1[1][9])); // only slots 1..8 of a two-subject class
        }
        QVERIFY(accent && trait && appreciation && notesP1 && notesP2);
        QVERIFY(CoefPeriode[1] != COEFS_PAR_DEFAUT);
        QVERIFY(DatePeriode[1] != DatesParDefaut());
        DefinirDossierProgramme(QString());
    }

    void exempleNEcrasePas()
    {
        const QString vtc = m_dossier.filePath(QStringLiteral("4B.VTC"));
        QFile f(vtc);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("precieux");
        f.close();
        Resultat r = lancer({QStringLiteral("exemple"), QStringLiteral("4b"), QStringLiteral("--dossier"), dossier()});
        QCOMPARE(r.code, 1);
        QVERIFY(r.erreurs.contains(QStringLiteral("existe déjà")));
        QCOMPARE(lire(vtc), QByteArray("precieux"));
        QVERIFY(!QFile::exists(m_dossier.filePath(QStringLiteral("4B.INI"))));

        r = lancer({QStringLiteral("exemple"), QStringLiteral("4B"), QStringLiteral("--remplacer"),
                    QStringLiteral("--dossier=") + dossier()});
        QCOMPARE(r.code, 0);
        QCOMPARE(lire(vtc).size() % 1578, 0);
    }

    void moyennes()
    {
        // Two students, one subject: 10 (coef 1) and 16 (coef 2) in period 1.
        DefinirDossierProgramme(dossier());
        QList<StudentRecord> eleves(2);
        eleves[0].Nom = QStringLiteral("ÉCOLE");
        eleves[0].Prenom = QStringLiteral("Zoé");
        eleves[0].NotesMat1[1][1] = 10;
        eleves[0].NotesMat1[1][2] = 16;
        eleves[1].Nom = QStringLiteral("SANS");
        eleves[1].Prenom = QStringLiteral("Note");
        QCOMPARE(EcrireEleves(m_dossier.filePath(QStringLiteral("UNE.VTC")), eleves).etat, EtatEcriture::Ecrit);
        OptionsParDefaut();
        CoefPeriode[1] = QStringLiteral("12");
        OptionsAEcrire o;
        o.nomClasse = QStringLiteral("UNE");
        o.mat1 = QStringLiteral("Math");
        QCOMPARE(EcrireOptions(o), QString());
        DefinirDossierProgramme(QString());

        const Resultat r = lancer({QStringLiteral("moyennes"), QStringLiteral("C:\\ailleurs\\une.vtc"),
                                   QStringLiteral("--dossier"), dossier()});
        QCOMPARE(r.code, 0);
        const QStringList lignes = r.sortie.split(QLatin1Char('\n'));
        QCOMPARE(lignes.size(), 7); // header, 2 students, Min, Moy, Max, then the final newline
        QCOMPARE(lignes[0].split(QLatin1Char('\t')).mid(1),
                 QStringList({"Mat1-1", "Mat1-2", "Mat1-3", "Mat1-A", "Mat2-1", "Mat2-2", "Mat2-3",
                              "Mat2-A", "Ens-1", "Ens-2", "Ens-3", "Ens-A"}));
        QCOMPARE(lignes[1], QStringLiteral("ÉCOLE Zoé\t14.00\t\t\t14.00\t\t\t\t\t14.00\t\t\t14.00"));
        QCOMPARE(lignes[2], QStringLiteral("SANS Note") + QString(12, QLatin1Char('\t')));
        QCOMPARE(lignes[3], QStringLiteral("Min\t14.00\t\t\t14.00\t\t\t\t\t14.00\t\t\t14.00"));
        QVERIFY(lignes[4].startsWith(QLatin1String("Moy\t14.00\t")));
        QVERIFY(lignes[5].startsWith(QLatin1String("Max\t14.00\t")));
        QCOMPARE(lignes[6], QString());
    }

    void erreurs_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");
        QTest::newRow("rien") << QStringList() << 2 << QStringLiteral("commande manquante");
        QTest::newRow("inconnue") << QStringList{"calculer"} << 2 << QStringLiteral("commande inconnue");
        QTest::newRow("sans classe") << QStringList{"moyennes"} << 2 << QStringLiteral("un seul fichier");
        QTest::newRow("option inconnue") << QStringList{"moyennes", "A.VTC", "--vite"} << 2 << QStringLiteral("option inconnue");
        QTest::newRow("dossier sans valeur") << QStringList{"moyennes", "A.VTC", "--dossier"} << 2 << QStringLiteral("attend une valeur");
        QTest::newRow("nom trop long") << QStringList{"exemple", "TROPLONGNOM"} << 2 << QStringLiteral("nom de classe incorrect");
        QTest::newRow("nom avec barre") << QStringList{"exemple", "A/B"} << 2 << QStringLiteral("nom de classe incorrect");
        QTest::newRow("fichier absent") << QStringList{"moyennes", "ABSENT.VTC", "--dossier", "@"} << 1
                                        << "Fichier introuvable.";
        QTest::newRow("dossier absent") << QStringList{"moyennes", "A.VTC", "--dossier", "/nulle/part"} << 1
                                        << "Dossier introuvable";
    }
    void erreurs()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, code);
        QFETCH(QString, message);
        arguments.replaceInStrings(QStringLiteral("@"), dossier());
        const Resultat r = lancer(arguments);
        QCOMPARE(r.code, code);
        QVERIFY2(r.erreurs.contains(message), qPrintable(r.erreurs));
        QVERIFY(r.sortie.isEmpty());
    }

    void fichierTronque()
    {
        QFile f(m_dossier.filePath(QStringLiteral("COURT.VTC")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(1578 + 10, '\0'));
        f.close();
        const Resultat r = lancer({QStringLiteral("moyennes"), QStringLiteral("COURT.VTC"), QStringLiteral("--dossier"), dossier()});
        QCOMPARE(r.code, 1);
        QCOMPARE(r.erreurs.trimmed(), QStringLiteral("Lecture au-delà de la fin de fichier."));
    }

    void aide()
    {
        const Resultat r = lancer({QStringLiteral("--help")});
        QCOMPARE(r.code, 0);
        for (const char *mot : {"moyennes", "exemple", "rapport", "exporter", "--dossier", "--remplacer",
                                "--vue", "--periode", "--matiere", "--separateur", "--decimal", "--sortie"})
            QVERIFY2(r.sortie.contains(QLatin1String(mot)), mot);
    }
};

QTEST_GUILESS_MAIN(TstCli)
#include "tst_cli.moc"
