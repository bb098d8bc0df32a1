#pragma once
// The lock a copy of the program holds on a class while it edits it: a file
// beside the class, named after it with ".lock" added (3B.VTC.lock), holding
// the process, the machine and the user. Several computers may share the
// class folder; only the holder may write the class.
#include <QDateTime>
#include <QString>

#include <memory>

class QLockFile;

// Files the program keeps beside a class: never a class of their own.
QString CheminVerrou(const QString &cheminClasse);  // + ".lock"
QString CheminJournal(const QString &cheminClasse); // + ".journal"
// True for a name such as 3B.VTC.lock or 3B.vtc.journal (letter case ignored).
bool EstFichierAnnexe(const QString &nom);

// Who holds a lock, as its file says.
struct DetenteurVerrou {
    qint64 pid = 0;
    QString machine;
    QString utilisateur;
    QDateTime depuis;
    bool memeMachine = false;
};

// This session's user name, as written in the locks it takes.
QString UtilisateurCourant();

class VerrouClasse {
public:
    enum class Etat {
        Pris,         // this copy holds it (a lock left by a crashed copy of this computer is taken over)
        TenuIci,      // a live copy of this computer holds it
        TenuAilleurs, // another computer holds it, alive or not: only the teacher can tell
        Impossible,   // no lock can be made (folder read-only, ...)
    };

    explicit VerrouClasse(const QString &cheminClasse);
    ~VerrouClasse(); // releases the lock if held

    Etat prendre();
    // Takes over the lock of another computer after the teacher said it is
    // no longer in use; false when it cannot be removed or taken.
    bool forcer();
    void liberer();

    bool tenu() const;
    QString cheminClasse() const { return m_cheminClasse; }
    // The holder found by the last prendre() that did not take it.
    const DetenteurVerrou &detenteur() const { return m_detenteur; }
    // The platform's message when prendre() gave Impossible.
    QString erreur() const { return m_erreur; }

    // Reads the holder written in a lock file; false when there is none or it is unreadable.
    static bool LireDetenteur(const QString &cheminVerrou, DetenteurVerrou &d);

private:
    void completer();

    QString m_cheminClasse;
    std::unique_ptr<QLockFile> m_verrou;
    DetenteurVerrou m_detenteur;
    QString m_erreur;
};

// "La classe 3B est ouverte par <utilisateur> sur <machine> depuis <heure>."
QString TexteDetenteur(const QString &nomClasse, const DetenteurVerrou &d, const QDate &aujourdhui);
