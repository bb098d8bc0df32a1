#include "demarrage.h"

#include "etatui.h"
#include "fenetres.h"
#include "menuform.h"
#include "parametres.h"
#include "recents.h"

#include <QApplication>

TMenuForm *Demarrer(const QString &classe)
{
    LireParametres();
    InstallerBulles();
    DiffererDocumentsRecents(true);
    MenuForm = new TMenuForm;
    QApplication::setWindowIcon(MenuForm->windowIcon());
    Fenetres::definirProprietaire(MenuForm);
    if (!classe.isEmpty())
        MenuForm->definirArgument(classe);
    MenuForm->show();
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
