#include "copiefichier.h"

#include "casse.h"
#include "erreurs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStorageInfo>

#include <cerrno>
#include <sys/stat.h>

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
bool ecrireBloc(QSaveFile &cible, const char *donnees, qint64 n, int &code)
{
    qint64 aEcrire = n;
    if (g_resteEcriture >= 0 && n > g_resteEcriture)
        aEcrire = g_resteEcriture;
    if (aEcrire > 0) {
        errno = 0;
        if (cible.write(donnees, aEcrire) != aEcrire) {
            code = errno;
            return false;
        }
    }
    if (g_resteEcriture >= 0)
        g_resteEcriture -= aEcrire;
    if (aEcrire < n) {
        code = ENOSPC;
        return false;
    }
    return true;
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

ResultatCopie CopierFichier(const QString &source, const QString &destination)
{
    ResultatCopie r;
    r.cible = CibleDeCopie(source, destination);

    QFile entree(source);
    if (!entree.open(QIODevice::ReadOnly)) {
        r.message = impossibleDOuvrir(source);
        return r;
    }
    const QDateTime modifiee = QFileInfo(entree).lastModified();

    // The target is replaced only by commit(): until then it stays as it was,
    // and the temporary file is discarded on every early return.
    QSaveFile sortie(r.cible);
    if (!sortie.open(QIODevice::WriteOnly)) {
        r.message = impossibleDOuvrir(r.cible);
        return r;
    }

    QByteArray tampon(TailleBloc, Qt::Uninitialized);
    for (;;) {
        errno = 0;
        const qint64 lus = entree.read(tampon.data(), TailleBloc);
        if (lus < 0)
            return echec(r, errno);
        // A short read is not the end of the file on every file system:
        // only an empty read is.
        if (lus == 0)
            break;
        int code = 0;
        if (!ecrireBloc(sortie, tampon.constData(), lus, code)) {
            sortie.cancelWriting();
            return echec(r, code);
        }
    }

    errno = 0;
    if (!sortie.flush())
        return echec(r, errno);
    // Set on the temporary file, so the rename carries it to the target.
    if (modifiee.isValid())
        sortie.setFileTime(modifiee, QFileDevice::FileModificationTime);
    errno = 0;
    if (!sortie.commit())
        return echec(r, errno);
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
    struct stat sa {}, sb {};
    if (::stat(QFile::encodeName(a).constData(), &sa) == 0
        && ::stat(QFile::encodeName(b).constData(), &sb) == 0)
        return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
    return QDir::cleanPath(QFileInfo(a).absoluteFilePath())
        == QDir::cleanPath(QFileInfo(b).absoluteFilePath());
}

namespace EssaiCopie {
void limiterEcriture(qint64 octets) { g_resteEcriture = octets < 0 ? -1 : octets; }
void fixerEspaceLibre(qint64 octets) { g_espaceImpose = octets < 0 ? -1 : octets; }
} // namespace EssaiCopie
