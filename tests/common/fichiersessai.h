#pragma once
// Files in tests: a fresh folder, bytes written and read back whole, a
// folder's listing, exact doubles. Qt Core and Qt Test only.
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

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

// A temporary folder for one test, gone with it.
class DossierEssai {
public:
    QString chemin(const QString &nom) const { return dossier.path() + u'/' + nom; }
    QString path() const { return dossier.path(); }
    QStringList contenu() const { return Essai::contenu(dossier.path()); }

    QTemporaryDir dossier;
};

// QCOMPARE on doubles forgives the last digits; the six-byte format is about them.
#define EGAL_EXACT(a, b)                                                                                     \
    do {                                                                                                     \
        const double gauche_ = (a), droite_ = (b);                                                           \
        if (!(gauche_ == droite_))                                                                           \
            QFAIL(qPrintable(QString::number(gauche_, 'g', 20) + QStringLiteral(" au lieu de ")              \
                             + QString::number(droite_, 'g', 20)));                                          \
    } while (false)
