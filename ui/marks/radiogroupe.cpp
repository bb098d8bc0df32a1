#include "radiogroupe.h"

#include <QButtonGroup>
#include <QRadioButton>

TRadioGroup::TRadioGroup(int colonnes, QWidget *parent)
    : QGroupBox(parent)
    , m_colonnes(qMax(1, colonnes))
    , m_groupe(new QButtonGroup(this))
{
    m_groupe->setExclusive(true);
    // The caption sits on the frame's top line, which leaves room for the
    // items in a low box.
    setStyleSheet(QStringLiteral("TRadioGroup { border: 1px solid #8c8c8c; border-radius: 2px;"
                                 " margin-top: 6px; }"
                                 "TRadioGroup::title { subcontrol-origin: margin; left: 7px;"
                                 " padding: 0px 2px; }"
                                 "QRadioButton { spacing: 2px; }"));
    connect(m_groupe, &QButtonGroup::idClicked, this, &TRadioGroup::clique);
}

void TRadioGroup::setItems(const QStringList &items)
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

void TRadioGroup::setItem(int i, const QString &texte)
{
    if (QRadioButton *b = m_boutons.value(i))
        b->setText(texte);
}

QString TRadioGroup::item(int i) const
{
    QRadioButton *b = m_boutons.value(i);
    return b ? b->text() : QString();
}

int TRadioGroup::itemIndex() const { return m_groupe->checkedId(); }

void TRadioGroup::setItemIndex(int i)
{
    if (QRadioButton *b = m_boutons.value(i))
        b->setChecked(true);
}

void TRadioGroup::resizeEvent(QResizeEvent *e)
{
    QGroupBox::resizeEvent(e);
    disposer();
}

void TRadioGroup::disposer()
{
    // Items fill the columns left to right below the caption; each column is
    // as wide as its widest item, the room left shared out evenly.
    const int haut = 12;
    const int lignes = (int(m_boutons.size()) + m_colonnes - 1) / m_colonnes;
    const int hauteur = lignes > 0 ? (height() - haut - 1) / lignes : 0;
    QList<int> largeurs(m_colonnes, 0);
    for (int i = 0; i < m_boutons.size(); ++i)
        largeurs[i % m_colonnes] = qMax(largeurs[i % m_colonnes], m_boutons.at(i)->sizeHint().width());
    int total = 0;
    for (int w : std::as_const(largeurs))
        total += w;
    const int reste = qMax(0, width() - 10 - total) / m_colonnes;
    for (int i = 0; i < m_boutons.size(); ++i) {
        const int c = i % m_colonnes;
        int x = 6;
        for (int k = 0; k < c; ++k)
            x += largeurs.at(k) + reste;
        const int w = qMin(largeurs.at(c) + reste, width() - 3 - x);
        m_boutons.at(i)->setGeometry(x, haut + (i / m_colonnes) * hauteur, w, hauteur);
    }
}
