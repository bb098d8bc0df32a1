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
    // The results item of a mark, the profile code and period of a base;
    // without a results item no base file is looked for.
    void profilInitial()
    {
        const QList<QPair<double, int>> items{{20, 0},  {14.01, 0}, {14, 1}, {11.01, 1}, {11, 2},
                                              {9.5, 2}, {9, 3},     {6, 4},  {0, 4},     {NO_MARK, -1}};
        for (const auto &[note, item] : items) {
            QCOMPARE(ResultatsDepuisNote(note), item);
            QCOMPARE(CodeProfil(ProfilInitial(note, 1, false)).isEmpty(), item < 0);
        }
        const QList<std::tuple<double, int, bool, QString, QString>> profils{
            {12, 1, false, u"12120002"_s, u"Trimestre 1"_s},
            {15, 2, false, u"02121002"_s, u"Trimestre 2"_s},
            {8, 2, true, u"32122002"_s, u"Semestre 2"_s},
            {3, 3, false, u"42122002"_s, u"Trimestre 3"_s},
            {10, Annee, true, u"22123002"_s, u"Année"_s}};
        for (const auto &[note, span, semestres, code, libelle] : profils) {
            QCOMPARE(CodeProfil(ProfilInitial(note, span, semestres)), code);
            QCOMPARE(NomFichierBase(code), code + u".VAP"_s);
            QCOMPARE(LibellePeriode(span, semestres), libelle);
        }
    }

    // Any line end, a NUL ending the line and the base, Windows-1252.
    void decoder()
    {
        for (const QByteArray &octets :
             {"Bon\r\nMoyen\r\n"_ba, "Bon\nMoyen\n"_ba, "Bon\rMoyen\r"_ba, "Bon\r\nMoyen"_ba})
            QCOMPARE(DecoderBase(octets), (QStringList{u"Bon"_s, u"Moyen"_s}));
        const QList<QPair<QByteArray, QStringList>> cas{
            {{}, {}},
            {"Bon\r\n\r\n\nMoyen\r\n", {u"Bon"_s, {}, {}, u"Moyen"_s}},
            {"\r\n", {u""_s}},
            {"a\n\rb", {u"a"_s, u""_s, u"b"_s}},
            {QByteArray("Bon\r\n\0Moyen\r\n", 13), {u"Bon"_s}},
            {QByteArray("Bon\r\nMoy\0en\r\nFin\r\n", 18), {u"Bon"_s, u"Moy"_s}},
            {QByteArray("\0Bon\r\n", 6), {}},
            {"\xc9l\xe8ve s\xe9rieux \x80\x9c\r\n", {u"Élève sérieux €œ"_s}}};
        for (const auto &[octets, phrases] : cas)
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

    // Case and accents folded, ties by case; adding one by one finds the same
    // places. Random phrases (the Windows-1252 letters beyond Latin-1,
    // prefixes) sort as the full sort keys compared whole.
    void tri()
    {
        QStringList l{u"zèbre"_s, u"abricot"_s, u"élève"_s, u"Banane"_s, u"Abricot"_s, u"Elle"_s, QString()};
        QStringList inseres;
        for (const QString &p : l)
            inseres.insert(PlaceDePhrase(inseres, p), p);
        TrierPhrases(l);
        const QStringList attendu{QString(),  u"Abricot"_s, u"abricot"_s, u"Banane"_s,
                                  u"élève"_s, u"Elle"_s,    u"zèbre"_s};
        QCOMPARE(l, attendu);
        QCOMPARE(inseres, attendu);
        const QString lettres = u"aAeEéÉèêëiîïoôöuùûüÜcçÇzZœŒšŠ€ ,.'-0"_s;
        QRandomGenerator gen(17);
        QStringList phrases;
        for (int i = 0; i < 20000; ++i) {
            QString p;
            for (int k = int(gen.bounded(8)); k > 0; --k)
                p += lettres.at(int(gen.bounded(lettres.size())));
            phrases << p << p + lettres.at(int(gen.bounded(lettres.size()))); // and a longer twin
        }
        QStringList cles = phrases;
        std::sort(cles.begin(), cles.end(), PhraseAvant);
        QVERIFY(!PhrasesEnOrdre(phrases));
        TrierPhrases(phrases);
        QCOMPARE(phrases, cles);
        QVERIFY(PhrasesEnOrdre(phrases));
        for (int i = 0; i + 1 < cles.size(); i += 3) {
            const int c = ComparerPhrases(cles[i], cles[i + 1]);
            QVERIFY(c <= 0 && (c == 0) == (cles[i] == cles[i + 1]));
            QCOMPARE(ComparerPhrases(cles[i + 1], cles[i]), -c);
        }
    }

    // A base is read from the disk once while it stays as it is; a change of
    // its size or time, or a write by the expert, is seen.
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
        ecrire(chemin, "Bon travail\r\nassez bien\r\nExcellent\r\n");
        QVERIFY(bases.lire(chemin, phrases, erreur));
        ecrire(chemin, "Xon travail\r\nassez bien\r\nExcellent\r\n",
               modifie(chemin).addSecs(60)); // same size
        QVERIFY(bases.lire(chemin, phrases, erreur) && phrases.contains(u"Xon travail"_s));
        QCOMPARE(bases.lectures(), 3);
        QVERIFY(EcrireBase(chemin, {u"Nouvelle"_s}, erreur));
        bases.retenir(chemin, {u"Nouvelle"_s});
        QVERIFY(bases.lire(chemin, phrases, erreur));
        QCOMPARE(phrases, QStringList{u"Nouvelle"_s});
        QCOMPARE(bases.lectures(), 3);
    }
};

QTEST_GUILESS_MAIN(TstBaseAppreciations)
#include "tst_baseappreciations.moc"
