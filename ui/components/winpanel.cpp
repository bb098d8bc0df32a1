#include "ui/components/winpanel.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QStyleOptionButton>

namespace {

constexpr int HAUTEUR_TITRE = 14;
constexpr int LARGEUR_FERMER = 12;
constexpr int HAUTEUR_FERMER = 11;

// The close button: a tiny raised square with a cross.
class BoutonCroix : public QPushButton {
public:
    explicit BoutonCroix(QWidget *parent)
        : QPushButton(parent)
    {
        setFocusPolicy(Qt::NoFocus);
        setCursor(Qt::ArrowCursor);
        setToolTip(QStringLiteral("Fermer"));
        setAccessibleName(QStringLiteral("Fermer"));
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        const QRect r = rect();
        p.fillRect(r, palette().button());
        const QColor clair = palette().light().color();
        const QColor sombre = palette().dark().color();
        const bool enfonce = isDown();
        p.setPen(enfonce ? sombre : clair);
        p.drawLine(r.topLeft(), r.topRight());
        p.drawLine(r.topLeft(), r.bottomLeft());
        p.setPen(enfonce ? clair : sombre);
        p.drawLine(r.bottomLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomRight());
        const int d = enfonce ? 1 : 0;
        p.setPen(QPen(palette().buttonText().color(), 1.4));
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF croix(3.5 + d, 2.5 + d, r.width() - 7, r.height() - 6);
        p.drawLine(croix.topLeft(), croix.bottomRight());
        p.drawLine(croix.bottomLeft(), croix.topRight());
    }
};

} // namespace

TWinPanel::TWinPanel(QWidget *parent)
    : QFrame(parent)
{
    resize(120, 80);
    m_barre = new QWidget(this);
    m_barre->setObjectName(QStringLiteral("BarreTitre"));
    m_barre->setAutoFillBackground(true);
    m_barre->setCursor(Qt::SizeAllCursor);

    m_texte = new QLabel(this);
    m_texte->setObjectName(QStringLiteral("TexteTitre"));
    QFont police(QStringLiteral("Courier New"));
    police.setStyleHint(QFont::TypeWriter);
    police.setPointSize(8);
    m_texte->setFont(police);
    m_texte->setAutoFillBackground(true);
    m_texte->setTextFormat(Qt::PlainText);
    m_texte->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_texte->setCursor(Qt::SizeAllCursor);

    m_fermer = new BoutonCroix(this);
    m_fermer->setObjectName(QStringLiteral("BoutonFermer"));
    m_fermer->resize(LARGEUR_FERMER, HAUTEUR_FERMER);
    connect(m_fermer, &QPushButton::clicked, this, &QWidget::hide);

    m_barre->installEventFilter(this);
    m_texte->installEventFilter(this);
    appliquerCouleurs();
    disposer();
}

void TWinPanel::setTitre(const QString &titre)
{
    const QString t = titre.left(255);
    if (t == m_titre)
        return;
    m_titre = t;
    m_texte->setText(t);
}

void TWinPanel::setCoulFondTitre(const QColor &c)
{
    if (c == m_coulFond)
        return;
    m_coulFond = c;
    appliquerCouleurs();
}

void TWinPanel::setCoulTitre(const QColor &c)
{
    if (c == m_coulTitre)
        return;
    m_coulTitre = c;
    appliquerCouleurs();
}

void TWinPanel::setPosTitre(Alignement a)
{
    if (a == m_pos)
        return;
    m_pos = a;
    const Qt::Alignment h = a == Droite ? Qt::AlignRight : a == Centre ? Qt::AlignHCenter : Qt::AlignLeft;
    m_texte->setAlignment(h | Qt::AlignVCenter);
}

void TWinPanel::setBordure(int b)
{
    if (b < 0)
        b = 0;
    if (b == m_bordure)
        return;
    m_bordure = b;
    disposer();
    update();
}

void TWinPanel::setBordureSimple(bool oui)
{
    if (oui == m_bordureSimple)
        return;
    m_bordureSimple = oui;
    disposer();
    update();
}

void TWinPanel::appliquerCouleurs()
{
    QPalette pb = m_barre->palette();
    pb.setColor(QPalette::Window, m_coulFond);
    m_barre->setPalette(pb);
    QPalette pt = m_texte->palette();
    pt.setColor(QPalette::Window, m_coulFond);
    pt.setColor(QPalette::WindowText, m_coulTitre);
    m_texte->setPalette(pt);
}

// Positions of the title bar, the close button and the title text; the
// single-line border takes two pixels on each side.
void TWinPanel::disposer()
{
    const int w = width();
    const int b = m_bordure;
    const int bord = m_bordureSimple ? 4 : 0;
    m_barre->setGeometry(b, b, w - 2 * b - bord, HAUTEUR_TITRE);
    m_fermer->move(w - (m_bordureSimple ? 5 : 1) - LARGEUR_FERMER - b, b + 2);
    m_texte->setGeometry(b + 2, b, w - 18 - 2 * b, HAUTEUR_TITRE);
    m_fermer->raise();
}

void TWinPanel::resizeEvent(QResizeEvent *e)
{
    QFrame::resizeEvent(e);
    disposer();
}

void TWinPanel::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    QRect r = rect();
    p.fillRect(r, palette().window());
    if (m_bordureSimple) {
        // A sunken two-pixel edge, then the bevel inside it.
        p.setPen(palette().dark().color());
        p.drawLine(r.topLeft(), r.topRight());
        p.drawLine(r.topLeft(), r.bottomLeft());
        p.setPen(palette().light().color());
        p.drawLine(r.bottomLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomRight());
        r.adjust(1, 1, -1, -1);
        p.setPen(palette().shadow().color());
        p.drawLine(r.topLeft(), r.topRight());
        p.drawLine(r.topLeft(), r.bottomLeft());
        p.setPen(palette().midlight().color());
        p.drawLine(r.bottomLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomRight());
        r.adjust(1, 1, -1, -1);
    }
    for (int i = 0; i < m_bordure; ++i) {
        p.setPen(palette().light().color());
        p.drawLine(r.topLeft(), r.topRight());
        p.drawLine(r.topLeft(), r.bottomLeft());
        p.setPen(palette().dark().color());
        p.drawLine(r.bottomLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomRight());
        r.adjust(1, 1, -1, -1);
    }
}

bool TWinPanel::eventFilter(QObject *objet, QEvent *e)
{
    if (objet != m_barre && objet != m_texte)
        return QFrame::eventFilter(objet, e);
    switch (e->type()) {
    case QEvent::MouseButtonPress: {
        auto *me = static_cast<QMouseEvent *>(e);
        if (me->button() != Qt::LeftButton)
            return false;
        m_deplacement = true;
        m_prise = mapFromGlobal(me->globalPosition().toPoint());
        return true;
    }
    case QEvent::MouseMove: {
        if (!m_deplacement)
            return false;
        auto *me = static_cast<QMouseEvent *>(e);
        QPoint haut = pos() + mapFromGlobal(me->globalPosition().toPoint()) - m_prise;
        if (QWidget *pere = parentWidget()) {
            // The title bar stays reachable inside the parent.
            const int maxX = pere->width() - 20;
            const int maxY = pere->height() - HAUTEUR_TITRE;
            haut.setX(qBound(20 - width(), haut.x(), qMax(20 - width(), maxX)));
            haut.setY(qBound(0, haut.y(), qMax(0, maxY)));
        }
        move(haut);
        return true;
    }
    case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent *>(e)->button() == Qt::LeftButton && m_deplacement) {
            m_deplacement = false;
            return true;
        }
        return false;
    default: return false;
    }
}
