#pragma once
// Reading back in tests what was printed to a PDF, through poppler-utils.
#include "classdata/texte.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStringList>

#include <algorithm>
#include <tuple>

inline bool PdftotextPresent()
{
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty();
}

// The text as pdftotext lays it out.
inline QString TexteDuPdf(const QString &fichier)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), fichier, QStringLiteral("-")});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

inline int PagesDuPdf(const QString &fichier)
{
    QProcess p;
    p.start(QStringLiteral("pdfinfo"), {fichier});
    p.waitForFinished(30000);
    for (const QString &l : QString::fromUtf8(p.readAllStandardOutput()).split(u'\n'))
        if (l.startsWith(QStringLiteral("Pages:")))
            return l.mid(6).trimmed().toInt();
    return -1;
}

// The lines of a PDF drawn in a fixed-pitch font, each word put back at its
// column: its distance from the left edge over the width of a character of
// its line (pdftotext gives each word with its box).
inline QStringList LignesDuPdf(const QString &chemin, int *pages)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), chemin, QStringLiteral("-")});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return {QStringLiteral("<pdftotext a échoué>")};
    static const QRegularExpression balise(QStringLiteral(
        R"re(<page |<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="[\d.]+">([^<]*)</word>)re"));
    struct Mot {
        int page;
        double y, x, largeur;
        QString texte;
    };
    QList<Mot> mots;
    *pages = 0;
    for (auto it = balise.globalMatch(QString::fromUtf8(p.readAllStandardOutput())); it.hasNext();) {
        const auto m = it.next();
        if (m.captured(4).isEmpty()) {
            ++*pages;
            continue;
        }
        const double x = m.captured(1).toDouble();
        QString t = m.captured(4);
        t.replace(QStringLiteral("&amp;"), QStringLiteral("&"))
            .replace(QStringLiteral("&lt;"), QStringLiteral("<"));
        mots.append({*pages, m.captured(2).toDouble(), x, m.captured(3).toDouble() - x, t});
    }
    // Words come block by block: back to lines, left to right.
    std::stable_sort(mots.begin(), mots.end(), [](const Mot &a, const Mot &b) {
        return std::tuple(a.page, qRound(a.y * 10), a.x) < std::tuple(b.page, qRound(b.y * 10), b.x);
    });
    double gauche = 1e9;
    for (const Mot &m : mots)
        gauche = qMin(gauche, m.x);
    QStringList lignes;
    for (int debut = 0, fin; debut < mots.size(); debut = fin) {
        const Mot *plusLong = &mots[debut];
        for (fin = debut; fin < mots.size() && mots[fin].page == mots[debut].page
             && qRound(mots[fin].y * 10) == qRound(mots[debut].y * 10);
             ++fin)
            if (mots[fin].texte.size() > plusLong->texte.size())
                plusLong = &mots[fin];
        QString l;
        for (int i = debut; i < fin; ++i) {
            const int colonne = qRound((mots[i].x - gauche) / (plusLong->largeur / plusLong->texte.size()));
            l = CadrerAGauche(l, colonne).left(colonne) + mots[i].texte;
        }
        lignes << l;
    }
    return lignes;
}
