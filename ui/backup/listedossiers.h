#pragma once
// The place list and the folder list of the backup dialog: a place (home,
// file system root, mounted disks) opens in the folder list, which shows the
// folders leading to the current one and the folders inside it. Activating
// an entry (double click or Enter) makes it the current folder.
#include <QComboBox>
#include <QListWidget>

class ListeDossiers : public QListWidget {
    Q_OBJECT
public:
    explicit ListeDossiers(QWidget *parent = nullptr);

    QString dossier() const { return m_dossier; }
    // Shows chemin and announces it as chosen.
    void choisir(const QString &chemin);
    // Shows chemin without announcing it.
    void placer(const QString &chemin);

signals:
    void dossierChange(const QString &chemin);

private:
    void remplir();
    QString m_dossier;
};

class ListeEmplacements : public QComboBox {
    Q_OBJECT
public:
    explicit ListeEmplacements(QWidget *parent = nullptr);
    // Lists the places again (disks come and go); keeps the current one if still there.
    void actualiser();
    QString emplacement() const;

signals:
    void emplacementChange(const QString &chemin);
};
