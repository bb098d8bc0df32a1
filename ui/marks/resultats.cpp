// A student's and an assignment's results, the ranking and the class balance.
#include "ui/marks/noteform.h"

#include "averages/classement.h"
#include "averages/moyennes.h"
#include "classdata/classe.h"
#include "classdata/options.h"
#include "classdata/real48.h"
#include "classdata/texte.h"
#include "reports/reglesnotes.h"
#include "ui/balance/pourcentform.h"
#include "ui/components/fenetres.h"
#include "ui/components/messages.h"
#include "ui/marks/barrenotes.h"
#include "ui/marks/grillevue.h"

#include <QAction>
#include <QHeaderView>
#include <QPushButton>

#include "ui/components/radiogroupe.h"

namespace {

// A plain box titled with the student's name or the column's title.
void BoiteTitree(const QString &titre, const QString &texte)
{
    Messages::simple(texte, titre);
}

void TitreIllisible(const QString &titre)
{
    Messages::erreur(QStringLiteral("La colonne « ") + titre
                     + QStringLiteral(" » ne correspond à aucun devoir."));
}

double NoteDeCellule(const QString &texte)
{
    return NoteDeTexte(texte);
}

} // namespace

void TNoteForm::Button7Click()
{
    StringGrid1->terminerEdition();
    const int row = StringGrid1->Row();
    const int n = StringGrid1->ColCount();
    if (vue != Vue::Notes || row < 1 || row >= StringGrid1->RowCount() || n < 2)
        return;
    QList<NotePlacee> notes;
    bool texte = false;
    for (int c = 1; c < n; ++c) {
        const QString cellule = StringGrid1->Cells(c, row);
        if (cellule.isEmpty())
            continue;
        texte = true;
        const auto place = PeriodeEtDevoir(StringGrid1->Cells(c, 0));
        if (!place) {
            TitreIllisible(StringGrid1->Cells(c, 0));
            return;
        }
        const int matiere = selecteur != Selecteur::Ensemble || c <= (n - 1) / 2 ? 1 : 2;
        notes.append({matiere, place->periode, place->devoir, NoteDeCellule(cellule), CoefColonne(c)});
    }
    const QString nom = StringGrid1->Cells(0, row);
    if (!texte) {
        Messages::information(nom + QStringLiteral(" n'a pas de notes"));
        return;
    }
    // The same sums as the reports and the command-line tool.
    const MoyennesEleve m = MoyennesDeNotes(notes);
    const double a1 = m.mat1;
    QString resultat;
    if (selecteur != Selecteur::Ensemble) {
        const QString &libelle = selecteur == Selecteur::Mat2 ? LibelleMat2 : LibelleMat1;
        resultat = QStringLiteral("Moyenne ") + libelle + QStringLiteral("   :   ") + NoteEnTexte(a1);
    } else {
        const double a2 = m.mat2;
        const double a = m.ensemble;
        resultat = QStringLiteral("Moyenne ") + CadrerADroite(LibelleMat1, 4) + QStringLiteral("       :  ")
            + NoteEnTexte(a1) + QStringLiteral("\r\n") + QStringLiteral("Moyenne ")
            + CadrerADroite(LibelleMat2, 4) + QStringLiteral("       :  ") + NoteEnTexte(a2)
            + QStringLiteral("\r\n") + QStringLiteral("Moyenne générale :  ") + NoteEnTexte(a);
    }
    BoiteTitree(nom, resultat);
}

void TNoteForm::Button8Click()
{
    StringGrid1->terminerEdition();
    const int col = StringGrid1->Col();
    if (vue != Vue::Notes || col < 1 || col >= StringGrid1->ColCount())
        return;
    const QString titre = StringGrid1->Cells(col, 0);
    if (!PeriodeEtDevoir(titre)) {
        TitreIllisible(titre);
        return;
    }
    const int k = CoefColonne(col);
    const QString date = DateColonne(col);
    double mini = 21, maxi = -1;
    MoyennePonderee moyenne;
    bool texte = false;
    for (int r = 1; r < StringGrid1->RowCount(); ++r) {
        const QString cellule = StringGrid1->Cells(col, r);
        if (cellule.isEmpty())
            continue;
        texte = true;
        const double x = NoteDeCellule(cellule);
        if (!EstNote(x))
            continue;
        if (x > maxi)
            maxi = x;
        if (x < mini)
            mini = x;
        moyenne.ajouter(x);
    }
    if (!texte) {
        Messages::information(QStringLiteral("Il n'y a pas de notes !"));
        return;
    }
    if (mini == 21)
        mini = NO_MARK;
    const QString resultat = QStringLiteral("Coefficient  :  ") + QString::number(k)
        + QStringLiteral("\r\n\r\n") + QStringLiteral("Minimum    :   ") + NoteEnTexte(mini)
        + QStringLiteral("\r\n") + QStringLiteral("Moyenne   :   ") + NoteEnTexte(moyenne.moyenne())
        + QStringLiteral("\r\n") + QStringLiteral("Maximum   :   ") + NoteEnTexte(maxi)
        + QStringLiteral("\r\n\r\n") + QStringLiteral("     Date : ") + date;
    BoiteTitree(titre, resultat);
}

void TNoteForm::Button10Click()
{
    StringGrid1->terminerEdition();
    ApresClassement = true;
    P_Notes->hide();
    if (vue == Vue::Notes)
        for (QAction *a : {Augmenterde11, Diminuerde11, Supprimertouteslesnotes1})
            a->setEnabled(false);
    deplacementColonnes();

    if (EnregistrementNecessaire) {
        const int r =
            Messages::erreur(QStringLiteral("Le fichier a été modifié et n'a pas été enregistré !\r\n"
                                            "        Si vous ne le faites pas maintenant,\r\n"
                                            "  les dernières données saisies seront perdues.\r\n\r\n"
                                            "            Voulez vous enregistrer ?"),
                             BoutonOui | BoutonNon);
        if (r == BoutonOui) {
            if (!Button5Click()) {
                // Nothing may be lost: no ranking while the changes are not on disk.
                ApresClassement = false;
                deplacementColonnes();
                return;
            }
        } else {
            EnregistrementNecessaire = false;
        }
    }

    const Selecteur sel = selecteur;
    const int span = periode;
    ListeEleves = Classer(ListeEleves, [sel, span](const StudentRecord &e) {
        return span == Annee ? MoyAnnee(e, sel) : MoyPeriode(e, sel, span);
    });
    viderHistorique();
    EcrireNoms();
    Set_Donnees();

    StringGrid1->modele()->setEditable(false);
    for (QWidget *w : std::initializer_list<QWidget *>{Button1, Button2, Button4, Button5})
        w->setEnabled(false);
    if (vue == Vue::Appreciations) {
        Button7->setEnabled(false);
        Button8->setEnabled(false);
    }
    for (QWidget *w : std::initializer_list<QWidget *>{Button9, Button10, RadioGroup1, RadioGroup2,
                                                       RadioGroup3, BB_toolN, BBCoefDate})
        w->setEnabled(false);
    majDrapeau();
}

void TNoteForm::BBPourcentClick()
{
    P_Notes->hide();
    StringGrid1->terminerEdition();
    TPourcentForm &bilan = SurDemande(PourcentForm);
    bilan.preparer(selecteur);
    bilan.exec();
}
