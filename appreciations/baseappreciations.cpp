#include "appreciations/baseappreciations.h"

#include "classdata/texte.h"
#include "platform/casse.h"
#include "platform/cp1252.h"
#include "platform/dossier.h"
#include "platform/ecrituresure.h"
#include "platform/lecturesure.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstring>
#include <numeric>

int ResultatsDepuisNote(double note)
{
    if (!EstNote(note))
        return -1;
    if (note > 14)
        return 0;
    if (note > 11)
        return 1;
    if (note > 9)
        return 2;
    if (note > 6)
        return 3;
    return 4;
}

int MomentDepuisPeriode(int span, bool deuxPeriodes)
{
    switch (span) {
    case 1: return 0;                    // "Début"
    case 2: return deuxPeriodes ? 2 : 1; // "Fin" of a semester class, else "Milieu"
    case 3: return 2;                    // "Fin"
    default: return 3;                   // the year: "Ensemble"
    }
}

QString LibellePeriode(int span, bool deuxPeriodes)
{
    if (span < 1 || span > 3)
        return QStringLiteral("Année");
    return (deuxPeriodes ? QStringLiteral("Semestre ") : QStringLiteral("Trimestre "))
        + QString::number(span);
}

Profil ProfilInitial(double note, int span, bool deuxPeriodes)
{
    return {ResultatsDepuisNote(note), 2, 1, 2, MomentDepuisPeriode(span, deuxPeriodes), 0, 0, 2};
}

QString CodeProfil(const Profil &profil)
{
    QString code;
    for (int i : profil) {
        if (i < 0 || i > 9)
            return {};
        code += QChar(u'0' + i);
    }
    return code;
}

QString NomFichierBase(const QString &code)
{
    return code.isEmpty() ? QString() : code + QStringLiteral(".VAP");
}

QStringList DecoderBase(const QByteArray &octets)
{
    // One pass over the bytes: each line is decoded straight into its own
    // string, with no copy of the line's bytes and no text of the whole file.
    const qsizetype nul = octets.indexOf('\0');
    const qsizetype fin = nul >= 0 ? nul : octets.size();
    const char *o = octets.constData();
    QStringList phrases;
    phrases.reserve(octets.count('\n') + 1);
    qsizetype debut = 0;
    while (debut < fin) {
        const char *d = o + debut;
        const char *f = static_cast<const char *>(std::memchr(d, '\n', size_t(fin - debut)));
        const char *r = static_cast<const char *>(std::memchr(d, '\r', size_t((f ? f : o + fin) - d)));
        qsizetype i = (r ? r : f ? f : o + fin) - o;
        phrases.append(DepuisCp1252(d, i - debut));
        if (i < fin && o[i] == '\r' && i + 1 < fin && o[i + 1] == '\n')
            ++i;
        debut = i + 1;
    }
    return phrases;
}

QByteArray CoderBase(const QStringList &phrases)
{
    QByteArray octets;
    for (const QString &p : phrases) {
        octets += VersCp1252(p);
        octets += "\r\n";
    }
    return octets;
}

bool PhraseAvant(const QString &a, const QString &b)
{
    const int c = CleDeTri(a).compare(CleDeTri(b));
    return c != 0 ? c < 0 : a < b;
}

int ComparerPhrases(const QString &a, const QString &b)
{
    // CleDeTri(a).compare(CleDeTri(b)), then a.compare(b), character by
    // character, with no key built.
    const char16_t *table = TableDeTri();
    auto cle = [table](char16_t c) { return c < 256 ? table[c] : CaractereDeTriHorsTable(c); };
    const char16_t *pa = reinterpret_cast<const char16_t *>(a.constData());
    const char16_t *pb = reinterpret_cast<const char16_t *>(b.constData());
    const qsizetype n = qMin(a.size(), b.size());
    int exact = 0;
    for (qsizetype i = 0; i < n; ++i) {
        if (pa[i] == pb[i])
            continue;
        const char16_t ka = cle(pa[i]), kb = cle(pb[i]);
        if (ka != kb)
            return ka < kb ? -1 : 1;
        if (exact == 0)
            exact = pa[i] < pb[i] ? -1 : 1;
    }
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    return exact;
}

bool PhrasesEnOrdre(const QStringList &phrases)
{
    for (qsizetype i = 1; i < phrases.size(); ++i)
        if (ComparerPhrases(phrases[i - 1], phrases[i]) > 0)
            return false;
    return true;
}

void TrierPhrases(QStringList &phrases)
{
    // A base the expert wrote is already in order: one pass tells.
    if (PhrasesEnOrdre(phrases))
        return;
    // One key per phrase: a large base is sorted without recomputing keys.
    QStringList cles;
    cles.reserve(phrases.size());
    for (const QString &p : phrases)
        cles.append(CleDeTri(p));
    std::vector<qsizetype> ordre(size_t(phrases.size()));
    std::iota(ordre.begin(), ordre.end(), 0);
    std::sort(ordre.begin(), ordre.end(), [&](qsizetype x, qsizetype y) {
        const int c = cles[x].compare(cles[y]);
        return c != 0 ? c < 0 : phrases[x] < phrases[y];
    });
    QStringList triees;
    triees.reserve(phrases.size());
    for (qsizetype i : ordre)
        triees.append(phrases[i]);
    phrases = triees;
}

int PlaceDePhrase(const QStringList &triees, const QString &phrase)
{
    const auto it = std::upper_bound(triees.begin(), triees.end(), phrase, PhraseAvant);
    return int(it - triees.begin());
}

bool LireBase(const QString &chemin, QStringList &phrases, QString &erreur)
{
    QByteArray octets;
    if (!LireFichierBorne(chemin, TAILLE_MAX_BASE, octets, erreur))
        return false;
    phrases = DecoderBase(octets);
    return true;
}

bool EcrireBase(const QString &chemin, const QStringList &phrases, QString &erreur)
{
    erreur = EcrireFichierSur(chemin, CoderBase(phrases));
    return erreur.isEmpty();
}

QString CheminBase(const QString &nomFichier)
{
    return CheminReel(DossierProgramme(), nomFichier);
}

bool BaseExiste(const QString &nomFichier)
{
    return !nomFichier.isEmpty() && QFileInfo(CheminBase(nomFichier)).isFile();
}

bool BasesLues::etat(const QString &chemin, qint64 &taille, qint64 &date)
{
    const QFileInfo fi(chemin);
    if (!fi.isFile())
        return false;
    taille = fi.size();
    date = fi.lastModified().toMSecsSinceEpoch();
    return true;
}

bool BasesLues::lire(const QString &chemin, QStringList &phrases, QString &erreur)
{
    qint64 taille = -1, date = -1;
    const bool present = etat(chemin, taille, date);
    const auto it = m_bases.constFind(chemin);
    if (present && it != m_bases.cend() && it->taille == taille && it->date == date) {
        phrases = it->phrases;
        return true;
    }
    m_bases.remove(chemin);
    ++m_lectures;
    if (!LireBase(chemin, phrases, erreur))
        return false;
    TrierPhrases(phrases);
    if (present)
        m_bases.insert(chemin, {phrases, taille, date});
    return true;
}

void BasesLues::retenir(const QString &chemin, const QStringList &triees)
{
    qint64 taille = -1, date = -1;
    if (etat(chemin, taille, date))
        m_bases.insert(chemin, {triees, taille, date});
    else
        m_bases.remove(chemin);
}
