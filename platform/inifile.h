#pragma once
// Initialisation files read and written one key at a time, the way the
// platform's private-profile calls behave: names compared ignoring case,
// spaces around names and values ignored on reading, every other line kept
// byte for byte, CR LF line ends, Windows-1252 text. Every write goes
// through the safe writer (ecrituresure.h).
#include <QList>
#include <QString>

#include <utility>

namespace Ini {

// The value of a key, or defaut when the file, the section or the key is missing.
// A key present with an empty value reads as the empty text.
QString lireTexte(const QString &chemin, const QString &section, const QString &cle, const QString &defaut);

// Decimal, or hexadecimal with a leading 0x; anything else gives defaut.
int lireEntier(const QString &chemin, const QString &section, const QString &cle, int defaut);

// Replaces the key's line in place, adds it at the end of its section, or
// adds the section at the end of the file. False when the file cannot be written.
bool ecrireTexte(const QString &chemin, const QString &section, const QString &cle, const QString &valeur);
bool ecrireEntier(const QString &chemin, const QString &section, const QString &cle, int valeur);

// A file read once, for reading many keys (the same rules as above).
class Fichier {
public:
    explicit Fichier(const QString &chemin);
    QString lireTexte(const QString &section, const QString &cle, const QString &defaut) const;
    int lireEntier(const QString &section, const QString &cle, int defaut) const;
    // Empty when the file was read or is missing; else why it could not be
    // read (the keys then all read as their defaults).
    QString erreur() const { return m_erreur; }

private:
    struct Section {
        QString nom;
        QList<std::pair<QString, QString>> cles;
    };
    QList<Section> m_sections;
    QString m_erreur;
};

// Several keys of one section in one rewrite of the file, in order: the file
// then holds all of them or, on failure, none. Empty on success, else
// "Impossible d'écrire dans <path>".
QString ecrireTextes(const QString &chemin, const QString &section,
                     const QList<std::pair<QString, QString>> &cles);

// The bytes the file would hold after that rewrite, for a caller that writes
// it together with another file; false with the platform's message when the
// file exists and cannot be read.
bool contenuAvecCles(const QString &chemin, const QString &section,
                     const QList<std::pair<QString, QString>> &cles, QByteArray &apres, QString &message);
// The same keys in a file of their own (replacing one whose old keys must go).
QByteArray contenuNeuf(const QString &section, const QList<std::pair<QString, QString>> &cles);

} // namespace Ini
