#pragma once
// A panel of the class results of one subject (Panel1, Panel2): its label,
// then the minimum (red), mean (blue) and maximum (green) under the fixed
// captions "Min", "Moy", "Max".
#include <QFrame>

class QLabel;

class TPanneauResultats : public QFrame {
    Q_OBJECT
public:
    // noms: the designer names of the subject label and of the three values.
    TPanneauResultats(const QString &nom, const QStringList &noms, const QString &bulle, int x,
                      QWidget *parent);

    void setLibelle(const QString &libelle);
    // Marks as the grid writes them; NO_MARK leaves a value empty.
    void afficher(double mini, double moyenne, double maxi);

private:
    QLabel *m_libelle;
    QLabel *m_valeurs[3];
};
