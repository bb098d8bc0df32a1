// vestrel-cli run as a process on a temporary folder; its reports and
// exports against what the print command and the export write in the program.
#include "classdata/classe.h"
#include "classdata/options.h"
#include "classdata/texte.h"
#include "platform/cp1252.h"
#include "platform/dossier.h"
#include "platform/horloge.h"
#include "platform/recents.h"
#include "reports/export.h"
#include "reports/rapport.h"
#include "tests/cli/processus.h"
#include "tests/common/classeessai.h"

#include <QtTest>

using namespace Qt::StringLiterals;

#include <sys/stat.h>
#include <unistd.h>

namespace {

// The written text without the date and time of writing (last line of a
// report, end of the first line of an export).
QByteArray SansHorodatage(const QByteArray &texte, bool rapport)
{
    return rapport ? texte.left(texte.lastIndexOf("\r\n", texte.size() - 3) + 2)
                   : texte.mid(texte.indexOf("\r\n"));
}

} // namespace

class TstCli : public QObject {
    Q_OBJECT

    QTemporaryDir m_dossier;
    QString dossier() const { return m_dossier.path(); }
    // Arguments separated by spaces, @ for the class folder.
    Resultat commande(const QString &ligne) const
    {
        return lancer(ligne.split(u' ', Qt::SkipEmptyParts).replaceInStrings(u"@", dossier()));
    }
    static Resultat lancer(const QStringList &arguments) { return Executer(VESTREL_CLI, arguments); }

private slots:
    void cleanup() { DefinirDossierProgramme(QString()); }

    // 3EME1: one subject, trimesters; 4EME2: two subjects, semesters; files
    // that cannot be read as classes.
    void initTestCase()
    {
        ActiverDocumentsRecents(false);
        DefinirDossierProgramme(dossier());
        for (bool une : {true, false}) {
            une ? ClasseEssai::UneMatiereFran(false) : ClasseEssai::DeuxMatieres(true);
            for (int p = 1; p <= 3; ++p) {
                CoefPeriode[p] = u"2111111111311112"_s;
                DatePeriode[p] = u"05/1112/12--/--01/01"_s + u"--/--"_s.repeated(12);
            }
            QCOMPARE(EcrireOptions({NomClasse, !DeuxPeriodes, UneMatiere, LibelleMat1, LibelleMat2}),
                     QString());
            QCOMPARE(EcrireEleves(CheminProgramme(NomFichier), ListeEleves).etat, EtatEcriture::Ecrit);
        }
        for (auto [nom, taille] : {std::pair{"COURT.VTC", 1578 + 10}, std::pair{"TROP.VTC", 128 * 1578}})
            QVERIFY(Essai::ecrire(m_dossier.filePath(nom), QByteArray(taille, '\0')));
        QVERIFY(::mkfifo(QFile::encodeName(m_dossier.filePath("FIFO.VTC")).constData(), 0600) == 0);
    }

    // An existing class is kept byte for byte unless --remplacer is given;
    // replacing rewrites the settings file whole, an old key does not survive.
    void exempleNEcrasePas()
    {
        const QString vtc = m_dossier.filePath("4B.VTC"), ini = m_dossier.filePath("4B.INI");
        QVERIFY(Essai::ecrire(vtc, "precieux"));
        const Resultat r = commande("exemple 4b --dossier @");
        QVERIFY(r.code == 1 && r.erreurs.contains("existe déjà"));
        QCOMPARE(Essai::lire(vtc), "precieux");
        QCOMPARE(commande("exemple 4B --remplacer --dossier=@").code, 0);
        QVERIFY(QFileInfo(vtc).size() > 20 * 1578);
        QVERIFY(Essai::ecrire(ini, Essai::lire(ini) + "Vieille clé=1\r\n"));
        QCOMPARE(commande("exemple 4B --remplacer --dossier=@").code, 0);
        const QByteArray reglages = Essai::lire(ini);
        QVERIFY(reglages.startsWith("[Options]\r\n") && !reglages.contains("Vieille"));
    }

