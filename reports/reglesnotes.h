#pragma once
// Rules of the mark-entry window that need no widget: the opening period,
// reading a typed mark, one point more or less, and the coefficient strings
// after the teacher moved columns.
#include <QString>
#include <QStringList>

// 1..3 for a trimester class, 1..2 for a semester class; mois 1..12.
int PeriodeDuMois(bool semestres, int mois);

// Digits with at most one decimal point and at least one digit, spaces around.
bool FormeDeNombre(QStringView texte);
// A mark on its way ("12.") or short of its zero (".5") as the number it spells;
// any other text unchanged.
QString TexteNoteComplete(const QString &texte);
// True when the whole text reads as a number from 0 to 20.
bool TexteNoteValide(const QString &texte);
// The mark a cell's text stands for: NO_MARK unless the whole text is a number 0..20.
double NoteDeTexte(const QString &texte);
// The text handed to the model for a cell: "" when it is not a number at all,
// so that no part of it is taken for a mark.
QString TexteAStocker(const QString &texte);

// delta = +1 or -1 on a non-empty mark text, kept within 0..20, written back
// with two decimals and no minimum width ("13.50", "20.00"). A text that is
// no number at all comes back unchanged.
QString NoteDecalee(const QString &texte, int delta);

// The three coefficient strings once the data columns stand in this order
// (titres, left to right) in the view of span (a period or the year) and
// subject (mat2 false: subject 1 or the only one). coef: the coefficients
// the columns carried before any move, origine: the class's strings. False
// when a title cannot be read; resultat is then untouched.
bool CoefsApresDeplacement(const QStringList &titres, bool mat2, int span, const qint32 coef[4][17],
                           const QString origine[4], bool deuxPeriodes, bool uneMatiere, QString resultat[4]);

// The same for the three date strings (five characters per assignment):
// dates follow their column as the coefficients do.
bool DatesApresDeplacement(const QStringList &titres, bool mat2, int span, const QString dates[4][17],
                           const QString origine[4], bool deuxPeriodes, bool uneMatiere, QString resultat[4]);

// The coefficient strings into the two tables, as the class load does, but
// leaving the dates alone. Periods whose string is empty are left as they are.
void DecoderCoefs(const QString chaines[4], bool uneMatiere, qint32 coef1[4][17], qint32 coef2[4][17]);
void DecoderDates(const QString chaines[4], bool uneMatiere, QString date1[4][17], QString date2[4][17]);

// The two halves of a mark as the grid paints them: "12" and ".50", "7" and
// ".00", "" and "" for an empty cell.
struct PartiesNote {
    QString entier;
    QString fraction;
};
PartiesNote DecouperNote(const QString &texte);

// What an appreciation cell may hold: printable Windows-1252 characters.
bool CaractereEnregistrable(QChar c);
QString TexteEnregistrable(const QString &texte);
