#include "platform/dossierdonnees.h"

#include "platform/casse.h"
#include "platform/dossier.h"
#include "platform/erreurs.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QStandardPaths>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

// Set by the build from the install directories.
#ifndef VESTREL_PREFIXE
#define VESTREL_PREFIXE "/usr/local"
#endif
#ifndef VESTREL_BIN_VERS_DOC
#define VESTREL_BIN_VERS_DOC "../share/doc/vestrel"
#endif
#ifndef VESTREL_BIN_VERS_APPLICATIONS
#define VESTREL_BIN_VERS_APPLICATIONS "../share/applications"
#endif
#ifndef VESTREL_ENTREE_BUREAU
#define VESTREL_ENTREE_BUREAU "vestrel.desktop"
#endif

namespace {

const QString GUIDE = QStringLiteral("Vestdoc.htm");

QString propre(const QString &dossier)
{
    return QDir::cleanPath(QDir(dossier).absolutePath());
}

bool sous(const QString &chemin, const QString &prefixe)
{
    return chemin == prefixe || chemin.startsWith(prefixe + QLatin1Char('/'));
}

// Folders where programs are installed, never a user's own copy.
bool sousPrefixeSysteme(const QString &dossier)
{
    static const char *const PREFIXES[] = {"/usr", "/bin",  "/sbin", "/lib", "/lib64", "/opt",
                                           "/etc", "/snap", "/app",  "/nix", "/gnu"};
    for (const char *p : PREFIXES)
        if (sous(dossier, QLatin1String(p)))
            return true;
    const QString installation = QDir::cleanPath(QStringLiteral(VESTREL_PREFIXE));
    return installation != QLatin1String("/") && sous(dossier, installation);
}

// An installed program has its desktop entry beside it, in ../share: a copy
// installed into a staging folder is no portable copy either.
bool installe(const QString &dossierExecutable)
{
    return QFileInfo::exists(dossierExecutable + QStringLiteral("/" VESTREL_BIN_VERS_APPLICATIONS "/")
                             + QStringLiteral(VESTREL_ENTREE_BUREAU));
}

bool contientClasse(const QString &dossier)
{
    QDirIterator it(dossier, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        it.next();
        if (MajusculesAscii(it.fileName()).endsWith(QLatin1String(".VTC")))
            return true;
    }
    return false;
}

QString nomParametres()
{
    QString base = QStringLiteral("Vestrel");
    if (QCoreApplication::instance()) {
        const QString b = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
        if (!b.isEmpty())
            base = b;
    }
    return base + QStringLiteral(".INI");
}

QString messageCreation(const QString &dossier, int code)
{
    return QStringLiteral("Impossible de créer le dossier des classes %1 : %2")
        .arg(QDir::toNativeSeparators(dossier), MessageErreurSysteme(code));
}

// Removes what this start created: the folder's content, then the folders.
void defaire(const QStringList &crees)
{
    if (crees.isEmpty())
        return;
    QDirIterator it(crees.last(), QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    while (it.hasNext())
        ::unlink(QFile::encodeName(it.next()).constData());
    for (auto d = crees.crbegin(); d != crees.crend(); ++d)
        ::rmdir(QFile::encodeName(*d).constData());
}

DossierDonnees echec(const QString &message)
{
    DossierDonnees r;
    r.message = message;
    return r;
}

DossierDonnees retenu(const QString &dossier, OrigineDossier origine, bool cree = false)
{
    DossierDonnees r;
    r.dossier = dossier;
    r.origine = origine;
    r.cree = cree;
    DefinirDossierProgramme(dossier);
    return r;
}

} // namespace

EntreesDossier EntreesDuSysteme(const std::optional<QString> &option, const QString &fichierClasse)
{
    EntreesDossier e;
    e.option = option;
    e.fichierClasse = fichierClasse;
    if (QCoreApplication::instance())
        e.dossierExecutable = QCoreApplication::applicationDirPath();
    e.documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (e.documents.isEmpty())
        e.documents = QDir::homePath() + QStringLiteral("/Documents");
    return e;
}

bool EstCopiePortable(const QString &dossierExecutable)
{
    if (dossierExecutable.isEmpty())
        return false;
    const QString d = propre(dossierExecutable);
    if (QFileInfo::exists(CheminReel(d, nomParametres())) || contientClasse(d))
        return true;
    return ::access(QFile::encodeName(d).constData(), W_OK) == 0 && !sousPrefixeSysteme(d) && !installe(d);
}

DossierDonnees ChoisirDossierDonnees(const EntreesDossier &e, const RemplissageDossier &remplir)
{
    if (e.option) {
        if (e.option->isEmpty() || !QFileInfo(*e.option).isDir())
            return echec(QStringLiteral("Dossier introuvable : %1").arg(*e.option));
        return retenu(propre(*e.option), OrigineDossier::Option);
    }
    // Only a real path: a bare name keeps meaning a class of the data folder.
    const QFileInfo fichier(e.fichierClasse);
    if (e.fichierClasse.contains(QLatin1Char('/')) && fichier.isFile()
        && MajusculesAscii(fichier.fileName()).endsWith(QLatin1String(".VTC")))
        return retenu(propre(fichier.absolutePath()), OrigineDossier::FichierDonne);
    if (EstCopiePortable(e.dossierExecutable))
        return retenu(propre(e.dossierExecutable), OrigineDossier::Portable);

    const QString dossier = propre(e.documents + QStringLiteral("/Vestrel"));
    const QFileInfo info(dossier);
    if (info.isDir())
        return retenu(dossier, OrigineDossier::Documents);
    if (info.exists() || info.isSymLink())
        return echec(messageCreation(dossier, info.exists() ? ENOTDIR : ENOENT));

    // Every missing level, outermost first, so that a failure removes them all.
    QStringList aCreer;
    for (QString d = dossier; !QFileInfo::exists(d) && d != QLatin1String("/"); d = QFileInfo(d).path())
        aCreer.prepend(d);
    QStringList crees;
    for (const QString &d : std::as_const(aCreer)) {
        if (::mkdir(QFile::encodeName(d).constData(), 0777) != 0) {
            const int code = errno;
            defaire(crees);
            return echec(messageCreation(dossier, code));
        }
        crees.append(d);
    }
    const QString avant = DossierProgramme();
    DefinirDossierProgramme(dossier);
    const QString message = remplir ? remplir() : QString();
    if (!message.isEmpty()) {
        defaire(crees);
        DefinirDossierProgramme(avant);
        return echec(message);
    }
    return retenu(dossier, OrigineDossier::Documents, true);
}

QString CheminGuide()
{
    QStringList dossiers{DossierProgramme()};
    if (QCoreApplication::instance()) {
        const QString executable = QCoreApplication::applicationDirPath();
        dossiers << executable << executable + QStringLiteral("/" VESTREL_BIN_VERS_DOC);
    }
    for (const QString &d : std::as_const(dossiers)) {
        const QString chemin = CheminReel(QDir::cleanPath(d), GUIDE);
        if (QFileInfo(chemin).isFile())
            return chemin;
    }
    return {};
}

QString DossierLisible(const QString &dossier)
{
    const QString maison = QDir::cleanPath(QDir::homePath());
    const QString d = QDir::cleanPath(dossier);
    if (maison != QLatin1String("/") && sous(d, maison))
        return QLatin1Char('~') + d.mid(maison.size());
    return QDir::toNativeSeparators(d);
}
