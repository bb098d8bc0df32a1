// How marks, dates and names are shown, read back and compared; student lists
// exported by school software, and how typed names are stored. The text of a
// mark is checked against the general routine it replaces (18 significant
// digits, then half up on the magnitude), which stays as the oracle.
#include "classdata/importeleves.h"
#include "classdata/nomseleves.h"
#include "classdata/real48.h"
#include "classdata/texte.h"
#include "tests/common/classeessai.h"

#include <QRandomGenerator>

using namespace Qt::StringLiterals;

namespace {

// The six-byte real next to x, up (+1) or down (-1) by one unit of its last bit.
double Voisin(double x, int sens)
{
    uchar o[6];
    DoubleVersReal48(x, o);
    quint64 champ = 0;
    for (int i = 5; i >= 1; --i)
        champ = (champ << 8) | o[i];
    const quint64 fraction = champ & ((quint64(1) << 39) - 1);
    if ((sens > 0 && fraction == (quint64(1) << 39) - 1) || (sens < 0 && fraction == 0))
        return x;
    champ += sens;
    for (int i = 1; i <= 5; ++i, champ >>= 8)
        o[i] = uchar(champ & 0xFF);
    return Real48VersDouble(o);
}

// 0 when the mark's text with that many decimals (1 or 2) is the oracle's;
// the first disagreements are reported.
int Ecart(double x, int decimales)
{
    const QString a = decimales == 2 ? NoteEnTexte(x) : NoteEnTexteCourt(x);
    QString b = x == -1.0 ? QString() : FormatDecimal(ArrondiReal48(x), decimales);
    if (decimales == 2 && !b.isEmpty())
        b = CadrerADroite(b, 5);
    if (a == b)
        return 0;
    static int signales = 0;
    if (signales++ < 5)
        qWarning("%.20g, %d decimals: \"%s\", expected \"%s\"", x, decimales, qPrintable(a), qPrintable(b));
    return 1;
}

int Ecarts(double x)
{
    return Ecart(x, 2) + Ecart(x, 1);
}

} // namespace

class TstTexte : public QObject {
    Q_OBJECT

private slots:
    void noteEnTexte_data()
    {
        QTest::addColumn<double>("x");
        QTest::addColumn<QString>("complet");
        QTest::addColumn<QString>("court");
        QTest::newRow("sans note") << -1.0 << u""_s << u""_s;
        QTest::newRow("0, -0") << -0.0 << u" 0.00"_s << u"0.0"_s;
        QTest::newRow("12.125 demi vers le haut") << 12.125 << u"12.13"_s << u"12.1"_s;
        QTest::newRow("13.25") << 13.25 << u"13.25"_s << u"13.3"_s;
        QTest::newRow("19.999 retenue") << 19.999 << u"20.00"_s << u"20.0"_s;
        QTest::newRow("negatif") << -2.0 << u"-2.00"_s << u"-2.0"_s;
        QTest::newRow("-0.001") << -0.001 << u" 0.00"_s << u"0.0"_s;
        QTest::newRow("grand") << 123456789.0 << u"123456789.00"_s << u"123456789.0"_s;
        // The six-byte value, not the typed decimal, is rounded: it lies above
        // 0.015 while the double lies below; the other way for 0.135 and 9.95.
        QTest::newRow("0.015") << 0.015 << u" 0.02"_s << u"0.0"_s;
        QTest::newRow("0.135") << 0.135 << u" 0.13"_s << u"0.1"_s;
        QTest::newRow("9.95") << 9.95 << u" 9.95"_s << u"9.9"_s;
    }
    void noteEnTexte()
    {
        QFETCH(double, x);
        QFETCH(QString, complet);
        QFETCH(QString, court);
        QCOMPARE(NoteEnTexte(x), complet);
        QCOMPARE(NoteEnTexteCourt(x), court);
        QCOMPARE(Ecarts(x), 0);
    }

    // Every hundredth and half-hundredth from -30 to 30 and around 100, 1000,
    // 10000, with the six-byte reals on either side; the ends of the integer
    // path; far values.
    void bornes()
    {
        QCOMPARE(FormatDecimal(99.995, 2), u"100.00"_s); // 18 digits reach the 5
        QCOMPARE(FormatDecimal(2.5, 0), u"3"_s);
        int ecarts = 0;
        for (const int centre : {0, 20000, 200000, 2000000}) {
            for (int k = -6000; k <= 6000; ++k) {
                const double x = (centre + k) / 200.0;
                ecarts += Ecarts(x) + Ecarts(Voisin(x, +1)) + Ecarts(Voisin(x, -1));
            }
        }
        for (double x : {1048576.0, 1048575.995, 1048576.005, 0.0009765625, 0.000976, 0.005, 0.0049999, 0.05,
                         0.04999999, 1e-30, 1e20, 1.7e38, 2.9e-39, 99999.995, 9.995, 0.995, 999999.995})
            for (double y : {x, Voisin(x, +1), Voisin(x, -1), -x})
                ecarts += Ecarts(y);
        QCOMPARE(ecarts, 0);
    }

