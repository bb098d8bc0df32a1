#include "ui/coefficients/labeldate.h"

#include <QApplication>
#include <QMouseEvent>

LabelDate::LabelDate(QWidget *parent)
    : QLabel(QStringLiteral("--/--"), parent)
{
    setAlignment(Qt::AlignCenter);
    QFont f = font();
    f.setPointSizeF(f.pointSizeF() * 0.85);
    setFont(f);
    setCursor(Qt::PointingHandCursor);
    couleursNormales(this);
}

bool LabelDate::estRouge() const
{
    return palette().color(QPalette::WindowText) == QColor(Qt::red);
}

bool LabelDate::estFondBlanc() const
{
    return autoFillBackground() && palette().color(QPalette::Window) == QColor(Qt::white);
}

void LabelDate::selectionner()
{
    QPalette p = palette();
    p.setColor(QPalette::WindowText, Qt::red);
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);
    setAutoFillBackground(true);
}

void LabelDate::deselectionner()
{
    couleursNormales(this);
}

void LabelDate::couleursNormales(QLabel *l)
{
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, Qt::black);
    p.setColor(QPalette::Window, QApplication::palette().color(QPalette::Button));
    l->setPalette(p);
    l->setAutoFillBackground(true);
}

void LabelDate::mousePressEvent(QMouseEvent *e)
{
    if (e->button() == Qt::LeftButton) {
        emit clique(this);
        e->accept();
        return;
    }
    QLabel::mousePressEvent(e);
}
