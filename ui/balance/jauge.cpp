#include "ui/balance/jauge.h"

#include <QPainter>
#include <QPainterPath>

namespace {
QColor Inverse(const QColor &c)
{
    const QColor rgb = c.toRgb();
    return QColor(255 - rgb.red(), 255 - rgb.green(), 255 - rgb.blue());
}
} // namespace

JaugeCirculaire::JaugeCirculaire(QWidget *parent)
    : QWidget(parent)
{
    setFixedSize(65, 65);
}

void JaugeCirculaire::definirValeur(int v)
{
    v = qBound(0, v, 100);
    if (v != m_valeur) {
        m_valeur = v;
        update();
    }
}

void JaugeCirculaire::definirCouleurs(const QColor &fond, const QColor &remplissage)
{
    m_fond = fond;
    m_remplissage = remplissage;
    update();
}

QString JaugeCirculaire::texte() const
{
    return QString::asprintf("%d%%", m_valeur);
}

void JaugeCirculaire::dessiner(QPainter &p, const QRectF &r, int valeur, const QColor &fond,
                               const QColor &remplissage, const QColor &dessous)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const qreal trait = qMax<qreal>(1.0, r.width() / 65.0);
    const QRectF disque = r.adjusted(trait / 2, trait / 2, -trait / 2, -trait / 2);

    QPainterPath cercle;
    cercle.addEllipse(disque);
    QPainterPath secteur;
    if (valeur >= 100) {
        secteur = cercle;
    } else if (valeur > 0) {
        // Qt counts angles anticlockwise from three o'clock: start at twelve,
        // run clockwise.
        secteur.moveTo(disque.center());
        secteur.arcTo(disque, 90.0, -360.0 * valeur / 100.0);
        secteur.closeSubpath();
    }

    p.setPen(Qt::NoPen);
    p.setBrush(fond);
    p.drawPath(cercle);
    p.setBrush(remplissage);
    p.drawPath(secteur);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::black, trait));
    p.drawEllipse(disque);

    // The value, each part of it in the inverse of the colour beneath.
    QFont police(QStringLiteral("Arial"));
    police.setStyleHint(QFont::SansSerif);
    police.setBold(true);
    police.setPixelSize(qMax(6, int(r.height() * 0.2)));
    const QString texte = QString::asprintf("%d%%", valeur);
    const QFontMetricsF fm(police);
    const QPointF base(r.center().x() - fm.horizontalAdvance(texte) / 2,
                       r.center().y() + (fm.ascent() - fm.descent()) / 2);
    QPainterPath lettres;
    lettres.addText(base, police, texte);
    QPainterPath autour;
    autour.addRect(r);
    autour = autour.subtracted(cercle);
    p.setPen(Qt::NoPen);
    p.setBrush(Inverse(remplissage));
    p.drawPath(lettres.intersected(secteur));
    p.setBrush(Inverse(fond));
    p.drawPath(lettres.intersected(cercle.subtracted(secteur)));
    p.setBrush(Inverse(dessous));
    p.drawPath(lettres.intersected(autour));
    p.restore();
}

void JaugeCirculaire::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QColor dessous = parentWidget() ? parentWidget()->palette().color(QPalette::Window)
                                          : palette().color(QPalette::Window);
    dessiner(p, QRectF(rect()), m_valeur, m_fond, m_remplissage, dessous);
}
