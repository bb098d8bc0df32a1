#include "ui/components/radiogroupe.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>
#include <QSignalBlocker>

RadioGroupe::RadioGroupe(const QString &titre, const QStringList &items, int colonnes, QWidget *parent,
                         Forme forme)
    : QGroupBox(titre, parent)
    , m_colonnes(qMax(1, colonnes))
    , m_forme(forme)
    , m_groupe(new QButtonGroup(this))
{
    m_groupe->setExclusive(true);
    if (m_forme == Forme::Bandeau) {
        // The caption sits on the frame's top line, which leaves room for the
        // items in a low box.
        setStyleSheet(QStringLiteral("RadioGroupe { border: 1px solid #8c8c8c; border-radius: 2px;"
                                     " margin-top: 6px; }"
                                     "RadioGroupe::title { subcontrol-origin: margin; left: 7px;"
                                     " padding: 0px 2px; }"
                                     "QRadioButton { spacing: 2px; }"));
    } else {
        m_grille = new QGridLayout(this);
        m_grille->setContentsMargins(6, 4, 6, 4);
        m_grille->setVerticalSpacing(1);
    }
    connect(m_groupe, &QButtonGroup::idClicked, this, &RadioGroupe::clique);
    setItems(items);
}

void RadioGroupe::setItems(const QStringList &items)
{
    qDeleteAll(m_boutons);
    m_boutons.clear();
    for (int i = 0; i < items.size(); ++i) {
        auto *b = new QRadioButton(items.at(i), this);
        m_groupe->addButton(b, i);
        m_boutons.append(b);
        b->show();
    }
    disposer();
}

void RadioGroupe::setItem(int i, const QString &texte)
{
    if (QRadioButton *b = m_boutons.value(i))
        b->setText(texte);
}

QString RadioGroupe::item(int i) const
{
    QRadioButton *b = m_boutons.value(i);
    return b ? b->text() : QString();
}

int RadioGroupe::itemIndex() const
{
    return m_groupe->checkedId();
}

void RadioGroupe::setItemIndex(int i)
{
    const QSignalBlocker bloque(m_groupe);
    if (QRadioButton *b = m_boutons.value(i)) {
        b->setChecked(true);
        return;
    }
    // An exclusive group never lets its last checked button go.
    m_groupe->setExclusive(false);
    for (QRadioButton *b : std::as_const(m_boutons))
        b->setChecked(false);
    m_groupe->setExclusive(true);
}

void RadioGroupe::resizeEvent(QResizeEvent *e)
{
    QGroupBox::resizeEvent(e);
    if (m_forme == Forme::Bandeau)
        disposer();
}

void RadioGroupe::disposer()
{
    const int parColonne = (int(m_boutons.size()) + m_colonnes - 1) / m_colonnes;
    if (m_grille) {
        // Column by column; the rows stay at the top of a taller box.
        for (int r = 0; r < m_grille->rowCount(); ++r)
            m_grille->setRowStretch(r, 0);
        for (int i = 0; i < m_boutons.size(); ++i)
            m_grille->addWidget(m_boutons.at(i), i % parColonne, i / parColonne);
        m_grille->setRowStretch(parColonne, 1);
        return;
    }
    // Placed by hand in a box too low for a layout: each column as wide as
    // its widest item, the room left shared out evenly.
    const int haut = 12;
    const int lignes = parColonne;
    const int hauteur = lignes > 0 ? (height() - haut - 1) / lignes : 0;
    QList<int> largeurs(m_colonnes, 0);
    for (int i = 0; i < m_boutons.size(); ++i)
        largeurs[i / lignes] = qMax(largeurs[i / lignes], m_boutons.at(i)->sizeHint().width());
    int total = 0;
    for (int w : std::as_const(largeurs))
        total += w;
    const int reste = qMax(0, width() - 10 - total) / m_colonnes;
    for (int i = 0; i < m_boutons.size(); ++i) {
        const int c = i / lignes;
        int x = 6;
        for (int k = 0; k < c; ++k)
            x += largeurs.at(k) + reste;
        const int w = qMin(largeurs.at(c) + reste, width() - 3 - x);
        m_boutons.at(i)->setGeometry(x, haut + (i % lignes) * hauteur, w, hauteur);
    }
}
