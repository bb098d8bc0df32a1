// Profiles, base file names and the reading and writing of appreciation bases.
#include "appreciations/baseappreciations.h"
#include "averages/moyennes.h"
#include "platform/ecrituresure.h"
#include "platform/lecturesure.h"
#include "tests/common/classeessai.h"

#include <QRandomGenerator>

#include <sys/stat.h>

using namespace Essai;
using namespace Qt::StringLiterals;

class TstBaseAppreciations : public QObject {
    Q_OBJECT

private slots:
    // The results item of a mark; without one no base file is looked for.
    void resultats()
    {
        const QList<QPair<double, int>> cas{{20, 0},  {14.01, 0}, {14, 1}, {11.01, 1}, {11, 2},
                                            {9.5, 2}, {9, 3},     {6, 4},  {0, 4},     {NO_MARK, -1}};
        for (const auto &[note, item] : cas) {
            QCOMPARE(ResultatsDepuisNote(note), item);
            QCOMPARE(CodeProfil(ProfilInitial(note, 1, false)).isEmpty(), item < 0);
        }
    }

    void profilInitial_data()
    {
        QTest::addColumn<double>("note");
        QTest::addColumn<int>("span");
        QTest::addColumn<bool>("semestres");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("libelle");
        QTest::newRow("12 en trimestre 1") << 12.0 << 1 << false << u"12120002"_s << u"Trimestre 1"_s;
        QTest::newRow("trimestre 2: milieu") << 15.0 << 2 << false << u"02121002"_s << u"Trimestre 2"_s;
        QTest::newRow("semestre 2: fin") << 8.0 << 2 << true << u"32122002"_s << u"Semestre 2"_s;
        QTest::newRow("trimestre 3: fin") << 3.0 << 3 << false << u"42122002"_s << u"Trimestre 3"_s;
        QTest::newRow("année") << 10.0 << int(Annee) << true << u"22123002"_s << u"Année"_s;
    }
    void profilInitial()
    {
        QFETCH(double, note);
        QFETCH(int, span);
        QFETCH(bool, semestres);
        QFETCH(QString, code);
        QFETCH(QString, libelle);
        QCOMPARE(CodeProfil(ProfilInitial(note, span, semestres)), code);
        QCOMPARE(NomFichierBase(code), code + u".VAP"_s);
        QCOMPARE(LibellePeriode(span, semestres), libelle);
    }

    void decoder_data()
    {
        QTest::addColumn<QByteArray>("octets");
        QTest::addColumn<QStringList>("phrases");
        const QStringList bm{u"Bon"_s, u"Moyen"_s};
        QTest::newRow("vide") << QByteArray() << QStringList();
        QTest::newRow("CR LF") << "Bon\r\nMoyen\r\n"_ba << bm;
        QTest::newRow("LF") << "Bon\nMoyen\n"_ba << bm;
        QTest::newRow("CR") << "Bon\rMoyen\r"_ba << bm;
        QTest::newRow("sans fin de ligne") << "Bon\r\nMoyen"_ba << bm;
        QTest::newRow("lignes vides")
            << "Bon\r\n\r\n\nMoyen\r\n"_ba << QStringList{u"Bon"_s, {}, {}, u"Moyen"_s};
        QTest::newRow("une ligne vide") << "\r\n"_ba << QStringList{u""_s};
        QTest::newRow("LF puis CR") << "a\n\rb"_ba << QStringList{u"a"_s, u""_s, u"b"_s};
        QTest::newRow("NUL en début de ligne")
            << QByteArray("Bon\r\n\0Moyen\r\n", 13) << QStringList{u"Bon"_s};
        QTest::newRow("NUL dans une ligne")
            << QByteArray("Bon\r\nMoy\0en\r\nFin\r\n", 18) << QStringList{u"Bon"_s, u"Moy"_s};
        QTest::newRow("NUL d'abord") << QByteArray("\0Bon\r\n", 6) << QStringList();
        QTest::newRow("Windows-1252")
            << "\xc9l\xe8ve s\xe9rieux \x80\x9c\r\n"_ba << QStringList{u"Élève sérieux €œ"_s};
    }
    void decoder()
    {
        QFETCH(QByteArray, octets);
        QFETCH(QStringList, phrases);
        QCOMPARE(DecoderBase(octets), phrases);
    }

    // Every byte a line may hold, the undefined ones included, comes back
    // unchanged when the base is written again; an empty list, an empty file.
    void octetsConserves()
    {
        QByteArray ligne;
        for (int b = 1; b < 256; ++b)
            if (b != '\r' && b != '\n')
                ligne += char(b);
        const QByteArray octets = ligne + "\r\n" + ligne.left(10) + "\r\n";
        QCOMPARE(CoderBase(DecoderBase(octets)), octets);
        DossierEssai d;
        const QString chemin = d.chemin(u"12120002.VAP"_s);
        QString erreur;
        QVERIFY(EcrireBase(chemin, {u"Élève sérieux"_s, QString(), u"Fin"_s}, erreur));
        QCOMPARE(lire(chemin), "\xc9l\xe8ve s\xe9rieux\r\n\r\nFin\r\n"_ba);
        QVERIFY(EcrireBase(chemin, {}, erreur));
        QCOMPARE(lire(chemin), QByteArray(""));
    }

