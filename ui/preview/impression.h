#pragma once
// The print command of the mark-entry window: the report of the current view
// to the report file (for the preview) or to a printer.
#include "reports/rapport.h"

#include <QString>

class QPrinter;

// Program folder + "a_classe.txt", where the preview reads the report.
QString CheminRapportApercu();

// Writes the report to program folder + "a_classe.txt" (Windows-1252, CR LF);
// false + message on failure.
bool EcrireRapportApercu(const EntreesRapport &e, QString *message = nullptr);

// Prints the report on the given printer (nullptr: the default printer; no
// printer -> false), in "Courier New" at TailleEcriture, bold when Gras; false
// on any failure (the caller shows "Erreur d'impression").
bool ImprimerRapport(const EntreesRapport &e, QPrinter *imprimante = nullptr);

// Lines printed one by one in the given font (the preview's "&Imprimer").
// nullptr: the default printer. False on any failure.
bool ImprimerLignes(const QStringList &lignes, const QFont &police, const QColor &couleur,
                    QPrinter *imprimante = nullptr);
