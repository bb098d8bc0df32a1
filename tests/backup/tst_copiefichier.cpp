// The copy of one file: whole data through the block loop, modification
// time, letter case of the target, and no damage when writing fails.
#include "copiefichier.h"
#include "fichiersessai.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace Essai;

class TstCopieFichier : public QObject {
    Q_OBJECT
private slots:
    void cleanup()
    {
        EssaiCopie::limiterEcriture(-1);
        EssaiCopie::fixerEspaceLibre(-1);
    }

    void copieEntiere_data();
    void copieEntiere();
    void remplacement_data();
    void remplacement();
    void destinationFichier();
    void disquePlein_data();
    void disquePlein();
    void ouvertureImpossible();
    void memeDossier_data();
    void memeDossier();
    void espaceLibre();
};

void TstCopieFichier::copieEntiere_data()
{
    QTest::addColumn<int>("taille");
    for (int t : {0, 1, 8191, 8192, 8193, 3 * 8192, 100000})
        QTest::newRow(qPrintable(QString::number(t))) << t;
}

// Whole data, lower-case name, source's time, nothing else left in the folder.
void TstCopieFichier::copieEntiere()
{
    QFETCH(int, taille);
    QTemporaryDir src, dst;
    const QString source = src.filePath(QStringLiteral("3EME1.VTC"));
    const QByteArray donnees = motif(taille);
    QVERIFY(ecrire(source, donnees, ancienneDate()));

    const ResultatCopie r = CopierFichier(source, dst.path());
    QVERIFY2(r.reussie, qPrintable(r.message));
    QCOMPARE(r.cible, dst.filePath(QStringLiteral("3eme1.vtc")));
    QCOMPARE(contenu(dst.path()), QStringList{QStringLiteral("3eme1.vtc")});
    QCOMPARE(lire(r.cible), donnees);
    QCOMPARE(modifie(r.cible), ancienneDate());
    QCOMPARE(lire(source), donnees);
}

void TstCopieFichier::remplacement_data()
{
    QTest::addColumn<QString>("existant");
    QTest::newRow("meme nom") << QStringLiteral("3eme1.vtc");
    QTest::newRow("autre casse") << QStringLiteral("3EME1.VTC");
    QTest::newRow("casse melangee") << QStringLiteral("3Eme1.Vtc");
}

// An existing file differing only by letter case is the one replaced, so a
// class never ends up twice in the folder; it keeps the source's time.
void TstCopieFichier::remplacement()
{
    QFETCH(QString, existant);
    QTemporaryDir src, dst;
    const QString source = src.filePath(QStringLiteral("3eme1.vtc"));
    QVERIFY(ecrire(source, motif(20000, 3), ancienneDate()));
    QVERIFY(ecrire(dst.filePath(existant), "ancien contenu plus long que rien"));

    const ResultatCopie r = CopierFichier(source, dst.path());
    QVERIFY2(r.reussie, qPrintable(r.message));
    QCOMPARE(contenu(dst.path()), QStringList{existant});
    QCOMPARE(lire(dst.filePath(existant)), motif(20000, 3));
    QCOMPARE(modifie(dst.filePath(existant)), ancienneDate());
}

void TstCopieFichier::destinationFichier()
{
    QTemporaryDir src, dst;
    const QString source = src.filePath(QStringLiteral("a.vap"));
    const QString cible = dst.filePath(QStringLiteral("Autre.TXT"));
    QVERIFY(ecrire(source, "phrases"));
    QVERIFY(ecrire(cible, "x"));
    const ResultatCopie r = CopierFichier(source, cible);
    QVERIFY(r.reussie);
    QCOMPARE(r.cible, cible);
    QCOMPARE(lire(cible), QByteArray("phrases"));
    QCOMPARE(contenu(dst.path()), QStringList{QStringLiteral("Autre.TXT")});
}

void TstCopieFichier::disquePlein_data()
{
    QTest::addColumn<int>("limite");
    QTest::addColumn<bool>("cibleExistante");
    for (int limite : {0, 100, 8192, 2 * 8192 + 5, 3 * 8192 - 1}) {
        QTest::newRow(qPrintable(QStringLiteral("%1 nouvelle").arg(limite))) << limite << false;
        QTest::newRow(qPrintable(QStringLiteral("%1 existante").arg(limite))) << limite << true;
    }
}

