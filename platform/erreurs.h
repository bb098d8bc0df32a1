#pragma once
// The platform's French input/output messages.
#include <QString>

// "Fichier introuvable", "Accès au fichier refusé", "Disque plein", ...,
// otherwise "Erreur E/S %d". code is a C errno value.
QString MessageErreurSysteme(int code);

// Reading past the end of a file (a truncated record).
QString MessageFinDeFichier();

// The message of the last failed system call (errno), or of code when errno is 0.
QString MessageDerniereErreur(int codeParDefaut = 0);
