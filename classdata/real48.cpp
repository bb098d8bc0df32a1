#include "classdata/real48.h"

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

constexpr int BIAIS = 129;
constexpr std::uint64_t UN = std::uint64_t(1) << 39; // the implicit leading bit
constexpr std::uint64_t FRACTION = UN - 1;           // bits 0..38

// The general conversion, for zero, infinities, NaN and magnitudes near the
// ends of the six-byte range.
void versReal48Lent(double valeur, uchar o[6])
{
    for (int i = 0; i < 6; ++i)
        o[i] = 0;
    if (std::isnan(valeur))
        valeur = -1.0; // nothing sensible to store: no mark
    if (valeur == 0.0)
        return;
    const bool negatif = std::signbit(valeur);
    std::uint64_t mantisse;
    int exposant;
    if (std::isinf(valeur)) {
        mantisse = (UN << 1) - 1;
        exposant = 255;
    } else {
        int e2;
        const double m = std::frexp(std::fabs(valeur), &e2); // m in [0.5, 1)
        // 40 significant bits; the default rounding mode rounds ties to even.
        mantisse = std::uint64_t(std::nearbyint(std::ldexp(m, 40)));
        exposant = e2 + BIAIS - 1;
        if (mantisse == (UN << 1)) {
            mantisse = UN;
            ++exposant;
        }
        if (exposant > 255) {
            mantisse = (UN << 1) - 1;
            exposant = 255;
        } else if (exposant < 1) {
            return; // below the smallest six-byte value: zero
        }
    }
    std::uint64_t champ = (mantisse & FRACTION) | (negatif ? (std::uint64_t(1) << 39) : 0);
    o[0] = uchar(exposant);
    for (int i = 1; i <= 5; ++i) {
        o[i] = uchar(champ & 0xFF);
        champ >>= 8;
    }
}

// The bits of a double rounded to 39 fraction bits, ties to even, when the
// result stays inside the six-byte range; false otherwise.
inline bool arrondirBits(double valeur, std::uint64_t &bits)
{
    std::memcpy(&bits, &valeur, 8);
    const int e = int((bits >> 52) & 0x7FF) - 1023;
    if (e < -128 || e > 125)
        return false;
    bits += 0xFFF + ((bits >> 13) & 1); // a carry may reach the exponent: still right
    bits &= ~std::uint64_t(0x1FFF);
    return true;
}

} // namespace

double Real48VersDouble(const uchar o[6])
{
    if (o[0] == 0)
        return 0.0;
    std::uint64_t champ = 0;
    for (int i = 5; i >= 1; --i)
        champ = (champ << 8) | o[i];
    const std::uint64_t bits =
        ((champ >> 39) << 63) | (std::uint64_t(o[0] - BIAIS + 1023) << 52) | ((champ & FRACTION) << 13);
    double v;
    std::memcpy(&v, &bits, 8);
    return v;
}

void DoubleVersReal48(double valeur, uchar o[6])
{
    std::uint64_t bits;
    if (valeur == 0.0 || !arrondirBits(valeur, bits)) {
        versReal48Lent(valeur, o);
        return;
    }
    const int e = int((bits >> 52) & 0x7FF) - 1023;
    std::uint64_t champ = ((bits >> 13) & FRACTION) | ((bits >> 63) << 39);
    o[0] = uchar(e + BIAIS);
    for (int i = 1; i <= 5; ++i) {
        o[i] = uchar(champ & 0xFF);
        champ >>= 8;
    }
}

double ArrondiReal48(double valeur)
{
    std::uint64_t bits;
    if (valeur != 0.0 && arrondirBits(valeur, bits)) {
        double r;
        std::memcpy(&r, &bits, 8);
        return r;
    }
    uchar o[6];
    versReal48Lent(valeur, o);
    return Real48VersDouble(o);
}

double SommeReal48::diviseePar(double diviseur) const
{
    // A double quotient by a divisor below 2^13 never lands exactly halfway
    // between two six-byte values unless it is exact: rounding it is enough.
    return ArrondiReal48(m_somme / diviseur);
}
