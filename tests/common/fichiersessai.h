#pragma once
// Small file helpers shared by the backup tests.
#include <QDateTime>
#include <QDir>
#include <QFile>

namespace Essai {

inline QByteArray motif(int taille)
{
    QByteArray b(taille, Qt::Uninitialized);
    for (int i = 0; i < taille; ++i)
        b[i] = char((i * 31 + 7) % 251);
    return b;
}

inline bool ecrire(const QString &chemin, const QByteArray &donnees, const QDateTime &modifie = {})
{
    QFile f(chemin);
    return f.open(QIODevice::WriteOnly) && f.write(donnees) == donnees.size() && f.flush()
        && (!modifie.isValid() || f.setFileTime(modifie, QFileDevice::FileModificationTime));
}

inline QByteArray lire(const QString &chemin)
{
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<absent>");
}

inline QDateTime modifie(const QString &chemin)
{
    return QFileInfo(chemin).lastModified();
}

// Every entry of a folder, hidden ones included: a left-over temporary file shows.
inline QStringList contenu(const QString &dossier)
{
    return QDir(dossier).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                   QDir::Name);
}

inline QDateTime ancienneDate()
{
    return QDateTime(QDate(2020, 3, 4), QTime(5, 6, 7));
}

} // namespace Essai
