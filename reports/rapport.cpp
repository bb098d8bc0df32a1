#include "reports/rapport.h"

#include "classdata/classe.h"
#include "classdata/options.h"
#include "classdata/real48.h"
#include "classdata/texte.h"
#include "platform/horloge.h"

#include <QHash>

namespace {

// The three footer lines of the tables: class minimum, mean and maximum.
struct Pied {
    QString libelle;
    double (*classe)(Selecteur, int);
};
const Pied pieds[] = {{QStringLiteral("Minimum :"), &MinClasse},
                      {QStringLiteral("Moyenne :"), &MoyClasse},
                      {QStringLiteral("Maximum :"), &MaxClasse}};

bool g_enCours = false;

// Marks the report being written for the length of one report.
class Verrou {
public:
    Verrou()
        : m_pris(!g_enCours)
    {
        g_enCours = true;
    }
    ~Verrou()
    {
        if (m_pris)
            g_enCours = false;
    }
    bool pris() const { return m_pris; }

private:
    bool m_pris;
};

QString R(int n, const QString &t)
{
    return CadrerADroite(t, n);
}
QString L(int n, const QString &t)
{
    return CadrerAGauche(t, n);
}
// Formatting a number is the costliest step of a report, and the same marks
// come back again and again: the texts are remembered, by exact value.
template <QString (*Format)(double)> QString Memorise(double x)
{
    if (x == NO_MARK)
        return {};
    static QHash<double, QString> textes;
    const auto it = textes.constFind(x);
    if (it != textes.constEnd())
        return *it;
    if (textes.size() > 4096)
        textes.clear();
    return *textes.insert(x, Format(x));
}
QString F2(double x)
{
    return Memorise<&NoteEnTexte>(x);
}
QString F1(double x)
{
    return Memorise<&NoteEnTexteCourt>(x);
}
QString Espaces(int n)
{
    return QString(n, u' ');
}
QString Chiffre(int n)
{
    return QString::number(n);
}

QString CelluleNom(const StudentRecord &e)
{
    return L(16, e.Nom + u' ' + InitialePrenom(e.Prenom));
}

const QString &Libelle(int matiere)
{
    return matiere == 2 ? LibelleMat2 : LibelleMat1;
}
int Matiere(Selecteur sel)
{
    return sel == Selecteur::Mat2 ? 2 : 1;
}
qint32 Coef(int matiere, int p, int a)
{
    return matiere == 2 ? CoefMat2[p][a] : CoefMat1[p][a];
}
const QString &Date(int matiere, int p, int a)
{
    return matiere == 2 ? DateMat2[p][a] : DateMat1[p][a];
}

// Walks the students in class-model order: one row and the rule after each.
// The list is read again at every step, since the caller's pause in between
// may let pending events run.
template <typename F>
void PourChaqueEleve(SortieTexte &s, const EntreesRapport &e, const QString &regle, F ligneEleve)
{
    for (int i = 0; i < NbEleves() && !s.enErreur(); ++i) {
        ligneEleve(ListeEleves.at(i), i);
        s.ligne(regle);
        if (e.entreEleves)
            e.entreEleves();
    }
}

void PiedPeriode(SortieTexte &s, Selecteur sel, int p)
{
    s.ligne(QStringLiteral("Moyenne minimale de la classe : ") + F2(MinClasse(sel, p)));
    s.ligne(QStringLiteral("Moyenne de la classe          : ") + F2(MoyClasse(sel, p)));
    s.ligne(QStringLiteral("Moyenne maximale de la classe : ") + F2(MaxClasse(sel, p)));
}

// One subject alone: 16 assignments of a one-subject class, or 8 of one of two.
void PeriodeUneMatiere(SortieTexte &s, const EntreesRapport &e, int p, int matiere)
{
    const bool seize = UneMatiere;
    const int nb = seize ? NB_DEVOIRS : NB_DEVOIRS / 2;
    const Selecteur sel = matiere == 2 ? Selecteur::Mat2 : Selecteur::Mat1;

    s.ligne(e.nomClasse + Espaces(38) + e.motPeriode + u' ' + Chiffre(p) + Espaces(3) + Libelle(matiere));
    const QString regle = seize ? QStringLiteral("----------------|----|----|----|----|----|----|----|----|--"
                                                 "--|----|----|----|----|----|----|----+----------")
                                : QStringLiteral("----------------|---------|---------|---------|---------|--"
                                                 "-------|---------|---------|---------+-------------");
    s.ligne(regle);

    PourChaqueEleve(s, e, regle, [&](const StudentRecord &el, int) {
        QString l = CelluleNom(el) + u'|';
        for (int a = 1; a <= nb; ++a) {
            const double note = el.note(matiere, p, a);
            if (seize)
                l += R(4, F1(note)) + u'|';
            else if (matiere == 1)
                l += Espaces(2) + R(5, F2(note)) + QStringLiteral("  |");
            else
                l += Espaces(2) + R(5, F1(note)) + QStringLiteral("  |");
        }
        if (seize)
            l += Espaces(2) + R(6, F2(MoyPeriode(el, sel, p)));
        else
            l += Espaces(4) + R(5, F2(MoyPeriode(el, sel, p)));
        s.ligne(l);
    });

    // Coefficients and dates under their columns.
    const int apresCoef = seize ? 4 : 9;
    const int apresDate = seize ? 1 : 6;
    QString coefs = L(seize ? 19 : 21, QStringLiteral("Coef."));
    QString jours = L(seize ? 16 : 18, QStringLiteral("Date"));
    QString mois = Espaces(seize ? 17 : 19);
    for (int a = 1; a <= nb; ++a) {
        coefs += Chiffre(Coef(matiere, p, a)) + Espaces(apresCoef);
        jours += JourDeDate(Date(matiere, p, a)) + Espaces(apresDate);
        mois += MoisDeDate(Date(matiere, p, a)) + Espaces(apresDate);
    }
    s.ligne(coefs);
    s.ligne(QString());
    s.ligne(jours);
    s.ligne(mois);
    s.ligne(QString());
    PiedPeriode(s, sel, p);
}

void PeriodeEnsemble(SortieTexte &s, const EntreesRapport &e, int p)
{
    constexpr int nb = NB_DEVOIRS / 2;
    s.ligne(L(8, e.nomClasse) + Espaces(3) + L(9, e.motPeriode) + u' ' + Chiffre(p) + Espaces(37)
            + L(4, LibelleMat1) + Espaces(45) + L(4, LibelleMat2) + QStringLiteral("    Moyenne"));
    const QString regle = QStringLiteral("----------------|----|----|----|----|----|----|----|----||------||-"
                                         "---|----|----|----|----|----|----|----||------||--------");
    s.ligne(regle);

    PourChaqueEleve(s, e, regle, [&](const StudentRecord &el, int) {
        QString l = CelluleNom(el) + u'|';
        for (int m = 1; m <= 2; ++m) {
            for (int a = 1; a <= nb; ++a)
                l += R(4, F1(el.note(m, p, a))) + u'|';
            l += u'|' + R(5, F2(MoyPeriode(el, m == 2 ? Selecteur::Mat2 : Selecteur::Mat1, p)))
                + QStringLiteral(" ||");
        }
        l += R(5, F2(MoyPeriode(el, Selecteur::Ensemble, p)));
        s.ligne(l);
    });

    QString coefs = L(19, QStringLiteral("Coef."));
    QString jours = L(16, QStringLiteral("Date"));
    QString mois = Espaces(17);
    for (int m = 1; m <= 2; ++m) {
        if (m == 2) {
            coefs += Espaces(9);
            jours += Espaces(9);
            mois += Espaces(9);
        }
        for (int a = 1; a <= nb; ++a) {
            coefs += Chiffre(Coef(m, p, a)) + Espaces(4);
            jours += JourDeDate(Date(m, p, a)) + u' ';
            mois += MoisDeDate(Date(m, p, a)) + u' ';
        }
    }
    s.ligne(coefs);
    s.ligne(QString());
    s.ligne(jours);
    s.ligne(mois);
    s.ligne(QString());

    for (const auto &pied : pieds)
        s.ligne(pied.libelle + Espaces(49) + R(5, F2(pied.classe(Selecteur::Mat1, p))) + Espaces(44)
                + R(5, F2(pied.classe(Selecteur::Mat2, p))) + Espaces(3)
                + R(5, F2(pied.classe(Selecteur::Ensemble, p))));
}

// Year figures of one student or of the class, in the column order of the year table.
struct ChiffresAnnee {
    QString m1[4]; // [1..3] periods, [0] year
    QString m2[4];
    QString ensemble;
};

} // namespace

