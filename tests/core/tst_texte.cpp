// How marks, dates and names are shown, read back and compared. The text of
// a mark is checked against the general routine it replaces (18 significant
// digits, then half up on the magnitude), which stays as the oracle.
#include "classdata/real48.h"
#include "classdata/texte.h"
#include "tests/common/fichiersessai.h"

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
        QTest::newRow("20") << 20.0 << u"20.00"_s << u"20.0"_s;
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

    void cadrageEtInitiales()
    {
        QCOMPARE(CadrerADroite(u"abc"_s, 6), u"   abc"_s);
        QCOMPARE(CadrerAGauche(u"abc"_s, 6), u"abc   "_s);
        QCOMPARE(CadrerADroite(u"abcdefg"_s, 6), u"abcdefg"_s);
        QCOMPARE(DeuxChiffres(u"7"_s), u"07"_s);
        QCOMPARE(InitialePrenom(u"jean"_s) + InitialePrenom(u"élodie"_s) + InitialePrenom(u"a"_s)
                     + InitialePrenom({}),
                 u"Je.él.A.."_s);
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

    void cleDeTri()
    {
        QCOMPARE(CleDeTri(u"Élodie ELODIE Ça àâäùûüîïôöëêè ñœÿ 3-b"_s),
                 u"ELODIE ELODIE CA AAAUUUIIOOEEE ÑŒŸ 3-B"_s);
    }
};

QTEST_GUILESS_MAIN(TstTexte)
#include "tst_texte.moc"
