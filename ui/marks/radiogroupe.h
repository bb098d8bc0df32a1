#pragma once
// A captioned group of radio buttons laid out in columns, with an item index.
#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QRadioButton;

class TRadioGroup : public QGroupBox {
    Q_OBJECT
public:
    TRadioGroup(int colonnes, QWidget *parent = nullptr);

    void setItems(const QStringList &items);
    void setItem(int i, const QString &texte);
    QString item(int i) const;
    int count() const { return int(m_boutons.size()); }
    QRadioButton *bouton(int i) const { return m_boutons.value(i); }

    int itemIndex() const;
    // Checks an item without emitting clique().
    void setItemIndex(int i);

signals:
    // The teacher chose an item (also by keyboard).
    void clique(int index);

protected:
    void resizeEvent(QResizeEvent *e) override;

private:
    void disposer();

    int m_colonnes;
    QButtonGroup *m_groupe;
    QList<QRadioButton *> m_boutons;
};
