#pragma once
// The one way the program writes a file. The bytes go to a temporary file in
// the same folder; the write, the sync to disk and the close are each checked,
// and only then is the temporary renamed over the file. On any failure the
// old file keeps its bytes, the temporary is removed, and the platform's
// French message comes back (empty text: success).
//
// A symbolic link is kept and its target written, as long as the target
// exists; a link leading nowhere is refused (it could create a file anywhere).
// Anything but a regular file (a folder, a FIFO, a device) is refused.
#include <QByteArray>
#include <QDateTime>
#include <QString>

QString EcrireFichierSur(const QString &chemin, const QByteArray &octets);

// Two files that must agree (a class and its settings): both temporaries are
// written whole before either is renamed, and if the second rename fails the
// first file is put back as it was.
QString EcrireDeuxFichiersSurs(const QString &chemin1, const QByteArray &octets1, const QString &chemin2,
                               const QByteArray &octets2);

// For an output the user names (the command-line tool's --sortie): a FIFO or
// a character device (a terminal, /dev/stdout) receives the bytes as a
// stream; anything else is written as by EcrireFichierSur.
QString EcrireSortie(const QString &chemin, const QByteArray &octets);

// "Impossible d'écrire dans <path>", for the settings files.
QString MessageEcritureImpossible(const QString &chemin);

// "<path> n'est pas un fichier ordinaire", for FIFOs, devices and folders.
QString MessagePasFichierOrdinaire(const QString &chemin);

// The same steps for a file too large to hold in memory (a backup copy),
// written block by block.
class FichierEnCours {
public:
    // suivreLien false: a link at chemin is replaced by the file itself
    // rather than followed (a backup folder must not lead elsewhere).
    explicit FichierEnCours(const QString &chemin, bool suivreLien = true);
    ~FichierEnCours(); // removes the temporary unless terminer() succeeded
    FichierEnCours(const FichierEnCours &) = delete;
    FichierEnCours &operator=(const FichierEnCours &) = delete;

    bool ouvrir();
    bool ecrire(const char *donnees, qint64 taille);
    // preparer() then remplacer().
    bool terminer(const QDateTime &modification = {});
    // Sync and close the temporary. modification: the time the file takes, if valid.
    bool preparer(const QDateTime &modification = {});
    // Renames the closed temporary over the file.
    bool remplacer();
    void abandonner();
    QString message() const { return m_message; }
    QString cible() const { return m_cible; }

private:
    bool echec(int code);
    QString m_chemin;
    QString m_cible; // the link's target when chemin is a link
    QByteArray m_temporaire;
    int m_fd = -1;
    int m_mode = -1; // permission bits of the file replaced
    bool m_suivreLien;
    QString m_message;
};

// Test seam: make one step of the write path fail as the system would.
// The steps counted are the system calls that can fail: creating the
// temporary, each write of at most 64 KiB, the sync, the close, each rename
// (and the link that keeps the first file of a pair).
namespace EssaiEcriture {
// The n-th step from now (1 = the next) fails with errno code; 0 disarms.
// ArretBrutal kills the process there instead (for a forked test child).
constexpr int ArretBrutal = -1;
void echouerAuPas(int n, int code);
// Steps made since the last echouerAuPas() or remettreAZero().
int pasFaits();
void remettreAZero();
} // namespace EssaiEcriture
