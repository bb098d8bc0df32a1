#pragma once
// Appreciation bases: the phrase library of one student profile, kept in the
// program folder as "<profile code>.VAP", one Windows-1252 phrase per line.
// Pure routines, so the window stays thin and the formats are tested directly.
#include <QByteArray>
#include <QHash>
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
// The same order as a three-way comparison, building no key: negative when
// a goes first, 0 only for equal texts.
int ComparerPhrases(const QString &a, const QString &b);
// True when every phrase goes after or with the one before.
bool PhrasesEnOrdre(const QStringList &phrases);
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

// The bases read while the expert is open, sorted, each kept with the size and
// time of its file: a base is read again only when its file has changed, so
// that going back to a profile costs nothing.
class BasesLues {
public:
    // The sorted phrases of a base file; false with the platform's message.
    bool lire(const QString &chemin, QStringList &phrases, QString &erreur);
    // The list just written (sorted) to the file.
    void retenir(const QString &chemin, const QStringList &triees);
    void vider() { m_bases.clear(); }
    // Files actually read since the start.
    int lectures() const { return m_lectures; }

private:
    struct Base {
        QStringList phrases;
        qint64 taille = -1;
        qint64 date = -1; // modification time, in milliseconds
    };
    static bool etat(const QString &chemin, qint64 &taille, qint64 &date);
    QHash<QString, Base> m_bases;
    int m_lectures = 0;
};