    // Two million random six-byte reals, most between 2^-12 and 2^22, some
    // with few significant bits (marks with few decimals).
    void hasard()
    {
        QRandomGenerator gen(20241205u);
        int ecarts = 0;
        for (int i = 0; i < 2'000'000; ++i) {
            uchar o[6];
            const quint64 a = gen.generate64();
            for (int j = 1; j <= 5; ++j)
                o[j] = uchar(a >> (8 * j));
            o[0] = (i & 3) ? uchar(129 - 12 + int(a % 35)) : uchar(a);
            if (i % 5 == 0)
                o[1] = o[2] = 0;
            ecarts += Ecart(Real48VersDouble(o), 1 + (i / 4) % 2);
        }
        QCOMPARE(ecarts, 0);
    }

    // What a typed mark is worth; -1 for no mark, a six-byte value stored.
    void texteEnNote()
    {
        const QList<QPair<QString, double>> cas{
            {u""_s, -1},  {u"20.5"_s, -1}, {u"-1"_s, -1},    {u"20"_s, 20}, {u" 7.5"_s, 7.5}, {u"+12"_s, 12},
            {u"."_s, -1}, {u".5"_s, 0.5},  {u"1.5e1"_s, 15}, {u"3e"_s, 3},  {u"12,5"_s, 12},  {u"abs"_s, -1}};
        for (const auto &[s, note] : cas)
            EGAL_EXACT(TexteEnNote(s), note);
        EGAL_EXACT(TexteEnNote(QString(300, u'9')), -1.0);
        EGAL_EXACT(TexteEnNote(u"12.1"_s), ArrondiReal48(12.1));
    }

    // The edges the report files do not hold: a text longer than its field stays whole, an accented
    // initial stays as typed, a coefficient out of 0..9 counts 1, an unknown style is plain.
    void cadrageEtInitiales()
    {
        QCOMPARE(CadrerADroite(u"abcdefg"_s, 6), u"abcdefg"_s);
        QCOMPARE(InitialePrenom(u"élodie"_s), u"él."_s);
        QCOMPARE(ChiffreCoef(9) * 100 + ChiffreCoef(10) * 10 + ChiffreCoef(-1), 911);
        for (int k = 0; k <= 3; ++k)
            QCOMPARE(StyleDepuisNom(NomDeStyle(k)), k);
        QCOMPARE(StyleDepuisNom(u"gras"_s), 0);
    }

    // A date field's day and month as the grids show them.
    void dates()
    {
        const QList<std::tuple<QString, QString, QString>> cas{
            {u"05/11"_s, u"  05"_s, u"nov "_s}, {u"--/--"_s, u"    "_s, u"    "_s},
            {u"28/02"_s, u"  28"_s, u"fév "_s}, {u"15/08"_s, u"  15"_s, u"août"_s},
            {u"01/13"_s, u"  01"_s, u"    "_s}, {u""_s, u"    "_s, u"    "_s},
            {u"7"_s, u"  7 "_s, u"    "_s}};
        for (const auto &[d, jour, mois] : cas)
            QCOMPARE(JourDeDate(d) + u'|' + MoisDeDate(d), jour + u'|' + mois);
    }

    void prenoms()
    {
        const QList<QPair<QString, QString>> cas{{u"jean-pierre"_s, u"Jean-Pierre"_s},
                                                 {u"marie claire"_s, u"Marie Claire"_s},
                                                 {u"élodie"_s, u"Élodie"_s},
                                                 {u"mcDONALD"_s, u"McDONALD"_s},
                                                 {u"anne-"_s, u"Anne-"_s},
                                                 {u""_s, u""_s},
                                                 {u"marie-christine"_s, u"Marie-Christ"_s}};
        for (const auto &[tape, stocke] : cas)
            QCOMPARE(PrenomDepuisSaisie(tape), stocke);
    }

