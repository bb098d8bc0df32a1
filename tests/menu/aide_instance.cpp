// A stand-in for the program in the single-instance test: runs the guard
// under the title given as argument, reports what it found on its standard
// output, and as a first copy shows a minimised window that a later copy
// must bring back.
#include "platform/gui/instance.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <cstdio>

static void dire(const char *texte)
{
    std::printf("%s\n", texte);
    std::fflush(stdout);
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QString titre = QCoreApplication::arguments().value(1);
    TOnlyOne garde(titre);
    if (garde.autreCopie()) {
        dire("autre");
        return 0;
    }
    QWidget fenetre;
    fenetre.setWindowTitle(titre);
    fenetre.resize(200, 100);
    fenetre.showMinimized();
    QObject::connect(&garde, &TOnlyOne::activationDemandee, &fenetre, [&] {
        AmenerAuPremierPlan(&fenetre);
        dire(fenetre.isMinimized() ? "activee minimisee" : "activee restauree");
    });
    dire("premier");
    // Ends by itself if the test forgets it.
    QTimer::singleShot(60000, &app, &QCoreApplication::quit);
    return app.exec();
}
