// Saving, leaving the window, printing and previewing the report of the view.
#include "ui/marks/noteform.h"

#include "classdata/classe.h"
#include "classdata/options.h"
#include "platform/respiration.h"
#include "reports/rapport.h"
#include "ui/components/fenetres.h"
#include "ui/components/imprimantes.h"
#include "ui/components/messages.h"
#include "ui/marks/barrenotes.h"
#include "ui/marks/gardeclasse.h"
#include "ui/marks/grillevue.h"
#include "ui/marks/panneauexport.h"
#include "ui/preview/apform.h"
#include "ui/preview/impression.h"

#include "ui/marks/historique.h"
#include <QKeyEvent>
#include <QPrinter>
#include <QTimer>

namespace {

const QString ErreurImpression = QStringLiteral("Erreur d'impression");

} // namespace

bool TNoteForm::Button5Click()
{
    StringGrid1->terminerEdition();
    if (!Garde->avantEnregistrement())
        return false;
    // Moved columns carry their coefficients and dates: the marks and the settings are
    // then written together, both or neither.
    const ResultatEcriture r =
        CoefsDeplaces ? EcrireClasseEtCoefDates(CoefsGrille, DatesGrille) : EcrireClasse();
    if (r.etat == EtatEcriture::Vide) {
        // Nothing to write is not a failure; moved coefficients and dates are still saved.
        Messages::information(r.message);
        const QString message = CoefsDeplaces ? EcrireCoefDatesAvec(CoefsGrille, DatesGrille) : QString();
        if (!message.isEmpty()) {
            Messages::rapportErreur(message);
            return false;
        }
    } else if (r.etat != EtatEcriture::Ecrit) {
        // The teacher must know that nothing reached the disk.
        Messages::rapportErreur(r.message);
        return false;
    }
    Garde->apresEnregistrement();
    if (CoefsDeplaces) {
        CoefsDeplaces = false;
        for (int p = 1; p <= NbPeriodes(); ++p) {
            CoefPeriode[p] = CoefsGrille[p];
            DatePeriode[p] = DatesGrille[p];
        }
    }
    m_modifHorsHistorique = false;
    m_historique->marquerEnregistre();
    EnregistrementNecessaire = false;
    majDrapeau();
    return true;
}

void TNoteForm::Button6Click()
{
    StringGrid1->terminerEdition();
    if (EnregistrementNecessaire) {
        const int r =
            Messages::erreur(QStringLiteral("Le fichier a été modifié et n'a pas été enregistré !\r\n"
                                            "       Voulez vous l'enregistrer maintenant ?"),
                             BoutonOui | BoutonNon);
        if (r == BoutonOui) {
            // A failed save keeps the window open: nothing typed is thrown away.
            if (!Button5Click())
                return;
        } else {
            EnregistrementNecessaire = false;
        }
    }
    Garde->fermer();
    ViderClasse();
    CoefsDeplaces = false;
    WinPanel1->hide();
    P_Notes->hide();
    Timer1->stop();
    viderHistorique();
    m_fermetureAutorisee = true;
    done(QDialog::Accepted);
}

void TNoteForm::reject()
{
    if (m_fermetureAutorisee) {
        QDialog::reject();
        return;
    }
    StringGrid1->terminerEdition();
    P_Notes->hide();
    if (EnregistrementNecessaire) {
        Messages::avertissement(QStringLiteral("Le fichier a été modifié et n'a pas été enregistré !\r\n"
                                               "    les données saisies pourraient être perdues !\r\n"
                                               "          Il faut sortir par QUITTER"));
        return;
    }
    Garde->fermer();
    ViderClasse();
    CoefsDeplaces = false;
    WinPanel1->hide();
    Timer1->stop();
    viderHistorique();
    m_fermetureAutorisee = true;
    QDialog::reject();
}

void TNoteForm::keyPressEvent(QKeyEvent *e)
{
    // Escape closes the export panel, never the window.
    if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
        if (WinPanel1->isVisible())
            BBAbandonClick();
        e->accept();
        return;
    }
    QDialog::keyPressEvent(e);
}

void TNoteForm::BBTextClick()
{
    P_Notes->hide();
    StringGrid1->terminerEdition();
    WinPanel1->ouvrir(vue);
}

void TNoteForm::BBOkClick()
{
    WinPanel1->BBOkClick();
}

void TNoteForm::BBAbandonClick()
{
    WinPanel1->BBAbandonClick();
}

EntreesRapport TNoteForm::entreesRapport() const
{
    EntreesRapport e = EntreesDepuisClasse(vue, periode, selecteur);
    e.entreEleves = Respiration();
    return e;
}

void TNoteForm::BBImpClick()
{
    P_Notes->hide();
    StringGrid1->terminerEdition();
    // A report is written while pending events run: one at a time.
    if (RapportEnCours()) {
        Messages::bip();
        return;
    }
    const EntreesRapport e = entreesRapport();
    if (VersApercu) {
        QString raison;
        if (!EcrireRapportApercu(e, &raison)) {
            // Why the report file could not be written (a full disk...).
            Messages::erreur(raison.isEmpty() ? ErreurImpression
                                              : ErreurImpression + QStringLiteral("\r\n") + raison + u'.');
            return;
        }
        SurDemande(ApForm).exec();
        return;
    }
    if (!ImprimerRapport(e))
        Messages::erreur(ErreurImpression);
}

void TNoteForm::BBApercuClick()
{
    P_Notes->hide();
    VersApercu = true;
    BBImpClick();
    VersApercu = false;
}

void TNoteForm::BBConf_ImpClick()
{
    P_Notes->hide();
    StringGrid1->terminerEdition();
    if (RapportEnCours()) {
        Messages::bip();
        return;
    }
    QPrinter imprimante(QPrinter::HighResolution);
    if (!Imprimantes::dialogue(imprimante, QString(), this))
        return;
    const int copies = qMax(1, imprimante.copyCount());
    const QString fichier = imprimante.outputFileName();
    const EntreesRapport e = entreesRapport();
    for (int n = 1; n <= copies; ++n) {
        // One job per copy, each of a single copy.
        imprimante.setCopyCount(1);
        if (!fichier.isEmpty())
            imprimante.setOutputFileName(Imprimantes::fichierDeCopie(fichier, n));
        if (!ImprimerRapport(e, &imprimante)) {
            Messages::erreur(ErreurImpression);
            break;
        }
    }
    imprimante.setPageOrientation(QPageLayout::Portrait);
}
