#include "ui/components/fenetres.h"

#include <QList>
#include <QPointer>

namespace {

QPointer<QWidget> g_proprietaire;
QList<std::function<void()>> g_destructions;
int g_construites = 0;

} // namespace

namespace Fenetres {

void definirProprietaire(QWidget *w)
{
    g_proprietaire = w;
}

QWidget *proprietaire()
{
    return g_proprietaire;
}

void retenir(std::function<void()> detruire)
{
    ++g_construites;
    g_destructions.append(std::move(detruire));
}

void detruireTout()
{
    // Taken out first: a window going may open nothing, but must not see a
    // half-emptied list.
    const QList<std::function<void()>> a = std::exchange(g_destructions, {});
    for (auto it = a.crbegin(); it != a.crend(); ++it)
        (*it)();
    g_construites = 0;
}

int nombreConstruites()
{
    return g_construites;
}

} // namespace Fenetres
