// Typing in the grid and the commands that change marks: the key filter,
// validation, the context menu, dropping a mark, moving a column, the
// appreciation expert.
#include "ui/marks/noteform.h"

#include "classdata/options.h"
#include "classdata/texte.h"
#include "reports/reglesnotes.h"
#include "ui/appreciations/apprform.h"
#include "ui/components/fenetres.h"
#include "ui/components/messages.h"
#include "ui/components/radiogroupe.h"
#include "ui/marks/barrenotes.h"
#include "ui/marks/gardeclasse.h"
#include "ui/marks/grillevue.h"
#include "ui/marks/historique.h"
#include "ui/marks/peinture.h"

#include <QAction>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>

namespace {
const QString MessageNombre = QStringLiteral("Un nombre entre 0 et 20 !");
}

bool TNoteForm::StringGrid1KeyPress(QKeyEvent *e, QLineEdit *editeur)
{
    const int touche = e->key();
    const bool entree = touche == Qt::Key_Return || touche == Qt::Key_Enter;
    const bool retour = touche == Qt::Key_Backspace;
    const QString t = e->text();
    const bool commande = e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    const bool caractere = !commande && !t.isEmpty() && t.at(0).isPrint();

    if (touche == Qt::Key_Escape && editeur) {
        // Back to what the cell held before this edit.
        editeur->setText(m_texteAvantEdition);
        return false;
    }
    if (!entree && !retour && !caractere)
        return false;

    if (entree) {
        // Down one row in the same column; from the last row back to the first.
        const int col = StringGrid1->Col();
        int row = StringGrid1->Row() + 1;
        if (row >= StringGrid1->RowCount())
            row = 1;
        StringGrid1->terminerEdition();
        StringGrid1->setCourante(col, row);
        return true;
    }
    if (vue == Vue::Notes && caractere) {
        const QChar c = t.at(0);
        const bool accepte = t.size() == 1 && ((c >= u'0' && c <= u'9') || c == u',' || c == u'.');
        if (!accepte) {
            Messages::bip();
            return true;
        }
    }
    if (vue == Vue::Appreciations && caractere) {
        for (QChar c : t)
            if (!CaractereEnregistrable(c)) {
                Messages::bip();
                return true;
            }
        // The file keeps 80 characters: the 81st is refused aloud, not cut at the save.
        if (editeur && editeur->maxLength() > 0 && editeur->text().size() >= editeur->maxLength()
            && !editeur->hasSelectedText()) {
            Messages::bip();
            return true;
        }
    }
    const bool modifiable = StringGrid1->currentIndex().flags() & Qt::ItemIsEditable;
    if (modifiable && StringGrid1->modele()->editable() && !ApresClassement && vue != Vue::Liste)
        EnregistrementNecessaire = true;
    if (vue == Vue::Notes && t == QStringLiteral(",")) {
        // The decimal separator of a mark is always the point.
        if (editeur)
            editeur->insert(QStringLiteral("."));
        else
            StringGrid1->taper(u'.');
        return true;
    }
    return false;
}

void TNoteForm::StringGrid1SetEditText(int col, int row)
{
    if (vue == Vue::Notes) {
        const QString t = StringGrid1->Cells(col, row);
        if (!t.isEmpty() && !TexteNoteValide(t)) {
            Messages::bip();
            Messages::erreur(MessageNombre, BoutonOui);
        }
    }
    Get_Donnees();
    Put_Result();
    // Deleting or pasting changes the cell as surely as typing does.
    if (!ApresClassement && vue != Vue::Liste)
        EnregistrementNecessaire = true;
}

void TNoteForm::StringGrid1Click()
{
    if (vue == Vue::Notes)
        Button8->setEnabled(Devoir_Deja_Note());
}

void TNoteForm::StringGrid1DblClick()
{
    if (vue == Vue::Appreciations && !ApresClassement)
        Button9Click();
    else if (vue == Vue::Notes)
        Button7Click();
}

