#include "platform/dossier.h"

#include "platform/casse.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {
QString g_dossier;
QString g_parametres;

QString sansSeparateurFinal(QString d)
{
    while (d.size() > 1 && d.endsWith(QLatin1Char('/')))
        d.chop(1);
    return d;
}
} // namespace

QString DossierProgramme()
{
    if (!g_dossier.isEmpty())
        return g_dossier;
    if (QCoreApplication::instance())
        return sansSeparateurFinal(QCoreApplication::applicationDirPath());
    return sansSeparateurFinal(QDir::currentPath());
}

void DefinirDossierProgramme(const QString &dossier)
{
    g_dossier = dossier.isEmpty() ? QString() : sansSeparateurFinal(QDir(dossier).absolutePath());
}

QString CheminProgramme(const QString &nomFichier)
{
    return DossierProgramme() + QLatin1Char('/') + nomFichier;
}

QString CheminParametresAppli()
{
    if (!g_parametres.isEmpty())
        return g_parametres;
    QString base = QStringLiteral("Vestrel");
    if (QCoreApplication::instance()) {
        const QString b = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
        if (!b.isEmpty())
            base = b;
    }
    // An existing file spelt vestrel.ini is the same file on the original system.
    return CheminReel(DossierProgramme(), base + QStringLiteral(".INI"));
}

void DefinirCheminParametresAppli(const QString &chemin)
{
    g_parametres = chemin;
}
