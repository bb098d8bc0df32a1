#include "ui/components/rzlabel.h"

#include <QPainter>

TRzLabel::TRzLabel(QWidget *parent)
    : QLabel(parent)
{ }

TRzLabel::TRzLabel(const QString &texte, QWidget *parent)
    : QLabel(texte, parent)
{ }

void TRzLabel::setTextStyle(TTextStyle s)
{
    if (s == m_style)
        return;
    m_style = s;
    update();
}

void TRzLabel::setTransparent(bool oui)
{
    if (oui == m_transparent)
        return;
    m_transparent = oui;
    update();
}

void TRzLabel::setShowAccelChar(bool oui)
{
    if (oui == m_accel)
        return;
    m_accel = oui;
    updateGeometry();
    update();
}

int TRzLabel::drapeaux() const
{
    // Long captions wrap at word boundaries, whatever the label's own setting.
    int f = int(alignment()) | Qt::TextExpandTabs | Qt::TextWordWrap;
    if (m_accel)
        f |= Qt::TextShowMnemonic;
    return f;
}

QSize TRzLabel::sizeHint() const
{
    // Room for the one-pixel offsets of the shadow and the highlight.
    const QSize texte = QFontMetrics(font()).size(
        drapeaux() & ~int(Qt::AlignHorizontal_Mask | Qt::AlignVertical_Mask | Qt::TextWordWrap), text());
    return {texte.width() + 2 + 2 * margin(), texte.height() + 2 + 2 * margin()};
}

QSize TRzLabel::minimumSizeHint() const
{
    return wordWrap() ? QLabel::minimumSizeHint() : sizeHint();
}

void TRzLabel::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    if (!m_transparent)
        p.fillRect(rect(), palette().window());
    const QRect r = contentsRect().adjusted(margin() + 1, margin() + 1, -margin() - 1, -margin() - 1);
    const int f = drapeaux();
    const QString t = text();
    if (m_style != tsNone) {
        const QColor ombre = palette().color(QPalette::Dark);
        const QColor lumiere = palette().color(QPalette::Light);
        p.setPen(m_style == tsRaised ? ombre : lumiere);
        p.drawText(r.translated(1, 1), f, t);
        p.setPen(m_style == tsRaised ? lumiere : ombre);
        p.drawText(r.translated(-1, -1), f, t);
    }
    p.setPen(isEnabled() ? palette().color(QPalette::WindowText)
                         : palette().color(QPalette::Disabled, QPalette::WindowText));
    p.drawText(r, f, t);
}
