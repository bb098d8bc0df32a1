#include "platform/lecturesure.h"

#include "platform/ecrituresure.h"
#include "platform/erreurs.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

int OuvrirFichierOrdinaire(const QString &chemin, QString &message, qint64 *taille, bool *absent)
{
    if (absent)
        *absent = false;
    const QByteArray nom = QFile::encodeName(chemin);
    if (nom.isEmpty() || nom.contains('\0')) {
        message = MessageErreurSysteme(ENOENT);
        return -1;
    }
    auto refuser = [&](const struct stat &st) {
        message = S_ISDIR(st.st_mode) ? MessageErreurSysteme(EISDIR) : MessagePasFichierOrdinaire(chemin);
        return -1;
    };
    // A device is not even opened (opening some has effects of its own).
    struct stat st { };
    if (::stat(nom.constData(), &st) == 0 && !S_ISREG(st.st_mode))
        return refuser(st);
    // Non-blocking: should the file become a FIFO meanwhile, opening it must not wait.
    const int fd = ::open(nom.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        const int code = errno;
        if (absent)
            *absent = code == ENOENT;
        message = MessageErreurSysteme(code);
        return -1;
    }
    if (::fstat(fd, &st) != 0) {
        message = MessageErreurSysteme(errno);
        ::close(fd);
        return -1;
    }
    if (!S_ISREG(st.st_mode)) {
        ::close(fd);
        return refuser(st);
    }
    if (taille)
        *taille = st.st_size;
    return fd;
}

bool LireFichierBorne(const QString &chemin, qint64 tailleMax, QByteArray &octets, QString &message,
                      bool *absent)
{
    octets.clear();
    qint64 taille = 0;
    const int fd = OuvrirFichierOrdinaire(chemin, message, &taille, absent);
    if (fd < 0)
        return false;
    struct Fermeture {
        int fd;
        ~Fermeture() { ::close(fd); }
    } fermeture{fd};
    if (taille > tailleMax) {
        message = MessageFichierTropGrand(chemin, tailleMax);
        return false;
    }
    // The size may change while reading: never more than the cap, plus one
    // byte to see that it grew beyond it.
    octets.resize(qsizetype(taille));
    qint64 lus = 0;
    for (;;) {
        if (lus == octets.size()) {
            if (lus > tailleMax) {
                octets.clear();
                message = MessageFichierTropGrand(chemin, tailleMax);
                return false;
            }
            octets.resize(qsizetype(qMin(tailleMax + 1, lus + 64 * 1024)));
        }
        const ssize_t r = ::read(fd, octets.data() + lus, size_t(octets.size() - lus));
        if (r < 0 && (errno == EINTR || errno == EAGAIN))
            continue;
        if (r < 0) {
            octets.clear();
            message = MessageErreurSysteme(errno);
            return false;
        }
        if (r == 0)
            break;
        lus += r;
    }
    octets.resize(qsizetype(lus));
    return true;
}

QString MessageFichierTropGrand(const QString &chemin, qint64 tailleMax)
{
    return QStringLiteral("%1 est trop grand (plus de %2 Mo)").arg(chemin).arg(tailleMax / (1024 * 1024));
}
