#include "platform/gui/instance.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSocketNotifier>
#include <QWidget>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <pwd.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {
const QByteArray DEMANDE = "activer\n";
const QByteArray REPONSE = "ok\n";
constexpr int ATTENTE_MS = 2000;

QString utilisateur()
{
    // The account, not the environment: USER is not always set.
    const uid_t uid = ::getuid();
    if (const passwd *pw = ::getpwuid(uid); pw && pw->pw_name && *pw->pw_name)
        return QString::fromLocal8Bit(pw->pw_name);
    return QString::number(uid);
}

// False when the path does not fit a socket address.
bool adresse(const QByteArray &chemin, sockaddr_un &a)
{
    std::memset(&a, 0, sizeof a);
    a.sun_family = AF_UNIX;
    if (chemin.size() >= int(sizeof a.sun_path))
        return false;
    std::memcpy(a.sun_path, chemin.constData(), size_t(chemin.size()));
    return true;
}

// Waits for the socket to be ready; false on time out or error.
bool attendre(int fd, short evenement)
{
    pollfd p{fd, evenement, 0};
    int r;
    do {
        r = ::poll(&p, 1, ATTENTE_MS);
    } while (r < 0 && errno == EINTR);
    return r == 1 && (p.revents & evenement);
}

bool toutEcrire(int fd, const QByteArray &octets)
{
    qsizetype fait = 0;
    while (fait < octets.size()) {
        const ssize_t n = ::send(fd, octets.constData() + fait, size_t(octets.size() - fait), MSG_NOSIGNAL);
        if (n > 0)
            fait += n;
        else if (n < 0 && errno == EINTR)
            continue;
        else if (n < 0 && errno == EAGAIN && attendre(fd, POLLOUT))
            continue;
        else
            return false;
    }
    return true;
}

// One copy that asked to come forward: answered when its line is whole.
class Demandeur : public QObject {
public:
    Demandeur(int fd, TOnlyOne *garde, std::function<void()> activer)
        : QObject(garde)
        , m_fd(fd)
        , m_activer(std::move(activer))
    {
        connect(m_notifieur, &QSocketNotifier::activated, this, [this] { lire(); });
    }
    ~Demandeur() override
    {
        delete m_notifieur; // never watching a closed descriptor
        ::close(m_fd);
    }

private:
    void lire()
    {
        char tampon[64];
        const ssize_t n = ::recv(m_fd, tampon, sizeof tampon, 0);
        if (n < 0 && (errno == EINTR || errno == EAGAIN))
            return;
        if (n > 0)
            m_recu.append(tampon, n);
        if (n > 0 && !m_recu.contains('\n') && m_recu.size() < 256)
            return;
        m_notifieur->setEnabled(false); // answered once, whatever comes after
        if (m_recu == DEMANDE) {
            toutEcrire(m_fd, REPONSE);
            m_activer();
        }
        deleteLater();
    }

    int m_fd;
    QSocketNotifier *m_notifieur = new QSocketNotifier(m_fd, QSocketNotifier::Read, this);
    QByteArray m_recu;
    std::function<void()> m_activer;
};
} // namespace

QString TOnlyOne::nomPour(const QString &titre)
{
    QString nom = QStringLiteral("OnlyOne") + titre.left(20) + QLatin1Char('-') + utilisateur();
    // The name becomes a file name in the temporary folder.
    static const QRegularExpression interdits(QStringLiteral("[^A-Za-z0-9_.-]"));
    return nom.replace(interdits, QStringLiteral("_"));
}

TOnlyOne::TOnlyOne(const QString &titre, QObject *parent)
    : QObject(parent)
    , m_nom(nomPour(titre))
    , m_chemin(QFile::encodeName(QDir::tempPath() + QLatin1Char('/') + m_nom))
{
    for (int essai = 0; essai < 3; ++essai) {
        if (ecouter())
            return;
        if (errno != EADDRINUSE)
            break;
        if (demanderActivation()) {
            m_autreCopie = true;
            return;
        }
        // Nobody answers on the name: a copy that ended without letting it
        // go (a crash). Take the name over.
        ::unlink(m_chemin.constData());
    }
    // The name cannot be had at all: run without the guard rather than not at all.
    qWarning("TOnlyOne: %s: %s", m_chemin.constData(), std::strerror(errno));
}

TOnlyOne::~TOnlyOne()
{
    if (m_serveur >= 0) {
        delete m_attente;
        ::close(m_serveur);
        ::unlink(m_chemin.constData());
    }
}

bool TOnlyOne::ecouter()
{
    sockaddr_un a;
    if (!adresse(m_chemin, a)) {
        errno = ENAMETOOLONG;
        return false;
    }
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return false;
    // bind() never replaces a file: a second copy finds the first one's name taken.
    if (::bind(fd, reinterpret_cast<sockaddr *>(&a), sizeof a) != 0 || ::listen(fd, 8) != 0) {
        const int e = errno;
        ::close(fd);
        errno = e;
        return false;
    }
    m_serveur = fd;
    m_attente = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(m_attente, &QSocketNotifier::activated, this, &TOnlyOne::nouvelleConnexion);
    return true;
}

bool TOnlyOne::demanderActivation()
{
    sockaddr_un a;
    if (!adresse(m_chemin, a))
        return false;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    bool ok = ::connect(fd, reinterpret_cast<sockaddr *>(&a), sizeof a) == 0 && toutEcrire(fd, DEMANDE);
    QByteArray recu;
    while (ok && !recu.contains('\n') && recu.size() < 256) {
        char tampon[64];
        ok = attendre(fd, POLLIN);
        const ssize_t n = ok ? ::recv(fd, tampon, sizeof tampon, 0) : -1;
        if (n < 0 && errno == EINTR)
            continue;
        ok = n > 0;
        if (ok)
            recu.append(tampon, n);
    }
    ::close(fd);
    return ok && recu == REPONSE;
}

void TOnlyOne::nouvelleConnexion()
{
    for (;;) {
        const int fd = ::accept4(m_serveur, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (fd < 0) {
            if (errno == EINTR)
                continue;
            return; // EAGAIN: none left
        }
        new Demandeur(fd, this, [this] { emit activationDemandee(); });
    }
}

void AmenerAuPremierPlan(QWidget *fenetre)
{
    if (!fenetre)
        return;
    if (fenetre->isMinimized())
        fenetre->showNormal();
    else if (!fenetre->isVisible())
        fenetre->show();
    fenetre->raise();
    fenetre->activateWindow();
    if (QWidget *modale = QApplication::activeModalWidget()) {
        if (modale != fenetre) {
            if (modale->isMinimized())
                modale->showNormal();
            modale->raise();
            modale->activateWindow();
        }
    }
}
