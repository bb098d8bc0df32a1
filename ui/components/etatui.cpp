#include "etatui.h"

#include "parametres.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QWidget>

// Until the main window measures the screen, assume a full-colour one.
int ProfondeurCouleurs = 32;

LigneEtat::LigneEtat(QWidget *parent)
    : QLabel(parent)
{
    setObjectName(QStringLiteral("StatusLine"));
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    // Opaque, so that a window's background picture stays behind it.
    setAutoFillBackground(true);
    setFixedHeight(19);
    setIndent(4);
    setTextFormat(Qt::PlainText);
}

namespace {

constexpr char PROPRIETE_CONTENU[] = "vestrelBullesDeContenu";

// The hint of a control is its own tool tip, or else the first one found
// among its parents inside the same window.
QString bulleDe(QWidget *w)
{
    for (; w; w = w->parentWidget()) {
        if (!w->toolTip().isEmpty())
            return w->toolTip();
        if (w->isWindow())
            break;
    }
    return {};
}

void afficherDansLigneEtat(QWidget *fenetre, const QString &texte)
{
    if (!fenetre)
        return;
    auto *ligne = fenetre->findChild<LigneEtat *>(QStringLiteral("StatusLine"));
    if (ligne && ligne->text() != texte)
        ligne->setText(texte);
}

class FiltreBulles : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *objet, QEvent *e) override
    {
        switch (e->type()) {
        case QEvent::ToolTip:
            // The status line still shows the hint; only the bubble is
            // suppressed. A cut text shown whole is content, not help.
            return !AfficherBulles && !objet->property(PROPRIETE_CONTENU).toBool();
        case QEvent::Enter:
            if (objet->isWidgetType()) {
                auto *w = static_cast<QWidget *>(objet);
                afficherDansLigneEtat(w->window(), bulleDe(w));
            }
            break;
        case QEvent::Leave:
            // Going back from a control to its parent brings no Enter to the parent.
            if (objet->isWidgetType()) {
                auto *w = static_cast<QWidget *>(objet);
                afficherDansLigneEtat(w->window(), w->isWindow() ? QString() : bulleDe(w->parentWidget()));
            }
            break;
        default:
            break;
        }
        return false;
    }
};

} // namespace

void InstallerBulles()
{
    static QPointer<FiltreBulles> filtre;
    if (filtre || !qApp)
        return;
    filtre = new FiltreBulles(qApp);
    qApp->installEventFilter(filtre);
}

void BullesDeContenu(QWidget *w)
{
    w->setProperty(PROPRIETE_CONTENU, true);
}
