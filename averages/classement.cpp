#include "averages/classement.h"

#include "classdata/texte.h"

#include <algorithm>

QList<StudentRecord> Classer(const QList<StudentRecord> &eleves,
                             const std::function<double(const StudentRecord &)> &cle)
{
    // Repeatedly taking the first of the highest is a stable sort by
    // decreasing key; the keys are computed once each.
    struct Entree {
        double cle;
        int indice;
    };
    QList<Entree> entrees;
    entrees.reserve(eleves.size());
    for (int i = 0; i < eleves.size(); ++i) {
        const double k = cle(eleves.at(i));
        entrees.append({EstNote(k) ? k : -1.0, i});
    }
    std::stable_sort(entrees.begin(), entrees.end(),
                     [](const Entree &a, const Entree &b) { return a.cle > b.cle; });
    QList<StudentRecord> classes;
    classes.reserve(eleves.size());
    for (const Entree &e : std::as_const(entrees))
        classes.append(eleves.at(e.indice));
    return classes;
}
