// vestrel-cli run as a process on a temporary folder.
#include "classdata/classe.h"
#include "classdata/options.h"
#include "classdata/texte.h"
#include "platform/dossier.h"
#include "platform/recents.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

namespace {

struct Resultat {
    int code = -1;
    QString sortie, erreurs;
};

Resultat lancer(const QStringList &arguments)
{
    QProcess p;
    p.start(QStringLiteral(VESTREL_CLI), arguments);
    if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit)
        return {};
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

} // namespace

class TstCli : public QObject {
    Q_OBJECT

    QTemporaryDir m_dossier;
    QString dossier() const { return m_dossier.path(); }

private slots:
    void initTestCase() { ActiverDocumentsRecents(false); }
    void cleanup() { DefinirDossierProgramme(QString()); }

    void exempleRealiste()
    {
        const Resultat r = lancer({QStringLiteral("exemple"), QStringLiteral("--dossier"), dossier()});
        QCOMPARE(r.code, 0);
        DefinirDossierProgramme(dossier());
        QVERIFY(charger(QStringLiteral("EXEMPLE.VTC")).ok);
        QVERIFY(NbEleves() >= 20 && NbEleves() <= 30);
        QVERIFY(!UneMatiere && !DeuxPeriodes && !LibelleMat1.isEmpty() && !LibelleMat2.isEmpty());
        QVERIFY(CoefPeriode[1] != COEFS_PAR_DEFAUT && DatePeriode[1] != DatesParDefaut());
        const QRegularExpression accent(QStringLiteral("[À-ÿ]"));
        bool accents = false, traits = false, appreciations = false, p1 = false, p2 = false;
        for (const StudentRecord &e : std::as_const(ListeEleves)) {
            accents |= (e.Nom + e.Prenom).contains(accent);
            traits |= e.Prenom.contains(QLatin1Char('-'));
            appreciations |= !e.Appreciations[VUE_ENSEMBLE][1].isEmpty();
            p1 |= EstNote(e.NotesMat1[1][1]) && EstNote(e.NotesMat2[1][1]);
            p2 |= EstNote(e.NotesMat1[2][1]);
            QVERIFY(!EstNote(e.NotesMat1[1][9])); // a two-subject class uses slots 1..8
        }
        QVERIFY(accents && traits && appreciations && p1 && p2);
    }

