#include "baseappreciations.h"

#include "casse.h"
#include "cp1252.h"
#include "dossier.h"
#include "ecrituresure.h"
#include "lecturesure.h"
#include "texte.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
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
    case 1: return 0;                      // "Début"
    case 2: return deuxPeriodes ? 2 : 1;   // "Fin" of a semester class, else "Milieu"
    case 3: return 2;                      // "Fin"
    default: return 3;                     // the year: "Ensemble"
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
    QStringList phrases;
    const qsizetype fin = octets.indexOf('\0') >= 0 ? octets.indexOf('\0') : octets.size();
    qsizetype debut = 0;
    while (debut < fin) {
        qsizetype i = debut;
        while (i < fin && octets[i] != '\r' && octets[i] != '\n')
            ++i;
        phrases.append(DepuisCp1252(octets.mid(debut, i - debut)));
        if (i < fin && octets[i] == '\r' && i + 1 < fin && octets[i + 1] == '\n')
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

void TrierPhrases(QStringList &phrases)
{
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
