#pragma once
// Student averages, class figures and mark bands, computed afresh from the
// class model and the decoded coefficient tables.
#include "classdata/eleve.h"
#include "classdata/real48.h"

#include <QList>
#include <QString>

enum class Selecteur { Mat1, Mat2, Ensemble };

// A span is a period 1..3 or the year.
constexpr int Annee = PERIODE_ANNEE;

// A weighted sum of marks kept in the six-byte format, as every average of
// the program is computed: each weighted mark is added with one rounding, the
// quotient is rounded once. Marks outside 0..20 and zero weights count for
// nothing. A mark times a weight is exact in a double (40 + 4 bits).
class MoyennePonderee {
public:
    // Inline: the averages call it for every mark.
    void ajouter(double note, qint32 coef = 1)
    {
        if (coef == 0 || !(note >= 0 && note <= 20)) // EstNote, inline in the hot loop
            return;
        m_somme.ajouter(note * coef);
        m_poids += coef;
    }
    qint32 poids() const { return m_poids; }
    // NO_MARK while nothing counts.
    double moyenne() const { return m_poids > 0 ? m_somme.diviseePar(m_poids) : NO_MARK; }

private:
    SommeReal48 m_somme;
    qint32 m_poids = 0;
};

// A mark read somewhere else than in the class model (the grid of the
// mark-entry window), with its place and weight.
struct NotePlacee {
    int matiere; // 1 or 2
    int periode; // 1..3
    int devoir;  // 1..16
    double note;
    qint32 coef;
};

// Subject 1, subject 2 and both together, NO_MARK where no mark counts.
struct MoyennesEleve {
    double mat1 = NO_MARK;
    double mat2 = NO_MARK;
    double ensemble = NO_MARK;
};

// The averages of marks given in any order, added in the order MoyPeriode
// and MoyAnnee add them (period, assignment, subject 1 then 2): for the same
// marks and weights the figures agree to the last bit.
MoyennesEleve MoyennesDeNotes(QList<NotePlacee> notes);

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