void TNoteForm::PopupMenu1Popup()
{
    const bool note = Devoir_Deja_Note();
    Rsultatsdudevoir1->setEnabled(note);
    for (QAction *a : {Augmenterde11, Diminuerde11, Supprimertouteslesnotes1})
        a->setEnabled(note && !ApresClassement && !Garde->lectureSeule());
}

void TNoteForm::ajusterDeuxChiffres(int delta)
{
    StringGrid1->terminerEdition();
    const int col = StringGrid1->Col();
    if (col < 1 || col >= StringGrid1->ColCount())
        return;
    debutModification();
    for (int r = 1; r < StringGrid1->RowCount(); ++r) {
        const QString t = StringGrid1->Cells(col, r);
        if (!t.isEmpty())
            StringGrid1->setCells(col, r, NoteDecalee(t, delta));
    }
    Get_Donnees();
    Put_Result();
    if (!ApresClassement)
        EnregistrementNecessaire = true;
    finModification((delta > 0 ? QStringLiteral("notes du devoir augmentées de 1")
                               : QStringLiteral("notes du devoir diminuées de 1"))
                    + nomEtape(col, 0));
}

void TNoteForm::Augmenterde11Click()
{
    ajusterDeuxChiffres(+1);
}

void TNoteForm::Diminuerde11Click()
{
    ajusterDeuxChiffres(-1);
}

void TNoteForm::Supprimertouteslesnotes1Click()
{
    StringGrid1->terminerEdition();
    const int col = StringGrid1->Col();
    if (col < 1 || col >= StringGrid1->ColCount())
        return;
    if (Messages::confirmation(
            QStringLiteral("Voulez vous vraiment SUPPRIMER\r\n\r\ntoutes les notes de ce devoir ?"),
            BoutonOui | BoutonNon, BoutonNon)
        != BoutonOui)
        return;
    debutModification();
    for (int r = 1; r < StringGrid1->RowCount(); ++r)
        StringGrid1->setCells(col, r, QString());
    Get_Donnees();
    Put_Result();
    if (!ApresClassement)
        EnregistrementNecessaire = true;
    finModification(QStringLiteral("notes du devoir supprimées") + nomEtape(col, 0));
}

void TNoteForm::Rsultatsdudevoir1Click()
{
    Button8Click();
}

bool TNoteForm::StringGrid1DragOver(QObject *source, const QPoint &p) const
{
    const auto *note = qobject_cast<const EtiquetteNote *>(source);
    if (!note || note->parent() != P_Notes || Garde->lectureSeule())
        return false;
    const QPoint c = StringGrid1->celluleEn(p);
    return c.x() >= 1 && c.y() >= 1;
}

void TNoteForm::StringGrid1DragDrop(QObject *source, const QPoint &p)
{
    if (vue != Vue::Notes || !StringGrid1DragOver(source, p))
        return;
    const auto *note = qobject_cast<const EtiquetteNote *>(source);
    const QPoint c = StringGrid1->celluleEn(p);
    StringGrid1->terminerEdition();
    if (!StringGrid1->Cells(c.x(), c.y()).isEmpty()
        && Messages::confirmation(QStringLiteral("Remplacer la note existante ?"), BoutonOui | BoutonNon,
                                  BoutonNon)
            != BoutonOui)
        return;
    debutModification();
    StringGrid1->setCells(c.x(), c.y(), note->text());
    Get_Donnees();
    Put_Result();
    EnregistrementNecessaire = true;
    StringGrid1->setCourante(c.x(), c.y());
    finModification(QStringLiteral("note déposée") + nomEtape(c.x(), c.y()));
}

void TNoteForm::verrouillerApresDeplacement()
{
    m_verrouille = true;
    for (QWidget *w : std::initializer_list<QWidget *>{RadioGroup1, RadioGroup2, RadioGroup3, Button1,
                                                       Button2, Button4, Button9, Button10, BBImp, BBConf_Imp,
                                                       BBText, BBApercu, BB_toolN, BBCoefDate})
        w->setEnabled(false);
    StringGrid1->modele()->setEditable(false);
    P_Notes->hide();
}