EntreesRapport EntreesDepuisClasse(Vue vue, int span, Selecteur sel)
{
    EntreesRapport e;
    e.nomClasse = NomFichier.left(qMax(0, int(NomFichier.size()) - 4));
    e.motPeriode = DeuxPeriodes ? QStringLiteral("Semestre") : QStringLiteral("Trimestre");
    e.vue = vue;
    e.span = span;
    e.sel = sel;
    return e;
}

void ImprimeListe(SortieTexte &s, const EntreesRapport &e)
{
    const QString regle(110, u'-');
    s.ligne(e.nomClasse);
    s.ligne(regle);
    PourChaqueEleve(s, e, regle, [&](const StudentRecord &el, int i) {
        s.ecrire(R(4, QString::number(i + 1) + QStringLiteral(") ")));
        const bool imprimante = s.estImprimante();
        if (imprimante)
            s.definirGras(true);
        s.ecrire(L(25, el.Nom + u' ' + el.Prenom));
        if (imprimante)
            s.definirGras(false);
        s.ligne(QStringLiteral("|"));
    });
}

void ImprimeAppreciations(SortieTexte &s, const EntreesRapport &e)
{
    const bool annee = e.span == Annee;
    const int matiere = Matiere(e.sel);
    QString titre = e.nomClasse + Espaces(35) + QStringLiteral("Appréciations ");
    if (e.sel == Selecteur::Ensemble)
        titre += annee ? QStringLiteral("  générales   annuelles")
                       : QStringLiteral("  générale ") + e.motPeriode + u' ' + Chiffre(e.span);
    else
        titre += annee ? QStringLiteral("  annuelles  ") + Libelle(matiere)
                       : Espaces(2) + e.motPeriode + u' ' + Chiffre(e.span) + Espaces(2) + Libelle(matiere);
    s.ligne(titre);
    const QString regle = QStringLiteral("----------------|-------|------------------------------------------"
                                         "-------------------------------------------");
    s.ligne(regle);

    const int v = e.sel == Selecteur::Ensemble ? VUE_ENSEMBLE : (matiere == 2 ? VUE_MAT2 : VUE_MAT1);
    const int q = annee ? PERIODE_ANNEE : qBound(1, e.span, NB_PERIODES_MAX);
    PourChaqueEleve(s, e, regle, [&](const StudentRecord &el, int) {
        s.ligne(CelluleNom(el) + QStringLiteral("| ") + R(5, F2(MoyEleve(el, e.sel, annee ? Annee : q)))
                + QStringLiteral(" | ") + el.Appreciations[v][q].left(CAPACITE_APPRECIATION));
    });
}

