#pragma once
// A captioned group of radio buttons with an item index, -1 when none is checked.
#include <QGroupBox>
#include <QStringList>

class QButtonGroup;

class RadioGroupe : public QGroupBox {
    Q_OBJECT
public:
    RadioGroupe(const QString &titre, const QStringList &items, int colonnes = 1,
                QWidget *parent = nullptr);

    int itemIndex() const;
    // Sets the checked item without emitting clique(); -1 unchecks every item.
    void definirItemIndex(int index);
    int nombreItems() const;
    class QRadioButton *bouton(int index) const;

signals:
    // The teacher checked another item (mouse or keyboard).
    void clique();

private:
    QButtonGroup *m_groupe;
};
