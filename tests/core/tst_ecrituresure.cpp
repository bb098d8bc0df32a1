// The one file writer and every writer of the core: every step failing in turn
// leaves the old bytes and no temporary; links, FIFOs and devices; the two-file
// save; loading refuses what is no ordinary file. The copy of one file: whole
// data, modification time, letter case of the target, a disk filling up.
#include "appreciations/baseappreciations.h"
#include "platform/copiefichier.h"
#include "platform/ecrituresure.h"
#include "platform/erreurs.h"
#include "platform/lecturesure.h"
#include "platform/sortietexte.h"
#include "reports/export.h"
#include "tests/common/classeessai.h"

#include <array>
#include <cerrno>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Essai;
using namespace Qt::StringLiterals;

namespace {

mode_t modeDe(const QString &chemin)
{
    struct stat st { };
    ::lstat(QFile::encodeName(chemin).constData(), &st);
    return st.st_mode;
}

// Steps a successful write makes, counted by the seam; -1 if it failed.
template <typename F> int pasDUneEcriture(F ecrireTout)
{
    EssaiEcriture::remettreAZero();
    return ecrireTout().isEmpty() ? EssaiEcriture::pasFaits() : -1;
}

QList<StudentRecord> classe(int n)
{
    QList<StudentRecord> l;
    for (int i = 0; i < n; ++i)
        l.append(ClasseEssai::Eleve(u"NOM%1"_s.arg(i), u"Prénom"_s, {{1, 1, 1, 12.5}}));
    return l;
}

} // namespace

class TstEcritureSure : public QObject {
    Q_OBJECT

private slots:
    void cleanup()
    {
        EssaiEcriture::remettreAZero();
        EssaiCopie::limiterEcriture(-1);
    }

    // The process killed before each step in turn: the file is then the old
    // one or the new one, whole.
    void arretAChaquePas()
    {
        DossierEssai d;
        const QString chemin = d.chemin(u"CL.VTC"_s);
        const QByteArray avant = motif(1578), apres = motif(127 * 1578);
        ecrire(chemin, avant);
        const int pas = pasDUneEcriture([&] { return EcrireFichierSur(chemin, apres); });
        QVERIFY(pas >= 4);
        for (int n = 1; n <= pas + 1; ++n) {
            ecrire(chemin, avant);
            const pid_t enfant = ::fork();
            QVERIFY(enfant >= 0);
            if (enfant == 0) {
                EssaiEcriture::echouerAuPas(n, EssaiEcriture::ArretBrutal);
                ::_exit(EcrireFichierSur(chemin, apres).isEmpty() ? 0 : 1);
            }
            int etat = 0;
            QVERIFY(::waitpid(enfant, &etat, 0) == enfant);
            const QByteArray ici = QByteArray::number(n);
            QVERIFY2(n <= pas ? WIFSIGNALED(etat) : WIFEXITED(etat) && WEXITSTATUS(etat) == 0, ici);
            QVERIFY2(lire(chemin) == (n <= pas ? avant : apres), ici);
            // A killed write may leave its hidden temporary, nothing else.
            for (const QString &e : d.contenu()) {
                if (e != u"CL.VTC"_s) {
                    QVERIFY2(e.startsWith(u".CL.VTC."_s), qPrintable(e));
                    QVERIFY(QFile::remove(d.chemin(e)));
                }
            }
        }
    }

    void liensEtDroits()
    {
        DossierEssai d, ailleurs;
        const QString cible = ailleurs.chemin(u"vrai.VTC"_s), lien = d.chemin(u"CL.VTC"_s);
        ecrire(cible, "ancien");
        QVERIFY(::chmod(QFile::encodeName(cible).constData(), 0640) == 0);
        QVERIFY(QFile::link(cible, lien));
        // The teacher's link stays; its target gets the bytes and keeps its rights.
        QCOMPARE(EcrireFichierSur(lien, "nouveau"), QString());
        QVERIFY(S_ISLNK(modeDe(lien)));
        QCOMPARE(lire(cible), "nouveau"_ba);
        QCOMPARE(modeDe(cible) & 07777, mode_t(0640));
        QCOMPARE(ailleurs.contenu(), QStringList{u"vrai.VTC"_s});
        // A link leading nowhere creates nothing where it points.
        const QString absent = ailleurs.chemin(u"absent.INI"_s), pendant = d.chemin(u"CL.INI"_s);
        QVERIFY(QFile::link(absent, pendant));
        QVERIFY(EcrireFichierSur(pendant, "x").contains(u"ne mène à aucun fichier"_s));
        QVERIFY(!QFile::exists(absent));
        QVERIFY(S_ISLNK(modeDe(pendant)));
    }

