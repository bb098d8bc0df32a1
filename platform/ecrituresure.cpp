#include "platform/ecrituresure.h"

#include "platform/erreurs.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr qint64 TailleBloc = 64 * 1024;

int g_pasEchec = 0; // 0: nothing armed
int g_codeEchec = 0;
int g_pas = 0;

// Counts one step; true when the test asked this one to fail (errno is set).
bool pasEchoue()
{
    ++g_pas;
    if (g_pasEchec != 0 && g_pas == g_pasEchec) {
        if (g_codeEchec == EssaiEcriture::ArretBrutal)
            ::raise(SIGKILL); // a crash or a power cut just before this step
        errno = g_codeEchec;
        return true;
    }
    return false;
}

QByteArray local(const QString &chemin)
{
    return QFile::encodeName(chemin);
}

QString depuisLocal(const char *chemin)
{
    return QFile::decodeName(chemin);
}

int ecrireTout(int fd, const char *donnees, qint64 taille, bool compterPas)
{
    while (taille > 0) {
        const size_t n = size_t(qMin(taille, TailleBloc));
        if (compterPas && pasEchoue())
            return errno;
        const ssize_t r = ::write(fd, donnees, n);
        if (r < 0 && errno == EINTR)
            continue;
        if (r < 0)
            return errno != 0 ? errno : EIO;
        if (r == 0)
            return ENOSPC;
        donnees += r;
        taille -= r;
    }
    return 0;
}

