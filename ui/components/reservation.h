#pragma once
// Opening a class for editing when several copies of the program, on this
// computer or on others sharing the folder, may open it too: the class lock,
// the question before a changed file is overwritten, saving under another name.
#include "classdata/verrouclasse.h"

#include <QString>

#include <memory>

enum class Acces { Edition, LectureSeule };

// Takes the lock of the class. Held by a live copy of this computer: says
// who holds it and opens read-only. Held by another computer: asks whether
// that copy is gone (default: no, read-only). A lock left by a crashed copy
// of this computer is taken over without a word.
Acces ReserverClasse(VerrouClasse &verrou, const QString &nomClasse);
// The same, once verrou.prendre() has given etat.
Acces ConclureReservation(VerrouClasse &verrou, VerrouClasse::Etat etat, const QString &nomClasse);

// Taking a lock writes a file and waits for the disk. Started on another
// thread while the window that needs it is built, it is ready when the window
// shows; the window then concludes it as ReserverClasse would. Only one is
// kept: a new one, or the end of the program, releases one never claimed.
void ReserverEnAvance(const QString &cheminClasse);
// The lock taken ahead for that class, and what taking it gave; null when
// none was started for it.
std::unique_ptr<VerrouClasse> ReservationAnticipee(const QString &cheminClasse, VerrouClasse::Etat &etat);
// Releases a lock taken ahead that no window claimed.
void AbandonnerReservationAnticipee();

// "... Elle est ouverte en lecture seule." after the holder's sentence.
QString TexteLectureSeule(const QString &nomClasse, const VerrouClasse &verrou);

enum class ChoixFichierChange { Remplacer, AutreNom, Annuler };
// The class file changed on disk since it was loaded: replace it, save under
// another name, or save nothing now (the default).
ChoixFichierChange DemanderFichierChange(const QString &nomFichier);

// Asks for the name of a new class file (without ".VTC"), until it is valid
// and free in the program folder; empty when the teacher gives up.
QString DemanderAutreNom(const QString &nomClasse);

// Before the loaded class is written back to its file: unchanged on disk,
// or the teacher says to replace it: Ecrire. The teacher chose another name:
// AutreNom, with that name (without ".VTC") and its lock already taken.
// Otherwise nothing must be written now.
struct AvantEcriture {
    enum Suite { Ecrire, AutreNom, Rien } suite = Rien;
    QString nouveauNom;
    std::unique_ptr<VerrouClasse> nouveauVerrou;
};
AvantEcriture VerifierAvantEcriture(const QString &nomFichier, const QString &nomClasse);
