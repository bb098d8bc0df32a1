// Undo and redo of the changes made in the grid. Each change is recorded as
// the slots of the class model it altered, so that it can be taken back
// whatever view, period or subject is on display.
#include "noteform.h"

#include "classe.h"
#include "gardeclasse.h"
#include "grillevue.h"
#include "texte.h"

#include <QHash>
#include <QLabel>
#include <QToolButton>
#include <QUndoStack>

namespace {

struct Changement {
    int eleve;         // index in ListeEleves
    bool appreciation; // else a mark
    int a, b, c;       // mark: subject, period, slot; appreciation: view, period
    double noteAvant, noteApres;
    QString texteAvant, texteApres;
};

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

// One change of the grid: a typed cell, +1, -1, a cleared assignment, a
// dropped mark, an appreciation from the expert.
class CommandeNotes : public QUndoCommand {
public:
    CommandeNotes(TNoteForm *f, QList<Changement> c, const QString &libelle)
        : QUndoCommand(libelle)
        , m_f(f)
        , m_changements(std::move(c))
    {
    }
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
    void appliquer(bool apres);

    TNoteForm *m_f;
    QList<Changement> m_changements;
    bool m_premiere = true;
};

void CommandeNotes::appliquer(bool apres)
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
    // The display follows: the cells showing these slots, where they are shown.
    TStringGrid *g = m_f->StringGrid1;
    if (m_f->vue == Vue::Notes) {
        QHash<int, int> positions; // slot -> grid position
        const QList<ColonneNote> colonnes = ColonnesNotes(m_f->periode, m_f->selecteur);
        for (int k = 1; k <= colonnes.size() && k < g->ColCount(); ++k) {
            const ColonneNote &col = colonnes.at(k - 1);
            positions.insert(col.matiere * 1000 + col.periode * 100 + col.devoir, k);
        }
        for (const Changement &c : std::as_const(m_changements)) {
            if (c.appreciation)
                continue;
            const int k = positions.value(c.a * 1000 + c.b * 100 + c.c, 0);
            if (k > 0)
                g->setCells(k, c.eleve + 1, NoteEnTexte(apres ? c.noteApres : c.noteAvant));
        }
    } else if (m_f->vue == Vue::Appreciations) {
        const int v = VueDe(m_f->selecteur);
        const int p = m_f->periode == Annee ? PERIODE_ANNEE : m_f->periode;
        for (const Changement &c : std::as_const(m_changements))
            if (c.appreciation && c.a == v && c.b == p)
                g->setCells(2, c.eleve + 1, apres ? c.texteApres : c.texteAvant);
    }
    m_f->Put_Result();
}

} // namespace

void TNoteForm::debutModification()
{
    m_avant = ListeEleves;
    m_avantPris = true;
}

void TNoteForm::finModification(const QString &libelle)
{
    if (!m_avantPris)
        return;
    m_avantPris = false;
    QList<Changement> d = Differences(m_avant, ListeEleves);
    m_avant.clear();
    if (!d.isEmpty())
        Historique->push(new CommandeNotes(this, std::move(d), libelle));
}

void TNoteForm::viderHistorique()
{
    m_avantPris = false;
    m_avant.clear();
    Historique->clear();
}

void TNoteForm::Annuler()
{
    StringGrid1->terminerEdition();
    if (!ApresClassement)
        Historique->undo();
}

void TNoteForm::Retablir()
{
    StringGrid1->terminerEdition();
    if (!ApresClassement)
        Historique->redo();
}

void TNoteForm::historiqueDeplace()
{
    // Unsaved exactly while the model differs from what was last saved.
    EnregistrementNecessaire = !Historique->isClean() || m_modifHorsHistorique;
    majDrapeau();
}

void TNoteForm::majDrapeau()
{
    Image1->setVisible(EnregistrementNecessaire);
    BBAnnuler->setEnabled(Historique->canUndo() && !ApresClassement);
    BBRetablir->setEnabled(Historique->canRedo() && !ApresClassement);
    Garde->changement();
}
