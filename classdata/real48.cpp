#include "real48.h"

#include <cmath>
#include <cstdint>

namespace {
constexpr int BIAIS = 129;
constexpr std::uint64_t UN = std::uint64_t(1) << 39;        // the implicit leading bit
constexpr std::uint64_t FRACTION = UN - 1;                   // bits 0..38
} // namespace

double Real48VersDouble(const uchar o[6])
{
    if (o[0] == 0)
        return 0.0;
    std::uint64_t champ = 0;
    for (int i = 5; i >= 1; --i)
        champ = (champ << 8) | o[i];
    const std::uint64_t mantisse = UN | (champ & FRACTION);
    const double v = std::ldexp(double(mantisse), int(o[0]) - BIAIS - 39);
    return (champ >> 39) ? -v : v;
}

void DoubleVersReal48(double valeur, uchar o[6])
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

double ArrondiReal48(double valeur)
{
    uchar o[6];
    DoubleVersReal48(valeur, o);
    return Real48VersDouble(o);
}

long double ArrondiReal48Etendu(long double valeur)
{
    if (valeur == 0.0L || !std::isfinite(valeur))
        return ArrondiReal48(double(valeur));
    int e2;
    const long double m = std::frexp(std::fabs(valeur), &e2);
    const long double mantisse = std::nearbyint(std::ldexp(m, 40));
    const int exposant = e2 + BIAIS - 1 + (mantisse == std::ldexp(1.0L, 40) ? 1 : 0);
    if (exposant > 255 || exposant < 1)
        return ArrondiReal48(double(valeur));
    const long double r = std::ldexp(mantisse, e2 - 40);
    return std::signbit(valeur) ? -r : r;
}
