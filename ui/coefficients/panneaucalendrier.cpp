#include "ui/coefficients/panneaucalendrier.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QSizeGrip>
#include <QStyle>
#include <QTextCharFormat>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWindow>

namespace {
constexpr int MoisMax = 12;
}

PanneauCalendrier::PanneauCalendrier(QWidget *dialogue)
    : QFrame(dialogue, Qt::SubWindow) // the size grip widens the panel, not the dialog
    , m_dialogue(dialogue)
{
    setObjectName(QStringLiteral("Panel4"));
    setToolTip(QStringLiteral("Elargir pour voir plusieurs mois"));
    setWindowTitle(QStringLiteral("Calendrier"));
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, p.color(QPalette::Highlight));
    p.setColor(QPalette::WindowText, p.color(QPalette::HighlightedText));
    setPalette(p);

    auto *v = new QVBoxLayout(this);
    v->setContentsMargins(2, 2, 2, 2);
    v->setSpacing(2);

    m_bandeau = new QWidget(this);
    auto *b = new QHBoxLayout(m_bandeau);
    b->setContentsMargins(4, 0, 0, 0);
    m_titre = new QLabel(QStringLiteral("Calendrier"), m_bandeau);
    m_titre->setCursor(Qt::SizeAllCursor);
    b->addWidget(m_titre, 1);
    m_detacher = new QToolButton(m_bandeau);
    m_detacher->setObjectName(QStringLiteral("DetacherCalendrier"));
    m_detacher->setAutoRaise(true);
    m_detacher->setFixedSize(18, 16);
    b->addWidget(m_detacher);
    m_bandeau->setCursor(Qt::SizeAllCursor);
    m_bandeau->installEventFilter(this);
    m_titre->installEventFilter(this);
    v->addWidget(m_bandeau);

    auto *bas = new QHBoxLayout;
    bas->setSpacing(2);
    m_rangee = new QHBoxLayout;
    m_rangee->setSpacing(2);
    bas->addLayout(m_rangee, 1);
    auto *prise = new QSizeGrip(this);
    prise->setToolTip(toolTip());
    bas->addWidget(prise, 0, Qt::AlignBottom);
    v->addLayout(bas, 1);

    QCalendarWidget *premier = nouveauMois();
    premier->setObjectName(QStringLiteral("MonthCalendar1"));
    premier->setToolTip(QStringLiteral("Calendrier mobile"));

    connect(m_detacher, &QToolButton::clicked, this, [this] {
        if (flottant())
            rattacher();
        else
            detacher(mapToGlobal(QPoint(0, 0)) + QPoint(20, 20));
    });
    majBouton();

    setFixedHeight(Hauteur);
    m_marge = prise->sizeHint().width() + 10;
    const int largeur = premier->sizeHint().width() + m_marge;
    setMinimumWidth(largeur);
    resize(largeur, Hauteur);
    m_date = QDate::currentDate();
}

QCalendarWidget *PanneauCalendrier::nouveauMois()
{
    auto *c = new QCalendarWidget(this);
    c->setLocale(QLocale(QLocale::French, QLocale::France));
    c->setFirstDayOfWeek(Qt::Monday);
    c->setVerticalHeaderFormat(QCalendarWidget::ISOWeekNumbers);
    c->setHorizontalHeaderFormat(QCalendarWidget::SingleLetterDayNames);
    c->setGridVisible(false);
    c->setAutoFillBackground(true);
    QPalette cp = QApplication::palette();
    c->setPalette(cp);
    // Green month title.
    if (auto *titre = c->findChild<QWidget *>(QStringLiteral("qt_calendar_navigationbar"))) {
        QPalette p = titre->palette();
        p.setColor(QPalette::Highlight, QColor(0, 128, 0));
        p.setColor(QPalette::HighlightedText, Qt::white);
        titre->setPalette(p);
    }
    const int i = int(m_mois.size());
    m_mois.append(c);
    m_rangee->addWidget(c);
    connect(c, &QCalendarWidget::clicked, this, &PanneauCalendrier::cliquer);
    connect(c, &QCalendarWidget::activated, this, &PanneauCalendrier::cliquer);
    connect(c, &QCalendarWidget::currentPageChanged, this, [this, i] { suivre(i); });
    return c;
}

void PanneauCalendrier::suivre(int depuis)
{
    if (m_synchro || depuis >= m_mois.size())
        return;
    m_synchro = true;
    const QDate ref = QDate(m_mois[depuis]->yearShown(), m_mois[depuis]->monthShown(), 1).addMonths(-depuis);
    for (int i = 0; i < m_mois.size(); ++i) {
        const QDate d = ref.addMonths(i);
        if (m_mois[i]->yearShown() != d.year() || m_mois[i]->monthShown() != d.month())
            m_mois[i]->setCurrentPage(d.year(), d.month());
    }
    m_synchro = false;
}

