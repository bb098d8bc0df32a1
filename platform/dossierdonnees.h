#pragma once
// Which folder holds the classes, the settings and the phrase bases: chosen
// once at start, by the program and by vestrel-cli alike.
//   1. --dossier DIR;
//   2. the folder of a class file given to open (a double click in the file
//      manager opens that very file);
//   3. the executable's folder when it is a portable copy;
//   4. the documents folder + "Vestrel", created the first time with the
//      sample class.
#include <QString>

#include <functional>
#include <optional>

enum class OrigineDossier { Option, FichierDonne, Portable, Documents };

struct EntreesDossier {
    std::optional<QString> option; // --dossier DIR, when given
    QString fichierClasse;         // the class file to open; empty when none
    QString dossierExecutable;     // the folder of the running executable
    QString documents;             // the user's documents folder
};

// The running program's: its own folder, the desktop's documents folder.
EntreesDossier EntreesDuSysteme(const std::optional<QString> &option, const QString &fichierClasse);

struct DossierDonnees {
    QString dossier; // empty on failure
    QString message; // on failure, in French: nothing was created then
    OrigineDossier origine = OrigineDossier::Portable;
    bool cree = false; // created just now, and filled
};

// Fills a folder created just now; the program folder already points at it.
// Returns empty, or the message of the failure.
using RemplissageDossier = std::function<QString()>;

// Chooses the folder and makes it the program folder. A folder created here
// that cannot be filled is removed again, with whatever was written in it.
DossierDonnees ChoisirDossierDonnees(const EntreesDossier &entrees, const RemplissageDossier &remplir);

// A copy that keeps its data beside itself: it already holds its settings or
// a class, or it is the user's to write and not an installed program.
bool EstCopiePortable(const QString &dossierExecutable);

// The user guide "Vestdoc.htm": the program folder's, else the one beside
// the executable, else the installed documentation's. Empty when none exists.
QString CheminGuide();

// A folder as the teacher reads it: the home folder written "~".
QString DossierLisible(const QString &dossier);
