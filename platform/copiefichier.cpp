#include "platform/copiefichier.h"

#include "platform/casse.h"
#include "platform/ecrituresure.h"
#include "platform/erreurs.h"
#include "platform/lecturesure.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr qint64 TailleBloc = 8192;

qint64 g_resteEcriture = -1;
qint64 g_espaceImpose = -1;

QString impossibleDOuvrir(const QString &chemin)
{
    return QStringLiteral("Impossible d'ouvrir ") + QDir::toNativeSeparators(chemin);
}

// Writes one block, unless the test limit says the disk is full: then only
// what fits goes out and the write fails as the system would.
bool ecrireBloc(FichierEnCours &cible, const char *donnees, qint64 n)
{
    qint64 aEcrire = n;
    if (g_resteEcriture >= 0 && n > g_resteEcriture)
        aEcrire = g_resteEcriture;
    if (aEcrire > 0 && !cible.ecrire(donnees, aEcrire))
        return false;
    if (g_resteEcriture >= 0)
        g_resteEcriture -= aEcrire;
    return aEcrire == n;
}

ResultatCopie echec(ResultatCopie r, int code)
{
    r.message = MessageErreurSysteme(code ? code : EIO);
    return r;
}
} // namespace

QString CibleDeCopie(const QString &source, const QString &destination)
{
    const QFileInfo dest(destination);
    if (dest.exists() && !dest.isDir())
        return dest.absoluteFilePath();
    const QString dossier = QDir::cleanPath(dest.absoluteFilePath());
    return CheminReel(dossier, QFileInfo(source).fileName().toLower());
}

ResultatCopie CopierFichier(const QString &source, const QString &destination, bool suivreLien)
{
    ResultatCopie r;
    r.cible = CibleDeCopie(source, destination);

    // Never waits on a FIFO nor copies a device for ever: ordinary files only.
    QString message;
    const int fd = OuvrirFichierOrdinaire(source, message);
    if (fd < 0) {
        r.message = message == MessagePasFichierOrdinaire(source) ? message : impossibleDOuvrir(source);
        return r;
    }
    struct Fermeture {
        int fd;
        ~Fermeture() { ::close(fd); }
    } fermeture{fd};
    struct stat st { };
    QDateTime modifiee;
    if (::fstat(fd, &st) == 0)
        modifiee =
            QDateTime::fromMSecsSinceEpoch(qint64(st.st_mtim.tv_sec) * 1000 + st.st_mtim.tv_nsec / 1000000);

    // A backup folder must not lead the copy to a file outside it. Until
    // terminer() the target stays as it was, and the temporary file goes on
    // every early return.
    FichierEnCours sortie(r.cible, suivreLien);
    if (!sortie.ouvrir()) {
        r.message = impossibleDOuvrir(r.cible);
        return r;
    }

    QByteArray tampon(TailleBloc, Qt::Uninitialized);
    for (;;) {
        const ssize_t lus = ::read(fd, tampon.data(), size_t(TailleBloc));
        if (lus < 0 && (errno == EINTR || errno == EAGAIN))
            continue;
        if (lus < 0)
            return echec(r, errno);
        // A short read is not the end of the file on every file system:
        // only an empty read is.
        if (lus == 0)
            break;
        if (!ecrireBloc(sortie, tampon.constData(), lus)) {
            if (!sortie.message().isEmpty()) {
                r.message = sortie.message();
                return r;
            }
            sortie.abandonner();
            return echec(r, ENOSPC);
        }
    }

    // The copy takes the source's time, carried to the target by the rename.
    if (!sortie.terminer(modifiee)) {
        r.message = sortie.message();
        return r;
    }
    r.reussie = true;
    return r;
}

qint64 EspaceLibre(const QString &dossier)
{
    if (dossier.isEmpty() || !QFileInfo(dossier).isDir())
        return -1;
    if (g_espaceImpose >= 0)
        return g_espaceImpose;
    const QStorageInfo volume(dossier);
    if (!volume.isValid() || !volume.isReady())
        return -1;
    return volume.bytesAvailable();
}

bool MemeDossier(const QString &a, const QString &b)
{
    if (a.isEmpty() || b.isEmpty())
        return false;
    // The same folder on disk has the same device and inode, whatever path
    // leads to it and whatever letter case the file system accepts.
    struct stat sa {
    }, sb{};
    if (::stat(QFile::encodeName(a).constData(), &sa) == 0
        && ::stat(QFile::encodeName(b).constData(), &sb) == 0)
        return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
    return QDir::cleanPath(QFileInfo(a).absoluteFilePath())
        == QDir::cleanPath(QFileInfo(b).absoluteFilePath());
}

namespace EssaiCopie {
void limiterEcriture(qint64 octets)
{
    g_resteEcriture = octets < 0 ? -1 : octets;
}
void fixerEspaceLibre(qint64 octets)
{
    g_espaceImpose = octets < 0 ? -1 : octets;
}
} // namespace EssaiCopie
