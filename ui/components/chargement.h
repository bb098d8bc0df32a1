#pragma once
// Loading a class for a window that works on it.
#include <QString>

// Warns when a class is still loaded, shows the hourglass, loads
// program folder + nomFichier and its settings; on failure shows the
// platform's message in the general error report and returns false.
bool ChargerClasse(const QString &nomFichier);
