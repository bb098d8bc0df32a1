#pragma once
// The program's command line: vestrel [--dossier DIR] [CLASSE.VTC].
#include <QStringList>

struct LigneCommande {
    QString classe;   // the class file to open; empty when none
    bool fin = false; // the program ends at once, with code
    int code = 0;
};

// Reads the arguments (the program's name first), chooses the folder of the
// classes and makes it the program folder, creating it with the sample class
// at the first start. --help and --emplacements print and end; a folder that
// cannot be used is reported in a message box and ends the program.
LigneCommande PreparerDemarrage(const QStringList &arguments);