// A rename is only durable once the folder itself reaches the disk. The file
// is already in place by then, so a failure here changes nothing for the caller.
void synchroniserDossier(const QString &fichier)
{
    const int fd =
        ::open(local(QFileInfo(fichier).absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// The file a write really replaces, or the message of why none may be.
bool resoudreCible(const QString &chemin, bool suivreLien, QString &cible, int &mode, QString &message)
{
    const QByteArray nom = local(chemin);
    if (nom.isEmpty() || nom.contains('\0')) {
        message = MessageErreurSysteme(ENOENT);
        return false;
    }
    cible = chemin;
    mode = -1;
    struct stat st { };
    if (::lstat(nom.constData(), &st) != 0) {
        if (errno == ENOENT)
            return true; // a new file
        message = MessageErreurSysteme(errno);
        return false;
    }
    if (S_ISLNK(st.st_mode) && suivreLien) {
        char reel[PATH_MAX];
        if (!::realpath(nom.constData(), reel)) {
            message = errno == ENOENT
                ? QStringLiteral("Le lien %1 ne mène à aucun fichier : rien n'a été écrit").arg(chemin)
                : MessageErreurSysteme(errno);
            return false;
        }
        cible = depuisLocal(reel);
        if (::stat(reel, &st) != 0) {
            message = MessageErreurSysteme(errno);
            return false;
        }
    } else if (S_ISLNK(st.st_mode)) {
        return true; // the link itself is replaced
    }
    if (S_ISDIR(st.st_mode)) {
        message = MessageErreurSysteme(EISDIR);
        return false;
    }
    if (!S_ISREG(st.st_mode)) {
        message = MessagePasFichierOrdinaire(chemin);
        return false;
    }
    mode = int(st.st_mode & 07777);
    return true;
}

} // namespace

QString MessageEcritureImpossible(const QString &chemin)
{
    return QStringLiteral("Impossible d'écrire dans %1").arg(chemin);
}

QString MessagePasFichierOrdinaire(const QString &chemin)
{
    return QStringLiteral("%1 n'est pas un fichier ordinaire").arg(chemin);
}

FichierEnCours::FichierEnCours(const QString &chemin, bool suivreLien)
    : m_chemin(chemin)
    , m_suivreLien(suivreLien)
{ }

FichierEnCours::~FichierEnCours()
{
    abandonner();
}

bool FichierEnCours::echec(int code)
{
    if (m_message.isEmpty())
        m_message = MessageErreurSysteme(code != 0 ? code : EIO);
    abandonner();
    return false;
}

void FichierEnCours::abandonner()
{
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (!m_temporaire.isEmpty()) {
        ::unlink(m_temporaire.constData());
        m_temporaire.clear();
    }
}

bool FichierEnCours::ouvrir()
{
    m_message.clear();
    if (!resoudreCible(m_chemin, m_suivreLien, m_cible, m_mode, m_message))
        return false;
    // Beside the file, so the rename stays on one file system; a leading dot
    // and no known extension keep it out of every list of the program.
    const QFileInfo info(m_cible);
    const QByteArray base = local(info.absolutePath() + QStringLiteral("/.") + info.fileName());
    for (int essai = 0; essai < 100; ++essai) {
        // A fixed ending, so that no random part can look like a class's extension.
        const QByteArray nom =
            base + '.' + QByteArray::number(QRandomGenerator::global()->generate(), 36) + ".tmp";
        if (pasEchoue())
            return echec(errno);
        // 0666 less the umask, as any new file; an old file's own bits below.
        const int fd = ::open(nom.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno == EEXIST)
            continue;
        if (fd < 0)
            return echec(errno);
        m_fd = fd;
        m_temporaire = nom;
        if (m_mode >= 0)
            ::fchmod(fd, mode_t(m_mode)); // some file systems keep no modes: not a failure
        return true;
    }
    return echec(EEXIST);
}

bool FichierEnCours::ecrire(const char *donnees, qint64 taille)
{
    if (m_fd < 0)
        return false;
    const int code = ecrireTout(m_fd, donnees, taille, true);
    return code == 0 || echec(code);
}

bool FichierEnCours::preparer(const QDateTime &modification)
{
    if (m_fd < 0)
        return false;
    // Nothing is buffered in this process: each write above went to the
    // system. The sync makes the system put it on the disk and report what
    // a full disk or a failing device could not take.
    if (pasEchoue() || ::fdatasync(m_fd) != 0) {
        // A file system that cannot sync (EINVAL) has nothing to lose by it.
        if (errno != EINVAL)
            return echec(errno);
    }
    if (modification.isValid()) {
        const qint64 ms = modification.toMSecsSinceEpoch();
        struct timespec temps[2];
        temps[0].tv_nsec = UTIME_OMIT;
        temps[1].tv_sec = time_t(ms / 1000);
        temps[1].tv_nsec = long(ms % 1000) * 1000000L;
        ::futimens(m_fd, temps); // a copy that keeps no time is still a whole copy
    }
    const int fd = m_fd;
    m_fd = -1;
    if (pasEchoue()) {
        const int code = errno;
        ::close(fd);
        return echec(code);
    }
    if (::close(fd) != 0)
        return echec(errno);
    return true;
}

bool FichierEnCours::remplacer()
{
    if (m_temporaire.isEmpty())
        return false;
    if (pasEchoue() || ::rename(m_temporaire.constData(), local(m_cible).constData()) != 0)
        return echec(errno);
    m_temporaire.clear();
    synchroniserDossier(m_cible);
    return true;
}

bool FichierEnCours::terminer(const QDateTime &modification)
{
    return preparer(modification) && remplacer();
}

QString EcrireFichierSur(const QString &chemin, const QByteArray &octets)
{
    FichierEnCours f(chemin);
    if (f.ouvrir() && f.ecrire(octets.constData(), octets.size()) && f.terminer())
        return {};
    return f.message();
}

QString EcrireDeuxFichiersSurs(const QString &chemin1, const QByteArray &octets1, const QString &chemin2,
                               const QByteArray &octets2)
{
    FichierEnCours f1(chemin1), f2(chemin2);
    if (!f1.ouvrir() || !f1.ecrire(octets1.constData(), octets1.size()) || !f1.preparer())
        return f1.message();
    if (!f2.ouvrir() || !f2.ecrire(octets2.constData(), octets2.size()) || !f2.preparer())
        return f2.message();

    // A second name for the first file's old bytes, so they can come back if
    // the second rename fails. A hard link costs nothing; where the file
    // system has none, a copy written the same safe way.
    const QByteArray cible1 = local(f1.cible());
    QByteArray ancien;
    std::unique_ptr<FichierEnCours> copie;
    struct stat st { };
    if (::lstat(cible1.constData(), &st) == 0) {
        const QFileInfo info(f1.cible());
        ancien =
            local(info.absolutePath() + QStringLiteral("/.") + info.fileName() + QStringLiteral(".ancien.")
                  + QString::number(QRandomGenerator::global()->generate(), 36) + QStringLiteral(".tmp"));
        const bool lien = !pasEchoue() && ::link(cible1.constData(), ancien.constData()) == 0;
        if (!lien) {
            const int code = errno;
            if (code != EPERM && code != EXDEV && code != ENOTSUP && code != EMLINK && code != ENOSYS)
                return MessageErreurSysteme(code);
            QFile vieux(f1.cible());
            if (!vieux.open(QIODevice::ReadOnly))
                return MessageErreurSysteme(EACCES);
            const QByteArray octets = vieux.readAll();
            if (vieux.error() != QFileDevice::NoError)
                return MessageErreurSysteme(EIO);
            // Renamed over the first file only to put it back.
            copie = std::make_unique<FichierEnCours>(f1.cible());
            if (!copie->ouvrir() || !copie->ecrire(octets.constData(), octets.size()) || !copie->preparer())
                return copie->message();
            ancien.clear();
        }
    }

    if (!f1.remplacer()) {
        if (!ancien.isEmpty())
            ::unlink(ancien.constData());
        return f1.message();
    }
    if (!f2.remplacer()) {
        // Put the first file back: the pair must not disagree.
        if (copie)
            copie->remplacer();
        else if (!ancien.isEmpty())
            ::rename(ancien.constData(), cible1.constData());
        else
            ::unlink(cible1.constData());
        return f2.message();
    }
    if (!ancien.isEmpty())
        ::unlink(ancien.constData());
    return {};
}

QString EcrireSortie(const QString &chemin, const QByteArray &octets)
{
    const QByteArray nom = local(chemin);
    struct stat st { };
    if (nom.isEmpty() || ::stat(nom.constData(), &st) != 0 || !(S_ISFIFO(st.st_mode) || S_ISCHR(st.st_mode)))
        return EcrireFichierSur(chemin, octets);
    // Without blocking: a FIFO nobody reads is refused at once (ENXIO)
    // rather than hanging.
    const int fd = ::open(nom.constData(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return errno == ENXIO ? QStringLiteral("Aucun programme ne lit %1").arg(chemin)
                              : MessageErreurSysteme(errno);
    const int drapeaux = ::fcntl(fd, F_GETFL);
    if (drapeaux >= 0)
        ::fcntl(fd, F_SETFL, drapeaux & ~O_NONBLOCK);
    const int code = ecrireTout(fd, octets.constData(), octets.size(), true);
    const bool ferme = ::close(fd) == 0;
    if (code != 0)
        return MessageErreurSysteme(code);
    return ferme ? QString() : MessageErreurSysteme(errno);
}

namespace EssaiEcriture {
void echouerAuPas(int n, int code)
{
    g_pasEchec = n;
    g_codeEchec = code;
    g_pas = 0;
}
int pasFaits()
{
    return g_pas;
}
void remettreAZero()
{
    echouerAuPas(0, 0);
}
} // namespace EssaiEcriture
