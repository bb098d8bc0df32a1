// The one file writer: every step failing in turn leaves the old bytes and no
// temporary; links, FIFOs and devices; the two-file save; a real full disk.
#include "platform/ecrituresure.h"
#include "platform/erreurs.h"
#include "tests/common/fichiersessai.h"

#include <cerrno>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Essai;
using namespace Qt::StringLiterals;

namespace {

QByteArray octets(qint64 taille, char graine)
{
    QByteArray b(taille, Qt::Uninitialized);
    for (qint64 i = 0; i < taille; ++i)
        b[i] = char(graine + i * 7);
    return b;
}

mode_t modeDe(const QString &chemin)
{
    struct stat st { };
    ::lstat(QFile::encodeName(chemin).constData(), &st);
    return st.st_mode;
}

// Steps a successful write makes, counted by the seam.
template <typename F> int pasDUneEcriture(F ecrireTout)
{
    EssaiEcriture::remettreAZero();
    const QString m = ecrireTout();
    Q_ASSERT(m.isEmpty());
    return EssaiEcriture::pasFaits();
}

} // namespace

class TstEcritureSure : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { EssaiEcriture::remettreAZero(); }

    // Below and above the 16 KiB that a buffered writer keeps until the end,
    // a 1-student and a 127-student class, a file over several write calls.
    void chaquePasEchoue_data()
    {
        QTest::addColumn<qint64>("taille");
        QTest::addColumn<bool>("ancien");
        QTest::newRow("vide") << qint64(0) << true;
        QTest::newRow("1 élève") << qint64(1578) << true;
        QTest::newRow("1 élève, nouveau") << qint64(1578) << false;
        QTest::newRow("16 Kio") << qint64(16 * 1024) << true;
        QTest::newRow("127 élèves") << qint64(127 * 1578) << true;
    }
    void chaquePasEchoue()
    {
        QFETCH(qint64, taille);
        QFETCH(bool, ancien);
        DossierEssai d;
        const QString chemin = d.chemin(u"CL.VTC"_s);
        const QByteArray avant = octets(3000, 'a'), apres = octets(taille, 'z');
        auto remettre = [&] {
            QFile::remove(chemin);
            if (ancien)
                ecrire(chemin, avant);
        };
        remettre();
        const int pas = pasDUneEcriture([&] { return EcrireFichierSur(chemin, apres); });
        QCOMPARE(lire(chemin), apres);
        QVERIFY(pas >= 4); // create, write(s), sync, close, rename
        for (const int code : {ENOSPC, EIO, EDQUOT}) {
            for (int n = 1; n <= pas; ++n) {
                remettre();
                EssaiEcriture::echouerAuPas(n, code);
                const QString m = EcrireFichierSur(chemin, apres);
                const QByteArray ici = QByteArray::number(n) + ": " + m.toUtf8();
                QVERIFY2(m == MessageErreurSysteme(code), ici);
                QVERIFY2(lire(chemin) == (ancien ? avant : "<absent>"_ba), ici);
                QVERIFY2(d.contenu() == (ancien ? QStringList{u"CL.VTC"_s} : QStringList{}), ici);
            }
        }
    }

    // The process killed before each step in turn: the file is then the old
    // one or the new one, whole.
    void arretAChaquePas()
    {
        DossierEssai d;
        const QString chemin = d.chemin(u"CL.VTC"_s);
        const QByteArray avant = octets(1578, 'a'), apres = octets(127 * 1578, 'b');
        ecrire(chemin, avant);
        const int pas = pasDUneEcriture([&] { return EcrireFichierSur(chemin, apres); });
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

        // Not followed when asked (a backup folder): the link itself is replaced.
        FichierEnCours f(lien, false);
        QVERIFY(f.ouvrir() && f.ecrire("copie", 5) && f.terminer());
        QVERIFY(S_ISREG(modeDe(lien)));
        QCOMPARE(lire(lien), "copie"_ba);
        QCOMPARE(lire(cible), "nouveau"_ba);
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

    void deuxFichiers_data()
    {
        QTest::addColumn<bool>("premierExiste");
        QTest::addColumn<int>("code");
        QTest::newRow("remplacement") << true << EIO;
        QTest::newRow("création") << false << ENOSPC;
        // No hard links on this file system: the old bytes are kept by a copy.
        QTest::newRow("sans lien physique") << true << EPERM;
    }
    void deuxFichiers()
    {
        QFETCH(bool, premierExiste);
        QFETCH(int, code);
        DossierEssai d;
        const QString vtc = d.chemin(u"CL.VTC"_s), ini = d.chemin(u"CL.INI"_s);
        const QByteArray vtcAvant = octets(1578, 'v'), iniAvant = "[Options]\r\nMat1=Hist\r\n";
        const QByteArray vtcApres = octets(127 * 1578, 'w'), iniApres = "[Options]\r\nMat1=Géo\r\n";
        auto remettre = [&] {
            QFile::remove(vtc);
            if (premierExiste)
                ecrire(vtc, vtcAvant);
            ecrire(ini, iniAvant);
        };
        auto ecrireTout = [&] { return EcrireDeuxFichiersSurs(vtc, vtcApres, ini, iniApres); };
        remettre();
        const int pas = pasDUneEcriture(ecrireTout);
        QVERIFY(lire(vtc) == vtcApres && lire(ini) == iniApres);
        for (int n = 1; n <= pas; ++n) {
            remettre();
            EssaiEcriture::echouerAuPas(n, code);
            const QString m = ecrireTout();
            const QByteArray ici =
                QByteArray::number(n) + ": " + m.toUtf8() + " / " + d.contenu().join(u' ').toUtf8();
            const bool nouveaux = lire(ini) == iniApres;
            if (code == EPERM && m.isEmpty()) {
                QVERIFY2(nouveaux && lire(vtc) == vtcApres, ici); // the link step had a way round
            } else {
                QVERIFY2(m == MessageErreurSysteme(code), ici);
                QVERIFY2(lire(vtc) == (premierExiste ? vtcAvant : "<absent>"_ba), ici);
                QVERIFY2(lire(ini) == iniAvant, ici);
            }
            QVERIFY2(d.contenu()
                         == (premierExiste || nouveaux ? QStringList{u"CL.INI"_s, u"CL.VTC"_s}
                                                       : QStringList{u"CL.INI"_s}),
                     ici);
        }
    }

    // A real full disk, where the machine lets the test mount one.
    void vraiDisquePlein()
    {
        DossierEssai d;
        const QByteArray p = QFile::encodeName(d.path());
        if (::geteuid() != 0 || ::mount("tmpfs", p.constData(), "tmpfs", 0, "size=64k") != 0)
            QSKIP("pas de montage possible ici");
        struct Demontage {
            QByteArray p;
            ~Demontage() { ::umount(p.constData()); }
        } demontage{p};
        const QString petit = d.chemin(u"CL.INI"_s), grand = d.chemin(u"CL.VTC"_s);
        ecrire(petit, "[Options]\r\n");
        ecrire(grand, octets(20 * 1024, 'g'));
        {
            QFile f(d.chemin(u"plein"_s)); // fills what is left
            QVERIFY(f.open(QIODevice::WriteOnly));
            const QByteArray bloc(4096, 'x');
            while (f.write(bloc) == bloc.size() && f.flush()) { }
        }
        QCOMPARE(EcrireFichierSur(petit, octets(8 * 1024, 'p')), MessageErreurSysteme(ENOSPC));
        QCOMPARE(lire(petit), "[Options]\r\n"_ba);
        QCOMPARE(EcrireFichierSur(grand, octets(40 * 1024, 'q')), MessageErreurSysteme(ENOSPC));
        QCOMPARE(lire(grand), octets(20 * 1024, 'g'));
        QCOMPARE(d.contenu(), (QStringList{u"CL.INI"_s, u"CL.VTC"_s, u"plein"_s}));
    }
};

QTEST_GUILESS_MAIN(TstEcritureSure)
#include "tst_ecrituresure.moc"