    // A FIFO, a device or a base over 64 MiB is refused without being read.
    void fichiersSpeciaux()
    {
        DossierEssai d;
        const QString fifo = d.chemin(u"11111111.VAP"_s), grand = d.chemin(u"22222222.VAP"_s);
        QStringList lues;
        QString erreur;
        QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
        QVERIFY(!LireBase(fifo, lues, erreur));
        QCOMPARE(erreur, MessagePasFichierOrdinaire(fifo));
        QFile f(grand);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.resize(TAILLE_MAX_BASE + 1)); // sparse: costs nothing
        QVERIFY(!LireBase(grand, lues, erreur));
        QCOMPARE(erreur, MessageFichierTropGrand(grand, TAILLE_MAX_BASE));
    }

    // Case and accents folded, ties by case; adding one by one finds the same places.
    void tri()
    {
        QStringList l{u"zèbre"_s, u"abricot"_s, u"élève"_s, u"Banane"_s, u"Abricot"_s, u"Elle"_s, QString()};
        const QStringList arrivee = l;
        TrierPhrases(l);
        const QStringList attendu{QString(),  u"Abricot"_s, u"abricot"_s, u"Banane"_s,
                                  u"élève"_s, u"Elle"_s,    u"zèbre"_s};
        QCOMPARE(l, attendu);
        QStringList inseres;
        for (const QString &p : arrivee)
            inseres.insert(PlaceDePhrase(inseres, p), p);
        QCOMPARE(inseres, attendu);
    }

    // The order of the list against the full sort keys compared whole:
    // random phrases of folded and unfolded letters, case, the Windows-1252
    // letters beyond Latin-1, prefixes, given shuffled, then in order but for
    // one pair.
    void memeOrdreQueLaCleEntiere()
    {
        const QString lettres = u"aAeEéÉèêëiîïoôöuùûüÜcçÇzZœŒšŠ€ ,.'-0"_s;
        QRandomGenerator gen(17);
        QStringList phrases;
        for (int i = 0; i < 20000; ++i) {
            QString p;
            for (int k = int(gen.bounded(8)); k > 0; --k)
                p += lettres.at(int(gen.bounded(lettres.size())));
            phrases << p;
            if (i % 7 == 0)
                phrases << p + lettres.at(int(gen.bounded(lettres.size()))); // a longer twin
        }
        QStringList attendu = phrases;
        std::sort(attendu.begin(), attendu.end(), PhraseAvant);
        QVERIFY(!PhrasesEnOrdre(phrases));
        TrierPhrases(phrases);
        QCOMPARE(phrases, attendu);
        QVERIFY(PhrasesEnOrdre(phrases));
        int i = 1000;
        while (ComparerPhrases(phrases[i], phrases[i + 1]) == 0)
            ++i;
        phrases.swapItemsAt(i, i + 1);
        QVERIFY(!PhrasesEnOrdre(phrases));
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
    void basesLues()
    {
        DossierEssai d;
        const QString chemin = d.chemin(u"12120002.VAP"_s);
        ecrire(chemin, "Bon travail\r\nassez bien\r\n");
        BasesLues bases;
        QStringList phrases;
        QString erreur;
        QVERIFY(bases.lire(chemin, phrases, erreur) && bases.lire(chemin, phrases, erreur));
        QCOMPARE(phrases, (QStringList{u"assez bien"_s, u"Bon travail"_s}));
        QCOMPARE(bases.lectures(), 1);
        ecrire(chemin, "Bon travail\r\nassez bien\r\nExcellent\r\n");
        QVERIFY(bases.lire(chemin, phrases, erreur));
        QCOMPARE(bases.lectures(), 2);
        // Same size, another time.
        ecrire(chemin, "Xon travail\r\nassez bien\r\nExcellent\r\n", modifie(chemin).addSecs(60));
        QVERIFY(bases.lire(chemin, phrases, erreur));
        QCOMPARE(bases.lectures(), 3);
        QVERIFY(phrases.contains(u"Xon travail"_s));
        // Written by the expert: kept as written, not read again.
        const QStringList ecrites{u"Nouvelle"_s};
        QVERIFY(EcrireBase(chemin, ecrites, erreur));
        bases.retenir(chemin, ecrites);
        QVERIFY(bases.lire(chemin, phrases, erreur));
        QCOMPARE(phrases, ecrites);
        QCOMPARE(bases.lectures(), 3);
        // Gone: the error.
        QVERIFY(QFile::remove(chemin));
        QVERIFY(!bases.lire(chemin, phrases, erreur));
        QVERIFY(!erreur.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TstBaseAppreciations)
#include "tst_baseappreciations.moc"
