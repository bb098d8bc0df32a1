// The one file writer: every step failing in turn leaves the old bytes and no
// temporary; links, FIFOs and devices; the two-file save; a real full disk.
#include "platform/ecrituresure.h"
#include "platform/erreurs.h"
#include "tests/core/outils.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cerrno>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

QByteArray octets(qint64 taille, char graine)
{
    QByteArray b(taille, Qt::Uninitialized);
    for (qint64 i = 0; i < taille; ++i)
        b[i] = char(graine + i * 7);
    return b;
}

QStringList entrees(const QString &dossier)
{
    return QDir(dossier).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                   QDir::Name);
}

mode_t modeDe(const QString &chemin)
{
    struct stat st { };
    ::lstat(QFile::encodeName(chemin).constData(), &st);
    return st.st_mode;
}

// Steps a successful write makes, counted by the seam.
template <typename F> int pasDUneEcriture(F ecrire)
{
    EssaiEcriture::remettreAZero();
    const QString m = ecrire();
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
        QTest::newRow("20 Kio") << qint64(20 * 1024) << true;
        QTest::newRow("127 élèves") << qint64(127 * 1578) << true;
    }
    void chaquePasEchoue()
    {
        QFETCH(qint64, taille);
        QFETCH(bool, ancien);
        QTemporaryDir dossier;
        const QString chemin = dossier.filePath(QStringLiteral("CL.VTC"));
        const QByteArray avant = octets(3000, 'a');
        const QByteArray apres = octets(taille, 'z');
        auto remettre = [&] {
            QFile::remove(chemin);
            if (ancien)
                ecrireFichier(chemin, avant);
        };
        remettre();
        const int pas = pasDUneEcriture([&] { return EcrireFichierSur(chemin, apres); });
        QCOMPARE(lireFichier(chemin), apres);
        QVERIFY(pas >= 4); // create, write(s), sync, close, rename
        for (const int code : {ENOSPC, EIO, EDQUOT}) {
            for (int n = 1; n <= pas; ++n) {
                remettre();
                EssaiEcriture::echouerAuPas(n, code);
                const QString m = EcrireFichierSur(chemin, apres);
                const QByteArray pasN = QByteArray::number(n);
                QVERIFY2(m == MessageErreurSysteme(code), pasN + ": " + m.toUtf8());
                QVERIFY2(lireFichier(chemin) == (ancien ? avant : QByteArray("<absent>")), pasN);
                QVERIFY2(entrees(dossier.path())
                             == (ancien ? QStringList{QStringLiteral("CL.VTC")} : QStringList{}),
                         pasN + ": " + entrees(dossier.path()).join(u' ').toUtf8());
            }
        }
        QCOMPARE(MessageErreurSysteme(ENOSPC), QStringLiteral("Disque plein"));
    }

    // The process killed before each step in turn: the file is then the old
    // one or the new one, whole.
    void arretAChaquePas()
    {
        QTemporaryDir dossier;
        const QString chemin = dossier.filePath(QStringLiteral("CL.VTC"));
        const QByteArray avant = octets(1578, 'a'), apres = octets(127 * 1578, 'b');
        ecrireFichier(chemin, avant);
        const int pas = pasDUneEcriture([&] { return EcrireFichierSur(chemin, apres); });
        for (int n = 1; n <= pas + 1; ++n) {
            ecrireFichier(chemin, avant);
            const pid_t enfant = ::fork();
            QVERIFY(enfant >= 0);
            if (enfant == 0) {
                EssaiEcriture::echouerAuPas(n, EssaiEcriture::ArretBrutal);
                ::_exit(EcrireFichierSur(chemin, apres).isEmpty() ? 0 : 1);
            }
            int etat = 0;
            QVERIFY(::waitpid(enfant, &etat, 0) == enfant);
            const QByteArray lu = lireFichier(chemin);
            const QByteArray ici = QByteArray::number(n);
            QVERIFY2(n <= pas ? WIFSIGNALED(etat) : WIFEXITED(etat) && WEXITSTATUS(etat) == 0, ici);
            QVERIFY2(lu == (n <= pas ? avant : apres), ici);
            // A killed write may leave its hidden temporary, nothing else.
            for (const QString &e : entrees(dossier.path())) {
                if (e != QStringLiteral("CL.VTC")) {
                    QVERIFY2(e.startsWith(QStringLiteral(".CL.VTC.")), qPrintable(e));
                    QVERIFY(QFile::remove(dossier.filePath(e)));
                }
            }
        }
    }

    void gardeLesDroits()
    {
        QTemporaryDir dossier;
        const QString chemin = dossier.filePath(QStringLiteral("CL.INI"));
        ecrireFichier(chemin, "a");
        QVERIFY(::chmod(QFile::encodeName(chemin).constData(), 0640) == 0);
        QCOMPARE(EcrireFichierSur(chemin, "b"), QString());
        QCOMPARE(modeDe(chemin) & 07777, mode_t(0640));
    }

    void liens()
    {
        QTemporaryDir dossier, ailleurs;
        const QString cible = ailleurs.filePath(QStringLiteral("vrai.VTC"));
        ecrireFichier(cible, "ancien");
        const QString lien = dossier.filePath(QStringLiteral("CL.VTC"));
        QVERIFY(QFile::link(cible, lien));
        // The teacher's link stays; its target gets the bytes.
        QCOMPARE(EcrireFichierSur(lien, "nouveau"), QString());
        QVERIFY(S_ISLNK(modeDe(lien)));
        QCOMPARE(lireFichier(cible), QByteArray("nouveau"));
        QCOMPARE(entrees(ailleurs.path()), QStringList{QStringLiteral("vrai.VTC")});

        // A link leading nowhere creates nothing where it points.
        const QString absent = ailleurs.filePath(QStringLiteral("absent.INI"));
        const QString pendant = dossier.filePath(QStringLiteral("CL.INI"));
        QVERIFY(QFile::link(absent, pendant));
        const QString m = EcrireFichierSur(pendant, "x");
        QVERIFY(m.contains(QStringLiteral("ne mène à aucun fichier")));
        QVERIFY(!QFile::exists(absent));
        QVERIFY(S_ISLNK(modeDe(pendant)));

        // Not followed when asked (a backup folder): the link itself is replaced.
        FichierEnCours f(lien, false);
        QVERIFY(f.ouvrir() && f.ecrire("copie", 5) && f.terminer());
        QVERIFY(S_ISREG(modeDe(lien)));
        QCOMPARE(lireFichier(lien), QByteArray("copie"));
        QCOMPARE(lireFichier(cible), QByteArray("nouveau"));
    }

    void fichiersSpeciaux()
    {
        QTemporaryDir dossier;
        const QString fifo = dossier.filePath(QStringLiteral("CL.VTC"));
        QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
        QElapsedTimer t;
        t.start();
        QCOMPARE(EcrireFichierSur(fifo, "x"), MessagePasFichierOrdinaire(fifo));
        QVERIFY(S_ISFIFO(modeDe(fifo)));
        // A stream output to a FIFO nobody reads is refused, not waited on.
        QCOMPARE(EcrireSortie(fifo, "x"), QStringLiteral("Aucun programme ne lit %1").arg(fifo));
        QVERIFY(S_ISFIFO(modeDe(fifo)));
        QVERIFY(t.elapsed() < 5000);

        const QString zero = dossier.filePath(QStringLiteral("Z.INI"));
        QVERIFY(QFile::link(QStringLiteral("/dev/null"), zero));
        QCOMPARE(EcrireFichierSur(zero, "x"), MessagePasFichierOrdinaire(zero));
        QCOMPARE(EcrireSortie(zero, "x"), QString()); // a device takes the stream
        QVERIFY(S_ISCHR(modeDe(QStringLiteral("/dev/null"))));
        QVERIFY(S_ISLNK(modeDe(zero)));

        QCOMPARE(EcrireFichierSur(dossier.path(), "x"), MessageErreurSysteme(EISDIR));
        QCOMPARE(entrees(dossier.path()), (QStringList{QStringLiteral("CL.VTC"), QStringLiteral("Z.INI")}));
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
        QTemporaryDir dossier;
        const QString vtc = dossier.filePath(QStringLiteral("CL.VTC"));
        const QString ini = dossier.filePath(QStringLiteral("CL.INI"));
        const QByteArray vtcAvant = octets(1578, 'v'), iniAvant = "[Options]\r\nMat1=Hist\r\n";
        const QByteArray vtcApres = octets(127 * 1578, 'w'), iniApres = "[Options]\r\nMat1=Géo\r\n";
        auto remettre = [&] {
            QFile::remove(vtc);
            if (premierExiste)
                ecrireFichier(vtc, vtcAvant);
            ecrireFichier(ini, iniAvant);
        };
        remettre();
        const int pas = pasDUneEcriture([&] { return EcrireDeuxFichiersSurs(vtc, vtcApres, ini, iniApres); });
        QCOMPARE(lireFichier(vtc), vtcApres);
        QCOMPARE(lireFichier(ini), iniApres);
        for (int n = 1; n <= pas; ++n) {
            remettre();
            EssaiEcriture::echouerAuPas(n, code);
            const QString m = EcrireDeuxFichiersSurs(vtc, vtcApres, ini, iniApres);
            const QByteArray pasN = QByteArray::number(n);
            const bool nouveaux = lireFichier(ini) == iniApres;
            if (code == EPERM && m.isEmpty()) {
                QVERIFY2(nouveaux && lireFichier(vtc) == vtcApres, pasN); // the link step had a way round
            } else {
                QVERIFY2(m == MessageErreurSysteme(code), pasN + ": " + m.toUtf8());
                QVERIFY2(lireFichier(vtc) == (premierExiste ? vtcAvant : QByteArray("<absent>")), pasN);
                QVERIFY2(lireFichier(ini) == iniAvant, pasN);
            }
            QStringList attendu{QStringLiteral("CL.INI")};
            if (premierExiste || nouveaux)
                attendu.append(QStringLiteral("CL.VTC"));
            QVERIFY2(entrees(dossier.path()) == attendu,
                     pasN + ": " + entrees(dossier.path()).join(u' ').toUtf8());
        }
    }

    // A real full disk, where the machine lets the test mount one.
    void vraiDisquePlein()
    {
        QTemporaryDir point;
        const QByteArray p = QFile::encodeName(point.path());
        if (::geteuid() != 0 || ::mount("tmpfs", p.constData(), "tmpfs", 0, "size=64k") != 0)
            QSKIP("pas de montage possible ici");
        struct Demontage {
            QByteArray p;
            ~Demontage() { ::umount(p.constData()); }
        } demontage{p};
        const QString petit = point.filePath(QStringLiteral("CL.INI"));
        const QString grand = point.filePath(QStringLiteral("CL.VTC"));
        ecrireFichier(petit, "[Options]\r\n");
        ecrireFichier(grand, octets(20 * 1024, 'g'));
        // Fill what is left.
        const QString bourrage = point.filePath(QStringLiteral("plein"));
        {
            QFile f(bourrage);
            QVERIFY(f.open(QIODevice::WriteOnly));
            const QByteArray bloc(4096, 'x');
            while (f.write(bloc) == bloc.size() && f.flush()) { }
        }
        QCOMPARE(EcrireFichierSur(petit, octets(8 * 1024, 'p')), MessageErreurSysteme(ENOSPC));
        QCOMPARE(lireFichier(petit), QByteArray("[Options]\r\n"));
        QCOMPARE(EcrireFichierSur(grand, octets(40 * 1024, 'q')), MessageErreurSysteme(ENOSPC));
        QCOMPARE(lireFichier(grand), octets(20 * 1024, 'g'));
        QCOMPARE(entrees(point.path()),
                 (QStringList{QStringLiteral("CL.INI"), QStringLiteral("CL.VTC"), QStringLiteral("plein")}));
    }
};

QTEST_GUILESS_MAIN(TstEcritureSure)
#include "tst_ecrituresure.moc"
