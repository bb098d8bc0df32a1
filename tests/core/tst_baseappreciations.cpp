// Profiles, base file names and the reading and writing of appreciation bases.
#include "baseappreciations.h"
#include "dossier.h"
#include "ecrituresure.h"
#include "erreurs.h"
#include "lecturesure.h"
#include "moyennes.h"
#include "real48.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <sys/stat.h>

class TstBaseAppreciations : public QObject {
    Q_OBJECT
private slots:
    void resultats_data();
    void resultats();
    void profilInitial_data();
    void profilInitial();
    void decoder_data();
    void decoder();
    void octetsConserves();
    void ecrire();
    void pannesEtFichiersSpeciaux();
    void tri();
};

void TstBaseAppreciations::resultats_data()
{
    QTest::addColumn<double>("note");
    QTest::addColumn<int>("item");
    QTest::newRow("20") << 20.0 << 0;
    QTest::newRow("14.01") << 14.01 << 0;
    QTest::newRow("14") << 14.0 << 1;
    QTest::newRow("11.01") << 11.01 << 1;
    QTest::newRow("11") << 11.0 << 2;
    QTest::newRow("9.5") << 9.5 << 2;
    QTest::newRow("9") << 9.0 << 3;
    QTest::newRow("6") << 6.0 << 4;
    QTest::newRow("0") << 0.0 << 4;
    QTest::newRow("aucune") << NO_MARK << -1;
}

void TstBaseAppreciations::resultats()
{
    QFETCH(double, note);
    QFETCH(int, item);
    QCOMPARE(ResultatsDepuisNote(note), item);
    // Without a results item no base file is looked for.
    QCOMPARE(CodeProfil(ProfilInitial(note, 1, false)).isEmpty(), item < 0);
}

void TstBaseAppreciations::profilInitial_data()
{
    QTest::addColumn<double>("note");
    QTest::addColumn<int>("span");
    QTest::addColumn<bool>("semestres");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("libelle");
    QTest::newRow("12 en trimestre 1") << 12.0 << 1 << false << "12120002" << "Trimestre 1";
    QTest::newRow("trimestre 2: milieu") << 15.0 << 2 << false << "02121002" << "Trimestre 2";
    QTest::newRow("semestre 2: fin") << 8.0 << 2 << true << "32122002" << "Semestre 2";
    QTest::newRow("trimestre 3: fin") << 3.0 << 3 << false << "42122002" << "Trimestre 3";
    QTest::newRow("année") << 10.0 << int(Annee) << true << "22123002" << "Année";
}

void TstBaseAppreciations::profilInitial()
{
    QFETCH(double, note);
    QFETCH(int, span);
    QFETCH(bool, semestres);
    QFETCH(QString, code);
    QFETCH(QString, libelle);
    const QString c = CodeProfil(ProfilInitial(note, span, semestres));
    QCOMPARE(c, code);
    QCOMPARE(NomFichierBase(c), code + QStringLiteral(".VAP"));
    QCOMPARE(NomFichierBase(c).size(), 12);
    QCOMPARE(LibellePeriode(span, semestres), libelle);
}

void TstBaseAppreciations::decoder_data()
{
    QTest::addColumn<QByteArray>("octets");
    QTest::addColumn<QStringList>("phrases");
    QTest::newRow("vide") << QByteArray() << QStringList();
    QTest::newRow("CR LF") << QByteArray("Bon\r\nMoyen\r\n") << QStringList{"Bon", "Moyen"};
    QTest::newRow("LF") << QByteArray("Bon\nMoyen\n") << QStringList{"Bon", "Moyen"};
    QTest::newRow("CR") << QByteArray("Bon\rMoyen\r") << QStringList{"Bon", "Moyen"};
    QTest::newRow("sans fin de ligne") << QByteArray("Bon\r\nMoyen") << QStringList{"Bon", "Moyen"};
    QTest::newRow("lignes vides") << QByteArray("Bon\r\n\r\n\nMoyen\r\n") << QStringList{"Bon", "", "", "Moyen"};
    QTest::newRow("une ligne vide") << QByteArray("\r\n") << QStringList{""};
    QTest::newRow("LF puis CR") << QByteArray("a\n\rb") << QStringList{"a", "", "b"};
    QTest::newRow("NUL en début de ligne") << QByteArray("Bon\r\n\0Moyen\r\n", 13) << QStringList{"Bon"};
    QTest::newRow("NUL dans une ligne") << QByteArray("Bon\r\nMoy\0en\r\nFin\r\n", 18)
                                        << QStringList{"Bon", "Moy"};
    QTest::newRow("NUL d'abord") << QByteArray("\0Bon\r\n", 6) << QStringList();
    QTest::newRow("Windows-1252") << QByteArray("\xc9l\xe8ve s\xe9rieux \x80\x9c\r\n")
                                  << QStringList{QString::fromUtf8("Élève sérieux €œ")};
}