// The disk fills part-way: failure reported, no truncated file, the old
// target whole, no temporary file left.
void TstCopieFichier::disquePlein()
{
    QFETCH(int, limite);
    QFETCH(bool, cibleExistante);
    QTemporaryDir src, dst;
    const QString source = src.filePath(QStringLiteral("b.vtc"));
    QVERIFY(ecrire(source, motif(3 * 8192)));
    const QString cible = dst.filePath(QStringLiteral("b.vtc"));
    if (cibleExistante)
        QVERIFY(ecrire(cible, "version precedente", ancienneDate()));

    EssaiCopie::limiterEcriture(limite);
    const ResultatCopie r = CopierFichier(source, dst.path());
    QVERIFY(!r.reussie);
    QCOMPARE(r.message, QStringLiteral("Disque plein"));
    if (cibleExistante) {
        QCOMPARE(contenu(dst.path()), QStringList{QStringLiteral("b.vtc")});
        QCOMPARE(lire(cible), QByteArray("version precedente"));
        QCOMPARE(modifie(cible), ancienneDate());
    } else {
        QCOMPARE(contenu(dst.path()), QStringList());
    }

    // Room again: the same copy goes through.
    EssaiCopie::limiterEcriture(-1);
    QVERIFY(CopierFichier(source, dst.path()).reussie);
    QCOMPARE(lire(cible), motif(3 * 8192));
}

void TstCopieFichier::ouvertureImpossible()
{
    QTemporaryDir src, dst;
    const QString absente = src.filePath(QStringLiteral("absente.vtc"));
    ResultatCopie r = CopierFichier(absente, dst.path());
    QVERIFY(!r.reussie);
    QCOMPARE(r.message, QStringLiteral("Impossible d'ouvrir ") + QDir::toNativeSeparators(absente));
    QCOMPARE(contenu(dst.path()), QStringList());

    // A folder stands where the target should go.
    const QString source = src.filePath(QStringLiteral("c.vtc"));
    QVERIFY(ecrire(source, "x"));
    QVERIFY(QDir(dst.path()).mkdir(QStringLiteral("c.vtc")));
    r = CopierFichier(source, dst.path());
    QVERIFY(!r.reussie);
    QCOMPARE(r.message, QStringLiteral("Impossible d'ouvrir ")
                 + QDir::toNativeSeparators(dst.filePath(QStringLiteral("c.vtc"))));
    QCOMPARE(contenu(dst.path()), QStringList{QStringLiteral("c.vtc")});
}

void TstCopieFichier::memeDossier_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<bool>("meme");
    // Paths relative to a fresh temporary folder holding x/, y/ and lien -> x.
    QTest::newRow("identiques") << "x" << "x" << true;
    QTest::newRow("separateur final") << "x" << "x/" << true;
    QTest::newRow("detour") << "x" << "y/../x" << true;
    QTest::newRow("lien") << "x" << "lien" << true;
    QTest::newRow("sous-dossier du lien") << "x/z" << "lien/z" << true;
    QTest::newRow("differents") << "x" << "y" << false;
    QTest::newRow("inexistant") << "x" << "w" << false;
    QTest::newRow("vide") << "x" << "" << false;
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
    auto chemin = [&](const QString &p) { return p.isEmpty() ? p : racine.path() + QLatin1Char('/') + p; };
    QCOMPARE(MemeDossier(chemin(a), chemin(b)), meme);
    QCOMPARE(MemeDossier(chemin(b), chemin(a)), meme);
}

void TstCopieFichier::espaceLibre()
{
    QTemporaryDir d;
    const QString fichier = d.filePath(QStringLiteral("f"));
    QVERIFY(ecrire(fichier, "x"));
    QCOMPARE(EspaceLibre(QString()), -1);
    QCOMPARE(EspaceLibre(d.filePath(QStringLiteral("absent"))), -1);
    QCOMPARE(EspaceLibre(fichier), -1);
    QVERIFY(EspaceLibre(d.path()) > 0);
    EssaiCopie::fixerEspaceLibre(10);
    QCOMPARE(EspaceLibre(d.path()), 10);
    QCOMPARE(EspaceLibre(d.filePath(QStringLiteral("absent"))), -1);
}

QTEST_GUILESS_MAIN(TstCopieFichier)
#include "tst_copiefichier.moc"
