// The text of a mark against the general routine it replaces (18 significant
// digits, then half up on the magnitude), which stays as the oracle.
#include "classdata/real48.h"
#include "classdata/texte.h"

#include <QRandomGenerator>
#include <QTest>

#include <atomic>
#include <cmath>
#include <thread>

namespace {

QString Oracle(double x, int decimales)
{
    if (x == -1.0)
        return {};
    const QString t = FormatDecimal(ArrondiReal48(x), decimales);
    return decimales == 2 ? CadrerADroite(t, 5) : t;
}

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
    for (int i = 1; i <= 5; ++i) {
        o[i] = uchar(champ & 0xFF);
        champ >>= 8;
    }
    return Real48VersDouble(o);
}

// 0 when both routines agree on x with that many decimals (1 or 2); the
// first disagreements are reported.
int Ecart(double x, int decimales)
{
    const QString a = decimales == 2 ? NoteEnTexte(x) : NoteEnTexteCourt(x);
    const QString b = Oracle(x, decimales);
    if (a == b)
        return 0;
    static std::atomic<int> signales{0};
    if (signales++ < 5)
        qWarning("%.20g, %d decimals: \"%s\", expected \"%s\"", x, decimales, qPrintable(a), qPrintable(b));
    return 1;
}

int Ecarts(double x)
{
    return Ecart(x, 2) + Ecart(x, 1);
}

} // namespace

class TstNoteEnTexte : public QObject {
    Q_OBJECT
private slots:
    void exemples_data();
    void exemples();
    void bornes();
    void hasard();
};

void TstNoteEnTexte::exemples_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<QString>("texte");
    QTest::addColumn<QString>("court");
    QTest::newRow("pas de note") << -1.0 << ""
                                 << "";
    QTest::newRow("zéro") << 0.0 << " 0.00"
                          << "0.0";
    QTest::newRow("moins zéro") << -0.0 << " 0.00"
                                << "0.0";
    QTest::newRow("vingt") << 20.0 << "20.00"
                           << "20.0";
    QTest::newRow("12.125") << 12.125 << "12.13"
                            << "12.1";
    QTest::newRow("13.25") << 13.25 << "13.25"
                           << "13.3";
    QTest::newRow("13.75") << 13.75 << "13.75"
                           << "13.8";
    QTest::newRow("-2") << -2.0 << "-2.00"
                        << "-2.0";
    QTest::newRow("-0.001") << -0.001 << " 0.00"
                            << "0.0";
    QTest::newRow("100.5") << 100.5 << "100.50"
                           << "100.5";
    QTest::newRow("12.345, approché") << 12.345 << "12.35"
                                      << "12.3";
    QTest::newRow("grand") << 123456789.0 << "123456789.00"
                           << "123456789.0";
}

void TstNoteEnTexte::exemples()
{
    QFETCH(double, x);
    QFETCH(QString, texte);
    QFETCH(QString, court);
    QCOMPARE(NoteEnTexte(x), texte);
    QCOMPARE(NoteEnTexteCourt(x), court);
    QCOMPARE(Ecarts(x), 0);
}

// Every hundredth and half-hundredth from -30 to 30 and around 100, 1000,
// 10000, with the six-byte reals on either side; the ends of the integer
// path; far values.
void TstNoteEnTexte::bornes()
{
    int ecarts = 0;
    for (const int centre : {0, 20000, 200000, 2000000}) {
        for (int k = -6000; k <= 6000; ++k) {
            const double x = (centre + k) / 200.0;
            ecarts += Ecarts(x) + Ecarts(Voisin(x, +1)) + Ecarts(Voisin(x, -1));
        }
    }
    const double ailleurs[] = {1048576.0, 1048575.995, 1048576.005, 0.0009765625, 0.000976,   0.005,
                               0.0049999, 0.05,        0.04999999,  1e-30,        -1e-30,     1e20,
                               -1e20,     1.7e38,      2.9e-39,     99999.995,    -99999.995, 9.995,
                               9.95,      0.995,       -0.995,      999999.995};
    for (double x : ailleurs)
        for (double y : {x, Voisin(x, +1), Voisin(x, -1), -x})
            ecarts += Ecarts(y);
    QCOMPARE(ecarts, 0);
}

// Three million random six-byte reals, each written with 2 decimals or with 1:
// most around the marks' range, where the integer path works, the others over
// the whole range. Two threads share the draws.
void TstNoteEnTexte::hasard()
{
    constexpr int n = 3'000'000;
    std::atomic<int> ecarts{0};
    auto tirer = [&ecarts](int debut, int pas, quint32 graine) {
        QRandomGenerator gen(graine);
        int e = 0;
        for (int i = debut; i < n; i += pas) {
            uchar o[6];
            const quint64 a = gen.generate64();
            for (int j = 1; j <= 5; ++j)
                o[j] = uchar(a >> (8 * j));
            // Exponent byte: 2^-12 .. 2^22 for three draws in four.
            o[0] = (i & 3) ? uchar(129 - 12 + int(a % 35)) : uchar(a);
            // Fewer significant bits sometimes: values with few decimals.
            if (i % 5 == 0)
                o[1] = o[2] = 0;
            e += Ecart(Real48VersDouble(o), 1 + (i / 4) % 2);
        }
        ecarts += e;
    };
    std::thread autre(tirer, 1, 2, 7u);
    tirer(0, 2, 20241205u);
    autre.join();
    QCOMPARE(ecarts.load(), 0);
}

QTEST_MAIN(TstNoteEnTexte)
#include "tst_noteentexte.moc"
