#pragma once
// Copying one file between the program folder and a backup folder, and the
// checks made on the destination before anything is written.
#include <QString>

struct ResultatCopie {
    bool reussie = false;
    QString cible;   // the file written (or that would have been)
    QString message; // on failure: the text for the general error report
};

// The file a copy of source into destination writes: destination + the
// source's name in lower case, unless destination already holds a file of
// that name in another letter case (that one is replaced), or destination is
// itself an existing plain file.
QString CibleDeCopie(const QString &source, const QString &destination);

// Copies source into destination through 8192-byte blocks. The data goes to
// a temporary file beside the target, which takes the source's modification
// time and replaces the target only once whole: a failure leaves the target
// as it was and no partial file behind.
// A link found at the target is replaced, never followed, unless suivreLien
// (a restore into the program folder, where links are the teacher's own):
// then the file it leads to is written, and a link leading nowhere refused.
ResultatCopie CopierFichier(const QString &source, const QString &destination, bool suivreLien = false);

// Free bytes of the file system holding dossier; -1 when dossier is empty or
// not an existing folder.
qint64 EspaceLibre(const QString &dossier);

// Whether two paths name the same folder once links, letter case (on file
// systems that ignore it) and "." or ".." are resolved.
bool MemeDossier(const QString &a, const QString &b);

// Seams for tests.
namespace EssaiCopie {
// From now on, writes beyond this many bytes in all fail as on a full disk;
// a negative value lifts the limit.
void limiterEcriture(qint64 octets);
// EspaceLibre() answers this for every existing folder; negative: the real value.
void fixerEspaceLibre(qint64 octets);
} // namespace EssaiCopie
