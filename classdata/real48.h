#pragma once
// The six-byte real in which marks are stored.
#include <QtGlobal>

#include <cstdint>
#include <cstring>

constexpr double NO_MARK = -1.0;

// Exact: every six-byte value is a double.
double Real48VersDouble(const uchar octets[6]);
// Nearest six-byte value (ties to even); out-of-range magnitudes are clamped.
void DoubleVersReal48(double valeur, uchar octets[6]);
// The double that the nearest six-byte value stands for.
double ArrondiReal48(double valeur);


// A running sum of six-byte values kept in the six-byte format: each
// addition, and the final division, is rounded once from the exact result.
class SommeReal48 {
public:
    void ajouter(double x)
    {
        // Exact sum as a double and its rounding error (two-sum).
        const double s = m_somme + x;
        const double b = s - m_somme;
        const double erreur = (m_somme - (s - b)) + (x - b);
        m_somme = arrondirExact(s, erreur);
    }
    double valeur() const { return m_somme; }
    double diviseePar(double diviseur) const;

private:
    // hi + lo (what rounding to a double left out) rounded once to the
    // six-byte format: only a double lying exactly halfway between two
    // six-byte values needs lo to decide. Inline: the averages call it for
    // every mark.
    static double arrondirExact(double hi, double lo)
    {
        std::uint64_t bits;
        std::memcpy(&bits, &hi, 8);
        const int e = int((bits >> 52) & 0x7FF) - 1023;
        if (hi == 0 || e < -128 || e > 125)
            return ArrondiReal48(hi);
        const std::uint64_t bas = bits & 0x1FFF;
        if (bas == 0x1000 && lo != 0)
            bits += (lo > 0) == (hi > 0) ? 0x1000 : -std::uint64_t(0x1000); // away from zero or back
        else
            bits += 0xFFF + ((bits >> 13) & 1); // nearest, ties to even; a carry may reach the exponent
        bits &= ~std::uint64_t(0x1FFF);
        double r;
        std::memcpy(&r, &bits, 8);
        return r;
    }

    double m_somme = 0;
};
