#include "ui/marks/barrenotes.h"

#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>

EtiquetteNote::EtiquetteNote(const QString &note, QWidget *parent)
    : QLabel(note, parent)
{
    setObjectName(QStringLiteral("Note") + note);
    setAlignment(Qt::AlignCenter);
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setCursor(Qt::OpenHandCursor);
}

void EtiquetteNote::mousePressEvent(QMouseEvent *e)
{
    if (e->button() == Qt::LeftButton)
        m_depart = e->position().toPoint();
    QLabel::mousePressEvent(e);
}

void EtiquetteNote::mouseMoveEvent(QMouseEvent *e)
{
    if (!(e->buttons() & Qt::LeftButton)
        || (e->position().toPoint() - m_depart).manhattanLength() < QApplication::startDragDistance())
        return;
    auto *donnees = new QMimeData;
    donnees->setData(QString::fromLatin1(TypeNoteGlissee), text().toLatin1());
    auto *drag = new QDrag(this);
    drag->setMimeData(donnees);
    drag->setPixmap(grab());
    drag->setHotSpot(e->position().toPoint());
    drag->exec(Qt::CopyAction);
}

TBarreNotes::TBarreNotes(QWidget *fenetre)
    : QFrame(fenetre)
    , m_fenetre(fenetre)
{
    setObjectName(QStringLiteral("P_Notes"));
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setFixedSize(602, 64);
    setAutoFillBackground(true);
    setToolTip(QStringLiteral("Déposez les notes dans la grille par glisser-lâcher"));
}

void TBarreNotes::setVisible(bool visible)
{
    if (visible)
        garnir();
    QFrame::setVisible(visible);
}

void TBarreNotes::garnir()
{
    if (!m_etiquettes.isEmpty())
        return;
    // Top row: the whole marks 28 pixels apart; bottom row: the halves,
    // shifted by half a step.
    for (int n = 0; n <= 20; ++n) {
        auto *l = new EtiquetteNote(QString::number(n), this);
        l->setGeometry(14 + n * 28, 6, 26, 24);
        m_etiquettes.append(l);
    }
    for (int n = 0; n < 20; ++n) {
        auto *l = new EtiquetteNote(QString::number(n) + QStringLiteral(".5"), this);
        l->setGeometry(28 + n * 28, 34, 26, 24);
        m_etiquettes.append(l);
    }
}

QList<EtiquetteNote *> TBarreNotes::etiquettes()
{
    garnir();
    return m_etiquettes;
}

EtiquetteNote *TBarreNotes::etiquette(const QString &note)
{
    garnir();
    for (EtiquetteNote *l : std::as_const(m_etiquettes))
        if (l->text() == note)
            return l;
    return nullptr;
}

void TBarreNotes::ancrer(const QPoint &position)
{
    m_ancrage = position;
    const bool visible = isVisible();
    if (m_flottante) {
        setParent(m_fenetre, Qt::Widget);
        m_flottante = false;
    }
    move(position);
    raise();
    setVisible(visible);
}

void TBarreNotes::detacher(const QPoint &global)
{
    if (m_flottante)
        return;
    const bool visible = isVisible();
    setParent(m_fenetre, Qt::Tool | Qt::FramelessWindowHint);
    m_flottante = true;
    move(global);
    setVisible(visible);
}

void TBarreNotes::mousePressEvent(QMouseEvent *e)
{
    if (e->button() == Qt::LeftButton && surPoignee(e->position().toPoint())) {
        m_deplacement = true;
        m_prise = e->position().toPoint();
        return;
    }
    QFrame::mousePressEvent(e);
}

void TBarreNotes::mouseMoveEvent(QMouseEvent *e)
{
    if (!m_deplacement)
        return;
    const QPoint global = e->globalPosition().toPoint() - m_prise;
    if (!m_flottante) {
        // Taken away from its place: it floats from then on.
        if ((e->position().toPoint() - m_prise).manhattanLength() < QApplication::startDragDistance())
            return;
        detacher(global);
        grabMouse();
    }
    move(global);
}

void TBarreNotes::mouseReleaseEvent(QMouseEvent *e)
{
    if (m_deplacement) {
        m_deplacement = false;
        releaseMouse();
        return;
    }
    QFrame::mouseReleaseEvent(e);
}

void TBarreNotes::mouseDoubleClickEvent(QMouseEvent *e)
{
    if (!surPoignee(e->position().toPoint()))
        return;
    if (m_flottante)
        ancrer(m_ancrage);
    else
        detacher(mapToGlobal(QPoint(0, 0)) + QPoint(0, 80));
}

void TBarreNotes::paintEvent(QPaintEvent *e)
{
    QFrame::paintEvent(e);
    // The grip: two grooves along the left edge.
    QPainter p(this);
    const QColor clair = palette().color(QPalette::Light);
    const QColor sombre = palette().color(QPalette::Dark);
    for (int x : {3, 6}) {
        p.setPen(sombre);
        p.drawLine(x, 4, x, height() - 5);
        p.setPen(clair);
        p.drawLine(x + 1, 4, x + 1, height() - 5);
    }
}
