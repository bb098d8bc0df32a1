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

// Rounds to the given decimals the way the program shows numbers: 18
// significant digits of the value first, then half up on the magnitude.
QString FormatDecimal(double x, int decimales);
