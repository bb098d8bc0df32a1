#include "demarrage.h"

#include "etatui.h"
#include "fenetres.h"
#include "menuform.h"
#include "parametres.h"
#include "recents.h"

#include <QApplication>

TMenuForm *Demarrer(const QStringList &arguments)
{
    LireParametres();
    InstallerBulles();
    DiffererDocumentsRecents(true);
    MenuForm = new TMenuForm;
    QApplication::setWindowIcon(MenuForm->windowIcon());
    Fenetres::definirProprietaire(MenuForm);
    if (arguments.size() > 1)
        MenuForm->definirArgument(arguments.at(1));
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
