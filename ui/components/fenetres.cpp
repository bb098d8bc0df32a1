#include "ui/components/fenetres.h"

#include <QEvent>
#include <QList>
#include <QPointer>
#include <QTimer>

namespace {

// Waits for the window's first paint event; the paint and its flush end
// before the queued call runs.
class GuetPeinture : public QObject {
public:
    GuetPeinture(QWidget *w, std::function<void()> fait)
        : QObject(w)
        , m_fait(std::move(fait))
    {
        w->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *o, QEvent *e) override
    {
        if (e->type() == QEvent::Paint && o == parent()) {
            o->removeEventFilter(this);
            QTimer::singleShot(0, o, std::move(m_fait));
            deleteLater();
        }
        return false;
    }

private:
    std::function<void()> m_fait;
};

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

void apresPremierePeinture(QWidget *w, std::function<void()> fait)
{
    new GuetPeinture(w, std::move(fait));
}

int nombreConstruites()
{
    return g_construites;
}

} // namespace Fenetres
