// Profiles, base file names and the reading and writing of appreciation bases.
#include "appreciations/baseappreciations.h"
#include "averages/moyennes.h"
#include "classdata/real48.h"
#include "platform/dossier.h"
#include "platform/ecrituresure.h"
#include "platform/erreurs.h"
#include "platform/lecturesure.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
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
    void memeOrdreQueLaCleEntiere_data();
    void memeOrdreQueLaCleEntiere();
    void basesLues();
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
    QTest::newRow("12 en trimestre 1") << 12.0 << 1 << false << "12120002"
                                       << "Trimestre 1";
    QTest::newRow("trimestre 2: milieu") << 15.0 << 2 << false << "02121002"
                                         << "Trimestre 2";
    QTest::newRow("semestre 2: fin") << 8.0 << 2 << true << "32122002"
                                     << "Semestre 2";
    QTest::newRow("trimestre 3: fin") << 3.0 << 3 << false << "42122002"
                                      << "Trimestre 3";
    QTest::newRow("année") << 10.0 << int(Annee) << true << "22123002"
                           << "Année";
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
    QTest::newRow("lignes vides") << QByteArray("Bon\r\n\r\n\nMoyen\r\n")
                                  << QStringList{"Bon", "", "", "Moyen"};
    QTest::newRow("une ligne vide") << QByteArray("\r\n") << QStringList{""};
    QTest::newRow("LF puis CR") << QByteArray("a\n\rb") << QStringList{"a", "", "b"};
    QTest::newRow("NUL en début de ligne") << QByteArray("Bon\r\n\0Moyen\r\n", 13) << QStringList{"Bon"};
    QTest::newRow("NUL dans une ligne")
        << QByteArray("Bon\r\nMoy\0en\r\nFin\r\n", 18) << QStringList{"Bon", "Moy"};
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
    QVERIFY(
        EcrireBase(chemin, {QString::fromUtf8("Élève sérieux"), QString(), QStringLiteral("Fin")}, erreur));
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
    QCOMPARE(QDir(dossier.path()).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("12120002.VAP")});

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
    QStringList l{QString::fromUtf8("zèbre"),
                  QStringLiteral("abricot"),
                  QString::fromUtf8("élève"),
                  QStringLiteral("Banane"),
                  QStringLiteral("Abricot"),
                  QStringLiteral("Elle"),
                  QString()};
    const QStringList arrivee = l;
    TrierPhrases(l);
    const QStringList attendu{QString(),
                              QStringLiteral("Abricot"),
                              QStringLiteral("abricot"),
                              QStringLiteral("Banane"),
                              QString::fromUtf8("élève"),
                              QStringLiteral("Elle"),
                              QString::fromUtf8("zèbre")};
    QCOMPARE(l, attendu);
    // Adding one by one finds the same places.
    QStringList inseres;
    for (const QString &p : arrivee)
        inseres.insert(PlaceDePhrase(inseres, p), p);
    QCOMPARE(inseres, attendu);
}

// The order of the list, against the full sort keys compared whole (the
// routine the list used before): random phrases of folded and unfolded
// letters, case, the Windows-1252 letters beyond Latin-1, prefixes, empty
// lines, given shuffled, in order, and in order but for one pair.
void TstBaseAppreciations::memeOrdreQueLaCleEntiere_data()
{
    QTest::addColumn<int>("depart"); // 0 shuffled, 1 in order, 2 one pair swapped
    QTest::newRow("mélangées") << 0;
    QTest::newRow("en ordre") << 1;
    QTest::newRow("une paire inversée") << 2;
}

void TstBaseAppreciations::memeOrdreQueLaCleEntiere()
{
    QFETCH(int, depart);
    const QString lettres = QString::fromUtf8("aAeEéÉèêëiîïoôöuùûüÜcçÇzZœŒšŠ€ ,.'-0");
    QRandomGenerator gen(17);
    QStringList phrases;
    for (int i = 0; i < 20000; ++i) {
        QString p;
        const int n = int(gen.bounded(8));
        for (int k = 0; k < n; ++k)
            p += lettres.at(int(gen.bounded(lettres.size())));
        phrases << p;
        if (i % 7 == 0)
            phrases << p + lettres.at(int(gen.bounded(lettres.size()))); // a longer twin
    }
    QStringList attendu = phrases;
    std::sort(attendu.begin(), attendu.end(), PhraseAvant);
    if (depart == 1)
        phrases = attendu;
    if (depart == 2) {
        phrases = attendu;
        int i = 1000;
        while (ComparerPhrases(phrases[i], phrases[i + 1]) == 0)
            ++i;
        phrases.swapItemsAt(i, i + 1);
    }
    QCOMPARE(PhrasesEnOrdre(phrases), depart == 1);
    TrierPhrases(phrases);
    QCOMPARE(phrases, attendu);
    for (int i = 0; i + 1 < attendu.size(); i += 3) {
        const int c = ComparerPhrases(attendu[i], attendu[i + 1]);
        QVERIFY(c <= 0);
        QCOMPARE(c == 0, attendu[i] == attendu[i + 1]);
        QCOMPARE(ComparerPhrases(attendu[i + 1], attendu[i]), -c);
    }
}

// A base is read from the disk once while it stays as it is; a change of its
// size or time, or a write by the expert, is seen.
void TstBaseAppreciations::basesLues()
{
    QTemporaryDir dossier;
    const QString chemin = dossier.filePath(QStringLiteral("12120002.VAP"));
    QFile f(chemin);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("Bon travail\r\nassez bien\r\n");
    f.close();

    BasesLues bases;
    QStringList phrases;
    QString erreur;
    QVERIFY(bases.lire(chemin, phrases, erreur));
    QCOMPARE(phrases, QStringList({"assez bien", "Bon travail"}));
    QVERIFY(bases.lire(chemin, phrases, erreur));
    QCOMPARE(bases.lectures(), 1);

    QVERIFY(f.open(QIODevice::Append));
    f.write("Excellent\r\n");
    f.close();
    QVERIFY(bases.lire(chemin, phrases, erreur));
    QCOMPARE(bases.lectures(), 2);
    QCOMPARE(phrases.last(), QStringLiteral("Excellent"));

    // Same size, another time.
    QVERIFY(f.open(QIODevice::ReadWrite));
    f.write("X");
    f.close();
    QVERIFY(f.open(QIODevice::ReadWrite));
    f.setFileTime(QFileInfo(chemin).lastModified().addSecs(60), QFileDevice::FileModificationTime);
    f.close();
    QVERIFY(bases.lire(chemin, phrases, erreur));
    QCOMPARE(bases.lectures(), 3);
    QVERIFY(phrases.contains(QStringLiteral("Xon travail")));

    // Written by the expert: kept as written, not read again.
    const QStringList ecrites{QStringLiteral("Nouvelle")};
    QVERIFY(EcrireBase(chemin, ecrites, erreur));
    bases.retenir(chemin, ecrites);
    QVERIFY(bases.lire(chemin, phrases, erreur));
    QCOMPARE(phrases, ecrites);
    QCOMPARE(bases.lectures(), 3);

    // Gone: the error, and nothing kept.
    QVERIFY(QFile::remove(chemin));
    QVERIFY(!bases.lire(chemin, phrases, erreur));
    QVERIFY(!erreur.isEmpty());
    bases.vider();
}

QTEST_GUILESS_MAIN(TstBaseAppreciations)
#include "tst_baseappreciations.moc"
