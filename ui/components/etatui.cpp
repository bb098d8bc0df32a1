#include "ui/components/etatui.h"

#include "classdata/parametres.h"

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

// Keeps a status line at the bottom of its parent, as high as its text needs.
class PlaceurLigne : public QObject {
public:
    explicit PlaceurLigne(LigneEtat *ligne)
        : QObject(ligne)
        , m_ligne(ligne)
    {
        ligne->parentWidget()->installEventFilter(this);
    }

    void placer()
    {
        QWidget *parent = m_ligne->parentWidget();
        const int largeur = parent->width();
        const int hauteur =
            qMin(parent->height(), qMax(m_ligne->minimumHeight(), m_ligne->heightForWidth(largeur)));
        m_ligne->setGeometry(0, parent->height() - hauteur, largeur, hauteur);
        m_ligne->raise();
    }

protected:
    // A label whose text changed asks its parent to lay it out again.
    bool eventFilter(QObject *objet, QEvent *e) override
    {
        if (objet == m_ligne->parentWidget()
            && (e->type() == QEvent::LayoutRequest || e->type() == QEvent::Resize))
            placer();
        return false;
    }

private:
    LigneEtat *m_ligne;
};

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
        default: break;
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

void LigneEtatExtensible(LigneEtat *ligne)
{
    const int hauteur = ligne->height();
    ligne->setWordWrap(true);
    ligne->setMinimumHeight(hauteur);
    ligne->setMaximumHeight(QWIDGETSIZE_MAX);
    (new PlaceurLigne(ligne))->placer();
}

void BullesDeContenu(QWidget *w)
{
    w->setProperty(PROPRIETE_CONTENU, true);
}