    void fichiersSpeciaux()
    {
        DossierEssai d;
        const QString fifo = d.chemin(u"CL.VTC"_s);
        QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
        QCOMPARE(EcrireFichierSur(fifo, "x"), MessagePasFichierOrdinaire(fifo));
        // A stream output to a FIFO nobody reads is refused, not waited on.
        QCOMPARE(EcrireSortie(fifo, "x"), u"Aucun programme ne lit %1"_s.arg(fifo));
        QVERIFY(S_ISFIFO(modeDe(fifo)));
        const QString zero = d.chemin(u"Z.INI"_s);
        QVERIFY(QFile::link(u"/dev/null"_s, zero));
        QCOMPARE(EcrireFichierSur(zero, "x"), MessagePasFichierOrdinaire(zero));
        QCOMPARE(EcrireSortie(zero, "x"), QString()); // a device takes the stream
        QVERIFY(S_ISLNK(modeDe(zero)));
        QCOMPARE(EcrireFichierSur(d.path(), "x"), MessageErreurSysteme(EISDIR));
        QCOMPARE(d.contenu(), (QStringList{u"CL.VTC"_s, u"Z.INI"_s}));
    }

    // No hard links on this file system: the old bytes are kept by a copy.
    void sansLienPhysique()
    {
        DossierEssai d;
        const QString vtc = d.chemin(u"CL.VTC"_s), ini = d.chemin(u"CL.INI"_s);
        const QByteArray vtcAvant = motif(1578), iniAvant = "[Options]\r\nMat1=Hist\r\n";
        const QByteArray vtcApres = motif(127 * 1578), iniApres = "[Options]\r\nMat1=Géo\r\n";
        auto ecrireTout = [&] { return EcrireDeuxFichiersSurs(vtc, vtcApres, ini, iniApres); };
        auto remettre = [&] { return ecrire(vtc, vtcAvant) && ecrire(ini, iniAvant); };
        QVERIFY(remettre());
        const int pas = pasDUneEcriture(ecrireTout);
        QVERIFY(lire(vtc) == vtcApres && lire(ini) == iniApres);
        for (int n = 1; n <= pas; ++n) {
            QVERIFY(remettre());
            EssaiEcriture::echouerAuPas(n, EPERM);
            const QString m = ecrireTout();
            const QByteArray ici =
                QByteArray::number(n) + ": " + m.toUtf8() + " / " + d.contenu().join(u' ').toUtf8();
            if (m.isEmpty()) // the link step had a way round
                QVERIFY2(lire(vtc) == vtcApres && lire(ini) == iniApres, ici);
            else
                QVERIFY2(m == MessageErreurSysteme(EPERM) && lire(vtc) == vtcAvant && lire(ini) == iniAvant,
                         ici);
            QVERIFY2(d.contenu() == (QStringList{u"CL.INI"_s, u"CL.VTC"_s}), ici);
        }
    }

    // Whole data, the source's time, the lower-case name unless a file of the
    // same name in another case is there (that one is replaced, so a class
    // never ends up twice), and nothing else left in the folder.
    void copie_data()
    {
        QTest::addColumn<int>("taille");
        QTest::addColumn<QString>("existant"); // already in the destination
        QTest::addColumn<QString>("cible");
        for (int t : {0, 8191, 8192, 8193, 3 * 8192})
            QTest::addRow("%d", t) << t << QString() << u"3eme1.vtc"_s;
        QTest::newRow("remplace meme nom") << 100 << u"3eme1.vtc"_s << u"3eme1.vtc"_s;
        QTest::newRow("remplace autre casse") << 20000 << u"3EME1.VTC"_s << u"3EME1.VTC"_s;
        QTest::newRow("remplace casse melangee") << 8192 << u"3Eme1.Vtc"_s << u"3Eme1.Vtc"_s;
    }
    void copie()
    {
        QFETCH(int, taille);
        QFETCH(QString, existant);
        QFETCH(QString, cible);
        DossierEssai src, dst;
        const QString source = src.chemin(u"3EME1.VTC"_s);
        QVERIFY(ecrire(source, motif(taille), ancienneDate()));
        if (!existant.isEmpty())
            QVERIFY(ecrire(dst.chemin(existant), "ancien contenu, plus long que certains"));
        const ResultatCopie r = CopierFichier(source, dst.path());
        QVERIFY2(r.reussie, qPrintable(r.message));
        QCOMPARE(r.cible, dst.chemin(cible));
        QCOMPARE(dst.contenu(), QStringList{cible});
        QCOMPARE(lire(r.cible), motif(taille));
        QCOMPARE(modifie(r.cible), ancienneDate());
    }