void ImprimeNotes(SortieTexte &s, const EntreesRapport &e)
{
    if (e.span == Annee)
        ImprimeAnnee(s, e);
    else
        ImprimePeriode(s, e, e.span);
}

void ImprimePeriode(SortieTexte &s, const EntreesRapport &e, int periode)
{
    const int p = qBound(1, periode, NB_PERIODES_MAX);
    if (UneMatiere || e.sel != Selecteur::Ensemble) {
        PeriodeUneMatiere(s, e, p, UneMatiere ? 1 : Matiere(e.sel));
        return;
    }
    // The widest table: one point smaller on paper, for this table only.
    const bool imprimante = s.estImprimante();
    if (imprimante)
        s.changerTaille(-1);
    PeriodeEnsemble(s, e, p);
    if (imprimante)
        s.changerTaille(+1);
}

void ImprimeAnnee(SortieTexte &s, const EntreesRapport &e)
{
    const bool deux = DeuxPeriodes;
    const bool ensemble = e.sel == Selecteur::Ensemble;
    const int nbp = deux ? 2 : 3;

    auto chiffres = [&](auto &&moyenne) {
        ChiffresAnnee c;
        for (int p = 0; p <= nbp; ++p) {
            const int span = p == 0 ? Annee : p;
            c.m1[p] = R(5, F2(moyenne(ensemble ? Selecteur::Mat1 : e.sel, span)));
            if (ensemble)
                c.m2[p] = R(5, F2(moyenne(Selecteur::Mat2, span)));
        }
        if (ensemble)
            c.ensemble = R(5, F2(moyenne(Selecteur::Ensemble, Annee)));
        return c;
    };

    QString titre = L(8, e.nomClasse);
    QString regle;
    const QString &l1 = LibelleMat1, &l2 = LibelleMat2;
    if (!ensemble) {
        const QString &libelle = Libelle(Matiere(e.sel));
        if (deux) {
            titre += Espaces(3) + L(4, libelle) + QStringLiteral("              Semestre 1")
                + QStringLiteral("                     Semestre 2")
                + QStringLiteral("                       Moyenne");
            regle = QStringLiteral("----------------|------------------------------|-------------------------"
                                   "-----|-------------------------------");
        } else {
            titre += Espaces(3) + L(4, libelle) + QStringLiteral("        Trimestre 1")
                + QStringLiteral("            Trimestre 2") + QStringLiteral("            Trimestre 3")
                + QStringLiteral("                Moyenne");
            regle = QStringLiteral("----------------|----------------------|----------------------|----------"
                                   "------------|------------------------");
        }
    } else if (deux) {
        titre += QStringLiteral("        | ") + L(4, l1) + QStringLiteral("     S1     ")
            + QStringLiteral("     S2     ") + QStringLiteral("   Moyenne  | ") + L(4, l2)
            + QStringLiteral("     S1     ") + QStringLiteral("     S2     ")
            + QStringLiteral("   Moyenne  |  Générale");
        regle = QStringLiteral("----------------|-----------------|----------|------------|-----------------|"
                               "----------|------------|---------");
    } else {
        titre += QStringLiteral("        | ") + L(4, l1) + QStringLiteral("   T1   ")
            + QStringLiteral("   T2   ") + QStringLiteral("   T3   ") + QStringLiteral("   Moyenne  | ")
            + L(4, l2) + QStringLiteral("   T1   ") + QStringLiteral("   T2   ") + QStringLiteral("   T3   ")
            + QStringLiteral("   Moyenne |  Générale");
        regle = QStringLiteral("----------------|------------|-------|--------|-----------|------------|-----"
                               "--|--------|----------|----------");
    }
    s.ligne(titre);
    s.ligne(regle);

    int total = 0;
    int bandes[3] = {0, 0, 0};
    PourChaqueEleve(s, e, regle, [&](const StudentRecord &el, int) {
        const ChiffresAnnee c = chiffres([&el](Selecteur sel, int span) { return MoyEleve(el, sel, span); });
        QString l = CelluleNom(el) + u'|';
        if (!ensemble && deux)
            l += Espaces(13) + c.m1[1] + Espaces(12) + u'|' + Espaces(13) + c.m1[2] + Espaces(12) + u'|'
                + Espaces(13) + Espaces(2) + c.m1[0];
        else if (!ensemble)
            l += Espaces(9) + c.m1[1] + Espaces(8) + u'|' + Espaces(9) + c.m1[2] + Espaces(8) + u'|'
                + Espaces(9) + c.m1[3] + Espaces(8) + u'|' + Espaces(9) + Espaces(2) + c.m1[0];
        else if (deux)
            l += Espaces(8) + c.m1[1] + QStringLiteral("    |  ") + c.m1[2] + QStringLiteral("   |   ")
                + c.m1[0] + QStringLiteral("    |        ") + c.m2[1] + QStringLiteral("    |  ") + c.m2[2]
                + QStringLiteral("   |  ") + c.m2[0] + QStringLiteral("     |  ") + c.ensemble;
        else
            l += Espaces(6) + c.m1[1] + QStringLiteral(" | ") + c.m1[2] + QStringLiteral(" | ") + c.m1[3]
                + QStringLiteral("  |  ") + c.m1[0] + QStringLiteral("    |      ") + c.m2[1]
                + QStringLiteral(" | ") + c.m2[2] + QStringLiteral(" | ") + c.m2[3] + QStringLiteral("  |  ")
                + c.m2[0] + QStringLiteral("   |    ") + c.ensemble;
        s.ligne(l);

        switch (TrancheDe(MoyAnnee(el, e.sel))) {
        case Tranche::Aucune: return;
        case Tranche::MoinsDe8: ++bandes[0]; break;
        case Tranche::Entre8Et12: ++bandes[1]; break;
        case Tranche::DouzeOuPlus: ++bandes[2]; break;
        }
        ++total;
    });

    s.ligne(QString());
    for (const auto &pied : pieds) {
        const ChiffresAnnee c = chiffres(pied.classe);
        QString l;
        if (!ensemble && deux)
            l = L(30, pied.libelle) + c.m1[1] + Espaces(26) + c.m1[2] + Espaces(28) + c.m1[0];
        else if (!ensemble)
            l = L(26, pied.libelle) + c.m1[1] + Espaces(18) + c.m1[2] + Espaces(18) + c.m1[3] + Espaces(20)
                + c.m1[0];
        else if (deux)
            l = L(25, pied.libelle) + c.m1[1] + Espaces(7) + c.m1[2] + Espaces(7) + c.m1[0] + Espaces(13)
                + c.m2[1] + Espaces(7) + c.m2[2] + Espaces(6) + c.m2[0] + Espaces(8) + c.ensemble;
        else
            l = L(23, pied.libelle) + c.m1[1] + Espaces(3) + c.m1[2] + Espaces(3) + c.m1[3] + Espaces(5)
                + c.m1[0] + Espaces(11) + c.m2[1] + Espaces(3) + c.m2[2] + Espaces(3) + c.m2[3] + Espaces(5)
                + c.m2[0] + Espaces(8) + c.ensemble;
        s.ligne(l);
    }

    if (total > 0) {
        auto pourcent = [total](int n) { return R(5, F2(100.0 * n / total)); };
        s.ligne(QString());
        s.ligne(QStringLiteral("         Moins de 8 : ") + pourcent(bandes[0])
                + QStringLiteral(" %             ") + QStringLiteral("Entre 8 et 12 : ") + pourcent(bandes[1])
                + QStringLiteral(" %             ") + QStringLiteral("12 ou plus : ") + pourcent(bandes[2])
                + QStringLiteral(" %"));
    }
}

namespace {
void EcrireVue(SortieTexte &s, const EntreesRapport &e)
{
    switch (e.vue) {
    case Vue::Liste: ImprimeListe(s, e); break;
    case Vue::Appreciations: ImprimeAppreciations(s, e); break;
    case Vue::Notes: ImprimeNotes(s, e); break;
    }
}
} // namespace

bool ImprimeVue(SortieTexte &s, const EntreesRapport &e)
{
    Verrou verrou;
    if (!verrou.pris())
        return false;
    EcrireVue(s, e);
    return !s.enErreur();
}

bool RapportComplet(SortieTexte &s, const EntreesRapport &e, const QDateTime &instant)
{
    Verrou verrou;
    if (!verrou.pris())
        return false;
    EcrireVue(s, e);
    s.ligne(QString());
    s.ligne(DateCourte(instant.date()) + Espaces(3) + HeureCourte(instant.time()));
    return !s.enErreur();
}

bool RapportEnCours()
{
    return g_enCours;
}
