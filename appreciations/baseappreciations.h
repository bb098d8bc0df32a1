#pragma once
// Appreciation bases: the phrase library of one student profile, kept in the
// program folder as "<profile code>.VAP", one Windows-1252 phrase per line.
// Pure routines, so the window stays thin and the formats are tested directly.
#include <QByteArray>
#include <QString>
#include <QStringList>

#include <array>

// Longest phrase typed in the expert and longest appreciation handed back.
constexpr int LONGUEUR_PHRASE = 80;

// The eight choices of a student profile, in group order; -1 means none.
using Profil = std::array<int, 8>;

// Item of the results group preset from a mark: 0 "Excellents" above 14 ...
// 4 "Mauvais" from 0 to 6; -1 when the student has no mark.
int ResultatsDepuisNote(double note);

// Item of the time-of-year group for the period shown (1..3 or the year).
int MomentDepuisPeriode(int span, bool deuxPeriodes);

// "Année", "Trimestre 2", "Semestre 1"...
QString LibellePeriode(int span, bool deuxPeriodes);

// The presets of a newly opened expert.
Profil ProfilInitial(double note, int span, bool deuxPeriodes);

// The eight item indexes as digits, e.g. "12120002"; empty while a group has
// no choice (no base can then be looked for).
QString CodeProfil(const Profil &profil);

// Code + ".VAP"; empty for an empty code.
QString NomFichierBase(const QString &code);

// Splits a base's bytes into phrases: a line ends at CR, LF or CR LF, an empty
// line is an empty phrase, a last line without an ending counts, and a NUL
// byte ends the reading.
QStringList DecoderBase(const QByteArray &octets);

// Every phrase followed by CR LF, in Windows-1252.
QByteArray CoderBase(const QStringList &phrases);

// Order of the phrase list: alphabetical ignoring case and accents; phrases
// equal on that key are ordered by their exact text, so the order is total.
bool PhraseAvant(const QString &a, const QString &b);
void TrierPhrases(QStringList &phrases);
// Row at which a phrase goes into a sorted list.
int PlaceDePhrase(const QStringList &triees, const QString &phrase);

// Reads a base file; false with the platform's message in erreur.
bool LireBase(const QString &chemin, QStringList &phrases, QString &erreur);
// Writes the whole list through a temporary file renamed over the old one.
bool EcrireBase(const QString &chemin, const QStringList &phrases, QString &erreur);

// The file of a base in the program folder, found whatever the letter case of
// its name (bases copied from another machine may say ".vap").
QString CheminBase(const QString &nomFichier);
bool BaseExiste(const QString &nomFichier);
