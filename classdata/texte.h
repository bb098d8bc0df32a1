#pragma once
// Text and number routines shared by the grid, the reports and the windows.
#include <QString>

extern const QString MoisAbreges[13]; // [1..12], 4 characters each

bool EstNote(double x);
QString NoteEnTexte(double x);      // "12.50", " 8.00", "" for NO_MARK
QString NoteEnTexteCourt(double x); // "12.5", "8.0"
double TexteEnNote(const QString &s);
QString CadrerADroite(const QString &s, int n);
QString CadrerAGauche(const QString &s, int n);
QString DeuxChiffres(const QString &s);
QString InitialePrenom(const QString &s);
QString JourDeDate(const QString &d);
QString MoisDeDate(const QString &d);
int ChiffreCoef(int n); // n for 0..9, else 1
int StyleDepuisNom(const QString &s);
QString NomDeStyle(int k);
QString CleDeTri(const QString &s);
// CleDeTri of one character: the whole key, character by character, for
// comparisons that build no key.
inline char16_t CaractereDeTri(char16_t c);
// The folded and upper-cased form of the first 256 characters.
const char16_t *TableDeTri();

// Rounds to the given decimals the way the program shows numbers: 18
// significant digits of the value first, then half up on the magnitude.
QString FormatDecimal(double x, int decimales);

char16_t CaractereDeTriHorsTable(char16_t c);

inline char16_t CaractereDeTri(char16_t c)
{
    return c < 256 ? TableDeTri()[c] : CaractereDeTriHorsTable(c);
}
