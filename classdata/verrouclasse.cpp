#include "classdata/verrouclasse.h"

#include "platform/erreurs.h"
#include "platform/horloge.h"

#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSysInfo>

#include <cerrno>
#include <pwd.h>
#include <unistd.h>

namespace {

const QLatin1String SuffixeVerrou(".lock");
const QLatin1String SuffixeJournal(".journal");

} // namespace

QString CheminVerrou(const QString &cheminClasse)
{
    return cheminClasse + SuffixeVerrou;
}

QString CheminJournal(const QString &cheminClasse)
{
    return cheminClasse + SuffixeJournal;
}

bool EstFichierAnnexe(const QString &nom)
{
    for (const QLatin1String s : {SuffixeVerrou, SuffixeJournal}) {
        if (nom.endsWith(s, Qt::CaseInsensitive)) {
            const QString classe = nom.left(nom.size() - s.size());
            if (classe.endsWith(QLatin1String(".VTC"), Qt::CaseInsensitive))
                return true;
        }
    }
    return false;
}

QString UtilisateurCourant()
{
    for (const char *v : {"USER", "LOGNAME", "USERNAME"}) {
        const QString u = qEnvironmentVariable(v);
        if (!u.isEmpty())
            return u;
    }
    if (const passwd *p = ::getpwuid(::getuid()))
        return QString::fromLocal8Bit(p->pw_name);
    return QStringLiteral("?");
}

bool VerrouClasse::LireDetenteur(const QString &cheminVerrou, DetenteurVerrou &d)
{
    d = DetenteurVerrou();
    QFile f(cheminVerrou);
    if (!QFileInfo(cheminVerrou).isFile() || !f.open(QIODevice::ReadOnly))
        return false;
    // A lock is a few short lines; a larger file is not one of ours.
    const QList<QByteArray> lignes = f.read(4096).split('\n');
    auto ligne = [&](int i) { return i < lignes.size() ? lignes.at(i).trimmed() : QByteArray(); };
    bool ok = false;
    d.pid = ligne(0).toLongLong(&ok);
    if (!ok)
        d.pid = 0;
    d.machine = QString::fromUtf8(ligne(2));
    const QByteArray idMachine = ligne(3);
    d.memeMachine = !idMachine.isEmpty() ? idMachine == QSysInfo::machineUniqueId()
                                         : d.machine == QSysInfo::machineHostName();
    d.utilisateur = QString::fromUtf8(ligne(5));
    d.depuis = QDateTime::fromString(QString::fromLatin1(ligne(6)), Qt::ISODate);
    if (!d.depuis.isValid())
        d.depuis = QFileInfo(cheminVerrou).lastModified();
    return true;
}

VerrouClasse::VerrouClasse(const QString &cheminClasse)
    : m_cheminClasse(cheminClasse)
{ }

VerrouClasse::~VerrouClasse()
{
    liberer();
}

bool VerrouClasse::tenu() const
{
    return m_verrou && m_verrou->isLocked();
}

void VerrouClasse::liberer()
{
    if (m_verrou)
        m_verrou->unlock();
    m_verrou.reset();
}

// The lock file says who took it and when, after the lines QLockFile writes
// itself. Appended in place, not rewritten through a temporary: the lock is
// that very file, created exclusively and held open.
void VerrouClasse::completer()
{
    QFile f(CheminVerrou(m_cheminClasse));
    if (!f.open(QIODevice::Append))
        return;
    f.write(UtilisateurCourant().toUtf8() + '\n' + Maintenant().toString(Qt::ISODate).toLatin1() + '\n');
}

VerrouClasse::Etat VerrouClasse::prendre()
{
    if (tenu())
        return Etat::Pris;
    m_erreur.clear();
    m_detenteur = DetenteurVerrou();
    m_verrou = std::make_unique<QLockFile>(CheminVerrou(m_cheminClasse));
    // A lock is never old enough to be thrown away by its age alone: a teacher
    // may keep a class open all day. A copy of this computer that no longer
    // runs leaves a lock that QLockFile takes over at once.
    m_verrou->setStaleLockTime(0);
    errno = 0;
    if (m_verrou->tryLock(0)) {
        completer();
        return Etat::Pris;
    }
    const QLockFile::LockError e = m_verrou->error();
    m_verrou.reset();
    if (e == QLockFile::LockFailedError && LireDetenteur(CheminVerrou(m_cheminClasse), m_detenteur))
        return m_detenteur.memeMachine ? Etat::TenuIci : Etat::TenuAilleurs;
    if (e == QLockFile::LockFailedError) {
        // Held, but its holder cannot be read (being written, or unreadable).
        m_detenteur.depuis = QFileInfo(CheminVerrou(m_cheminClasse)).lastModified();
        return Etat::TenuAilleurs;
    }
    m_erreur = MessageDerniereErreur(e == QLockFile::PermissionError ? EACCES : EIO);
    if (m_erreur.isEmpty())
        m_erreur = MessageErreurSysteme(EIO);
    return Etat::Impossible;
}

bool VerrouClasse::forcer()
{
    if (tenu())
        return true;
    m_verrou = std::make_unique<QLockFile>(CheminVerrou(m_cheminClasse));
    m_verrou->setStaleLockTime(0);
    m_verrou->removeStaleLockFile();
    if (m_verrou->tryLock(0)) {
        completer();
        return true;
    }
    m_verrou.reset();
    return false;
}

QString TexteDetenteur(const QString &nomClasse, const DetenteurVerrou &d, const QDate &aujourdhui)
{
    const QString utilisateur =
        d.utilisateur.isEmpty() ? QStringLiteral("un autre utilisateur") : d.utilisateur;
    const QString machine = d.machine.isEmpty() ? QStringLiteral("un autre ordinateur") : d.machine;
    QString heure = QStringLiteral("un moment");
    if (d.depuis.isValid()) {
        const QDateTime t = d.depuis.toLocalTime();
        heure = t.toString(QStringLiteral("HH:mm"));
        if (t.date() != aujourdhui)
            heure =
                QStringLiteral("le ") + t.toString(QStringLiteral("dd/MM")) + QStringLiteral(" à ") + heure;
    }
    return QStringLiteral("La classe %1 est ouverte par %2 sur %3 depuis %4.")
        .arg(nomClasse, utilisateur, machine, heure);
}
