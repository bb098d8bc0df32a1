#pragma once
// How a typed surname and first name become the names stored for a student.
#include "classdata/eleve.h"

#include <QList>
#include <QString>

// First character upper-cased, then every character that follows a space or
// a hyphen: "jean-pierre" gives "Jean-Pierre".
QString MajusculesPrenom(const QString &s);

// Surname as the add button stores it: first 12 characters, upper-cased
// accented letters included.
QString NomDepuisSaisie(const QString &nom);
// First name as the add button stores it: MajusculesPrenom, 12 characters.
QString PrenomDepuisSaisie(const QString &prenom);

// Surname as the delete and rename buttons look it up: first 12 characters
// with a to z upper-cased, other letters as typed.
QString NomRecherche(const QString &nom);

// The list entry of a student: surname, a space, first name.
inline QString EntreeEleve(const QString &nom, const QString &prenom)
{
    return nom + QLatin1Char(' ') + prenom;
}

// True when every character can be stored in a class file.
bool TexteStockable(const QString &s);

// Sorts by CleDeTri(Nom + " " + Prenom) compared byte by byte in Windows-1252;
// equal keys keep their order.
void TrierListeEleves(QList<StudentRecord> &eleves);
