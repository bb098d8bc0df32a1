#include "averages/moyennes.h"

#include "classdata/classe.h"
#include "classdata/options.h"
#include "classdata/real48.h"
#include "classdata/texte.h"

#include <algorithm>
#include <tuple>

namespace {

// Slots the class does not show never count: a two-subject class has 8
// assignments per subject, and a one-subject class no subject-2 block. Their
// coefficients are not defined by the class settings.
int nbDevoirs()
{
    return UneMatiere ? NB_DEVOIRS : NB_DEVOIRS / 2;
}

void cumulerPeriode(MoyennePonderee &c, const StudentRecord &e, Selecteur sel, int p)
{
    const int n = nbDevoirs();
    const bool mat1 = sel != Selecteur::Mat2;
    const bool mat2 = sel != Selecteur::Mat1 && !UneMatiere;
    for (int d = 1; d <= n; ++d) {
        if (mat1)
            c.ajouter(e.NotesMat1[p][d], CoefMat1[p][d]);
        if (mat2)
            c.ajouter(e.NotesMat2[p][d], CoefMat2[p][d]);
    }
}

} // namespace

MoyennesEleve MoyennesDeNotes(QList<NotePlacee> notes)
{
    std::stable_sort(notes.begin(), notes.end(), [](const NotePlacee &a, const NotePlacee &b) {
        return std::tie(a.periode, a.devoir, a.matiere) < std::tie(b.periode, b.devoir, b.matiere);
    });
    MoyennePonderee m1, m2, ensemble;
    for (const NotePlacee &n : std::as_const(notes)) {
        (n.matiere == 2 ? m2 : m1).ajouter(n.note, n.coef);
        ensemble.ajouter(n.note, n.coef);
    }
    return {m1.moyenne(), m2.moyenne(), ensemble.moyenne()};
}

double MoyPeriode(const StudentRecord &eleve, Selecteur sel, int periode)
{
    if (periode < 1 || periode > NB_PERIODES_MAX)
        return NO_MARK;
    MoyennePonderee c;
    cumulerPeriode(c, eleve, sel, periode);
    return c.moyenne();
}

double MoyAnnee(const StudentRecord &eleve, Selecteur sel)
{
    MoyennePonderee c;
    for (int p = 1; p <= NB_PERIODES_MAX; ++p)
        cumulerPeriode(c, eleve, sel, p);
    return c.moyenne();
}

double MoyEleve(const StudentRecord &eleve, Selecteur sel, int span)
{
    return span == Annee ? MoyAnnee(eleve, sel) : MoyPeriode(eleve, sel, span);
}

double MoyClasse(Selecteur sel, int span)
{
    MoyennePonderee m;
    for (const StudentRecord &e : std::as_const(ListeEleves))
        m.ajouter(MoyEleve(e, sel, span));
    return m.moyenne();
}

double MinClasse(Selecteur sel, int span)
{
    double mini = 100;
    bool trouve = false;
    for (const StudentRecord &e : std::as_const(ListeEleves)) {
        const double m = MoyEleve(e, sel, span);
        if (EstNote(m)) {
            trouve = true;
            if (m < mini)
                mini = m;
        }
    }
    return trouve ? mini : NO_MARK;
}

double MaxClasse(Selecteur sel, int span)
{
    double maxi = -100;
    bool trouve = false;
    for (const StudentRecord &e : std::as_const(ListeEleves)) {
        const double m = MoyEleve(e, sel, span);
        if (EstNote(m)) {
            trouve = true;
            if (m > maxi)
                maxi = m;
        }
    }
    return trouve ? maxi : NO_MARK;
}

Tranche TrancheDe(double moyenne)
{
    if (!EstNote(moyenne))
        return Tranche::Aucune;
    if (moyenne < 8)
        return Tranche::MoinsDe8;
    if (moyenne < 12)
        return Tranche::Entre8Et12;
    return Tranche::DouzeOuPlus;
}

QString LibelleTranche(Tranche t)
{
    switch (t) {
    case Tranche::MoinsDe8: return QStringLiteral("Moins de 8");
    case Tranche::Entre8Et12: return QStringLiteral("Entre 8 et 12");
    case Tranche::DouzeOuPlus: return QStringLiteral("12 ou plus");
    case Tranche::Aucune: break;
    }
    return {};
}