    // One subject; 10 (coefficient 1) and 16 (coefficient 2) in period 1, and
    // a student without marks. Only the file name counts, in any letter case.
    void moyennes()
    {
        DefinirDossierProgramme(dossier());
        QList<StudentRecord> eleves{ClasseEssai::Eleve("ÉCOLE", "Zoé", {{1, 1, 1, 10}, {1, 1, 2, 16}}),
                                    ClasseEssai::Eleve("SANS", "Note")};
        QCOMPARE(EcrireEleves(m_dossier.filePath("UNE.VTC"), eleves).etat, EtatEcriture::Ecrit);
        OptionsParDefaut();
        CoefPeriode[1] = "12";
        OptionsAEcrire o;
        o.nomClasse = "UNE";
        QCOMPARE(EcrireOptions(o), QString());

        const Resultat r = commande("moyennes C:\\ailleurs\\une.vtc --dossier @");
        QCOMPARE(r.code, 0);
        const QString chiffres = "\t14.00\t\t\t14.00\t\t\t\t\t14.00\t\t\t14.00\n";
        QCOMPARE(r.sortie,
                 "Élève\tMat1-1\tMat1-2\tMat1-3\tMat1-A\tMat2-1\tMat2-2\tMat2-3\tMat2-A\tEns-1\tEns-2\tEns-"
                 "3\tEns-A\n"
                 "ÉCOLE Zoé"
                     + chiffres + "SANS Note" + QString(12, u'\t') + "\nMin" + chiffres + "Moy" + chiffres
                     + "Max" + chiffres);
    }

    // Bad usage (2) shows how to call the tool; a failure (1) does not. @: the class folder.
    void erreurs_data()
    {
        QTest::addColumn<QString>("ligne");
        QTest::addColumn<int>("code"); // -2: refused for the class's kind, without the usage
        QTest::addColumn<QString>("message");
        QTest::newRow("rien") << "" << 2 << "commande manquante";
        QTest::newRow("option inconnue") << "moyennes A.VTC --vite" << 2 << "option inconnue";
        QTest::newRow("nom avec barre") << "exemple A/B" << 2 << "nom de classe incorrect";
        QTest::newRow("fichier absent") << "moyennes ABSENT.VTC --dossier @" << 1 << "Fichier introuvable.";
        QTest::newRow("fichier tronque")
            << "moyennes COURT.VTC --dossier @" << 1 << "Lecture au-delà de la fin de fichier.";
        QTest::newRow("trop d'élèves") << "moyennes TROP.VTC --dossier @" << 1 << "au plus 127.\n";
        QTest::newRow("classe FIFO") << "moyennes FIFO.VTC --dossier @" << 1
                                     << "FIFO.VTC n'est pas un fichier ordinaire.\n";
        QTest::newRow("dossier absent")
            << "moyennes A.VTC --dossier /nulle/part" << 1 << "Dossier introuvable";
        QTest::newRow("mat2, une matière")
            << "rapport 3EME1.VTC --matiere mat2 --vue notes --periode 1 --dossier @" << -2 << "une matière";
        QTest::newRow("période 3, semestres")
            << "rapport 4EME2.VTC --vue notes --periode 3 --matiere mat1 --dossier @" << -2 << "période 3";
        QTest::newRow("séparateur inconnu")
            << "exporter 4EME2 --vue liste --separateur | --dossier @" << 2 << "séparateur";
        QTest::newRow("sortie impossible")
            << "rapport 3EME1.VTC --vue liste --sortie /nonexistent/dir/r.txt --dossier @" << 1 << "";
    }

    void erreurs()
    {
        QFETCH(QString, ligne);
        QFETCH(int, code);
        QFETCH(QString, message);
        const Resultat r = commande(ligne);
        QCOMPARE(r.code, qAbs(code));
        QVERIFY2(!r.erreurs.isEmpty() && r.erreurs.contains(message), qPrintable(r.erreurs));
        QCOMPARE(r.erreurs.contains("Usage : vestrel-cli"), code == 2);
        QVERIFY(r.sortie.isEmpty());
    }

    // The same text in the file (Windows-1252) and on the screen (UTF-8), and
    // the text the program itself writes. Separator "-": a report.
    void commeLeProgramme_data()
    {
        QTest::addColumn<QString>("ligne");
        QTest::addColumn<int>("span");
        QTest::addColumn<int>("sel");
        QTest::addColumn<QString>("separateur");
        const int M1 = int(Selecteur::Mat1), E = int(Selecteur::Ensemble);
        QTest::newRow("rapport notes 2")
            << "rapport 3EME1.VTC --vue notes --periode 2 --matiere mat1" << 2 << M1 << "-";
        QTest::newRow("rapport année ensemble")
            << "rapport 4EME2.VTC --vue=notes --periode=annee --matiere=ensemble" << Annee << E << "-";
        QTest::newRow("exporter ; ,")
            << "exporter 3EME1 --vue notes --periode 1 --matiere mat1 --separateur ; --decimal ," << 1 << M1
            << ";";
        QTest::newRow("exporter Aucun par défaut")
            << "exporter 3EME1 --vue notes --periode annee --matiere mat1" << Annee << M1 << "";
    }