    // The disk fills part-way (nothing, the first block, mid-block, all but
    // the last byte): failure reported, no truncated file, the old target
    // whole, no temporary file left; with room again the copy succeeds.
    void disquePlein()
    {
        for (const int limite : {0, 8192, 2 * 8192 + 5, 3 * 8192 - 1}) {
            const bool cibleExistante = limite % 2 == 0;
            DossierEssai src, dst;
            const QString source = src.chemin(u"b.vtc"_s), cible = dst.chemin(u"b.vtc"_s);
            QVERIFY(ecrire(source, motif(3 * 8192)));
            if (cibleExistante)
                QVERIFY(ecrire(cible, "version precedente", ancienneDate()));
            EssaiCopie::limiterEcriture(limite);
            const ResultatCopie r = CopierFichier(source, dst.path());
            QVERIFY(!r.reussie);
            QCOMPARE(r.message, u"Disque plein"_s);
            QCOMPARE(dst.contenu(), cibleExistante ? QStringList{u"b.vtc"_s} : QStringList());
            if (cibleExistante) {
                QCOMPARE(lire(cible), "version precedente"_ba);
                QCOMPARE(modifie(cible), ancienneDate());
            }
            EssaiCopie::limiterEcriture(-1);
            QVERIFY(CopierFichier(source, dst.path()).reussie);
            QCOMPARE(lire(cible), motif(3 * 8192));
        }
    }

    // A missing source, a folder where the target goes; a FIFO would block
    // the copy, /dev/zero would fill the disk: all refused, nothing written.
    void sourcesEtCiblesImpossibles()
    {
        DossierEssai src, dst;
        const QString absente = src.chemin(u"absente.vtc"_s);
        QCOMPARE(CopierFichier(absente, dst.path()).message,
                 u"Impossible d'ouvrir "_s + QDir::toNativeSeparators(absente));
        QVERIFY(ecrire(src.chemin(u"c.vtc"_s), "x"));
        QVERIFY(QDir(dst.path()).mkdir(u"c.vtc"_s));
        const ResultatCopie r = CopierFichier(src.chemin(u"c.vtc"_s), dst.path());
        QVERIFY(!r.reussie);
        QCOMPARE(r.message, u"Impossible d'ouvrir "_s + QDir::toNativeSeparators(dst.chemin(u"c.vtc"_s)));
        const QString fifo = src.chemin(u"f.vtc"_s), zero = src.chemin(u"z.vtc"_s);
        QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
        QVERIFY(QFile::link(u"/dev/zero"_s, zero));
        for (const QString &source : {fifo, zero}) {
            const ResultatCopie s = CopierFichier(source, dst.path());
            QVERIFY(!s.reussie);
            QCOMPARE(s.message, MessagePasFichierOrdinaire(source));
        }
        QCOMPARE(dst.contenu(), QStringList{u"c.vtc"_s});
    }

    // A link in the backup folder is replaced by the copy, never followed to
    // overwrite what it points at.
    void lienDansLaDestination()
    {
        DossierEssai src, dst, ailleurs;
        const QString source = src.chemin(u"c.vtc"_s), victime = ailleurs.chemin(u"important"_s);
        const QString c = dst.chemin(u"c.vtc"_s), d = dst.chemin(u"d.vtc"_s),
                      absent = ailleurs.chemin(u"absent"_s);
        QVERIFY(ecrire(source, "classe") && ecrire(victime, "a garder"));
        QVERIFY(QFile::link(victime, c) && QFile::link(absent, d));
        QVERIFY(CopierFichier(source, dst.path()).reussie);
        QVERIFY(!QFileInfo(c).isSymLink());
        QCOMPARE(lire(c), "classe"_ba);
        QCOMPARE(lire(victime), "a garder"_ba);
        // A dangling one creates nothing where it points.
        const QString autre = src.chemin(u"d.vtc"_s);
        QVERIFY(ecrire(autre, "autre"));
        QVERIFY(CopierFichier(autre, dst.path()).reussie);
        QCOMPARE(ailleurs.contenu(), QStringList{u"important"_s});
        // Restoring into the program folder: the teacher's link stays and its
        // file is written; one leading nowhere is refused.
        QVERIFY(QFile::remove(c) && QFile::link(victime, c));
        QVERIFY(CopierFichier(source, dst.path(), true).reussie);
        QVERIFY(QFileInfo(c).isSymLink());
        QCOMPARE(lire(victime), "classe"_ba);
        QVERIFY(QFile::remove(d) && QFile::link(absent, d));
        QVERIFY(!CopierFichier(autre, dst.path(), true).reussie);
        QVERIFY(!QFile::exists(absent));
    }

