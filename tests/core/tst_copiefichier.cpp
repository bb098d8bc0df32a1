// The copy of one file: whole data through the block loop, modification
// time, letter case of the target, and no damage when writing fails.
#include "platform/copiefichier.h"
#include "platform/ecrituresure.h"
#include "tests/common/fichiersessai.h"

#include <sys/stat.h>

using namespace Essai;
using namespace Qt::StringLiterals;

class TstCopieFichier : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { EssaiCopie::limiterEcriture(-1); }

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
};

QTEST_GUILESS_MAIN(TstCopieFichier)
#include "tst_copiefichier.moc"
