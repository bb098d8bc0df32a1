#pragma once
// What keeps the class of the mark-entry window safe while it is open: the
// lock that makes any other copy read-only, the check that the file was not
// changed by someone else before it is overwritten, and the recovery journal
// written a few seconds after each change.
#include <QByteArray>
#include <QObject>
#include <QString>

#include <memory>

class QTimer;
class TNoteForm;
class VerrouClasse;

class GardeClasse : public QObject {
    Q_OBJECT
public:
    explicit GardeClasse(TNoteForm *fenetre);
    ~GardeClasse() override;

    // Delay between the last change and the journal's write.
    static int DelaiJournal; // milliseconds

    // The window has just shown the class: lock, read-only, recovery.
    void ouvrir();
    // The window leaves the class (saved or not): journal removed, lock released.
    void fermer();

    bool lectureSeule() const { return m_lectureSeule; }
    // Keeps the controls that change the class off in read-only (after a view change).
    void appliquer();

    // Something changed, or was saved: the journal follows a few seconds later.
    void changement();
    // The write itself (the timer's end; tests call it instead of waiting).
    void echeance();
    // Once a second: a change made without a step of the history (a cell
    // still being typed) reaches the journal too.
    void veille();
    QTimer *minuterie() const { return m_minuterie; }

    // Before a save: false when nothing must be written now. Saving under
    // another name switches the window to the new class.
    bool avantEnregistrement();
    // The class is on disk: remember what it holds, drop the journal.
    void apresEnregistrement();

private:
    QString chemin() const;
    void proposerRecuperation();

    TNoteForm *m_f;
    std::unique_ptr<VerrouClasse> m_verrou;
    QTimer *m_minuterie;
    bool m_actif = false; // the journal may be written
    bool m_lectureSeule = false;
    QObject *m_filtreTitre = nullptr;
    class QLabel *m_cadenas = nullptr; // shown in read-only, where the unsaved sign would be
    QByteArray m_ecrit;                // the class as the journal last had it
};
