#include "classdata/texte.h"

#include "classdata/real48.h"
#include "platform/cp1252.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

const QString MoisAbreges[13] = {
    {},
    QStringLiteral("janv"),
    QStringLiteral("fév "),
    QStringLiteral("mars"),
    QStringLiteral("avr "),
    QStringLiteral("mai "),
    QStringLiteral("juin"),
    QStringLiteral("juil"),
    QStringLiteral("août"),
    QStringLiteral("sept"),
    QStringLiteral("oct "),
    QStringLiteral("nov "),
    QStringLiteral("déc "),
};

bool EstNote(double x)
{
    return x >= 0.0 && x <= 20.0;
}

QString FormatDecimal(double x, int decimales)
{
    if (!std::isfinite(x))
        return QString::number(x);
    decimales = qBound(0, decimales, 30);
    // 18 significant digits first: d.ddddddddddddddddde±XX
    char tampon[64];
    std::snprintf(tampon, sizeof tampon, "%.17e", std::fabs(x));
    QByteArray chiffres;
    chiffres.append(tampon[0]);
    chiffres.append(tampon + 2, 17);
    const int exposant = std::atoi(std::strchr(tampon, 'e') + 1);

    // Digits kept: those down to 10^-decimales.
    const int gardes = exposant + 1 + decimales;
    QByteArray entier; // the value times 10^decimales, as decimal digits
    bool arrondir = false;
    if (gardes >= 18) {
        entier = chiffres + QByteArray(gardes - 18, '0');
    } else if (gardes >= 0) {
        entier = chiffres.left(gardes);
        arrondir = chiffres[gardes] >= '5';
    }
    if (arrondir) {
        qsizetype i = entier.size() - 1;
        while (i >= 0 && entier[i] == '9')
            entier[i--] = '0';
        if (i < 0)
            entier.prepend('1');
        else
            ++entier[i];
    }
    if (entier.size() < decimales + 1)
        entier.prepend(QByteArray(decimales + 1 - entier.size(), '0'));
    while (entier.size() > decimales + 1 && entier[0] == '0')
        entier.remove(0, 1);

    QString r = QString::fromLatin1(entier.left(entier.size() - decimales));
    if (decimales > 0)
        r += QLatin1Char('.') + QString::fromLatin1(entier.right(decimales));
    const bool nul = entier.count('0') == entier.size();
    if (x < 0 && !nul)
        r.prepend(QLatin1Char('-'));
    return r;
}

namespace {

// A six-byte real x times 10^decimales (1 or 2), rounded half up on the
// magnitude, in integers: false when x lies outside the range where that is
// exact (the general routine then writes it).
//
// Why it gives the same text as FormatDecimal: x has at most 40 significant
// bits, so x * 10^decimales is a multiple of 2^-s at least 2^-40 of its size
// away from any other; when it is not exactly half-way between two integers
// it stays at least that far from half-way, while writing x with 18
// significant digits moves it by less than 10^-17 of its size. Both roundings
// then fall on the same side.
bool CentiemesExacts(double x, int decimales, std::uint64_t &r)
{
    const double a = std::fabs(x);
    if (!(a < 1048576.0)) // 2^20, and NaN
        return false;
    if (a < 0.0009765625) { // 2^-10: well below half a hundredth
        r = 0;
        return true;
    }
    std::uint64_t bits;
    std::memcpy(&bits, &a, sizeof bits);
    std::uint64_t m = (bits & ((std::uint64_t(1) << 52) - 1)) | (std::uint64_t(1) << 52);
    if (m & 0x1FFF) // more than 40 significant bits: not a six-byte real
        return false;
    m >>= 13;                                                // below 2^40
    const int s = 1075 - 13 - int(bits >> 52);               // a = m / 2^s, s in 20..49
    const std::uint64_t v = m * (decimales == 2 ? 100 : 10); // below 2^47
    r = (v + (std::uint64_t(1) << (s - 1))) >> s;
    return true;
}

// "-12.50" from -1250 and 2 decimals, right-aligned in largeur characters.
QString TexteDecimal(bool negatif, std::uint64_t r, int decimales, int largeur)
{
    char16_t tampon[32];
    char16_t *fin = tampon + 32;
    char16_t *p = fin;
    for (int i = 0; i < decimales; ++i) {
        *--p = char16_t(u'0' + r % 10);
        r /= 10;
    }
    *--p = u'.';
    do {
        *--p = char16_t(u'0' + r % 10);
        r /= 10;
    } while (r);
    if (negatif)
        *--p = u'-';
    while (fin - p < largeur)
        *--p = u' ';
    return QString(reinterpret_cast<const QChar *>(p), fin - p);
}

QString NoteAvecDecimales(double x, int decimales, int largeur)
{
    x = ArrondiReal48(x);
    std::uint64_t r;
    if (CentiemesExacts(x, decimales, r))
        return TexteDecimal(x < 0 && r != 0, r, decimales, largeur);
    return CadrerADroite(FormatDecimal(x, decimales), largeur);
}

} // namespace

QString NoteEnTexte(double x)
{
    if (x == NO_MARK)
        return {};
    return NoteAvecDecimales(x, 2, 5);
}

