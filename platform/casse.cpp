#include "platform/casse.h"

#include <QDir>
#include <QFileInfo>

QString NomReelDansDossier(const QString &dossier, const QString &nom)
{
    if (nom.isEmpty() || QFileInfo::exists(dossier + QLatin1Char('/') + nom))
        return nom;
    const QStringList entrees = QDir(dossier).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString &e : entrees) {
        if (e.compare(nom, Qt::CaseInsensitive) == 0)
            return e;
    }
    return nom;
}

QString CheminReel(const QString &dossier, const QString &nom)
{
    return dossier + QLatin1Char('/') + NomReelDansDossier(dossier, nom);
}

QString MajusculesAscii(const QString &texte)
{
    QString r = texte;
    for (QChar &c : r) {
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            c = QChar(c.unicode() - 32);
    }
    return r;
}
