// Between the grid's texts and the class model.
#include "ui/marks/noteform.h"

#include "averages/moyennes.h"
#include "classdata/texte.h"
#include "reports/reglesnotes.h"
#include "ui/marks/grillevue.h"
#include "ui/marks/peinture.h"

#include "ui/marks/panneauresultats.h"

void TNoteForm::Set_Donnees()
{
    StringGrid1->terminerEdition();
    const int col = StringGrid1->Col();
    const int row = StringGrid1->Row();
    m_delegue->vue = vue;
    m_delegue->longueurMax = vue == Vue::Appreciations ? 80 : 0;
    StringGrid1->remettreColonnesEnOrdre();
    StringGrid1->modele()->remplir(ConstruireGrille(vue, periode, selecteur).lignes, true);
    appliquerLargeurs();
    if (StringGrid1->RowCount() > 1 && StringGrid1->ColCount() > 1) {
        const int premiere = vue == Vue::Appreciations ? 2 : 1;
        StringGrid1->setCourante(qBound(premiere, col, StringGrid1->ColCount() - 1),
                                 qBound(1, row, StringGrid1->RowCount() - 1));
    }
}

void TNoteForm::Get_Donnees()
{
    if (vue == Vue::Liste)
        return;
    QList<QStringList> table = StringGrid1->tableVisuelle();
    if (vue == Vue::Notes) {
        for (int r = 1; r < table.size(); ++r) {
            for (int c = 1; c < table.at(r).size(); ++c) {
                const QString t = table.at(r).at(c);
                if (t.isEmpty())
                    continue;
                const QString stocke = TexteAStocker(t);
                if (stocke != t)
                    table[r][c] = stocke;
            }
        }
    }
    AppliquerGrille(vue, periode, selecteur, table);
}

void TNoteForm::Put_Result()
{
    Panel1->afficher(MinClasse(Selecteur::Mat1, periode), MoyClasse(Selecteur::Mat1, periode),
                     MaxClasse(Selecteur::Mat1, periode));
    Panel2->afficher(MinClasse(Selecteur::Mat2, periode), MoyClasse(Selecteur::Mat2, periode),
                     MaxClasse(Selecteur::Mat2, periode));
}

bool TNoteForm::Devoir_Deja_Note() const
{
    const int col = StringGrid1->Col();
    if (col < 1 || col >= StringGrid1->ColCount())
        return false;
    for (int r = 1; r < StringGrid1->RowCount(); ++r)
        if (!StringGrid1->Cells(col, r).isEmpty())
            return true;
    return false;
}
