#include "classdata/nomseleves.h"

#include "classdata/texte.h"
#include "platform/cp1252.h"

#include <algorithm>

QString MajusculesPrenom(const QString &s)
{
    QString r = s;
    if (r.isEmpty())
        return r;
    r[0] = MajusculeCp1252(r[0]);
    // The character after the last one is examined only as a follower.
    for (qsizetype i = 1; i + 1 < r.size(); ++i) {
        if (r[i] == QLatin1Char(' ') || r[i] == QLatin1Char('-'))
            r[i + 1] = MajusculeCp1252(r[i + 1]);
    }
    return r;
}

QString NomDepuisSaisie(const QString &nom)
{
    return MajusculesCp1252(nom.left(12));
}

QString PrenomDepuisSaisie(const QString &prenom)
{
    return MajusculesPrenom(prenom.left(12)).left(12);
}

QString NomRecherche(const QString &nom)
{
    QString r = nom.left(12);
    for (QChar &c : r) {
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            c = QChar(c.unicode() - 'a' + 'A');
    }
    return r;
}

bool TexteStockable(const QString &s)
{
    for (QChar c : s) {
        if (!EstCp1252(c))
            return false;
    }
    return true;
}

void TrierListeEleves(QList<StudentRecord> &eleves)
{
    QList<QPair<QByteArray, qsizetype>> cles;
    cles.reserve(eleves.size());
    for (qsizetype i = 0; i < eleves.size(); ++i)
        cles.append({VersCp1252(CleDeTri(EntreeEleve(eleves[i].Nom, eleves[i].Prenom))), i});
    // Stable, byte by byte as unsigned codes: equal keys keep their order.
    std::stable_sort(cles.begin(), cles.end(),
                     [](const auto &a, const auto &b) { return a.first < b.first; });
    QList<StudentRecord> triee;
    triee.reserve(eleves.size());
    for (const auto &c : cles)
        triee.append(eleves[c.second]);
    eleves = triee;
}
