#pragma once
// Where every file of the program lives: the folder of the running executable.
#include <QString>

// Program folder, without a trailing separator. Defaults to the folder of the
// running executable; tests and the command-line tool may point it elsewhere.
QString DossierProgramme();
void DefinirDossierProgramme(const QString &dossier);

// Program folder + file name.
QString CheminProgramme(const QString &nomFichier);

// Application settings file: the executable's base name + ".INI", in the program folder.
QString CheminParametresAppli();
void DefinirCheminParametresAppli(const QString &chemin); // tests
