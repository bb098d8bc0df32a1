#pragma once
// A sorted phrase list with an edit line above an always visible list, the
// way a simple combo box looks. The list stays sorted whatever is added; a
// large base (hundreds of thousands of phrases) stays responsive.
#include <QAbstractListModel>
#include <QStringList>
#include <QWidget>

class QLineEdit;
class QListView;

class ModelePhrases : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;
    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;

    const QStringList &phrases() const { return m_phrases; }
    void remplacer(const QStringList &triees);
    int inserer(const QString &phrase); // returns its row
    void retirer(int ligne);

private:
    QStringList m_phrases;
};

class ListePhrases : public QWidget {
    Q_OBJECT
public:
    explicit ListePhrases(QWidget *parent = nullptr);

    const QStringList &phrases() const { return m_modele->phrases(); }
    int count() const { return int(phrases().size()); }
    QString phrase(int ligne) const { return phrases().value(ligne); }

    // Replaces the whole list; the phrases are sorted here.
    void remplir(QStringList phrases);
    // Replaces the whole list with phrases already in order.
    void remplirTriees(const QStringList &triees);
    void vider();
    // Adds at the sorted place; the selection stays on the same phrase.
    int ajouter(const QString &phrase);
    void supprimer(int ligne);

    // Selected row, -1 for none.
    int ligneCourante() const;
    void choisirLigne(int ligne);

    QLineEdit *ligneEdition() const { return m_edition; }
    QListView *vue() const { return m_vue; }

signals:
    void doubleClic();

private:
    void selectionChangee();
    void texteTape(const QString &texte);

    ModelePhrases *m_modele;
    QLineEdit *m_edition;
    QListView *m_vue;
    bool m_synchro = false;
};
