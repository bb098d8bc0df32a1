#include "reports/grille.h"

#include "classdata/classe.h"
#include "classdata/options.h"
#include "classdata/texte.h"

namespace {

// Index of the appreciation view in StudentRecord::Appreciations.
int VueAppreciation(Selecteur sel)
{
    switch (sel) {
    case Selecteur::Mat2: return VUE_MAT2;
    case Selecteur::Ensemble: return VUE_ENSEMBLE;
    case Selecteur::Mat1: break;
    }
    return VUE_MAT1;
}

bool SpanValide(int span)
{
    return (span >= 1 && span <= NbPeriodes()) || span == Annee;
}

// The columns of one subject for one period.
void AjouterBloc(QList<ColonneNote> &colonnes, int matiere, int periode)
{
    if (UneMatiere) {
        for (int a = 1; a <= NB_DEVOIRS; ++a)
            colonnes.append({LibelleMat1 + QString::number(periode) + u'-' + DeuxChiffres(QString::number(a)),
                             1, periode, a});
        return;
    }
    const QString &libelle = matiere == 2 ? LibelleMat2 : LibelleMat1;
    for (int a = 1; a <= NB_DEVOIRS / 2; ++a)
        colonnes.append(
            {libelle + u' ' + QString::number(periode) + u'-' + QString::number(a), matiere, periode, a});
}

// Periods a span covers in the grid: one, or every period of the class.
QList<int> PeriodesDe(int span)
{
    if (span != Annee)
        return {span};
    QList<int> p;
    for (int i = 1; i <= NbPeriodes(); ++i)
        p.append(i);
    return p;
}

} // namespace

QList<ColonneNote> ColonnesNotes(int span, Selecteur sel)
{
    QList<ColonneNote> colonnes;
    if (!SpanValide(span))
        return colonnes;
    const QList<int> periodes = PeriodesDe(span);
    // A one-subject class has only its subject-1 block, whatever the selector.
    if (UneMatiere || sel != Selecteur::Ensemble) {
        const int matiere = (!UneMatiere && sel == Selecteur::Mat2) ? 2 : 1;
        for (int p : periodes)
            AjouterBloc(colonnes, matiere, p);
        return colonnes;
    }
    // Ensemble: every period of subject 1 first, then those of subject 2.
    for (int matiere = 1; matiere <= 2; ++matiere)
        for (int p : periodes)
            AjouterBloc(colonnes, matiere, p);
    return colonnes;
}

QString TitreAppreciation(int span, Selecteur sel)
{
    const QString mot = DeuxPeriodes ? QStringLiteral("semestre") : QStringLiteral("trimestre");
    QString quand;
    switch (span) {
    case 1: quand = QStringLiteral("1 er ") + mot; break;
    case 2: quand = QStringLiteral("2 ème ") + mot; break;
    case 3: quand = QStringLiteral("3 ème ") + mot; break;
    default: quand = QStringLiteral("annuelle"); break;
    }
    QString qui;
    switch (sel) {
    case Selecteur::Mat1: qui = LibelleMat1; break;
    case Selecteur::Mat2: qui = LibelleMat2; break;
    case Selecteur::Ensemble: qui = QStringLiteral("générale"); break;
    }
    const QString debut = sel == Selecteur::Ensemble ? QStringLiteral("                    Appréciation  ")
                                                     : QStringLiteral("                    Appréciation    ");
    return debut + qui + QStringLiteral("     ") + quand;
}

QString NomAffiche(const StudentRecord &e)
{
    return e.Nom + u' ' + e.Prenom;
}

TableGrille ConstruireGrille(Vue vue, int span, Selecteur sel)
{
    TableGrille t;
    const int n = NbEleves();
    t.lignes.reserve(n + 1);
    t.lignes.append(QStringList{QString()});
    for (const StudentRecord &e : ListeEleves)
        t.lignes.append(QStringList{NomAffiche(e)});

    switch (vue) {
    case Vue::Liste:
        for (QStringList &l : t.lignes)
            l.append(QString());
        break;
    case Vue::Appreciations: {
        const int v = VueAppreciation(sel);
        const int q = span == Annee ? PERIODE_ANNEE : span;
        t.lignes[0] << QStringLiteral(" Moy") << TitreAppreciation(span, sel);
        for (int r = 1; r <= n; ++r) {
            const StudentRecord &e = ListeEleves.at(r - 1);
            const bool valide = q >= 1 && q <= PERIODE_ANNEE;
            t.lignes[r] << (valide ? NoteEnTexte(MoyEleve(e, sel, span)) : QString())
                        << (valide ? e.Appreciations[v][q] : QString());
        }
        break;
    }
    case Vue::Notes: {
        const QList<ColonneNote> colonnes = ColonnesNotes(span, sel);
        for (const ColonneNote &c : colonnes) {
            t.lignes[0].append(c.titre);
            for (int r = 1; r <= n; ++r)
                t.lignes[r].append(NoteEnTexte(ListeEleves.at(r - 1).note(c.matiere, c.periode, c.devoir)));
        }
        break;
    }
    }
    return t;
}

void AppliquerGrille(Vue vue, int span, Selecteur sel, const QList<QStringList> &lignes)
{
    const int n = qMin(NbEleves(), int(lignes.size()) - 1);
    switch (vue) {
    case Vue::Liste: return;
    case Vue::Appreciations: {
        const int v = VueAppreciation(sel);
        const int q = span == Annee ? PERIODE_ANNEE : span;
        if (q < 1 || q > PERIODE_ANNEE)
            return;
        for (int r = 1; r <= n; ++r)
            if (lignes.at(r).size() > 2)
                ListeEleves[r - 1].Appreciations[v][q] = lignes.at(r).at(2).left(CAPACITE_APPRECIATION);
        return;
    }
    case Vue::Notes: {
        const QList<ColonneNote> colonnes = ColonnesNotes(span, sel);
        for (int r = 1; r <= n; ++r) {
            const QStringList &l = lignes.at(r);
            StudentRecord &e = ListeEleves[r - 1];
            // The slot is that of the layout column at the cell's position,
            // whatever title the moved column carries.
            for (int c = 1; c <= colonnes.size() && c < l.size(); ++c) {
                const ColonneNote &col = colonnes.at(c - 1);
                e.note(col.matiere, col.periode, col.devoir) = TexteEnNote(l.at(c));
            }
        }
        return;
    }
    }
}

std::optional<PeriodeDevoir> PeriodeEtDevoir(const QString &titre)
{
    // Read from the end: "<label><period>-<assignment>", with an optional
    // space before the period; the label itself may hold anything.
    int i = int(titre.size());
    while (i > 0 && titre.at(i - 1).isDigit() && titre.at(i - 1).unicode() < 128)
        --i;
    const QStringView chiffres = QStringView(titre).mid(i);
    if (chiffres.isEmpty() || chiffres.size() > 2 || i < 2 || titre.at(i - 1) != u'-')
        return std::nullopt;
    const QChar p = titre.at(i - 2);
    if (p < u'1' || p > u'3')
        return std::nullopt;
    const int devoir = chiffres.toInt();
    if (devoir < 1 || devoir > NB_DEVOIRS)
        return std::nullopt;
    return PeriodeDevoir{p.unicode() - u'0', devoir};
}

bool SelectionValide(int span, Selecteur sel)
{
    if (!SpanValide(span))
        return false;
    return sel == Selecteur::Mat1 || !UneMatiere;
}
