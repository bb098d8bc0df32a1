#pragma once
// Reading a file the program expects to be an ordinary one, without ever
// waiting or reading without end: a FIFO, a device, a link to /dev/zero or a
// folder is refused at once with a French message, and a file larger than
// its kind may be is refused before it is read.
#include <QByteArray>
#include <QString>

// The largest settings file and phrase base read.
constexpr qint64 TAILLE_MAX_REGLAGES = 1024 * 1024;
constexpr qint64 TAILLE_MAX_BASE = 64 * 1024 * 1024;

// A descriptor open for reading (the caller closes it), or -1 with the
// message; absent, when given, tells a missing file from another failure.
// taille receives the size.
int OuvrirFichierOrdinaire(const QString &chemin, QString &message, qint64 *taille = nullptr,
                           bool *absent = nullptr);

// The whole file; false with the message (absent as above).
bool LireFichierBorne(const QString &chemin, qint64 tailleMax, QByteArray &octets, QString &message,
                      bool *absent = nullptr);

// "<path> est trop grand (plus de <n> Mo)".
QString MessageFichierTropGrand(const QString &chemin, qint64 tailleMax);
