#include "classdata/eleve.h"

#include "classdata/real48.h"
#include "classdata/texte.h"
#include "platform/cp1252.h"

#include <cstring>

namespace {

constexpr int OFFSET_NOM = 0;
constexpr int OFFSET_PRENOM = 13;
constexpr int OFFSET_MAT1 = 26;
constexpr int OFFSET_MAT2 = 314;
constexpr int OFFSET_APPRECIATIONS = 602;
constexpr int OFFSET_LIEN = 1574;

constexpr int offsetNote(int base, int periode, int devoir)
{
    return base + 96 * (periode - 1) + 6 * (devoir - 1);
}
constexpr int offsetAppreciation(int vue, int periode)
{
    return OFFSET_APPRECIATIONS + 324 * (vue - 1) + 81 * (periode - 1);
}
static_assert(offsetNote(OFFSET_MAT2, 3, 16) + 6 == OFFSET_APPRECIATIONS);
static_assert(offsetAppreciation(3, 4) + 81 == OFFSET_LIEN);

QString lireTexte(const uchar *o, int capacite)
{
    const int longueur = qMin(int(o[0]), capacite);
    return DepuisCp1252(QByteArray(reinterpret_cast<const char *>(o + 1), longueur));
}

// The bytes after the text are left as they were.
void ecrireTexte(uchar *o, int capacite, const QString &texte)
{
    const QByteArray octets = VersCp1252(texte).left(capacite);
    o[0] = uchar(octets.size());
    std::memcpy(o + 1, octets.constData(), size_t(octets.size()));
}

double lireNote(const uchar *o)
{
    const double v = Real48VersDouble(o);
    return EstNote(v) ? v : NO_MARK;
}

void ecrireNote(uchar *o, double valeur)
{
    // A slot whose value did not change keeps its bytes; a damaged value,
    // read as no mark, is written back as a plain -1.
    if (Real48VersDouble(o) == valeur)
        return;
    DoubleVersReal48(valeur, o);
}

} // namespace

StudentRecord::StudentRecord()
{
    for (auto &periode : NotesMat1)
        for (double &n : periode)
            n = NO_MARK;
    for (auto &periode : NotesMat2)
        for (double &n : periode)
            n = NO_MARK;
}

StudentRecord DecoderEleve(const QByteArray &octets)
{
    StudentRecord e;
    e.brut = octets.left(TAILLE_ENREGISTREMENT);
    if (e.brut.size() < TAILLE_ENREGISTREMENT)
        e.brut.append(TAILLE_ENREGISTREMENT - e.brut.size(), '\0');
    const uchar *o = reinterpret_cast<const uchar *>(e.brut.constData());
    e.Nom = lireTexte(o + OFFSET_NOM, CAPACITE_NOM);
    e.Prenom = lireTexte(o + OFFSET_PRENOM, CAPACITE_NOM);
    for (int p = 1; p <= NB_PERIODES_MAX; ++p) {
        for (int d = 1; d <= NB_DEVOIRS; ++d) {
            e.NotesMat1[p][d] = lireNote(o + offsetNote(OFFSET_MAT1, p, d));
            e.NotesMat2[p][d] = lireNote(o + offsetNote(OFFSET_MAT2, p, d));
        }
    }
    for (int v = 1; v <= 3; ++v)
        for (int q = 1; q <= 4; ++q)
            e.Appreciations[v][q] = lireTexte(o + offsetAppreciation(v, q), CAPACITE_APPRECIATION);
    e.Lien = quint32(o[OFFSET_LIEN]) | quint32(o[OFFSET_LIEN + 1]) << 8 | quint32(o[OFFSET_LIEN + 2]) << 16
        | quint32(o[OFFSET_LIEN + 3]) << 24;
    return e;
}

QByteArray CoderEleve(const StudentRecord &e)
{
    QByteArray r = e.brut.size() == TAILLE_ENREGISTREMENT ? e.brut : QByteArray(TAILLE_ENREGISTREMENT, '\0');
    uchar *o = reinterpret_cast<uchar *>(r.data());
    ecrireTexte(o + OFFSET_NOM, CAPACITE_NOM, e.Nom);
    ecrireTexte(o + OFFSET_PRENOM, CAPACITE_NOM, e.Prenom);
    for (int p = 1; p <= NB_PERIODES_MAX; ++p) {
        for (int d = 1; d <= NB_DEVOIRS; ++d) {
            ecrireNote(o + offsetNote(OFFSET_MAT1, p, d), e.NotesMat1[p][d]);
            ecrireNote(o + offsetNote(OFFSET_MAT2, p, d), e.NotesMat2[p][d]);
        }
    }
    for (int v = 1; v <= 3; ++v)
        for (int q = 1; q <= 4; ++q)
            ecrireTexte(o + offsetAppreciation(v, q), CAPACITE_APPRECIATION, e.Appreciations[v][q]);
    for (int i = 0; i < 4; ++i)
        o[OFFSET_LIEN + i] = uchar(e.Lien >> (8 * i));
    return r;
}
