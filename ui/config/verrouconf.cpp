// The class being modified is locked against other copies of the program,
// and never written over what another copy saved without asking.
#include "ui/components/radiogroupe.h"
#include "ui/config/confform.h"

#include "classdata/classe.h"
#include "classdata/verrouclasse.h"
#include "platform/dossier.h"
#include "ui/coefficients/spinfleches.h"
#include "ui/components/reservation.h"
#include "ui/config/champsconf.h"

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
    for (QWidget *w :
         std::initializer_list<QWidget *>{B2, B3, B4, B5, B6, BImporter, E2, E3, M4, M5, RG3, SpinEdit1})
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
    AvantEcriture avant = VerifierAvantEcriture(NomFichier, NomClasse);
    if (avant.suite != AvantEcriture::AutreNom)
        return avant.suite == AvantEcriture::Ecrire;
    // From now on the dialog modifies the new class; the old one keeps what the other copy wrote.
    const QString nom = avant.nouveauNom;
    m_verrou = std::move(avant.nouveauVerrou);
    NomFichier = nom + QStringLiteral(".VTC");
    NomClasse = nom;
    E1->setText(nom);
    setWindowTitle(QStringLiteral("Modification du fichier ") + NomClasse);
    return true;
}