    // One line, its surname and first name.
    void separateurs_data()
    {
        QTest::addColumn<QString>("ligne");
        QTest::addColumn<QString>("attendu");
        QTest::newRow("point-virgule") << u"DUPONT;Jean"_s << u"DUPONT/Jean"_s;
        QTest::newRow("virgule") << u"DUPONT, Jean"_s << u"DUPONT/Jean"_s;
        QTest::newRow("tabulation") << u"DUPONT\tJean Marc"_s << u"DUPONT/Jean Marc"_s;
        QTest::newRow("point-virgule avant virgule")
            << u"DUPONT;Jean, dit Jeannot"_s << u"DUPONT/Jean, dit Jeannot"_s;
        QTest::newRow("guillemets") << u"\"DE LA FONTAINE\";\"Jean\""_s << u"DE LA FONTAINE/Jean"_s;
        QTest::newRow("séparateur entre guillemets") << u"\"DUPONT, fils\",Jean"_s << u"DUPONT, fils/Jean"_s;
        QTest::newRow("guillemets et espace") << u"\"DE LA FONTAINE\" Jean"_s << u"DE LA FONTAINE/Jean"_s;
        // Spaces only: the surname is the run of words in capitals.
        QTest::newRow("nom composé") << u"DE LA FONTAINE Jean"_s << u"DE LA FONTAINE/Jean"_s;
        QTest::newRow("capitales accentuées") << u"ÉLU LE BRUN Émile"_s << u"ÉLU LE BRUN/Émile"_s;
        QTest::newRow("apostrophe") << u"D'ARTAGNAN Charles"_s << u"D'ARTAGNAN/Charles"_s;
        QTest::newRow("espaces en trop") << u"  DE  LA  TOUR   Jean Marc "_s << u"DE LA TOUR/Jean Marc"_s;
        QTest::newRow("colonnes en plus") << u"DUPONT;Jean;12/03/2010;3A"_s << u"DUPONT/Jean"_s;
    }
    void separateurs()
    {
        QFETCH(QString, ligne);
        QFETCH(QString, attendu);
        const ListeLue l = AnalyserListeEleves(ligne + u"\r\n"_s);
        QVERIFY(l.incomprises.isEmpty() && l.eleves.size() == 1 && l.eleves[0].ligne == 1);
        QCOMPARE(l.eleves[0].nom + u'/' + l.eleves[0].prenom, attendu);
    }

    // A header line is recognised at the top only, its columns followed.
    void entetes()
    {
        const QList<std::tuple<QString, bool, QString>> cas{
            {u"Nom;Prénom\nDUPONT;Jean\n"_s, true, u"DUPONT/Jean"_s},
            {u"NOM,PRENOM\nDUPONT,Jean\n"_s, true, u"DUPONT/Jean"_s},
            {u"Classe;Prénom;Nom;Né le\n3A;Jean;DUPONT;2010\n"_s, true, u"DUPONT/Jean"_s},
            {u"Prénom;Nom\nJean;DUPONT\n"_s, true, u"DUPONT/Jean"_s},
            {u"NOMBRET;Jean\n"_s, false, u"NOMBRET/Jean"_s},
            {u"DUPONT;Jean\nNom;Prénom\n"_s, false, u"DUPONT/Jean"_s}};
        for (const auto &[texte, entete, premier] : cas) {
            const ListeLue l = AnalyserListeEleves(texte);
            QVERIFY2(l.entete == entete && !l.eleves.isEmpty(), qPrintable(texte));
            QCOMPARE(l.eleves[0].nom + u'/' + l.eleves[0].prenom, premier);
        }
    }

    void encodages()
    {
        const QString texte = u"ÉLU;Émile\nZOLA;Zoé\n"_s;
        QByteArray utf16("\xFF\xFE");
        for (QChar c : texte)
            utf16 += char(c.unicode() & 0xFF), utf16 += char(c.unicode() >> 8);
        for (const QByteArray &octets :
             {texte.toUtf8(), "\xEF\xBB\xBF" + texte.toUtf8(), "\xC9LU;\xC9mile\nZOLA;Zo\xE9\n"_ba, utf16}) {
            const ListeLue l = AnalyserListeEleves(DecoderTexteImporte(octets));
            QCOMPARE(l.eleves.size(), 2);
            QCOMPARE(l.eleves[0].nom + u'/' + l.eleves[0].prenom + u'/' + l.eleves[1].prenom,
                     u"ÉLU/Émile/Zoé"_s);
        }
    }