    void exempleNEcrasePas()
    {
        const QString vtc = m_dossier.filePath(QStringLiteral("4B.VTC"));
        QFile f(vtc);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("precieux");
        f.close();
        Resultat r =
            lancer({QStringLiteral("exemple"), QStringLiteral("4b"), QStringLiteral("--dossier"), dossier()});
        QCOMPARE(r.code, 1);
        QVERIFY(r.erreurs.contains(QStringLiteral("existe déjà")));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("precieux"));
        f.close();
        r = lancer({QStringLiteral("exemple"), QStringLiteral("4B"), QStringLiteral("--remplacer"),
                    QStringLiteral("--dossier=") + dossier()});
        QCOMPARE(r.code, 0);
        QVERIFY(QFile(vtc).size() > 20 * 1578);
        // Replacing again: the settings file is rewritten whole, an old key does not survive.
        QFile ini(m_dossier.filePath(QStringLiteral("4B.INI")));
        QVERIFY(ini.open(QIODevice::Append));
        ini.write("Vieille clé=1\r\n");
        ini.close();
        r = lancer({QStringLiteral("exemple"), QStringLiteral("4B"), QStringLiteral("--remplacer"),
                    QStringLiteral("--dossier=") + dossier()});
        QCOMPARE(r.code, 0);
        QVERIFY(ini.open(QIODevice::ReadOnly));
        const QByteArray reglages = ini.readAll();
        QVERIFY(reglages.startsWith("[Options]\r\n") && !reglages.contains("Vieille"));
    }

    void moyennes()
    {
        // One subject; 10 (coefficient 1) and 16 (coefficient 2) in period 1, and a student without marks.
        DefinirDossierProgramme(dossier());
        QList<StudentRecord> eleves(2);
        eleves[0].Nom = QStringLiteral("ÉCOLE");
        eleves[0].Prenom = QStringLiteral("Zoé");
        eleves[0].NotesMat1[1][1] = 10;
        eleves[0].NotesMat1[1][2] = 16;
        eleves[1].Nom = QStringLiteral("SANS");
        eleves[1].Prenom = QStringLiteral("Note");
        QCOMPARE(EcrireEleves(m_dossier.filePath(QStringLiteral("UNE.VTC")), eleves).etat,
                 EtatEcriture::Ecrit);
        OptionsParDefaut();
        CoefPeriode[1] = QStringLiteral("12");
        OptionsAEcrire o;
        o.nomClasse = QStringLiteral("UNE");
        QCOMPARE(EcrireOptions(o), QString());

        // Only the file name counts, in any letter case.
        const Resultat r = lancer({QStringLiteral("moyennes"), QStringLiteral("C:\\ailleurs\\une.vtc"),
                                   QStringLiteral("--dossier"), dossier()});
        QCOMPARE(r.code, 0);
        const QString chiffres = QStringLiteral("\t14.00\t\t\t14.00\t\t\t\t\t14.00\t\t\t14.00\n");
        QCOMPARE(r.sortie,
                 QStringLiteral("Élève\tMat1-1\tMat1-2\tMat1-3\tMat1-A\tMat2-1\tMat2-2\tMat2-3\tMat2-A"
                                "\tEns-1\tEns-2\tEns-3\tEns-A\n")
                     + QStringLiteral("ÉCOLE Zoé") + chiffres + QStringLiteral("SANS Note")
                     + QString(12, QLatin1Char('\t')) + QLatin1Char('\n') + QStringLiteral("Min") + chiffres
                     + QStringLiteral("Moy") + chiffres + QStringLiteral("Max") + chiffres);
    }

    void erreurs_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");
        QTest::newRow("rien") << QStringList() << 2 << QStringLiteral("commande manquante");
        QTest::newRow("inconnue") << QStringList{"calculer"} << 2 << QStringLiteral("commande inconnue");
        QTest::newRow("sans classe") << QStringList{"moyennes"} << 2 << QStringLiteral("un seul fichier");
        QTest::newRow("option inconnue")
            << QStringList{"moyennes", "A.VTC", "--vite"} << 2 << QStringLiteral("option inconnue");
        QTest::newRow("sans valeur") << QStringList{"moyennes", "A.VTC", "--dossier"} << 2
                                     << QStringLiteral("attend une valeur");
        QTest::newRow("nom trop long")
            << QStringList{"exemple", "TROPLONGNOM"} << 2 << QStringLiteral("nom de classe incorrect");
        QTest::newRow("nom avec barre")
            << QStringList{"exemple", "A/B"} << 2 << QStringLiteral("nom de classe incorrect");
        QTest::newRow("fichier absent") << QStringList{"moyennes", "ABSENT.VTC", "--dossier", "@"} << 1
                                        << QStringLiteral("Fichier introuvable.");
        QTest::newRow("fichier tronque") << QStringList{"moyennes", "COURT.VTC", "--dossier", "@"} << 1
                                         << QStringLiteral("Lecture au-delà de la fin de fichier.");
        QTest::newRow("trop d'élèves")
            << QStringList{"moyennes", "TROP.VTC", "--dossier", "@"} << 1 << QStringLiteral("au plus 127.\n");
        QTest::newRow("classe FIFO") << QStringList{"moyennes", "FIFO.VTC", "--dossier", "@"} << 1
                                     << QStringLiteral("FIFO.VTC n'est pas un fichier ordinaire.\n");
        QTest::newRow("dossier absent") << QStringList{"moyennes", "A.VTC", "--dossier", "/nulle/part"} << 1
                                        << QStringLiteral("Dossier introuvable");
    }
    void erreurs()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, code);
        QFETCH(QString, message);
        QFile court(m_dossier.filePath(QStringLiteral("COURT.VTC")));
        QVERIFY(court.open(QIODevice::WriteOnly));
        court.write(QByteArray(1578 + 10, '\0'));
        court.close();
        QFile trop(m_dossier.filePath(QStringLiteral("TROP.VTC")));
        QVERIFY(trop.open(QIODevice::WriteOnly));
        trop.write(QByteArray(128 * 1578, '\0'));
        trop.close();
        const QByteArray fifo = QFile::encodeName(m_dossier.filePath(QStringLiteral("FIFO.VTC")));
        if (!QFile::exists(QString::fromUtf8(fifo)))
            QVERIFY(::mkfifo(fifo.constData(), 0600) == 0);
        arguments.replaceInStrings(QStringLiteral("@"), dossier());
        const Resultat r = lancer(arguments);
        QCOMPARE(r.code, code);
        QVERIFY2(r.erreurs.contains(message), qPrintable(r.erreurs));
        // Bad usage shows how to call the tool; a failure does not.
        QCOMPARE(r.erreurs.contains(QStringLiteral("Usage : vestrel-cli")), code == 2);
        QVERIFY(r.sortie.isEmpty());
    }

    // --sortie never replaces a file of the class folder nor a special file;
    // tabs and line breaks of a damaged name stay out of the columns.
    void sortiesProtegees()
    {
        QTemporaryDir d;
        DefinirDossierProgramme(d.path());
        QList<StudentRecord> eleves(1);
        eleves[0].Nom = QStringLiteral("TAB\tNOM");
        eleves[0].Prenom = QStringLiteral("Li\ngne");
        QCOMPARE(EcrireEleves(d.filePath(QStringLiteral("CL.VTC")), eleves).etat, EtatEcriture::Ecrit);
        const QByteArray avant = [&] {
            QFile f(d.filePath(QStringLiteral("CL.VTC")));
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        }();
        Resultat r =
            lancer({QStringLiteral("moyennes"), QStringLiteral("CL"), QStringLiteral("--dossier"), d.path()});
        QCOMPARE(r.code, 0);
        QCOMPARE(r.sortie.section(u'\n', 1, 1).section(u'\t', 0, 0), QStringLiteral("TAB NOM Li gne"));
        QCOMPARE(r.sortie.count(u'\n'), 5);

        QVERIFY(QFile::link(d.filePath(QStringLiteral("CL.VTC")), d.filePath(QStringLiteral("lien.txt"))));
        const QByteArray fifo = QFile::encodeName(d.filePath(QStringLiteral("tube")));
        QVERIFY(::mkfifo(fifo.constData(), 0600) == 0);
        const QStringList base{
            QStringLiteral("exporter"), QStringLiteral("CL"),    QStringLiteral("--dossier"), d.path(),
            QStringLiteral("--vue"),    QStringLiteral("liste"), QStringLiteral("--sortie")};
        for (const QString &cible :
             {d.filePath(QStringLiteral("cl.vtc")), d.filePath(QStringLiteral("CL.INI")),
              d.filePath(QStringLiteral("lien.txt"))}) {
            r = lancer(base + QStringList{cible});
            QCOMPARE(r.code, 1);
            QVERIFY2(r.erreurs.contains(QStringLiteral("ne peut pas remplacer un fichier de classe")),
                     qPrintable(r.erreurs));
        }
        r = lancer(base + QStringList{QString::fromUtf8(fifo)});
        QCOMPARE(r.code, 1);
        QVERIFY2(r.erreurs.contains(QStringLiteral("Aucun programme ne lit")), qPrintable(r.erreurs));
        r = lancer(base + QStringList{QStringLiteral("/dev/null")});
        QCOMPARE(r.code, 0);
        QFile f(d.filePath(QStringLiteral("CL.VTC")));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), avant);
        struct stat st { };
        QVERIFY(::lstat(fifo.constData(), &st) == 0 && S_ISFIFO(st.st_mode));
        QVERIFY(!QFile::exists(d.filePath(QStringLiteral("CL.INI"))));
    }

    // Settings that exist but cannot be read are an error, not the defaults
    // (which would read the class as one subject, every coefficient 1).
    void reglagesIlisibles()
    {
        const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
        if (::geteuid() != 0 || setpriv.isEmpty())
            QSKIP("il faut être root avec setpriv pour lancer en tant qu'un autre utilisateur");
        QTemporaryDir d;
        QVERIFY(
            lancer({QStringLiteral("exemple"), QStringLiteral("CL"), QStringLiteral("--dossier"), d.path()})
                .code
            == 0);
        QFile::setPermissions(d.path(),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                                  | QFileDevice::ReadOther | QFileDevice::ExeOther);
        QFile::setPermissions(d.filePath(QStringLiteral("CL.VTC")),
                              QFileDevice::ReadOwner | QFileDevice::ReadOther);
        QFile::setPermissions(d.filePath(QStringLiteral("CL.INI")), QFileDevice::Permissions());
        QProcess p;
        p.start(setpriv,
                {QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                 QStringLiteral("--clear-groups"), QStringLiteral(VESTREL_CLI), QStringLiteral("moyennes"),
                 QStringLiteral("CL"), QStringLiteral("--dossier"), d.path()});
        QVERIFY(p.waitForFinished(30000));
        const QString erreurs = QString::fromUtf8(p.readAllStandardError());
        if (p.exitCode() != 1 && erreurs.contains(QStringLiteral("setpriv")))
            QSKIP("setpriv refusé ici");
        QCOMPARE(p.exitCode(), 1);
        QCOMPARE(erreurs, QStringLiteral("Accès au fichier refusé.\n"));
        QVERIFY(p.readAllStandardOutput().isEmpty());
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
