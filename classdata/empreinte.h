#pragma once
// What a class file looked like when it was loaded: its size, its time and
// its bytes, so that a save can tell whether another copy of the
// program (on this computer or another one sharing the folder) wrote it since.
#include <QByteArray>
#include <QDateTime>
#include <QString>

struct EmpreinteFichier {
    QString chemin; // empty: nothing known
    bool existe = false;
    qint64 taille = 0;
    QDateTime modification;
    // The bytes themselves: a class file is a few hundred kilobytes at most,
    // and keeping them costs less than hashing them at every opening. A file
    // over 1 MiB (not a class file) is kept as the SHA-256 of its bytes.
    QByteArray contenu;
};

// The file as it stands now.
EmpreinteFichier EmpreinteDe(const QString &chemin);

// Same bytes: same existence, size and content (the time alone changes when a
// file is rewritten identically, which loses nothing).
bool MemeContenu(const EmpreinteFichier &a, const EmpreinteFichier &b);

// The class file as charger read it (taken just before reading, so that a
// write in between is seen as a change, never missed).
extern EmpreinteFichier EmpreinteChargee;

// True when the file at chemin no longer holds what was loaded. False when
// nothing was loaded from that path (a class built in memory).
bool FichierChangeDepuisChargement(const QString &chemin);

// After a save: what is on disk now is what the program holds.
void MemoriserEmpreinte(const QString &chemin);
