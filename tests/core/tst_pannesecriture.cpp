// Every writer of the core, every step of its write failing in turn: the old
// file stays byte for byte and the platform's message comes back. Loading
// refuses FIFOs, devices and oversized settings at once.
#include "appreciations/baseappreciations.h"
#include "platform/ecrituresure.h"
#include "platform/erreurs.h"
#include "platform/lecturesure.h"
#include "platform/sortietexte.h"
#include "reports/export.h"
#include "tests/common/classeessai.h"

#include <cerrno>
#include <sys/stat.h>

using namespace Essai;
using namespace Qt::StringLiterals;

namespace {

QList<StudentRecord> classe(int n)
{
    QList<StudentRecord> l;
    for (int i = 0; i < n; ++i)
        l.append(ClasseEssai::Eleve(u"NOM%1"_s.arg(i), u"Prénom"_s, {{1, 1, 1, 12.5}}));
    return l;
}

} // namespace

class TstPannesEcriture : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { EssaiEcriture::remettreAZero(); }

    // Each writer above the 16 KiB a buffered writer keeps until the end.
    void chaquePas()
    {
        ClasseEssai c;
        NomFichier = u"CL.VTC"_s;
        NomClasse = u"CL"_s;
        const QString vtc = c.chemin(u"CL.VTC"_s), ini = c.chemin(u"CL.INI"_s),
                      txt = c.chemin(u"a_classe.txt"_s), vap = c.chemin(u"12120002.VAP"_s);
        const QByteArray vtcAvant = OctetsEleves(classe(3)), txtAvant = "ancien rapport\r\n";
        const QByteArray iniAvant = "[Options]\r\nNombre de matières=2\r\nMat1=Hist\r\nMat2=Géo\r\n";
        OptionsAEcrire o;
        o.nomClasse = NomClasse;
        o.uneMatiere = false;
        o.mat1 = u"Français"_s;
        o.gras = true;
        const QList<QPair<const char *, std::function<QString()>>> ecrivains{
            {"classe", [&] { return EcrireEleves(vtc, classe(127)).message; }},
            {"réglages", [&] { return EcrireOptions(o); }},
            {"classe et réglages", [&] { return EcrireElevesEtOptions(vtc, classe(127), false, o).message; }},
            {"rapport",
             [&] {
                 SortieFichier s(txt);
                 while (s.contenu().size() < 40 * 1024)
                     s.ligne(u"DUPONT Jean        12.50  8.00 14.25"_s);
                 s.fermer();
                 return s.messageErreur();
             }},
            {"export",
             [&] {
                 QString m;
                 EcrireFichierExport(txt, QByteArray(40 * 1024, 'x'), &m);
                 return m;
             }},
            {"base d'appréciations", [&] {
                 QString m;
                 EcrireBase(vap, QStringList(2000, u"Phrase du nouveau jeu"_s), m);
                 return m;
             }}};
        auto remettre = [&] {
            ecrire(vtc, vtcAvant) && ecrire(ini, iniAvant) && ecrire(txt, txtAvant) && ecrire(vap, txtAvant);
        };
        for (const auto &[nom, ecrireTout] : ecrivains) {
            remettre();
            EssaiEcriture::remettreAZero();
            QCOMPARE(ecrireTout(), QString());
            const int pas = EssaiEcriture::pasFaits();
            QVERIFY(pas >= 4);
            const QStringList attendus = c.contenu();
            for (int n = 1; n <= pas; ++n) {
                remettre();
                Gras = false;
                const int code = n % 2 ? ENOSPC : EIO;
                EssaiEcriture::echouerAuPas(n, code);
                const QString m = ecrireTout();
                const QByteArray ici = nom + " pas "_ba + QByteArray::number(n) + " : " + m.toUtf8();
                // The settings speak of their file; the others give the system's reason.
                QVERIFY2(
                    m == (nom == "réglages"_ba ? MessageEcritureImpossible(ini) : MessageErreurSysteme(code)),
                    ici);
                QVERIFY2(lire(vtc) == vtcAvant && lire(ini) == iniAvant && lire(txt) == txtAvant
                             && lire(vap) == txtAvant,
                         ici);
                QVERIFY2(c.contenu() == attendus, ici);
                if (nom == "classe et réglages"_ba)
                    QVERIFY2(!Gras, ici); // the settings in memory follow the files
            }
        }
    }

    // A marks or settings path that is no ordinary file: refused at once,
    // with a message, the model left empty; a save through it never replaces it.
    void chargementRefuse_data()
    {
        QTest::addColumn<QString>("fichier");
        QTest::addColumn<QString>("genre");
        QTest::newRow("classe FIFO") << u"CL.VTC"_s << u"fifo"_s;
        QTest::newRow("réglages /dev/zero") << u"CL.INI"_s << u"zero"_s;
        QTest::newRow("réglages dossier") << u"CL.INI"_s << u"dossier"_s;
        QTest::newRow("réglages trop grands") << u"CL.INI"_s << u"grand"_s;
    }
    void chargementRefuse()
    {
        QFETCH(QString, fichier);
        QFETCH(QString, genre);
        ClasseEssai c;
        ecrire(c.chemin(u"CL.VTC"_s), OctetsEleves(classe(2)));
        const QString chemin = c.chemin(fichier);
        QFile::remove(chemin);
        QString attendu = MessagePasFichierOrdinaire(chemin);
        if (genre == u"fifo") {
            QVERIFY(::mkfifo(QFile::encodeName(chemin).constData(), 0600) == 0);
        } else if (genre == u"zero") {
            QVERIFY(QFile::link(u"/dev/zero"_s, chemin));
        } else if (genre == u"dossier") {
            QVERIFY(QDir().mkdir(chemin));
            attendu = MessageErreurSysteme(EISDIR);
        } else {
            ecrire(chemin, "[Options]\r\n" + QByteArray(TAILLE_MAX_REGLAGES, ' '));
            attendu = MessageFichierTropGrand(chemin, TAILLE_MAX_REGLAGES);
        }
        const ResultatChargement r = charger(u"CL.VTC"_s);
        QVERIFY(!r.ok);
        QCOMPARE(r.message, attendu);
        QCOMPARE(NbEleves(), 0);
        if (genre != u"grand") {
            ListeEleves = classe(1);
            NomFichier = u"CL.VTC"_s;
            QVERIFY(!(fichier == NomFichier ? EcrireClasse().message : EcrireCoefDatesAvec(CoefPeriode))
                         .isEmpty());
            struct stat st { };
            QVERIFY(::lstat(QFile::encodeName(chemin).constData(), &st) == 0 && !S_ISREG(st.st_mode));
        }
    }

    void sortieSurUneLigne()
    {
        QCOMPARE(SurUneLigne(u"A\tB\r\nC"_s), u"A B  C"_s);
        TableGrille t;
        t.lignes = {{u"Élève"_s, u"D1"_s}, {u"NOM\tPré\nnom"_s, u"12.00"_s}};
        const QByteArray o =
            TexteExport(t, u"C\tL"_s, QDateTime(QDate(2026, 12, 7), QTime(10, 42)), u";"_s, false);
        QCOMPARE(o.count('\t'), 0);
        QCOMPARE(o.count('\n'), 4); // header, blank, title row, one student
    }
};

QTEST_GUILESS_MAIN(TstPannesEcriture)
#include "tst_pannesecriture.moc"