void PanneauCalendrier::setDate(const QDate &d)
{
    if (!d.isValid())
        return;
    m_date = d;
    m_synchro = true;
    for (auto *c : m_mois) {
        const int a = c->yearShown(), m = c->monthShown();
        c->setSelectedDate(d);
        c->setCurrentPage(a, m);
    }
    m_synchro = false;
    m_mois.first()->setCurrentPage(d.year(), d.month());
    suivre(0);
}

void PanneauCalendrier::cliquer(const QDate &d)
{
    m_date = d;
    m_synchro = true;
    for (auto *c : m_mois) {
        // Every month shows the one date; none moves.
        const int a = c->yearShown(), m = c->monthShown();
        if (c->selectedDate() != d)
            c->setSelectedDate(d);
        c->setCurrentPage(a, m);
    }
    m_synchro = false;
    emit dateCliquee(d);
}

void PanneauCalendrier::ajusterMois()
{
    const int espace = m_rangee->spacing();
    const int unMois = m_mois.first()->sizeHint().width();
    const int dispo = width() - m_marge;
    const int voulu = qBound(1, (dispo + espace) / (unMois + espace), MoisMax);
    if (voulu == m_mois.size())
        return;
    // The new months follow the first one; none of them leads while being made.
    m_synchro = true;
    while (m_mois.size() < voulu) {
        QCalendarWidget *c = nouveauMois();
        c->setSelectedDate(m_date);
        c->show();
    }
    while (m_mois.size() > voulu)
        delete m_mois.takeLast();
    m_synchro = false;
    suivre(0);
}

void PanneauCalendrier::resizeEvent(QResizeEvent *e)
{
    QFrame::resizeEvent(e);
    ajusterMois();
}

namespace {
// Detach: a small window leaving a larger one; attach: the window back inside.
QIcon iconeDetacher(bool flottant, const QColor &couleur)
{
    QPixmap p(14, 12);
    p.fill(Qt::transparent);
    QPainter g(&p);
    g.setPen(couleur);
    if (flottant) {
        g.drawRect(0, 0, 13, 11);
        g.fillRect(2, 5, 7, 5, couleur);
    } else {
        g.drawRect(0, 3, 9, 8);
        g.fillRect(5, 0, 9, 7, couleur);
    }
    return QIcon(p);
}
} // namespace

void PanneauCalendrier::majBouton()
{
    m_detacher->setIcon(iconeDetacher(flottant(), palette().color(QPalette::HighlightedText)));
    m_detacher->setToolTip(flottant() ? QStringLiteral("Remettre le calendrier dans la fenêtre")
                                      : QStringLiteral("Détacher le calendrier"));
}

void PanneauCalendrier::detacher(const QPoint &global)
{
    if (flottant())
        return;
    const bool visible = isVisible();
    setParent(m_dialogue,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    move(global);
    majBouton();
    if (visible)
        show();
}

void PanneauCalendrier::rattacher()
{
    if (!flottant())
        return;
    const bool visible = isVisible();
    setParent(m_dialogue, Qt::SubWindow);
    const int largeur = qMin(width(), m_dialogue->width());
    resize(largeur, Hauteur);
    move((m_dialogue->width() - width()) / 2, (m_dialogue->height() - height()) / 2);
    majBouton();
    if (visible) {
        show();
        raise();
    }
}

void PanneauCalendrier::closeEvent(QCloseEvent *e)
{
    // Closing the floating window only puts the calendar away.
    e->ignore();
    hide();
    rattacher();
}

bool PanneauCalendrier::eventFilter(QObject *objet, QEvent *e)
{
    if (objet != m_bandeau && objet != m_titre)
        return QFrame::eventFilter(objet, e);
    switch (e->type()) {
    case QEvent::MouseButtonDblClick:
        if (flottant())
            rattacher();
        else
            detacher(mapToGlobal(QPoint(0, 0)) + QPoint(20, 20));
        return true;
    case QEvent::MouseButtonPress: {
        auto *m = static_cast<QMouseEvent *>(e);
        if (m->button() != Qt::LeftButton)
            break;
        if (flottant()) {
            if (windowHandle())
                windowHandle()->startSystemMove();
            return true;
        }
        m_glisse = true;
        m_prise = m->globalPosition().toPoint() - mapToGlobal(QPoint(0, 0));
        raise();
        return true;
    }
    case QEvent::MouseMove: {
        if (!m_glisse)
            break;
        auto *m = static_cast<QMouseEvent *>(e);
        const QPoint g = m->globalPosition().toPoint();
        if (!m_dialogue->rect().contains(m_dialogue->mapFromGlobal(g))) {
            // Dragged off the dialog: it becomes a window of its own.
            m_glisse = false;
            detacher(g - m_prise);
            return true;
        }
        QPoint pos = m_dialogue->mapFromGlobal(g - m_prise);
        pos.setX(qBound(0, pos.x(), qMax(0, m_dialogue->width() - width())));
        pos.setY(qBound(0, pos.y(), qMax(0, m_dialogue->height() - height())));
        move(pos);
        return true;
    }
    case QEvent::MouseButtonRelease: m_glisse = false; break;
    default: break;
    }
    return QFrame::eventFilter(objet, e);
}
