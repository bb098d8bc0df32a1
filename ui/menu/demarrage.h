#pragma once
// The program's start and end, outside main() so that tests can run them.
#include <QString>

class TMenuForm;

// Reads the application settings (the hints follow the teacher's choice from
// the first window on), builds the main menu and shows it. No other window is
// built here: each is built the first time it opens, so the main menu paints
// at once. A class file named opens first: its mark-entry window paints, then
// the menu shows beneath it.
TMenuForm *Demarrer(const QString &classe);

// Destroys every window, the last built first, then the main menu; the
// mark-entry window, if it was ever built, writes the application settings.
void Terminer();
