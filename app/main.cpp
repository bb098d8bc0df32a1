// Start-up: the main menu, shown at once; every other window is built the
// first time it opens.
#include "app/lignecommande.h"
#include "platform/gui/instance.h"
#include "platform/gui/polices.h"
#include "ui/components/applicationvestrel.h"
#include "ui/components/messages.h"
#include "ui/menu/demarrage.h"
#include "ui/menu/menuform.h"

#include <QLibraryInfo>
#include <QTranslator>

int main(int argc, char **argv)
{
    PrechauffagePolices polices;
    ApplicationVestrel app(argc, argv);
    polices.attendre(); // read meanwhile; nothing has measured a text yet
    QCoreApplication::setApplicationName(Messages::titreProgramme());

    // Qt's own buttons and dialogs in French.
    QTranslator traductionQt;
    if (traductionQt.load(QStringLiteral("qtbase_fr"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&traductionQt);

    const LigneCommande ligne = PreparerDemarrage(QCoreApplication::arguments());
    if (ligne.fin)
        return ligne.code;

    TOnlyOne OnlyOne1(Messages::titreProgramme());
    if (OnlyOne1.autreCopie())
        return 0;

    TMenuForm *menu = Demarrer(ligne.classe);
    QObject::connect(&OnlyOne1, &TOnlyOne::activationDemandee, menu, [menu] { AmenerAuPremierPlan(menu); });

    const int code = QApplication::exec();
    Terminer();
    return code;
}