QString NoteEnTexteCourt(double x)
{
    if (x == NO_MARK)
        return {};
    return NoteAvecDecimales(x, 1, 0);
}

double TexteEnNote(const QString &s)
{
    const QByteArray a = s.toLatin1();
    qsizetype i = 0;
    while (i < a.size() && a[i] == ' ')
        ++i;
    QByteArray nombre;
    if (i < a.size() && (a[i] == '+' || a[i] == '-')) {
        if (a[i] == '-')
            nombre.append('-');
        ++i;
    }
    auto chiffre = [&](qsizetype k) { return k < a.size() && a[k] >= '0' && a[k] <= '9'; };
    int nbChiffres = 0;
    while (chiffre(i)) {
        nombre.append(a[i++]);
        ++nbChiffres;
    }
    if (i < a.size() && a[i] == '.') {
        qsizetype j = i + 1;
        QByteArray fraction;
        while (chiffre(j))
            fraction.append(a[j++]);
        if (nbChiffres > 0 || !fraction.isEmpty()) {
            nombre.append('.').append(fraction);
            nbChiffres += int(fraction.size());
            i = j;
        }
    }
    if (nbChiffres == 0)
        return NO_MARK;
    if (i < a.size() && (a[i] == 'e' || a[i] == 'E')) {
        qsizetype j = i + 1;
        QByteArray exposant("e");
        if (j < a.size() && (a[j] == '+' || a[j] == '-'))
            exposant.append(a[j++]);
        if (chiffre(j)) {
            while (chiffre(j))
                exposant.append(a[j++]);
            nombre.append(exposant);
        }
    }
    double v = 0;
    const auto [fin, erreur] = std::from_chars(nombre.constData(), nombre.constData() + nombre.size(), v);
    if (erreur != std::errc() || !EstNote(v))
        return NO_MARK;
    return ArrondiReal48(v);
}

QString CadrerADroite(const QString &s, int n)
{
    return s.size() >= n ? s : QString(n - s.size(), QLatin1Char(' ')) + s;
}

QString CadrerAGauche(const QString &s, int n)
{
    return s.size() >= n ? s : s + QString(n - s.size(), QLatin1Char(' '));
}

QString DeuxChiffres(const QString &s)
{
    return s.size() >= 2 ? s : QString(2 - s.size(), QLatin1Char('0')) + s;
}

QString InitialePrenom(const QString &s)
{
    QString r = s.left(2);
    if (!r.isEmpty() && r[0] >= QLatin1Char('a') && r[0] <= QLatin1Char('z'))
        r[0] = QChar(r[0].unicode() - 32);
    return r + QLatin1Char('.');
}

QString JourDeDate(const QString &d)
{
    QString jour = d.left(2);
    if (jour == QLatin1String("--"))
        jour = QStringLiteral("  ");
    // A short field (damaged settings) still fills its 4 columns of the report.
    return CadrerAGauche(QStringLiteral("  ") + jour, 4);
}

QString MoisDeDate(const QString &d)
{
    const QString mois = d.mid(3, 2);
    bool ok = false;
    const int m = mois.toInt(&ok);
    // A damaged month shows as no date rather than reading outside the table.
    if (mois == QLatin1String("--") || !ok || m < 1 || m > 12)
        return QStringLiteral("    ");
    return MoisAbreges[m];
}

int ChiffreCoef(int n)
{
    return (n >= 0 && n <= 9) ? n : 1;
}

int StyleDepuisNom(const QString &s)
{
    if (s == QLatin1String("Gras"))
        return 1;
    if (s == QLatin1String("Italique"))
        return 2;
    if (s == QLatin1String("Gras italique"))
        return 3;
    return 0;
}

QString NomDeStyle(int k)
{
    switch (k) {
    case 1: return QStringLiteral("Gras");
    case 2: return QStringLiteral("Italique");
    case 3: return QStringLiteral("Gras italique");
    default: return QStringLiteral("Normal");
    }
}

const char16_t *TableDeTri()
{
    // Every folded letter lies in the single-byte range: one table for it
    // (accents folded, then upper-cased) builds the keys of a phrase base of
    // several megabytes in a moment.
    static const std::array<char16_t, 256> table = [] {
        static const struct {
            const char16_t *accents;
            char16_t lettre;
        } plis[] = {
            {u"éèêëÈÉÊË", u'E'}, {u"çÇ", u'C'},   {u"àâäÀÂÄ", u'A'},
            {u"ùûüÙÛÜ", u'U'},   {u"îïÎÏ", u'I'}, {u"ôöÔÖ", u'O'},
        };
        std::array<char16_t, 256> t{};
        for (char16_t c = 0; c < 256; ++c) {
            char16_t plie = c;
            for (const auto &p : plis) {
                if (std::u16string_view(p.accents).find(c) != std::u16string_view::npos) {
                    plie = p.lettre;
                    break;
                }
            }
            t[c] = MajusculeCp1252(QChar(plie)).unicode();
        }
        return t;
    }();
    return table.data();
}

char16_t CaractereDeTriHorsTable(char16_t c)
{
    return MajusculeCp1252(QChar(c)).unicode();
}

QString CleDeTri(const QString &s)
{
    QString r = s;
    for (QChar &c : r)
        c = QChar(CaractereDeTri(c.unicode()));
    return r;
}
