#pragma once
// Small helpers shared by the core tests.
#include <QFile>
#include <QString>
#include <QTest>

inline QByteArray lireFichier(const QString &chemin)
{
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<absent>");
}

inline void ecrireFichier(const QString &chemin, const QByteArray &contenu)
{
    QFile f(chemin);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(contenu) != contenu.size())
        qFatal("écriture impossible : %s", qPrintable(chemin));
}

// QCOMPARE on doubles forgives the last digits; the six-byte format is about them.
#define EGAL_EXACT(a, b)                                                                                     \
    do {                                                                                                     \
        const double gauche_ = (a), droite_ = (b);                                                           \
        if (!(gauche_ == droite_))                                                                           \
            QFAIL(qPrintable(QString::number(gauche_, 'g', 20) + QStringLiteral(" au lieu de ")              \
                             + QString::number(droite_, 'g', 20)));                                          \
    } while (false)