    void commeLeProgramme()
    {
        QFETCH(QString, ligne);
        QFETCH(int, span);
        QFETCH(int, sel);
        QFETCH(QString, separateur);
        const QStringList arguments = ligne.split(u' ') << u"--dossier"_s << dossier();
        const QString fichier = m_dossier.filePath("sortie.txt");
        const Resultat ecran = lancer(arguments);
        QCOMPARE(ecran.code, 0);
        QCOMPARE(lancer(arguments + QStringList{"--sortie", fichier}).code, 0);
        const QByteArray octets = Essai::lire(fichier);
        const bool rapport = separateur == u"-";
        QCOMPARE(SansHorodatage(VersCp1252(ecran.sortie), rapport), SansHorodatage(octets, rapport));

        DefinirDossierProgramme(dossier());
        QVERIFY(charger(arguments.at(1).left(5) + u".VTC"_s).ok);
        QByteArray attendu;
        SortieMemoire s;
        if (rapport) {
            QVERIFY(RapportComplet(s, EntreesDepuisClasse(Vue::Notes, span, Selecteur(sel)), Maintenant()));
            attendu = VersCp1252(s.texte());
        } else
            attendu = TexteExport(ConstruireGrille(Vue::Notes, span, Selecteur(sel)), NomClasse, Maintenant(),
                                  separateur, !arguments.contains("."));
        QCOMPARE(SansHorodatage(octets, rapport), SansHorodatage(attendu, rapport));
    }

    // --sortie never replaces a file of the class folder nor a special file;
    // tabs and line breaks of a damaged name stay out of the columns.
    void sortiesProtegees()
    {
        DefinirDossierProgramme(dossier());
        const QString vtc = m_dossier.filePath("CL.VTC");
        const QList<StudentRecord> eleves{ClasseEssai::Eleve("TAB\tNOM", "Li\ngne")};
        QCOMPARE(EcrireEleves(vtc, eleves).etat, EtatEcriture::Ecrit);
        const QByteArray avant = OctetsEleves(eleves);
        Resultat r = commande("moyennes CL --dossier @");
        QCOMPARE(r.code, 0);
        QCOMPARE(r.sortie.section(u'\n', 1, 1).section(u'\t', 0, 0), "TAB NOM Li gne");
        QCOMPARE(r.sortie.count(u'\n'), 5);

        QVERIFY(QFile::link(vtc, m_dossier.filePath("lien.txt")));
        const QByteArray tube = QFile::encodeName(m_dossier.filePath("tube"));
        QVERIFY(::mkfifo(tube.constData(), 0600) == 0);
        for (const char *cible : {"@/cl.vtc", "@/CL.INI", "@/lien.txt", "@/tube", "/dev/null"}) {
            r = commande(u"exporter CL --dossier @ --vue liste --sortie "_s + cible);
            const bool special = QByteArray(cible) == "@/tube", nul = QByteArray(cible) == "/dev/null";
            QCOMPARE(r.code, nul ? 0 : 1);
            if (!nul)
                QVERIFY2(r.erreurs.contains(special ? "Aucun programme ne lit"
                                                    : "ne peut pas remplacer un fichier de classe"),
                         qPrintable(r.erreurs));
        }
        QCOMPARE(Essai::lire(vtc), avant);
        struct stat st { };
        QVERIFY(::lstat(tube.constData(), &st) == 0 && S_ISFIFO(st.st_mode));
        QVERIFY(!QFile::exists(m_dossier.filePath("CL.INI")));
    }

    // Settings that exist but cannot be read are an error, not the defaults
    // (which would read the class as one subject, every coefficient 1).
    void reglagesIlisibles()
    {
        const QString setpriv = QStandardPaths::findExecutable(u"setpriv"_s);
        if (::geteuid() != 0 || setpriv.isEmpty())
            QSKIP("il faut être root avec setpriv pour lancer en tant qu'un autre utilisateur");
        QTemporaryDir d;
        QCOMPARE(lancer({"exemple", "CL", "--dossier", d.path()}).code, 0);
        using P = QFileDevice;
        QFile::setPermissions(d.path(),
                              P::ReadOwner | P::WriteOwner | P::ExeOwner | P::ReadOther | P::ExeOther);
        QFile::setPermissions(d.filePath("CL.VTC"), P::ReadOwner | P::ReadOther);
        QFile::setPermissions(d.filePath("CL.INI"), QFileDevice::Permissions());
        const Resultat r = Executer(setpriv,
                                    {"--reuid=65534", "--regid=65534", "--clear-groups", VESTREL_CLI,
                                     "moyennes", "CL", "--dossier", d.path()});
        if (r.code != 1 && r.erreurs.contains("setpriv"))
            QSKIP("setpriv refusé ici");
        QCOMPARE(r.code, 1);
        QCOMPARE(r.erreurs, "Accès au fichier refusé.\n");
        QVERIFY(r.sortie.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TstCli)
#include "tst_cli.moc"
