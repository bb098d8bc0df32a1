#include "radiogroupe.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>
#include <QSignalBlocker>

RadioGroupe::RadioGroupe(const QString &titre, const QStringList &items, int colonnes,
                         QWidget *parent)
    : QGroupBox(titre, parent)
    , m_groupe(new QButtonGroup(this))
{
    auto *l = new QGridLayout(this);
    l->setContentsMargins(6, 4, 6, 4);
    l->setVerticalSpacing(1);
    const int parColonne = (int(items.size()) + colonnes - 1) / colonnes;
    for (int i = 0; i < items.size(); ++i) {
        auto *b = new QRadioButton(items.at(i), this);
        m_groupe->addButton(b, i);
        l->addWidget(b, i % parColonne, i / parColonne);
    }
    l->setRowStretch(parColonne, 1);
    connect(m_groupe, &QButtonGroup::idToggled, this, [this](int, bool coche) {
        if (coche)
            emit clique();
    });
}

int RadioGroupe::itemIndex() const
{
    return m_groupe->checkedId();
}

void RadioGroupe::definirItemIndex(int index)
{
    const QSignalBlocker bloque(m_groupe);
    if (index >= 0 && index < nombreItems()) {
        m_groupe->button(index)->setChecked(true);
        return;
    }
    // An exclusive group never lets its last checked button go.
    m_groupe->setExclusive(false);
    for (auto *b : m_groupe->buttons())
        b->setChecked(false);
    m_groupe->setExclusive(true);
}

int RadioGroupe::nombreItems() const
{
    return int(m_groupe->buttons().size());
}

QRadioButton *RadioGroupe::bouton(int index) const
{
    return qobject_cast<QRadioButton *>(m_groupe->button(index));
}