    void memeDossier()
    {
        DossierEssai r;
        QDir d(r.path());
        QVERIFY(d.mkpath(u"x/z"_s) && d.mkdir(u"y"_s)
                && QFile::link(d.filePath(u"x"_s), d.filePath(u"lien"_s)));
        auto chemin = [&](const QString &p) { return p.isEmpty() ? p : d.filePath(p); };
        const QList<std::tuple<QString, QString, bool>> cas{
            {u"x"_s, u"x/"_s, true},       {u"x"_s, u"y/../x"_s, true}, {u"x"_s, u"lien"_s, true},
            {u"x/z"_s, u"lien/z"_s, true}, {u"x"_s, u"y"_s, false},     {u"x"_s, u"w"_s, false},
            {u"x"_s, u""_s, false}};
        for (const auto &[a, b, meme] : cas) {
            QVERIFY2(MemeDossier(chemin(a), chemin(b)) == meme, qPrintable(a + u' ' + b));
            QVERIFY2(MemeDossier(chemin(b), chemin(a)) == meme, qPrintable(b + u' ' + a));
        }
    }

    // Every writer, every step failing in turn, each error in turn: the old bytes, no temporary. Below and
    // above the 16 KiB a buffered writer keeps until the end, an empty file, new files, 127 students.
    void chaqueEcrivain()
    {
        ClasseEssai c;
        NomFichier = u"CL.VTC"_s;
        NomClasse = u"CL"_s;
        const QString vtc = c.chemin(u"CL.VTC"_s), ini = c.chemin(u"CL.INI"_s),
                      txt = c.chemin(u"a_classe.txt"_s), vap = c.chemin(u"12120002.VAP"_s),
                      neuf = c.chemin(u"NEUF.VTC"_s);
        const QByteArray vtcAvant = OctetsEleves(classe(3)), txtAvant = "ancien rapport\r\n";
        const QByteArray iniAvant = "[Options]\r\nNombre de matières=2\r\nMat1=Hist\r\nMat2=Géo\r\n";
        OptionsAEcrire o;
        o.nomClasse = NomClasse;
        o.uneMatiere = false;
        o.mat1 = u"Français"_s;
        o.gras = true;
        const QList<QPair<const char *, std::function<QString()>>> ecrivains{
            {"fichier vide", [&] { return EcrireFichierSur(vtc, {}); }},
            {"16 Kio", [&] { return EcrireFichierSur(txt, motif(16 * 1024)); }},
            {"nouveau fichier", [&] { return EcrireFichierSur(neuf, motif(1578)); }},
            {"deux fichiers, le premier nouveau",
             [&] {
                 return EcrireDeuxFichiersSurs(neuf, motif(127 * 1578), ini, "[Options]\r\nMat1=Géo\r\n");
             }},
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
            QFile::remove(neuf);
            ecrire(vtc, vtcAvant) && ecrire(ini, iniAvant) && ecrire(txt, txtAvant) && ecrire(vap, txtAvant);
        };
        for (const auto &[nom, ecrireTout] : ecrivains) {
            remettre();
            const QStringList attendus = c.contenu();
            const int pas = pasDUneEcriture(ecrireTout);
            QVERIFY(pas >= 4); // create, write(s), sync, close, rename
            for (int n = 1; n <= pas; ++n) {
                remettre();
                Gras = false;
                const int code = std::array{ENOSPC, EIO, EDQUOT}[n % 3];
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
        QTest::addColumn<QString>("genre"); // the marks file is the FIFO, the settings are the others
        QTest::newRow("classe FIFO") << u"fifo"_s;
        QTest::newRow("réglages /dev/zero") << u"zero"_s;
        QTest::newRow("réglages dossier") << u"dossier"_s;
        QTest::newRow("réglages trop grands") << u"grand"_s;
    }
    void chargementRefuse()
    {
        QFETCH(QString, genre);
        const QString fichier = genre == u"fifo" ? u"CL.VTC"_s : u"CL.INI"_s;
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

QTEST_GUILESS_MAIN(TstEcritureSure)
#include "tst_ecrituresure.moc"
