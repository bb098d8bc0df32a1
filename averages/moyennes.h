#pragma once
// Student averages, class figures and mark bands, computed afresh from the
// class model and the decoded coefficient tables.
#include "eleve.h"

#include <QString>

enum class Selecteur { Mat1, Mat2, Ensemble };

// A span is a period 1..3 or the year.
constexpr int Annee = PERIODE_ANNEE;

double MoyPeriode(const StudentRecord &eleve, Selecteur sel, int periode);
double MoyAnnee(const StudentRecord &eleve, Selecteur sel);
// MoyPeriode for 1..3, MoyAnnee for Annee.
double MoyEleve(const StudentRecord &eleve, Selecteur sel, int span);

double MoyClasse(Selecteur sel, int span);
double MinClasse(Selecteur sel, int span);
double MaxClasse(Selecteur sel, int span);

enum class Tranche { Aucune, MoinsDe8, Entre8Et12, DouzeOuPlus };
Tranche TrancheDe(double moyenne);
QString LibelleTranche(Tranche t); // "Moins de 8", "Entre 8 et 12", "12 ou plus"