    void lignesIncomprises()
    {
        // Line numbers count blank lines too. Without a separator, a surname not
        // in capitals or nothing after it cannot be read safely.
        const ListeLue l = AnalyserListeEleves(
            u"Nom;Prénom\r\nDUPONT;Jean\r\n\r\nSEUL\r\n;Paul\r\nMARTIN;\r\n;;\r\nDURAND Luc\r\n"
            "Jean Dupont\r\nDUPONT JEAN\r\nMcDONALD Ronald"_s);
        QCOMPARE(l.incomprises, (QList<int>{4, 9, 10, 11}));
        QCOMPARE(l.nomManquant, (QList<int>{5, 6}));
        QVERIFY(l.eleves.size() == 2 && l.eleves[1].nom == u"DURAND"_s && l.eleves[1].ligne == 8);
    }

    // What is added, what is refused and why, in the teacher's words.
    void preparationEtBilan()
    {
        ListeLue l;
        l.eleves = {{u"de la fontaine"_s, u"jean"_s, 1},   {u"dupont"_s, u"jean-pierre"_s, 2},
                    {u"DUPONT"_s, u"Jean-Pierre"_s, 3}, // twice in the file
                    {u"MARTIN"_s, u"Paul"_s, 4},        // already in the class
                    {u"WAŁĘSA"_s, u"Lech"_s, 5},        // not storable
                    {u"SCHWARZENEGGERS"_s, u"arnold"_s, 6}};
        for (int i = 1; i <= 3; ++i)
            l.eleves.append({u"NOM%1"_s.arg(i), u"Prénom"_s, 19 + i}); // beyond the room left
        l.incomprises = {7, 8, 9, 10};
        l.nomManquant = {11};
        const BilanImport b = PreparerImport(l, {u"MARTIN Paul"_s}, 3);
        QCOMPARE(b.aAjouter,
                 (QList<QPair<QString, QString>>{{u"DE_LA_FONTAI"_s, u"Jean"_s},
                                                 {u"DUPONT"_s, u"Jean-Pierre"_s},
                                                 {u"SCHWARZENEGG"_s, u"Arnold"_s}}));
        QCOMPARE(TexteBilanImport(b),
                 u"3 élèves ajoutés.\r\n"
                 "Lignes 3, 4 : élève déjà dans la liste.\r\n"
                 "Ligne 11 : nom ou prénom manquant.\r\n"
                 "Lignes 7 à 10 : nom et prénom impossibles à distinguer (attendu : NOM en majuscules puis "
                 "Prénom).\r\n"
                 "Ligne 5 : caractère impossible à enregistrer dans un fichier de classe.\r\n"
                 "Lignes 20 à 22 : classe complète, une classe compte au plus 127 élèves.\r\n"
                 "Coupés à 12 caractères : de la fontaine jean → DE_LA_FONTAI Jean ; "
                 "SCHWARZENEGGERS arnold → SCHWARZENEGG Arnold."_s);
        QCOMPARE(PreparerImport(l, {}, 0).aAjouter.size(), 0);
        BilanImport un;
        un.aAjouter = {{u"A"_s, u"B"_s}};
        QCOMPARE(TexteBilanImport(un), u"1 élève ajouté."_s);
    }

    // Accents folded, the first name breaks ties, equal keys keep their
    // order: the sort may be run twice without a change.
    void triEleves()
    {
        QCOMPARE(CleDeTri(u"Élodie ELODIE Ça àâäùûüîïôöëêè ñœÿ 3-b"_s),
                 u"ELODIE ELODIE CA AAAUUUIIOOEEE ÑŒŸ 3-B"_s);
        QList<StudentRecord> eleves =
            ClasseEssai::Eleves({u"ZOLA Zoé"_s, u"ÉTÉ Léa"_s, u"MARTIN Zoé"_s, u"ETE Lea"_s, u"ARTHUR Anne"_s,
                                 u"ETÉ Léa"_s, u"EMERY Luc"_s, u"MARTIN Anne"_s, u"ÉLU Émile"_s});
        TrierListeEleves(eleves);
        QStringList lus;
        for (const StudentRecord &r : eleves)
            lus << EntreeEleve(r.Nom, r.Prenom);
        QCOMPARE(lus,
                 (QStringList{u"ARTHUR Anne"_s, u"ÉLU Émile"_s, u"EMERY Luc"_s, u"ÉTÉ Léa"_s, u"ETE Lea"_s,
                              u"ETÉ Léa"_s, u"MARTIN Anne"_s, u"MARTIN Zoé"_s, u"ZOLA Zoé"_s}));
    }
};

QTEST_GUILESS_MAIN(TstTexte)
#include "tst_texte.moc"
