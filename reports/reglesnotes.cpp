#include "reglesnotes.h"

#include "grille.h"
#include "options.h"
#include "real48.h"
#include "texte.h"

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

bool TexteNoteValide(const QString &texte) { return EstNote(NoteDeTexte(texte)); }

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

QString complet16(const QString &s)
{
    QString r = s.left(16);
    while (r.size() < 16)
        r += u'1';
    return r;
}

} // namespace

bool CoefsApresDeplacement(const QStringList &titres, bool mat2, int span,
                           const qint32 coef[4][17], const QString origine[4],
                           bool deuxPeriodes, bool uneMatiere, QString resultat[4])
{
    QString s[4];
    for (int p = 1; p <= 3; ++p)
        s[p] = complet16(origine[p]);
    QString accu;
    for (int k = 1; k <= titres.size(); ++k) {
        const auto pd = PeriodeEtDevoir(titres.at(k - 1));
        if (!pd)
            return false;
        const QChar chiffre = QChar(u'0' + qBound(0, coef[pd->periode][pd->devoir], 9));
        if (span == Annee) {
            accu += chiffre;
        } else {
            const int i = (mat2 ? 8 + k : k) - 1;
            if (span >= 1 && span <= 3 && i < 16)
                s[span][i] = chiffre;
        }
    }
    if (span == Annee) {
        const int periodes = deuxPeriodes ? 2 : 3;
        if (uneMatiere) {
            for (int p = 1; p <= periodes; ++p)
                if (accu.size() >= 16 * p)
                    s[p] = accu.mid(16 * (p - 1), 16);
        } else {
            for (int p = 1; p <= periodes; ++p) {
                if (accu.size() < 8 * p)
                    continue;
                const QString b = accu.mid(8 * (p - 1), 8);
                s[p] = mat2 ? s[p].left(8) + b : b + s[p].mid(8, 8);
            }
        }
    }
    if (deuxPeriodes)
        s[3].clear();
    for (int p = 1; p <= 3; ++p)
        resultat[p] = s[p];
    return true;
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
