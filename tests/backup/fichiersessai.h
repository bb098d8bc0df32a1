#pragma once
// Small file helpers shared by the backup tests.
#include <QByteArray>
#include <QDateTime>
#include <QDir>
#include <QFile>

namespace Essai {

inline QByteArray motif(int taille, int graine = 7)
{
    QByteArray b(taille, Qt::Uninitialized);
    for (int i = 0; i < taille; ++i)
        b[i] = char((i * 31 + graine) % 251);
    return b;
}

inline bool ecrire(const QString &chemin, const QByteArray &donnees,
                   const QDateTime &modifie = QDateTime())
{
    QFile f(chemin);
    if (!f.open(QIODevice::WriteOnly) || f.write(donnees) != donnees.size())
        return false;
    f.flush();
    if (modifie.isValid() && !f.setFileTime(modifie, QFileDevice::FileModificationTime))
        return false;
    return true;
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

// Every entry of a folder, hidden ones included (a left-over temporary file shows).
inline QStringList contenu(const QString &dossier)
{
    QStringList l = QDir(dossier).entryList(QDir::AllEntries | QDir::Hidden | QDir::System
                                                | QDir::NoDotAndDotDot,
                                            QDir::Name);
    return l;
}

inline QDateTime ancienneDate() { return QDateTime(QDate(2020, 3, 4), QTime(5, 6, 7)); }

} // namespace Essai
