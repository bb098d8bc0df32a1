#include "ui/marks/historique.h"

#include "classdata/classe.h"
#include "classdata/texte.h"
#include "ui/marks/grillevue.h"

#include <QHash>
#include <QToolButton>
#include <QUndoStack>

namespace {

using Changement = ChangementNote;

QList<Changement> Differences(const QList<StudentRecord> &avant, const QList<StudentRecord> &apres)
{
    QList<Changement> d;
    const int n = int(qMin(avant.size(), apres.size()));
    for (int i = 0; i < n; ++i) {
        const StudentRecord &x = avant.at(i);
        const StudentRecord &y = apres.at(i);
        for (int m = 1; m <= 2; ++m)
            for (int p = 1; p <= NB_PERIODES_MAX; ++p)
                for (int s = 1; s <= NB_DEVOIRS; ++s) {
                    const double u = x.note(m, p, s);
                    const double v = y.note(m, p, s);
                    if (u != v)
                        d.append({i, false, m, p, s, u, v, {}, {}});
                }
        for (int v = 1; v <= 3; ++v)
            for (int p = 1; p <= 4; ++p)
                if (x.Appreciations[v][p] != y.Appreciations[v][p])
                    d.append({i, true, v, p, 0, 0, 0, x.Appreciations[v][p], y.Appreciations[v][p]});
    }
    return d;
}

int VueDe(Selecteur s)
{
    return s == Selecteur::Mat2 ? VUE_MAT2 : s == Selecteur::Ensemble ? VUE_ENSEMBLE : VUE_MAT1;
}

} // namespace

void MontrerChangements(TStringGrid *g, Vue vue, int periode, Selecteur selecteur,
                        const QList<Changement> &changements, bool apres)
{
    if (vue == Vue::Notes) {
        QHash<int, int> positions; // slot -> grid position
        const QList<ColonneNote> colonnes = ColonnesNotes(periode, selecteur);
        for (int k = 1; k <= colonnes.size() && k < g->ColCount(); ++k) {
            const ColonneNote &col = colonnes.at(k - 1);
            positions.insert(col.matiere * 1000 + col.periode * 100 + col.devoir, k);
        }
        for (const Changement &c : changements) {
            if (c.appreciation)
                continue;
            const int k = positions.value(c.a * 1000 + c.b * 100 + c.c, 0);
            if (k > 0)
                g->setCells(k, c.eleve + 1, NoteEnTexte(apres ? c.noteApres : c.noteAvant));
        }
    } else if (vue == Vue::Appreciations) {
        const int v = VueDe(selecteur);
        const int p = periode == Annee ? PERIODE_ANNEE : periode;
        for (const Changement &c : changements)
            if (c.appreciation && c.a == v && c.b == p)
                g->setCells(2, c.eleve + 1, apres ? c.texteApres : c.texteAvant);
    }
}

namespace {

// One change of the grid: a typed cell, +1, -1, a cleared assignment, a
// dropped mark, an appreciation from the expert.
class CommandeNotes : public QUndoCommand {
public:
    using Montrer = std::function<void(const QList<Changement> &, bool apres)>;
    CommandeNotes(QList<Changement> c, const QString &libelle, Montrer montrer)
        : QUndoCommand(libelle)
        , m_changements(std::move(c))
        , m_montrer(std::move(montrer))
    { }
    void redo() override
    {
        // The change is already in the model when the step is recorded.
        if (m_premiere) {
            m_premiere = false;
            return;
        }
        appliquer(true);
    }
    void undo() override { appliquer(false); }

private:
    void appliquer(bool apres)
    {
        for (const Changement &c : std::as_const(m_changements)) {
            if (c.eleve >= ListeEleves.size())
                continue;
            StudentRecord &e = ListeEleves[c.eleve];
            if (c.appreciation)
                e.Appreciations[c.a][c.b] = apres ? c.texteApres : c.texteAvant;
            else
                e.note(c.a, c.b, c.c) = apres ? c.noteApres : c.noteAvant;
        }
        m_montrer(m_changements, apres);
    }

    QList<Changement> m_changements;
    Montrer m_montrer;
    bool m_premiere = true;
};

} // namespace

THistoriqueNotes::THistoriqueNotes(QWidget *fenetre, Montrer montrer)
    : QObject(fenetre)
    , m_pile(new QUndoStack(this))
    , m_montrer(std::move(montrer))
{
    m_annuler = new QToolButton(fenetre);
    m_annuler->setObjectName(QStringLiteral("BBAnnuler"));
    m_annuler->setGeometry(531, 278, 26, 26);
    m_annuler->setText(QStringLiteral("↶"));
    m_retablir = new QToolButton(fenetre);
    m_retablir->setObjectName(QStringLiteral("BBRetablir"));
    m_retablir->setGeometry(600, 278, 26, 26);
    m_retablir->setText(QStringLiteral("↷"));
    majBoutons(true);
    connect(m_pile, &QUndoStack::indexChanged, this, &THistoriqueNotes::deplace);
    connect(m_annuler, &QToolButton::clicked, this, &THistoriqueNotes::annulerDemande);
    connect(m_retablir, &QToolButton::clicked, this, &THistoriqueNotes::retablirDemande);
}

void THistoriqueNotes::debut()
{
    m_avant = ListeEleves;
    m_avantPris = true;
}

void THistoriqueNotes::fin(const QString &libelle)
{
    if (!m_avantPris)
        return;
    m_avantPris = false;
    QList<Changement> d = Differences(m_avant, ListeEleves);
    m_avant.clear();
    if (!d.isEmpty())
        m_pile->push(new CommandeNotes(std::move(d), libelle, m_montrer));
}

void THistoriqueNotes::vider()
{
    m_avantPris = false;
    m_avant.clear();
    m_pile->clear();
}

void THistoriqueNotes::annuler()
{
    m_pile->undo();
}

void THistoriqueNotes::retablir()
{
    m_pile->redo();
}

void THistoriqueNotes::marquerEnregistre()
{
    m_pile->setClean();
}

bool THistoriqueNotes::enregistre() const
{
    return m_pile->isClean();
}

void THistoriqueNotes::majBoutons(bool permis)
{
    m_annuler->setEnabled(m_pile->canUndo() && permis);
    m_retablir->setEnabled(m_pile->canRedo() && permis);
    // The hints name the step each button would take back or do again.
    m_annuler->setToolTip(m_pile->canUndo() ? QStringLiteral("Annuler : ") + m_pile->undoText()
                                            : QStringLiteral("Annuler la dernière modification"));
    m_retablir->setToolTip(m_pile->canRedo() ? QStringLiteral("Rétablir : ") + m_pile->redoText()
                                             : QStringLiteral("Rétablir"));
}
