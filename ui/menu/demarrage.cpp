#include "ui/menu/demarrage.h"

#include "classdata/parametres.h"
#include "platform/recents.h"
#include "ui/components/etatui.h"
#include "ui/components/fenetres.h"
#include "ui/menu/menuform.h"

#include <QApplication>

TMenuForm *Demarrer(const QString &classe)
{
    LireParametres();
    InstallerBulles();
    DiffererDocumentsRecents(true);
    MenuForm = new TMenuForm(
        nullptr, classe.isEmpty() ? TMenuForm::Contenu::Immediat : TMenuForm::Contenu::AuPremierAffichage);
    QApplication::setWindowIcon(MenuForm->windowIcon());
    Fenetres::definirProprietaire(MenuForm);
    MenuForm->demarrer(classe);
    return MenuForm;
}

void Terminer()
{
    Fenetres::detruireTout();
    delete MenuForm;
    MenuForm = nullptr;
    Fenetres::definirProprietaire(nullptr);
    EcrireDocumentsRecentsEnAttente();
}
