#pragma once
// The controls of the class configuration dialog that differ from Qt's own.
#include "ui/components/editr.h"

#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>

#include <functional>

// A one-line field that refuses, with a beep, what a class file cannot hold.
// Enter moves on to the next control unless surEntree is set.
class ChampConf : public TEditR {
    Q_OBJECT
public:
    enum Genre {
        Texte,      // any character Windows-1252 holds
        NomFichier, // letters, digits, ! $ - _ ~, upper-cased
        NomEleve,   // as Texte, a space becomes "_"
    };
    explicit ChampConf(Genre genre, int longueur, QWidget *parent = nullptr);

    // Called instead of moving on when Enter is pressed.
    std::function<void()> surEntree;

    // The character stored for c, or a null QChar when c is refused.
    static QChar Filtrer(Genre genre, QChar c);

protected:
    void keyPressEvent(QKeyEvent *e) override;

private:
    void nettoyer(); // pasted text goes through the same filter
    Genre m_genre;
};

// The student list: sorted as the class will be saved, right button
// deselects, an entry can be dragged onto the delete button.
class ListeBoite : public QListWidget {
    Q_OBJECT
public:
    explicit ListeBoite(QWidget *parent = nullptr);
    void ajouter(const QString &entree);
    QListWidgetItem *trouver(const QString &entree) const; // exact text
    QStringList entrees() const;

    static const char *const FormatGlisse;

signals:
    void deselection();

protected:
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;

private:
    QPoint m_depart;
    QListWidgetItem *m_saisi = nullptr;
};

// The delete button, which also takes an entry dropped from the list.
class BoutonSuppression : public QPushButton {
    Q_OBJECT
public:
    explicit BoutonSuppression(QWidget *parent = nullptr);

signals:
    void eleveLache(const QString &entree);

protected:
    void dragEnterEvent(QDragEnterEvent *e) override;
    void dropEvent(QDropEvent *e) override;
};