void TNoteForm::StringGrid1ColumnMoved(int depuis, int vers)
{
    Q_UNUSED(depuis);
    Q_UNUSED(vers);
    StringGrid1->terminerEdition();
    verrouillerApresDeplacement();
    Affiche_Coef();

    QStringList titres;
    for (int k = 1; k < StringGrid1->ColCount(); ++k)
        titres.append(StringGrid1->Cells(k, 0));
    const bool mat2 = selecteur == Selecteur::Mat2;
    QString chaines[4];
    if (!CoefsApresDeplacement(titres, mat2, periode, mat2 ? m_coef2 : m_coef1, CoefPeriode, DeuxPeriodes,
                               UneMatiere, chaines)) {
        Messages::erreur(QStringLiteral("Le titre d'une colonne ne permet pas de retrouver son devoir :\r\n"
                                        "les coefficients n'ont pas été déplacés."));
        return;
    }
    QString dates[4];
    DatesApresDeplacement(titres, mat2, periode, mat2 ? m_date2 : m_date1, DatePeriode, DeuxPeriodes,
                          UneMatiere, dates);
    for (int p = 1; p <= 3; ++p) {
        CoefsGrille[p] = chaines[p];
        DatesGrille[p] = dates[p];
    }
    // The class figures and reports follow the marks into their new places at once.
    DecoderCoefs(CoefsGrille, UneMatiere, CoefMat1, CoefMat2);
    DecoderDates(DatesGrille, UneMatiere, DateMat1, DateMat2);

    Get_Donnees();
    Put_Result();
    EnregistrementNecessaire = true;
    CoefsDeplaces = true;
    m_modifHorsHistorique = true;
    viderHistorique();
}

void TNoteForm::Button9Click()
{
    StringGrid1->terminerEdition();
    if (Garde->lectureSeule())
        return;
    const int row = StringGrid1->Row();
    if (vue != Vue::Appreciations || row < 1 || row >= StringGrid1->RowCount())
        return;
    const QString nom = StringGrid1->Cells(0, row);
    const double note = TexteEnNote(StringGrid1->Cells(1, row));
    TApprForm &expert = SurDemande(ApprForm);
    expert.preparer(nom, note, periode);
    expert.exec();
    const QString choisie = expert.appreciationChoisie();
    if (choisie.isEmpty())
        return;
    const QString ancienne = StringGrid1->Cells(2, row);
    debutModification();
    StringGrid1->setCells(2, row, choisie);
    if (choisie.left(80) != ancienne.left(80))
        EnregistrementNecessaire = true;
    Get_Donnees();
    finModification(QStringLiteral("appréciation de l'expert") + nomEtape(0, row));
}

// --- Undo and redo ----------------------------------------------------------

void TNoteForm::debutModification()
{
    m_historique->debut();
}

void TNoteForm::finModification(const QString &libelle)
{
    m_historique->fin(libelle);
}

// " (Hist 1-3, BÉNARD Marie-Hélène)": the column's title and the student's
// name, either left out when col or row is 0.
QString TNoteForm::nomEtape(int col, int row) const
{
    QStringList l;
    if (col > 0 && col < StringGrid1->ColCount())
        l << StringGrid1->Cells(col, 0).trimmed();
    if (row > 0 && row < StringGrid1->RowCount())
        l << StringGrid1->Cells(0, row);
    return l.isEmpty() ? QString() : QStringLiteral(" (") + l.join(QStringLiteral(", ")) + u')';
}

void TNoteForm::viderHistorique()
{
    m_historique->vider();
    majDrapeau();
}

void TNoteForm::Annuler()
{
    StringGrid1->terminerEdition();
    if (!ApresClassement)
        m_historique->annuler();
}

void TNoteForm::Retablir()
{
    StringGrid1->terminerEdition();
    if (!ApresClassement)
        m_historique->retablir();
}

void TNoteForm::historiqueDeplace()
{
    // Unsaved exactly while the model differs from what was last saved.
    EnregistrementNecessaire = !m_historique->enregistre() || m_modifHorsHistorique;
    majDrapeau();
}

void TNoteForm::majDrapeau()
{
    Image1->setVisible(EnregistrementNecessaire);
    m_historique->majBoutons(!ApresClassement);
    Garde->changement();
}
