#pragma once
// The sample class, for a first look at the program.
#include <QString>

// Writes nom.VTC and nom.INI in the program folder: 25 students, two subjects,
// trimesters, coefficients, dates, marks in periods 1 and 2, a few
// appreciations. Existing files of those names are replaced. Returns empty,
// or the message of the failure.
QString EcrireClasseExemple(const QString &nom = QStringLiteral("EXEMPLE"), int *nbEleves = nullptr);
