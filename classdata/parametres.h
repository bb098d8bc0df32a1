#pragma once
// Application settings: sections "Paramètres" and "Sauvegarde" of the
// program's own settings file.
#include <QString>

struct ParametresFenetre {
    int gauche = 0, haut = 0, largeur = 634, hauteur = 456;
    bool maxi = false;
};

// Module-level values shared by the windows.
extern QString EcriturePourApercu;      // "Courier New"
extern int TailleEcriturePourApercu;    // 8
extern QString StyleEcriturePourApercu; // "Normal"
extern bool AfficherBulles;             // true

// Reads "Paramètres": returns the window geometry and fills the shared values.
ParametresFenetre LireParametres();
// Writes the nine keys; empty on success, else "Impossible d'écrire dans <path>".
QString EcrireParametres(const ParametresFenetre &f);

struct ParametresSauvegarde {
    QString chemin;
    QString date;
};
ParametresSauvegarde LireSauvegarde();
QString EcrireSauvegarde(const ParametresSauvegarde &s);
