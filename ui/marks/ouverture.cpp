// Opening the window on the class just loaded: its state, the period of
// today's month, the grid, the figures.
#include "ui/marks/noteform.h"

#include "classdata/classe.h"
#include "classdata/options.h"
#include "classdata/parametres.h"
#include "platform/cp1252.h"
#include "platform/horloge.h"
#include "reports/reglesnotes.h"
#include "ui/components/radiogroupe.h"
#include "ui/marks/barrenotes.h"
#include "ui/marks/gardeclasse.h"
#include "ui/marks/grillevue.h"
#include "ui/marks/panneauexport.h"
#include "ui/marks/panneauresultats.h"
#include "ui/marks/peinture.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QTimer>

void TNoteForm::EcrireNoms()
{
    QStringList noms;
    noms.reserve(NbEleves());
    for (const StudentRecord &e : std::as_const(ListeEleves))
        noms.append(NomAffiche(e));
    StringGrid1->modele()->definirNoms(noms);
}

void TNoteForm::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    if (e->spontaneous())
        return;
    // Centred on the screen each time it opens.
    if (!isMaximized()) {
        if (QScreen *ecran = screen()) {
            QRect g = geometry();
            g.moveCenter(ecran->availableGeometry().center());
            move(g.topLeft() - (geometry().topLeft() - pos()));
        }
    }
    FormShow();
    Timer1->start();
}

void TNoteForm::resizeEvent(QResizeEvent *e)
{
    QDialog::resizeEvent(e);
    FormResize();
}

void TNoteForm::FormShow()
{
    EnAffichage = true;
    m_fermetureAutorisee = false;
    m_verrouille = false;
    m_modifHorsHistorique = false;
    viderHistorique();
    P_Notes->ancrer(QPoint(27, 0));
    P_Notes->hide();
    WinPanel1->hide();
    StringGrid1->move(8, 66);
    CheckBox2->setChecked(AfficherBulles);
    BB_toolN->setEnabled(true);
    BBCoefDate->setEnabled(true);
    RadioGroup1->setEnabled(true);
    RadioGroup2->setEnabled(true);
    RadioGroup3->setEnabled(true);
    vue = Vue::Notes;
    m_delegue->vue = vue;
    m_delegue->longueurMax = 0;
    memoriserCoefs();

    Label1->setText(MajusculesCp1252(NomClasse));
    Label16->setText(QString::number(NbEleves()));
    RadioGroup2->setItem(0, LibelleMat1 + u'.');
    RadioGroup2->setItem(1, LibelleMat2 + u'.');
    RadioGroup2->setVisible(!UneMatiere);
    Panel1->show();
    Panel2->hide();
    Panel1->setLibelle(LibelleMat1);
    if (!UneMatiere)
        Panel2->setLibelle(LibelleMat2);
    RadioGroup3->setVisible(DeuxPeriodes);
    RadioGroup1->setVisible(!DeuxPeriodes);
    RadioGroup1->setTitle(DeuxPeriodes ? QStringLiteral("Semestre") : QStringLiteral("Trimestre"));
    RadioGroup3->setTitle(RadioGroup1->title());
    setWindowTitle(QStringLiteral("Gestion des notes"));
    ApresClassement = false;
    StringGrid1->modele()->setEditable(true);
    StringGrid1->modele()->setColonnesFixes(0);
    StringGrid1->setColonnesGelees(0);
    for (QPushButton *b :
         {Button1, Button2, Button4, Button7, Button10, Button5, BBImp, BBConf_Imp, BBText, BBApercu})
        b->setEnabled(true);
    Button9->setEnabled(false);

    // The grid: names in column 0, then the period of today's month.
    selecteur = Selecteur::Mat1;
    StringGrid1->modele()->remplir(ConstruireGrille(Vue::Liste, 1, Selecteur::Mat1).lignes, false);
    EcrireNoms();
    const int mois = Aujourdhui().month();
    if (DeuxPeriodes) {
        RadioGroup3->setItemIndex(PeriodeDuMois(true, mois) - 1);
        RadioGroup3Click();
    } else {
        RadioGroup1->setItemIndex(PeriodeDuMois(false, mois) - 1);
        RadioGroup1Click();
    }
    if (!UneMatiere) {
        RadioGroup2->setItemIndex(0);
        RadioGroup2Click();
    }
    selecteur = Selecteur::Mat1;
    Set_Donnees();
    appliquerLargeurs();
    StringGrid1->setCourante(1, 1);
    EnregistrementNecessaire = false;
    Put_Result();
    Label17->setText(DateCourte(Aujourdhui()));
    Label18->setText(HeureCourte(Maintenant().time()));
    menuAttache(true);
    Affiche_Panel_Coef(true);
    Affiche_Coef();
    deplacementColonnes();
    EnAffichage = false;
    Button8->setEnabled(Devoir_Deja_Note());
    BBPourcent->setEnabled(false);
    FormResize();
    majDrapeau();
    Garde->ouvrir();
}
