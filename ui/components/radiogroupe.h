#pragma once
// A captioned group of radio buttons with an item index, -1 when none is checked.
#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QGridLayout;
class QRadioButton;

class RadioGroupe : public QGroupBox {
    Q_OBJECT
public:
    enum class Forme {
        Cadre,   // a framed box, the items column by column under the caption
        Bandeau, // a low box of a tool strip: caption on the frame line, items side by side
    };

    RadioGroupe(const QString &titre, const QStringList &items, int colonnes = 1, QWidget *parent = nullptr,
                Forme forme = Forme::Cadre);

    void setItems(const QStringList &items);
    void setItem(int i, const QString &texte);
    QString item(int i) const;
    int count() const { return int(m_boutons.size()); }
    QRadioButton *bouton(int i) const { return m_boutons.value(i); }

    int itemIndex() const;
    // Checks an item without emitting clique(); -1 unchecks every item.
    void setItemIndex(int i);

signals:
    // The teacher clicked an item, mouse or keyboard, the checked one too.
    void clique(int index);

protected:
    void resizeEvent(QResizeEvent *e) override;

private:
    void disposer();

    const int m_colonnes;
    const Forme m_forme;
    QButtonGroup *m_groupe;
    QGridLayout *m_grille = nullptr; // Cadre only
    QList<QRadioButton *> m_boutons;
};
