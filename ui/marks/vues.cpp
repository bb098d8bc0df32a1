// The three views, the period and subject selectors, the coefficient strip,
// the one-second timer and the window's geometry.
#include "ui/marks/noteform.h"

#include "classdata/classe.h"
#include "classdata/options.h"
#include "classdata/parametres.h"
#include "classdata/texte.h"
#include "platform/horloge.h"
#include "ui/coefficients/coefform.h"
#include "ui/components/fenetres.h"
#include "ui/components/radiogroupe.h"
#include "ui/marks/bandeaucoefs.h"
#include "ui/marks/barrenotes.h"
#include "ui/marks/gardeclasse.h"
#include "ui/marks/grillevue.h"
#include "ui/marks/panneauresultats.h"
#include "ui/marks/peinture.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>

void TNoteForm::Button1Click()
{
    P_Notes->hide();
    setWindowTitle(QStringLiteral("Gestion des notes"));
    vue = Vue::Notes;
    for (QPushButton *b : {Button7, Button8, Button5, BBImp, BBConf_Imp, Button10})
        b->setEnabled(true);
    Button9->setEnabled(false);
    Set_Donnees();
    StringGrid1->modele()->setColonnesFixes(0);
    StringGrid1->setColonnesGelees(0);
    StringGrid1->modele()->setEditable(true);
    menuAttache(true);
    deplacementColonnes();
    Affiche_Panel_Coef(true);
    Affiche_Coef();
    Garde->appliquer();
}

void TNoteForm::Button2Click()
{
    P_Notes->hide();
    setWindowTitle(QStringLiteral("Gestion des appréciations"));
    Affiche_Panel_Coef(false);
    Button7->setEnabled(false);
    Button8->setEnabled(false);
    for (QPushButton *b : {Button5, BBImp, BBConf_Imp, Button9, Button10})
        b->setEnabled(true);
    vue = Vue::Appreciations;
    StringGrid1->modele()->setColonnesFixes(1);
    StringGrid1->setColonnesGelees(1);
    StringGrid1->modele()->setEditable(true);
    menuAttache(false);
    deplacementColonnes();
    Set_Donnees();
    Garde->appliquer();
}

void TNoteForm::Button4Click()
{
    P_Notes->hide();
    setWindowTitle(QStringLiteral("Liste des élèves"));
    Affiche_Panel_Coef(false);
    StringGrid1->modele()->setEditable(false);
    for (QPushButton *b : {Button7, Button8, Button5, Button9, Button10})
        b->setEnabled(false);
    BBImp->setEnabled(true);
    BBConf_Imp->setEnabled(true);
    vue = Vue::Liste;
    StringGrid1->setColonnesGelees(0);
    deplacementColonnes();
    // Two columns, the second one empty, title included.
    StringGrid1->terminerEdition();
    m_delegue->vue = vue;
    StringGrid1->modele()->remplir(ConstruireGrille(Vue::Liste, periode, selecteur).lignes, true);
    appliquerLargeurs();
    menuAttache(false);
}

void TNoteForm::RadioGroup1Click()
{
    const int i = RadioGroup1->itemIndex();
    periode = i == 3 ? Annee : qBound(1, i + 1, 3);
    rafraichirApresSelection();
}

void TNoteForm::RadioGroup3Click()
{
    const int i = RadioGroup3->itemIndex();
    periode = i == 2 ? Annee : qBound(1, i + 1, 2);
    rafraichirApresSelection();
}

void TNoteForm::RadioGroup2Click()
{
    switch (RadioGroup2->itemIndex()) {
    case 1:
        selecteur = Selecteur::Mat2;
        Panel1->hide();
        Panel2->show();
        break;
    case 2:
        selecteur = Selecteur::Ensemble;
        Panel1->show();
        Panel2->show();
        break;
    default:
        selecteur = Selecteur::Mat1;
        Panel1->show();
        Panel2->hide();
        break;
    }
    remplirApresChoix();
}

void TNoteForm::rafraichirApresSelection()
{
    BBPourcent->setEnabled(periode == Annee);
    remplirApresChoix();
}

// What a change of view, period or subject redoes, unless the window is
// still being opened (the opening sequence does it in its own order).
void TNoteForm::remplirApresChoix()
{
    deplacementColonnes();
    if (EnAffichage)
        return;
    Set_Donnees();
    Put_Result();
    Affiche_Coef();
    Button8->setEnabled(vue == Vue::Notes && Devoir_Deja_Note());
}

void TNoteForm::deplacementColonnes()
{
    StringGrid1->horizontalHeader()->setSectionsMovable(vue == Vue::Notes && selecteur != Selecteur::Ensemble
                                                        && !ApresClassement && !Garde->lectureSeule());
}

void TNoteForm::menuAttache(bool oui)
{
    m_menuAttache = oui;
    if (oui) {
        for (QAction *a : {Rsultatsdudevoir1, Augmenterde11, Diminuerde11, Supprimertouteslesnotes1})
            a->setEnabled(true);
    }
    StringGrid1->setContextMenuPolicy(oui ? Qt::CustomContextMenu : Qt::NoContextMenu);
}

