#include "reports/bilan.h"

#include "classdata/classe.h"
#include "classdata/options.h"
#include "classdata/texte.h"
#include "platform/horloge.h"

#include <cmath>

QString DonneesBilan::texteEffectif(int bande) const
{
    return QStringLiteral("(") + QString::number(effectifs[bande]) + QStringLiteral(")");
}

QString DonneesBilan::textePourcentage(int bande) const
{
    return QStringLiteral("(") + FormatDecimal(pourcentages[bande], 2) + QStringLiteral(" %)");
}

int DonneesBilan::jauge(int bande) const
{
    return ArrondiPair(pourcentages[bande]);
}

int BandeDe(double moyenne)
{
    switch (TrancheDe(moyenne)) {
    case Tranche::MoinsDe8: return 0;
    case Tranche::Entre8Et12: return 1;
    case Tranche::DouzeOuPlus: return 2;
    default: return -1;
    }
}

int ArrondiPair(double x)
{
    // The default rounding mode rounds halves to even.
    return int(std::nearbyint(x));
}

QString LigneBilan(const QString &nom, const QString &prenom, double moyenne)
{
    return CadrerAGauche(nom + QStringLiteral(" ") + prenom, 45) + NoteEnTexte(moyenne);
}

QString LigneImprimee(const QString &ligne)
{
    return ligne.left(25) + ligne.right(5);
}

DonneesBilan CalculerBilan(Selecteur sel)
{
    DonneesBilan d;
    d.nomClasse = NomClasse;
    d.date = DateCourte(Aujourdhui());
    d.taille = TailleEcriture;
    switch (sel) {
    case Selecteur::Mat1: d.motTitre = LibelleMat1; break;
    case Selecteur::Mat2: d.motTitre = LibelleMat2; break;
    case Selecteur::Ensemble: d.motTitre = QStringLiteral("Ensemble"); break;
    }
    // Set whether or not the class has students.
    d.entete = NomClasse
        + (sel == Selecteur::Ensemble ? QStringLiteral("  Moyenne générale")
                                      : QStringLiteral("  ") + d.motTitre);

    for (const StudentRecord &e : ListeEleves) {
        const double a = MoyAnnee(e, sel);
        const int b = BandeDe(a);
        if (b < 0)
            continue;
        ++d.total;
        ++d.effectifs[b];
        d.listes[b].append(LigneBilan(e.Nom, e.Prenom, a));
    }
    for (int b = 0; b < 3; ++b)
        d.pourcentages[b] = d.total > 0 ? 100.0 * d.effectifs[b] / d.total : 0.0;

    d.min = NoteEnTexte(MinClasse(sel, Annee));
    d.moy = NoteEnTexte(MoyClasse(sel, Annee));
    d.max = NoteEnTexte(MaxClasse(sel, Annee));
    return d;
}
