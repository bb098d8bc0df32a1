#pragma once
// The six-byte real in which marks are stored.
#include <QtGlobal>

constexpr double NO_MARK = -1.0;

// Exact: every six-byte value is a double.
double Real48VersDouble(const uchar octets[6]);
// Nearest six-byte value (ties to even); out-of-range magnitudes are clamped.
void DoubleVersReal48(double valeur, uchar octets[6]);
// The double that the nearest six-byte value stands for.
double ArrondiReal48(double valeur);

// Same rounding from an 80-bit intermediate, so that a sum is rounded once,
// straight to the six-byte format.
long double ArrondiReal48Etendu(long double valeur);
