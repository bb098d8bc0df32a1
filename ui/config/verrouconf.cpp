// The class being modified is locked against other copies of the program,
// and never written over what another copy saved without asking.
#include "confform.h"

#include "champsconf.h"
#include "classe.h"
#include "dossier.h"
#include "empreinte.h"
#include "messages.h"
#include "reservation.h"
#include "spinfleches.h"
#include "verrouclasse.h"

#include <QPushButton>

namespace {
const QString SuffixeTitre = QStringLiteral(" — lecture seule");
}

void TConfForm::reserver()
{
    m_verrou = std::make_unique<VerrouClasse>(CheminProgramme(NomFichier));
    if (ReserverClasse(*m_verrou, NomClasse) == Acces::LectureSeule) {
        m_verrou.reset();
        lectureSeule(true);
    }
}

void TConfForm::liberer()
{
    m_verrou.reset();
}

void TConfForm::lectureSeule(bool oui)
{
    m_lectureSeule = oui;
    for (QWidget *w : std::initializer_list<QWidget *>{B2, B3, B4, B5, B6, BImporter, E2, E3, M4, M5, RG3, SpinEdit1})
        w->setEnabled(!oui);
    QString titre = windowTitle();
    if (titre.endsWith(SuffixeTitre))
        titre.chop(SuffixeTitre.size());
    setWindowTitle(oui ? titre + SuffixeTitre : titre);
}

bool TConfForm::avantEcriture()
{
    if (m_lectureSeule)
        return false;
    if (!FichierChangeDepuisChargement(CheminProgramme(NomFichier)))
        return true;
    switch (DemanderFichierChange(NomFichier)) {
    case ChoixFichierChange::Remplacer:
        return true;
    case ChoixFichierChange::Annuler:
        return false;
    case ChoixFichierChange::AutreNom:
        break;
    }
    const QString nom = DemanderAutreNom(NomClasse);
    if (nom.isEmpty())
        return false;
    auto verrou = std::make_unique<VerrouClasse>(CheminProgramme(nom + QStringLiteral(".VTC")));
    if (verrou->prendre() != VerrouClasse::Etat::Pris) {
        Messages::erreur(QStringLiteral("Le fichier ") + nom + QStringLiteral(".VTC est déjà utilisé : choisissez un autre nom."));
        return false;
    }
    // From now on the dialog modifies the new class; the old one keeps what the other copy wrote.
    m_verrou = std::move(verrou);
    NomFichier = nom + QStringLiteral(".VTC");
    NomClasse = nom;
    E1->setText(nom);
    setWindowTitle(QStringLiteral("Modification du fichier ") + NomClasse);
    return true;
}
