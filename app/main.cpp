// Start-up: the main menu first, shown at once, then every other window,
// created once and hidden until a command opens it.
#include "apform.h"
#include "applicationvestrel.h"
#include "apprform.h"
#include "coefform.h"
#include "confform.h"
#include "etatui.h"
#include "instance.h"
#include "lignecommande.h"
#include "menuform.h"
#include "messages.h"
#include "noteform.h"
#include "pourcentform.h"
#include "sauvform.h"

#include <QLibraryInfo>
#include <QTimer>
#include <QTranslator>

#include <cstdio>

namespace {

// For the start-up benchmark only: report once the main window has been
// painted, then leave.
class MesureDemarrage : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *objet, QEvent *e) override
    {
        if (e->type() == QEvent::Paint && !m_fait) {
            m_fait = true;
            QTimer::singleShot(0, qApp, [] {
                std::fputs("fenetre affichee\n", stdout);
                std::fflush(stdout);
                QCoreApplication::quit();
            });
        }
        return QObject::eventFilter(objet, e);
    }

private:
    bool m_fait = false;
};

} // namespace

int main(int argc, char **argv)
{
    ApplicationVestrel app(argc, argv);
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

    InstallerBulles();

    MenuForm = new TMenuForm;
    QApplication::setWindowIcon(MenuForm->windowIcon());
    QObject::connect(&OnlyOne1, &TOnlyOne::activationDemandee, MenuForm,
                     [] { AmenerAuPremierPlan(MenuForm); });
    if (!ligne.classe.isEmpty())
        MenuForm->definirArgument(ligne.classe);
    if (qEnvironmentVariableIsSet("VESTREL_BENCH_DEMARRAGE"))
        MenuForm->installEventFilter(new MesureDemarrage(MenuForm));
    // Shown before the others exist: they read the colour depth it measures.
    MenuForm->show();

    NoteForm = new TNoteForm(MenuForm);
    ConfForm = new TConfForm(MenuForm);
    CoefForm = new TCoefForm(MenuForm);
    ApprForm = new TApprForm(MenuForm);
    PourcentForm = new TPourcentForm(MenuForm);
    SauvForm = new TSauvForm(MenuForm);
    ApForm = new TApForm(MenuForm);

    const int code = QApplication::exec();

    // The mark-entry window writes the application settings as it goes.
    delete ApForm;
    delete SauvForm;
    delete PourcentForm;
    delete ApprForm;
    delete CoefForm;
    delete ConfForm;
    delete NoteForm;
    ApForm = nullptr;
    SauvForm = nullptr;
    PourcentForm = nullptr;
    ApprForm = nullptr;
    CoefForm = nullptr;
    ConfForm = nullptr;
    NoteForm = nullptr;
    delete MenuForm;
    MenuForm = nullptr;
    return code;
}
