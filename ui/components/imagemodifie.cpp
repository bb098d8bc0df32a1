#include "ui/components/imagemodifie.h"

#include <QPainter>
#include <QPainterPath>

QPixmap ImageModifie(int cote)
{
    QPixmap pm(cote, cote);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(cote / 32.0, cote / 32.0); // drawn on a 32-point grid
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(QColor(40, 60, 140));
    QPainterPath disquette;
    disquette.moveTo(3, 3);
    disquette.lineTo(25, 3);
    disquette.lineTo(29, 7);
    disquette.lineTo(29, 29);
    disquette.lineTo(3, 29);
    disquette.closeSubpath();
    p.drawPath(disquette);
    p.setBrush(QColor(200, 200, 200));
    p.drawRect(9, 3, 13, 8);
    p.setBrush(Qt::white);
    p.drawRect(7, 17, 18, 12);
    p.setPen(QPen(Qt::red, 3));
    p.drawLine(16, 18, 16, 22);
    p.drawPoint(16, 27);
    return pm;
}
