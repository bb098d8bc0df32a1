#include "reports/reglesnotes.h"

#include "classdata/options.h"
#include "classdata/real48.h"
#include "classdata/texte.h"
#include "platform/cp1252.h"
#include "reports/grille.h"

#include <cmath>

int PeriodeDuMois(bool semestres, int mois)
{
    if (semestres)
        return (mois >= 2 && mois <= 7) ? 2 : 1;
    if (mois >= 1 && mois <= 3)
        return 2;
    if (mois >= 4 && mois <= 7)
        return 3;
    return 1;
}

bool FormeDeNombre(QStringView texte)
{
    const QStringView t = texte.trimmed();
    int chiffres = 0, points = 0;
    for (QChar c : t) {
        if (c >= u'0' && c <= u'9')
            ++chiffres;
        else if (c == u'.' && points == 0)
            ++points;
        else
            return false;
    }
    return chiffres > 0;
}

QString TexteNoteComplete(const QString &texte)
{
    if (!FormeDeNombre(texte))
        return texte;
    QString t = texte.trimmed();
    if (t.startsWith(u'.'))
        t.prepend(u'0');
    if (t.endsWith(u'.'))
        t.append(u'0');
    return t;
}

bool TexteNoteValide(const QString &texte)
{
    return EstNote(NoteDeTexte(texte));
}

double NoteDeTexte(const QString &texte)
{
    return FormeDeNombre(texte) ? TexteEnNote(TexteNoteComplete(texte)) : NO_MARK;
}

QString TexteAStocker(const QString &texte)
{
    if (texte.isEmpty())
        return texte;
    if (!FormeDeNombre(texte))
        return QString();
    const QChar premier = texte.front(), dernier = texte.back();
    return (premier == u'.' || dernier == u'.') ? TexteNoteComplete(texte) : texte;
}

QString NoteDecalee(const QString &texte, int delta)
{
    bool ok = false;
    double x = TexteNoteComplete(texte).toDouble(&ok);
    if (!ok || !std::isfinite(x))
        return texte;
    if (delta > 0)
        x = x > 19 ? 20 : x + 1;
    else
        x = x < 1 ? 0 : x - 1;
    return FormatDecimal(x, 2);
}

namespace {

// Strings of 16 slots of w characters each, padded with the default slot.
QString complet16(const QString &s, int w, const QString &defaut)
{
    QString r = s.left(16 * w);
    while (r.size() < 16 * w)
        r += defaut.at(r.size() % w);
    return r;
}

// The per-period strings (16 slots of w characters) once the columns stand
// in the order of titres; slot(p, a) is what assignment (p, a) carried.
template <class Slot>
bool Reordonner(const QStringList &titres, bool mat2, int span, const QString origine[4], bool deuxPeriodes,
                bool uneMatiere, int w, const QString &defaut, Slot slot, QString resultat[4])
{
    QString s[4];
    for (int p = 1; p <= 3; ++p)
        s[p] = complet16(origine[p], w, defaut);
    QString accu;
    for (int k = 1; k <= titres.size(); ++k) {
        const auto pd = PeriodeEtDevoir(titres.at(k - 1));
        if (!pd)
            return false;
        const QString texte = slot(pd->periode, pd->devoir);
        if (span == Annee) {
            accu += texte;
        } else {
            const int i = (mat2 ? 8 + k : k) - 1;
            if (span >= 1 && span <= 3 && i < 16)
                s[span].replace(i * w, w, texte);
        }
    }
    if (span == Annee) {
        const int periodes = deuxPeriodes ? 2 : 3;
        const int bloc = (uneMatiere ? 16 : 8) * w;
        for (int p = 1; p <= periodes; ++p) {
            if (accu.size() < bloc * p)
                continue;
            const QString b = accu.mid(bloc * (p - 1), bloc);
            if (uneMatiere)
                s[p] = b;
            else
                s[p] = mat2 ? s[p].left(8 * w) + b : b + s[p].mid(8 * w, 8 * w);
        }
    }
    if (deuxPeriodes)
        s[3].clear();
    for (int p = 1; p <= 3; ++p)
        resultat[p] = s[p];
    return true;
}

} // namespace

bool CoefsApresDeplacement(const QStringList &titres, bool mat2, int span, const qint32 coef[4][17],
                           const QString origine[4], bool deuxPeriodes, bool uneMatiere, QString resultat[4])
{
    return Reordonner(
        titres, mat2, span, origine, deuxPeriodes, uneMatiere, 1, QStringLiteral("1"),
        [coef](int p, int a) { return QString(QChar(u'0' + qBound(0, coef[p][a], 9))); }, resultat);
}

bool DatesApresDeplacement(const QStringList &titres, bool mat2, int span, const QString dates[4][17],
                           const QString origine[4], bool deuxPeriodes, bool uneMatiere, QString resultat[4])
{
    return Reordonner(
        titres, mat2, span, origine, deuxPeriodes, uneMatiere, 5, QStringLiteral("--/--"),
        [dates](int p, int a) { return dates[p][a].leftJustified(5, u' ', true); }, resultat);
}

void DecoderCoefs(const QString chaines[4], bool uneMatiere, qint32 coef1[4][17], qint32 coef2[4][17])
{
    for (int p = 1; p <= 3; ++p) {
        const QString &s = chaines[p];
        if (s.isEmpty())
            continue;
        for (int i = 1; i <= 16; ++i) {
            const int k = i <= s.size() ? ChiffreCoefCaractere(s.at(i - 1)) : 1;
            if (uneMatiere)
                coef1[p][i] = k;
            else if (i <= 8)
                coef1[p][i] = k;
            else
                coef2[p][i - 8] = k;
        }
    }
}

void DecoderDates(const QString chaines[4], bool uneMatiere, QString date1[4][17], QString date2[4][17])
{
    for (int p = 1; p <= 3; ++p) {
        const QString &s = chaines[p];
        if (s.isEmpty())
            continue;
        for (int i = 1; i <= 16; ++i) {
            const QString d = s.mid(5 * (i - 1), 5);
            if (uneMatiere || i <= 8)
                date1[p][i] = d;
            else
                date2[p][i - 8] = d;
        }
    }
}

PartiesNote DecouperNote(const QString &texte)
{
    QString t = texte;
    if (!t.contains(u'.'))
        t += u'.';
    const int point = int(t.indexOf(u'.'));
    PartiesNote p{t.left(point), t.mid(point)};
    if (p.fraction.size() == 1)
        p.fraction = QStringLiteral(".00");
    else if (p.fraction.size() == 2)
        p.fraction += u'0';
    if (p.entier + p.fraction == QStringLiteral(".00"))
        return {};
    return p;
}

bool CaractereEnregistrable(QChar c)
{
    return EstCp1252(c) && c.isPrint();
}

QString TexteEnregistrable(const QString &texte)
{
    QString r;
    r.reserve(texte.size());
    for (QChar c : texte)
        if (CaractereEnregistrable(c))
            r += c;
    return r;
}