void TNoteForm::appliquerLargeurs()
{
    QHeaderView *h = StringGrid1->horizontalHeader();
    // Widths include the one-pixel grid line.
    switch (vue) {
    case Vue::Notes: h->setDefaultSectionSize(49); break;
    case Vue::Appreciations:
        if (h->count() >= 2) {
            h->resizeSection(0, 34);
            h->resizeSection(1, 496);
        }
        break;
    case Vue::Liste:
        if (h->count() >= 1)
            h->resizeSection(0, 423);
        break;
    }
}

void TNoteForm::Affiche_Panel_Coef(bool visible)
{
    Panel_coef->suivre(*StringGrid1);
    Panel_coef->setVisible(visible);
}

bool TNoteForm::colonneMat2(int col) const
{
    switch (selecteur) {
    case Selecteur::Mat1: return false;
    case Selecteur::Mat2: return true;
    case Selecteur::Ensemble: break;
    }
    return col > StringGrid1->ColCount() / 2;
}

void TNoteForm::memoriserCoefs()
{
    std::copy(&CoefMat1[0][0], &CoefMat1[0][0] + 4 * 17, &m_coef1[0][0]);
    std::copy(&CoefMat2[0][0], &CoefMat2[0][0] + 4 * 17, &m_coef2[0][0]);
    std::copy(&DateMat1[0][0], &DateMat1[0][0] + 4 * 17, &m_date1[0][0]);
    std::copy(&DateMat2[0][0], &DateMat2[0][0] + 4 * 17, &m_date2[0][0]);
}

int TNoteForm::CoefColonne(int col) const
{
    const auto pd = PeriodeEtDevoir(StringGrid1->Cells(col, 0));
    if (!pd)
        return -1;
    return colonneMat2(col) ? m_coef2[pd->periode][pd->devoir] : m_coef1[pd->periode][pd->devoir];
}

QString TNoteForm::DateColonne(int col) const
{
    const auto pd = PeriodeEtDevoir(StringGrid1->Cells(col, 0));
    if (!pd)
        return {};
    const QString d = colonneMat2(col) ? m_date2[pd->periode][pd->devoir] : m_date1[pd->periode][pd->devoir];
    return d.trimmed().isEmpty() ? QStringLiteral("--/--") : d;
}

// Also after every scroll, resize or column move: the labels are laid again.
void TNoteForm::Affiche_Coef()
{
    if (vue == Vue::Notes)
        Panel_coef->afficher(*StringGrid1, [this](int col) { return CoefColonne(col); });
}

void TNoteForm::BBCoefDateClick()
{
    if (Garde->lectureSeule())
        return;
    P_Notes->hide();
    StringGrid1->terminerEdition();
    SurDemande(CoefForm).exec();
    RelireCoefDates();
    DecoderCoefDates();
    memoriserCoefs();
    Affiche_Coef();
    Put_Result();
}

void TNoteForm::BB_toolNClick()
{
    P_Notes->setVisible(!P_Notes->isVisible());
    if (P_Notes->isVisible())
        P_Notes->raise();
}

void TNoteForm::CheckBox2Click()
{
    AfficherBulles = CheckBox2->isChecked();
}

void TNoteForm::Timer1Timer()
{
    Label18->setText(HeureCourte(Maintenant().time()));
    Image1->setVisible(EnregistrementNecessaire);
    Garde->veille();
    QString bulle;
    if (vue == Vue::Notes && !ApresClassement && Devoir_Deja_Note())
        bulle = QStringLiteral("Bouton gauche : choisir cellule, déplacer colonne, (dbl-click : "
                               "résultat élève) / Bouton droit : modifier notes");
    else if (vue == Vue::Appreciations)
        bulle = QStringLiteral("Double-cliquez, dans la colonne Appréciation, sur la ligne voulue, "
                               "pour charger l'expert");
    StringGrid1->setToolTip(bulle);
}

void TNoteForm::FormResize()
{
    if (!PanelBas)
        return;
    const int h = height();
    PanelBas->setGeometry(0, h - PanelBas->height(), width(), PanelBas->height());
    const int hauteurGrille = h - PanelBas->height() - StringGrid1->y() + 1;
    const bool toutTient = (NbEleves() + 1) * 17 - 1 <= hauteurGrille + 1;
    const int largeur = toutTient ? 502 : (logicalDpiX() == 96 ? 518 : 522);
    StringGrid1->resize(largeur, hauteurGrille);
    Panel_coef->suivre(*StringGrid1);
    Affiche_Coef();
}

void TNoteForm::TailleNormaleClick()
{
    showNormal();
    resize(634, 456);
    if (QScreen *ecran = screen()) {
        QRect cadre = frameGeometry();
        cadre.moveCenter(ecran->availableGeometry().center());
        move(cadre.topLeft());
    }
}
