#pragma once
// Windows file names ignore letter case; Linux names do not. Where one file's
// name is derived from another, look it up ignoring case.
#include <QString>

// The real name of the entry of dossier whose name equals nom ignoring case
// (the exact name first when several match), or nom itself when none exists.
QString NomReelDansDossier(const QString &dossier, const QString &nom);

// dossier + "/" + NomReelDansDossier(dossier, nom).
QString CheminReel(const QString &dossier, const QString &nom);

// Upper-cases a to z only, as the catalogue filters compare extensions.
QString MajusculesAscii(const QString &texte);