void TstBaseAppreciations::decoder()
{
    QFETCH(QByteArray, octets);
    QFETCH(QStringList, phrases);
    QCOMPARE(DecoderBase(octets), phrases);
}

void TstBaseAppreciations::octetsConserves()
{
    // Every byte a line may hold, the undefined ones included, comes back
    // unchanged when the base is written again.
    QByteArray ligne;
    for (int b = 1; b < 256; ++b)
        if (b != '\r' && b != '\n')
            ligne += char(b);
    const QByteArray octets = ligne + "\r\n" + ligne.left(10) + "\r\n";
    QCOMPARE(CoderBase(DecoderBase(octets)), octets);
}

void TstBaseAppreciations::ecrire()
{
    QTemporaryDir dossier;
    const QString chemin = dossier.filePath(QStringLiteral("12120002.VAP"));
    QString erreur;
    QVERIFY(EcrireBase(chemin, {QString::fromUtf8("Élève sérieux"), QString(), QStringLiteral("Fin")}, erreur));
    QFile f(chemin);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("\xc9l\xe8ve s\xe9rieux\r\n\r\nFin\r\n"));
    f.close();

    // Replaced whole, an empty list leaves an empty file.
    QVERIFY(EcrireBase(chemin, {}, erreur));
    QCOMPARE(QFileInfo(chemin).size(), 0);

    QStringList lues;
    QVERIFY(LireBase(chemin, lues, erreur));
    QVERIFY(lues.isEmpty());
}

// Each step of the write failing in turn keeps the old base; a FIFO, a
// device or a base over 64 MiB is refused without being read.
void TstBaseAppreciations::pannesEtFichiersSpeciaux()
{
    QTemporaryDir dossier;
    const QString chemin = dossier.filePath(QStringLiteral("12120002.VAP"));
    QString erreur;
    QVERIFY(EcrireBase(chemin, {QStringLiteral("Ancienne phrase")}, erreur));
    QStringList phrases;
    for (int i = 0; i < 2000; ++i) // above the 16 KiB a buffered writer keeps
        phrases << QStringLiteral("Phrase numéro %1 du nouveau jeu").arg(i);
    EssaiEcriture::remettreAZero();
    QVERIFY(EcrireBase(chemin, phrases, erreur));
    const int pas = EssaiEcriture::pasFaits();
    for (int n = 1; n <= pas; ++n) {
        QVERIFY(EcrireBase(chemin, {QStringLiteral("Ancienne phrase")}, erreur));
        EssaiEcriture::echouerAuPas(n, ENOSPC);
        QVERIFY(!EcrireBase(chemin, phrases, erreur));
        QCOMPARE(erreur, MessageErreurSysteme(ENOSPC));
        QStringList lues;
        QVERIFY(LireBase(chemin, lues, erreur));
        QCOMPARE(lues, QStringList{QStringLiteral("Ancienne phrase")});
    }
    EssaiEcriture::remettreAZero();
    QCOMPARE(QDir(dossier.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("12120002.VAP")});

    const QString fifo = dossier.filePath(QStringLiteral("11111111.VAP"));
    QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
    QStringList lues;
    QVERIFY(!LireBase(fifo, lues, erreur));
    QCOMPARE(erreur, MessagePasFichierOrdinaire(fifo));
    const QString grand = dossier.filePath(QStringLiteral("22222222.VAP"));
    {
        QFile f(grand);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.resize(TAILLE_MAX_BASE + 1)); // sparse: costs nothing
    }
    QVERIFY(!LireBase(grand, lues, erreur));
    QCOMPARE(erreur, MessageFichierTropGrand(grand, TAILLE_MAX_BASE));
}

void TstBaseAppreciations::tri()
{
    QStringList l{QString::fromUtf8("zèbre"), QStringLiteral("abricot"), QString::fromUtf8("élève"),
                  QStringLiteral("Banane"), QStringLiteral("Abricot"), QStringLiteral("Elle"), QString()};
    const QStringList arrivee = l;
    TrierPhrases(l);
    const QStringList attendu{QString(), QStringLiteral("Abricot"), QStringLiteral("abricot"),
                              QStringLiteral("Banane"), QString::fromUtf8("élève"), QStringLiteral("Elle"),
                              QString::fromUtf8("zèbre")};
    QCOMPARE(l, attendu);
    // Adding one by one finds the same places.
    QStringList inseres;
    for (const QString &p : arrivee)
        inseres.insert(PlaceDePhrase(inseres, p), p);
    QCOMPARE(inseres, attendu);
}

QTEST_GUILESS_MAIN(TstBaseAppreciations)
#include "tst_baseappreciations.moc"
