#include "ui/marks/glyphes.h"

#include <QPainter>
#include <QPainterPath>

namespace {

QPixmap Toile(int w = 20, int h = 20)
{
    QPixmap p(w, h);
    p.fill(Qt::transparent);
    return p;
}

void Imprimante(QPainter &p)
{
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawRect(5, 1, 10, 7); // sheet going in
    p.setBrush(QColor(160, 160, 160));
    p.drawRect(1, 7, 18, 8); // body
    p.setBrush(Qt::white);
    p.drawRect(4, 12, 12, 7); // sheet coming out
    p.drawLine(6, 15, 13, 15);
    p.drawLine(6, 17, 11, 17);
    p.setPen(Qt::green);
    p.drawPoint(16, 9);
}

} // namespace

QIcon GlypheImprimer()
{
    QPixmap pm = Toile();
    QPainter p(&pm);
    Imprimante(p);
    return QIcon(pm);
}

QIcon GlypheApercu()
{
    QPixmap pm = Toile();
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawRect(2, 1, 11, 15);
    for (int y = 4; y <= 13; y += 3)
        p.drawLine(4, y, 10, y);
    p.setPen(QPen(QColor(0, 0, 128), 2));
    p.setBrush(QColor(200, 230, 255, 200));
    p.drawEllipse(QPointF(12, 11), 4.5, 4.5);
    p.drawLine(QPointF(15.5, 14.5), QPointF(19, 18.5));
    return QIcon(pm);
}

QIcon GlypheConfigurer()
{
    QPixmap pm = Toile();
    QPainter p(&pm);
    Imprimante(p);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(128, 0, 0), 1));
    p.setBrush(QColor(230, 180, 0));
    p.drawEllipse(QPointF(15, 4.5), 4, 4);
    p.setBrush(QColor(128, 0, 0));
    p.drawEllipse(QPointF(15, 4.5), 1.3, 1.3);
    return QIcon(pm);
}

QIcon GlypheTailleNormale()
{
    QPixmap pm = Toile(14, 10);
    QPainter p(&pm);
    p.setPen(Qt::black);
    p.drawRect(4, 0, 8, 6);
    p.drawLine(4, 1, 12, 1);
    p.fillRect(1, 3, 9, 7, Qt::white);
    p.drawRect(1, 3, 8, 6);
    p.drawLine(1, 4, 9, 4);
    return QIcon(pm);
}
