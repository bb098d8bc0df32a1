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
    // Inline: the averages call it for every mark.
    void ajouter(double x)
    {
        const double s = m_somme + x;
        std::uint64_t bits;
        std::memcpy(&bits, &s, 8);
        const int e = int((bits >> 52) & 0x7FF) - 1023;
        if (s == 0 || e < -128 || e > 125) {
            m_somme = ArrondiReal48(s);
            return;
        }
        if ((bits & 0x1FFF) == 0x1000) {
            // Exactly halfway between two six-byte values as a double: what
            // rounding to a double left out (two-sum) decides.
            const double b = s - m_somme;
            const double erreur = (m_somme - (s - b)) + (x - b);
            if (erreur != 0)
                bits += (erreur > 0) == (s > 0) ? 0x1000 : -std::uint64_t(0x1000);
            else
                bits += 0xFFF + ((bits >> 13) & 1);
        } else {
            bits += 0xFFF + ((bits >> 13) & 1); // nearest; a carry may reach the exponent
        }
        bits &= ~std::uint64_t(0x1FFF);
        std::memcpy(&m_somme, &bits, 8);
    }
    double valeur() const { return m_somme; }
    double diviseePar(double diviseur) const;

private:
    double m_somme = 0;
};
