// The copy of one file: whole data through the block loop, modification
// time, letter case of the target, and no damage when writing fails.
#include "platform/copiefichier.h"
#include "platform/ecrituresure.h"
#include "tests/common/fichiersessai.h"

#include <QElapsedTimer>
#include <sys/stat.h>

#include <QTemporaryDir>
#include <QtTest>

using namespace Essai;

class TstCopieFichier : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { EssaiCopie::limiterEcriture(-1); }
    void copie_data();
    void copie();
    void disquePlein_data();
    void disquePlein();
    void ouvertureImpossible();
    void sourcesSpeciales();
    void lienDansLaDestination();
    void memeDossier_data();
    void memeDossier();
};

void TstCopieFichier::copie_data()
{
    QTest::addColumn<int>("taille");
    QTest::addColumn<QString>("existant"); // already in the destination
    QTest::addColumn<QString>("cible");
    const QString bas = QStringLiteral("3eme1.vtc"), haut = QStringLiteral("3EME1.VTC");
    for (int t : {0, 8191, 8192, 8193, 3 * 8192})
        QTest::newRow(qPrintable(QString::number(t))) << t << QString() << bas;
    QTest::newRow("remplace meme nom") << 100 << bas << bas;
    QTest::newRow("remplace autre casse") << 20000 << haut << haut;
    QTest::newRow("remplace casse melangee")
        << 8192 << QStringLiteral("3Eme1.Vtc") << QStringLiteral("3Eme1.Vtc");
}

// Whole data, the source's time, the lower-case name unless a file of the
// same name in another case is there (that one is replaced, so a class
// never ends up twice), and nothing else left in the folder.
void TstCopieFichier::copie()
{
    QFETCH(int, taille);
    QFETCH(QString, existant);
    QFETCH(QString, cible);
    QTemporaryDir src, dst;
    const QString source = src.filePath(QStringLiteral("3EME1.VTC"));
    QVERIFY(ecrire(source, motif(taille), ancienneDate()));
    if (!existant.isEmpty())
        QVERIFY(ecrire(dst.filePath(existant), "ancien contenu, plus long que certains"));

    const ResultatCopie r = CopierFichier(source, dst.path());
    QVERIFY2(r.reussie, qPrintable(r.message));
    QCOMPARE(r.cible, dst.filePath(cible));
    QCOMPARE(contenu(dst.path()), QStringList{cible});
    QCOMPARE(lire(r.cible), motif(taille));
    QCOMPARE(modifie(r.cible), ancienneDate());
}

void TstCopieFichier::disquePlein_data()
{
    QTest::addColumn<int>("limite");
    QTest::addColumn<bool>("cibleExistante");
    QTest::newRow("aucun octet") << 0 << false;
    QTest::newRow("premier bloc") << 8192 << true;
    QTest::newRow("milieu de bloc") << 2 * 8192 + 5 << false;
    QTest::newRow("dernier octet") << 3 * 8192 - 1 << true;
}

// The disk fills part-way: failure reported, no truncated file, the old
// target whole, no temporary file left; with room again the copy succeeds.
void TstCopieFichier::disquePlein()
{
    QFETCH(int, limite);
    QFETCH(bool, cibleExistante);
    QTemporaryDir src, dst;
    const QString source = src.filePath(QStringLiteral("b.vtc"));
    const QString cible = dst.filePath(QStringLiteral("b.vtc"));
    QVERIFY(ecrire(source, motif(3 * 8192)));
    if (cibleExistante)
        QVERIFY(ecrire(cible, "version precedente", ancienneDate()));

    EssaiCopie::limiterEcriture(limite);
    const ResultatCopie r = CopierFichier(source, dst.path());
    QVERIFY(!r.reussie);
    QCOMPARE(r.message, QStringLiteral("Disque plein"));
    QCOMPARE(contenu(dst.path()), cibleExistante ? QStringList{QStringLiteral("b.vtc")} : QStringList());
    if (cibleExistante) {
        QCOMPARE(lire(cible), QByteArray("version precedente"));
        QCOMPARE(modifie(cible), ancienneDate());
    }

    EssaiCopie::limiterEcriture(-1);
    QVERIFY(CopierFichier(source, dst.path()).reussie);
    QCOMPARE(lire(cible), motif(3 * 8192));
}

void TstCopieFichier::ouvertureImpossible()
{
    QTemporaryDir src, dst;
    const QString absente = src.filePath(QStringLiteral("absente.vtc"));
    ResultatCopie r = CopierFichier(absente, dst.path());
    QCOMPARE(r.message, QStringLiteral("Impossible d'ouvrir ") + QDir::toNativeSeparators(absente));

    // A folder stands where the target should go.
    const QString source = src.filePath(QStringLiteral("c.vtc"));
    QVERIFY(ecrire(source, "x"));
    QVERIFY(QDir(dst.path()).mkdir(QStringLiteral("c.vtc")));
    r = CopierFichier(source, dst.path());
    QVERIFY(!r.reussie);
    QCOMPARE(r.message,
             QStringLiteral("Impossible d'ouvrir ")
                 + QDir::toNativeSeparators(dst.filePath(QStringLiteral("c.vtc"))));
}

