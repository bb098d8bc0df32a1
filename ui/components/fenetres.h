#pragma once
// The program's windows: each is built the first time it is opened, then kept,
// hidden between uses, until the end of the run. Building them all at start
// would delay the first paint of the main window.
#include <QObject>
#include <QWidget>

#include <functional>
#include <utility>

namespace Fenetres {

// The window that owns the others (the main menu); none: they stand alone.
void definirProprietaire(QWidget *w);
QWidget *proprietaire();

// Remembers how to destroy a window built by SurDemande(), in building order.
void retenir(std::function<void()> detruire);

// Destroys every window built by SurDemande(), the last built first, and empties
// their pointers. The mark-entry window writes the application settings then.
void detruireTout();

// Calls fait once, just after w's first paint has gone to the screen.
void apresPremierePeinture(QWidget *w, std::function<void()> fait);

// How many windows SurDemande() has built since the start (or the last detruireTout()).
int nombreConstruites();

} // namespace Fenetres

// The window *globale points to, built on first use with the main menu as
// owner. The pointer is emptied whenever that window goes.
template <class F> F &SurDemande(F *&globale)
{
    if (!globale) {
        F *f = new F(Fenetres::proprietaire());
        globale = f;
        F **adresse = &globale;
        QObject::connect(f, &QObject::destroyed, [adresse, f] {
            if (*adresse == f)
                *adresse = nullptr;
        });
        Fenetres::retenir([adresse, f] {
            if (*adresse == f)
                delete std::exchange(*adresse, nullptr);
        });
    }
    return *globale;
}
