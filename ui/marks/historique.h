#pragma once
// Undo and redo of the changes made in the grid, with their two small
// buttons (BBAnnuler, BBRetablir). Each change is kept as the slots of the
// class model it altered, so that it can be taken back whatever view,
// period or subject is on display.
#include "classdata/eleve.h"
#include "reports/grille.h"

#include <QList>
#include <QObject>
#include <functional>

class QToolButton;
class QUndoStack;
class TStringGrid;

struct ChangementNote {
    int eleve;         // index in ListeEleves
    bool appreciation; // else a mark
    int a, b, c;       // mark: subject, period, slot; appreciation: view, period
    double noteAvant, noteApres;
    QString texteAvant, texteApres;
};

// The grid's cells that show these slots, where the grid shows them now.
void MontrerChangements(TStringGrid *g, Vue vue, int periode, Selecteur selecteur,
                        const QList<ChangementNote> &changements, bool apres);

class THistoriqueNotes : public QObject {
    Q_OBJECT
public:
    // montrer: puts the slots back on screen after an undo or a redo.
    using Montrer = std::function<void(const QList<ChangementNote> &, bool apres)>;
    THistoriqueNotes(QWidget *fenetre, Montrer montrer);

    void debut();                     // the class model before a change
    void fin(const QString &libelle); // the step, named, when something changed
    void vider();
    void annuler();
    void retablir();
    void marquerEnregistre(); // the model is what the file holds
    bool enregistre() const;
    // Buttons usable only when allowed; hints naming the step.
    void majBoutons(bool permis);

signals:
    void deplace(); // a step was taken back, done again or recorded
    // The buttons: the window closes the cell editor first, and allows the step or not.
    void annulerDemande();
    void retablirDemande();

private:
    QUndoStack *m_pile;
    QToolButton *m_annuler, *m_retablir;
    Montrer m_montrer;
    QList<StudentRecord> m_avant;
    bool m_avantPris = false;
};