// A FIFO would block the copy, /dev/zero would fill the disk: both refused
// at once, nothing written.
void TstCopieFichier::sourcesSpeciales()
{
    QTemporaryDir src, dst;
    const QString fifo = src.filePath(QStringLiteral("f.vtc"));
    QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
    const QString zero = src.filePath(QStringLiteral("z.vtc"));
    QVERIFY(QFile::link(QStringLiteral("/dev/zero"), zero));
    QElapsedTimer t;
    t.start();
    for (const QString &source : {fifo, zero}) {
        const ResultatCopie r = CopierFichier(source, dst.path());
        QVERIFY(!r.reussie);
        QCOMPARE(r.message, MessagePasFichierOrdinaire(source));
    }
    QVERIFY(t.elapsed() < 5000);
    QCOMPARE(contenu(dst.path()), QStringList());
}

// A link in the backup folder is replaced by the copy, never followed to
// overwrite what it points at.
void TstCopieFichier::lienDansLaDestination()
{
    QTemporaryDir src, dst, ailleurs;
    const QString source = src.filePath(QStringLiteral("c.vtc"));
    QVERIFY(ecrire(source, "classe"));
    const QString victime = ailleurs.filePath(QStringLiteral("important"));
    QVERIFY(ecrire(victime, "a garder"));
    QVERIFY(QFile::link(victime, dst.filePath(QStringLiteral("c.vtc"))));
    QVERIFY(QFile::link(ailleurs.filePath(QStringLiteral("absent")), dst.filePath(QStringLiteral("d.vtc"))));
    QVERIFY(CopierFichier(source, dst.path()).reussie);
    QVERIFY(!QFileInfo(dst.filePath(QStringLiteral("c.vtc"))).isSymLink());
    QCOMPARE(lire(dst.filePath(QStringLiteral("c.vtc"))), QByteArray("classe"));
    QCOMPARE(lire(victime), QByteArray("a garder"));
    // A dangling one creates nothing where it points.
    const QString d = src.filePath(QStringLiteral("d.vtc"));
    QVERIFY(ecrire(d, "autre"));
    QVERIFY(CopierFichier(d, dst.path()).reussie);
    QCOMPARE(contenu(ailleurs.path()), QStringList{QStringLiteral("important")});

    // Restoring into the program folder: the teacher's link stays and its
    // file is written; one leading nowhere is refused.
    QVERIFY(QFile::remove(dst.filePath(QStringLiteral("c.vtc"))));
    QVERIFY(QFile::link(victime, dst.filePath(QStringLiteral("c.vtc"))));
    QVERIFY(CopierFichier(source, dst.path(), true).reussie);
    QVERIFY(QFileInfo(dst.filePath(QStringLiteral("c.vtc"))).isSymLink());
    QCOMPARE(lire(victime), QByteArray("classe"));
    QVERIFY(QFile::remove(dst.filePath(QStringLiteral("d.vtc"))));
    QVERIFY(QFile::link(ailleurs.filePath(QStringLiteral("absent")), dst.filePath(QStringLiteral("d.vtc"))));
    QVERIFY(!CopierFichier(d, dst.path(), true).reussie);
    QVERIFY(!QFile::exists(ailleurs.filePath(QStringLiteral("absent"))));
}

void TstCopieFichier::memeDossier_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<bool>("meme");
    // Inside a fresh folder holding x/z/, y/ and lien -> x.
    QTest::newRow("separateur final") << "x"
                                      << "x/" << true;
    QTest::newRow("detour") << "x"
                            << "y/../x" << true;
    QTest::newRow("lien") << "x"
                          << "lien" << true;
    QTest::newRow("sous-dossier du lien") << "x/z"
                                          << "lien/z" << true;
    QTest::newRow("differents") << "x"
                                << "y" << false;
    QTest::newRow("inexistant") << "x"
                                << "w" << false;
    QTest::newRow("vide") << "x"
                          << "" << false;
}

void TstCopieFichier::memeDossier()
{
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(bool, meme);
    QTemporaryDir racine;
    QDir d(racine.path());
    QVERIFY(d.mkpath(QStringLiteral("x/z")) && d.mkdir(QStringLiteral("y")));
    QVERIFY(QFile::link(d.filePath(QStringLiteral("x")), d.filePath(QStringLiteral("lien"))));
    auto chemin = [&](const QString &p) { return p.isEmpty() ? p : d.filePath(p); };
    QCOMPARE(MemeDossier(chemin(a), chemin(b)), meme);
    QCOMPARE(MemeDossier(chemin(b), chemin(a)), meme);
}

QTEST_GUILESS_MAIN(TstCopieFichier)
#include "tst_copiefichier.moc"
