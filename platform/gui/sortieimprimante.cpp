#include "platform/gui/sortieimprimante.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>

namespace {
QString MessageImpression()
{
    return QStringLiteral("Erreur d'impression");
}
} // namespace

SortieImprimante::SortieImprimante(QPagedPaintDevice *appareil, const QFont &police, const QColor &couleur)
    : m_appareil(appareil)
    , m_police(police)
    , m_couleur(couleur)
    , m_gras(police.bold())
{ }

SortieImprimante::~SortieImprimante()
{
    fermer();
}

QFont SortieImprimante::PoliceRapport(int taille, bool gras)
{
    QFont f(QStringLiteral("Courier New"));
    f.setStyleHint(QFont::TypeWriter);
    f.setFixedPitch(true);
    f.setPointSize(qBound(1, taille, 72));
    f.setBold(gras);
    return f;
}

bool SortieImprimante::ouvrir()
{
    if (m_ouvert)
        return true;
    if (!m_appareil || !m_peintre.begin(m_appareil)) {
        echouer(MessageImpression());
        return false;
    }
    m_ouvert = true;
    m_pages = 1;
    m_y = 0;
    m_peintre.setPen(m_couleur);
    return true;
}

bool SortieImprimante::fermer()
{
    if (m_ouvert) {
        if (!m_ligne.isEmpty())
            finLigne();
        m_ouvert = false;
        // end() sends the job; a refused job shows here.
        if (!m_peintre.end())
            echouer(MessageImpression());
    }
    return !enErreur();
}

void SortieImprimante::echouer(const QString &message)
{
    if (m_message.isEmpty())
        m_message = message;
}

QFont SortieImprimante::policeCourante() const
{
    QFont f(m_police, m_appareil);
    f.setBold(m_gras);
    if (m_deltaTaille != 0) {
        // Sizes in points: the painter scales them to the device's resolution.
        const qreal base = m_police.pointSizeF() > 0 ? m_police.pointSizeF() : 8;
        f.setPointSizeF(qMax<qreal>(1, base + m_deltaTaille));
    }
    return f;
}

void SortieImprimante::ecrire(const QString &texte)
{
    if (enErreur() || texte.isEmpty())
        return;
    const QFont f = policeCourante();
    if (!m_ligne.isEmpty() && m_ligne.last().police == f)
        m_ligne.last().texte += texte;
    else
        m_ligne.append({texte, f});
}

void SortieImprimante::finLigne()
{
    if (enErreur())
        return;
    if (!m_ouvert && !ouvrir())
        return;
    const QList<Morceau> morceaux = std::exchange(m_ligne, {});

    qreal hauteur = 0, ascendante = 0;
    if (morceaux.isEmpty()) {
        hauteur = QFontMetricsF(policeCourante(), m_appareil).lineSpacing();
    }
    for (const Morceau &m : morceaux) {
        const QFontMetricsF fm(m.police, m_appareil);
        hauteur = qMax(hauteur, fm.lineSpacing());
        ascendante = qMax(ascendante, fm.ascent());
    }

    if (m_y > 0 && m_y + hauteur > m_appareil->height()) {
        if (!m_appareil->newPage()) {
            echouer(MessageImpression());
            return;
        }
        ++m_pages;
        m_y = 0;
    }

    qreal x = 0;
    for (const Morceau &m : morceaux) {
        m_peintre.setFont(m.police);
        m_peintre.drawText(QPointF(x, m_y + ascendante), m.texte);
        x += QFontMetricsF(m.police, m_appareil).horizontalAdvance(m.texte);
    }
    m_y += hauteur;
}
