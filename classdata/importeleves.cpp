#include "classdata/importeleves.h"

#include "classdata/eleve.h"
#include "classdata/nomseleves.h"
#include "classdata/texte.h"
#include "platform/cp1252.h"

#include <QRegularExpression>
#include <QSet>
#include <QStringDecoder>

QString DecoderTexteImporte(const QByteArray &octets)
{
    // A byte order mark names the encoding; the decoder drops the mark.
    if (auto enc = QStringConverter::encodingForData(octets)) {
        QStringDecoder d(*enc);
        return d.decode(octets);
    }
    QStringDecoder utf8(QStringConverter::Utf8);
    const QString texte = utf8.decode(octets);
    if (!utf8.hasError())
        return texte;
    return DepuisCp1252(octets);
}

namespace {

QString sansGuillemets(const QString &champ)
{
    QString t = champ.trimmed();
    if (t.size() >= 2 && t.startsWith(QLatin1Char('"')) && t.endsWith(QLatin1Char('"')))
        t = t.mid(1, t.size() - 2).replace(QStringLiteral("\"\""), QStringLiteral("\"")).trimmed();
    return t;
}

// Position of the first sep outside double quotes, or -1.
qsizetype premierHorsGuillemets(const QString &ligne, QChar sep)
{
    bool dedans = false;
    for (qsizetype i = 0; i < ligne.size(); ++i) {
        if (ligne[i] == QLatin1Char('"'))
            dedans = !dedans;
        else if (!dedans && ligne[i] == sep)
            return i;
    }
    return -1;
}

QStringList decouper(const QString &ligne, QChar sep)
{
    QStringList champs;
    QString courant;
    bool dedans = false;
    for (QChar c : ligne) {
        if (c == QLatin1Char('"'))
            dedans = !dedans;
        if (!dedans && c == sep) {
            champs << sansGuillemets(courant);
            courant.clear();
        } else {
            courant += c;
        }
    }
    champs << sansGuillemets(courant);
    return champs;
}

// A word with letters and no small letter: "DE", "O'BRIEN", "ÉLU".
bool enCapitales(const QString &mot)
{
    bool lettre = false;
    for (QChar c : mot) {
        if (c.isLower())
            return false;
        lettre = lettre || c.isLetter();
    }
    return lettre;
}

// The fields of a line, split by its own separator. clair is false for a
// line of words whose surname cannot be told from its first name; the
// fields are then split at the first space, for header lines only.
QStringList champsDe(const QString &ligne, bool &clair)
{
    clair = true;
    for (QChar sep : {QLatin1Char(';'), QLatin1Char(','), QLatin1Char('\t')}) {
        if (premierHorsGuillemets(ligne, sep) >= 0)
            return decouper(ligne, sep);
    }
    const QString t = ligne.trimmed();
    const qsizetype espace = premierHorsGuillemets(t, QLatin1Char(' '));
    if (espace < 0) {
        clair = false;
        return {sansGuillemets(t)};
    }
    const QStringList premierEspace = {sansGuillemets(t.left(espace)), sansGuillemets(t.mid(espace + 1))};
    if (t.startsWith(QLatin1Char('"')))
        return premierEspace; // a quoted surname says where it ends
    // "DE LA FONTAINE Jean": the surname is written in capitals.
    const QStringList mots = t.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    qsizetype n = 0;
    while (n < mots.size() && enCapitales(mots[n]))
        ++n;
    if (n == 0 || n == mots.size()) {
        clair = false;
        return premierEspace;
    }
    return {mots.mid(0, n).join(QLatin1Char(' ')), mots.mid(n).join(QLatin1Char(' '))};
}

bool estTitreNom(const QString &cle)
{
    static const QSet<QString> titres = {
        QStringLiteral("NOM"),         QStringLiteral("NOMS"),      QStringLiteral("NOM DE FAMILLE"),
        QStringLiteral("NOM D'USAGE"), QStringLiteral("NOM ELEVE"), QStringLiteral("NOM DE L'ELEVE"),
        QStringLiteral("ELEVE"),       QStringLiteral("ELEVES"),
    };
    return titres.contains(cle);
}

bool estTitrePrenom(const QString &cle)
{
    return cle.startsWith(QStringLiteral("PRENOM"));
}

} // namespace

ListeLue AnalyserListeEleves(const QString &texte)
{
    ListeLue lue;
    static const QRegularExpression finDeLigne(QStringLiteral("\r\n|\r|\n"));
    const QStringList lignes = texte.split(finDeLigne);
    int colNom = 0, colPrenom = 1;
    bool premiere = true;
    for (int i = 0; i < lignes.size(); ++i) {
        const QString &ligne = lignes[i];
        if (ligne.trimmed().isEmpty())
            continue;
        bool clair = true;
        const QStringList champs = champsDe(ligne, clair);
        bool vide = true;
        for (const QString &c : champs)
            vide = vide && c.isEmpty();
        if (vide)
            continue; // ";;" left by a spreadsheet
        if (premiere) {
            premiere = false;
            int n = -1, p = -1;
            for (int k = 0; k < champs.size(); ++k) {
                const QString cle = CleDeTri(champs[k]);
                if (n < 0 && estTitreNom(cle))
                    n = k;
                else if (p < 0 && estTitrePrenom(cle))
                    p = k;
            }
            if (n >= 0 || p >= 0) {
                lue.entete = true;
                if (n >= 0 && p >= 0) {
                    colNom = n;
                    colPrenom = p;
                }
                continue;
            }
        }
        if (!clair) {
            lue.incomprises << i + 1;
            continue;
        }
        const bool colonnes = std::max(colNom, colPrenom) < champs.size();
        const int cn = colonnes ? colNom : 0;
        const int cp = colonnes ? colPrenom : 1;
        const QString nom = cn < champs.size() ? champs[cn] : QString();
        const QString prenom = cp < champs.size() ? champs[cp] : QString();
        if (nom.isEmpty() || prenom.isEmpty()) {
            lue.nomManquant << i + 1;
            continue;
        }
        lue.eleves << EleveLu{nom, prenom, i + 1};
    }
    return lue;
}

BilanImport PreparerImport(const ListeLue &lue, const QStringList &existantes, int places)
{
    BilanImport b;
    b.incomprises = lue.incomprises;
    b.nomManquant = lue.nomManquant;
    QSet<QString> deja(existantes.cbegin(), existantes.cend());
    for (const EleveLu &e : lue.eleves) {
        // As typed into the surname field, where a space becomes "_".
        QString nom = e.nom;
        nom.replace(QLatin1Char(' '), QLatin1Char('_'));
        if (!TexteStockable(nom) || !TexteStockable(e.prenom)) {
            b.caracteresInterdits << e.ligne;
            continue;
        }
        const QString n = NomDepuisSaisie(nom);
        const QString p = PrenomDepuisSaisie(e.prenom);
        const QString entree = EntreeEleve(n, p);
        if (deja.contains(entree)) {
            ++b.dejaPresents;
            b.lignesDejaPresentes << e.ligne;
        } else if (b.aAjouter.size() >= places) {
            ++b.horsLimite;
            b.lignesHorsLimite << e.ligne;
        } else {
            deja.insert(entree);
            b.aAjouter.append({n, p});
            if (nom.size() > n.size() || e.prenom.size() > p.size())
                b.coupes << EntreeEleve(e.nom, e.prenom) + QStringLiteral(" → ") + entree;
        }
    }
    for (QList<int> *l : {&b.incomprises, &b.nomManquant})
        std::sort(l->begin(), l->end());
    return b;
}

namespace {
// "ligne 4", "lignes 3, 5, 9 à 12".
QString lignes(QList<int> numeros)
{
    std::sort(numeros.begin(), numeros.end());
    QStringList morceaux;
    for (qsizetype i = 0; i < numeros.size();) {
        qsizetype j = i;
        while (j + 1 < numeros.size() && numeros[j + 1] == numeros[j] + 1)
            ++j;
        if (j - i >= 2)
            morceaux << QStringLiteral("%1 à %2").arg(numeros[i]).arg(numeros[j]);
        else
            for (qsizetype k = i; k <= j; ++k)
                morceaux << QString::number(numeros[k]);
        i = j + 1;
    }
    return (numeros.size() == 1 ? QStringLiteral("ligne ") : QStringLiteral("lignes "))
        + morceaux.join(QStringLiteral(", "));
}
} // namespace

QString TexteBilanImport(const BilanImport &b)
{
    QStringList texte;
    const auto n = b.aAjouter.size();
    if (n == 0)
        texte << QStringLiteral("Aucun élève ajouté.");
    else if (n == 1)
        texte << QStringLiteral("1 élève ajouté.");
    else
        texte << QStringLiteral("%1 élèves ajoutés.").arg(n);
    // Every refused line with its reason.
    const struct {
        const QList<int> &numeros;
        QString raison;
    } refus[] = {
        {b.lignesDejaPresentes, QStringLiteral("élève déjà dans la liste")},
        {b.nomManquant, QStringLiteral("nom ou prénom manquant")},
        {b.incomprises,
         QStringLiteral("nom et prénom impossibles à distinguer (attendu : NOM en majuscules puis Prénom)")},
        {b.caracteresInterdits,
         QStringLiteral("caractère impossible à enregistrer dans un fichier de classe")},
        {b.lignesHorsLimite,
         QStringLiteral("classe complète, une classe compte au plus %1 élèves").arg(NB_ELEVES_MAX)},
    };
    for (const auto &r : refus) {
        if (!r.numeros.isEmpty()) {
            QString l = lignes(r.numeros);
            l[0] = l[0].toUpper();
            texte << l + QStringLiteral(" : ") + r.raison + QLatin1Char('.');
        }
    }
    // Counts given without their lines (a summary built by hand).
    if (b.lignesDejaPresentes.isEmpty() && b.dejaPresents > 0)
        texte << QStringLiteral("Non ajouté%1 : %2 déjà dans la liste.")
                     .arg(b.dejaPresents > 1 ? QStringLiteral("s") : QString())
                     .arg(b.dejaPresents == 1 ? QStringLiteral("1 élève")
                                              : QStringLiteral("%1 élèves").arg(b.dejaPresents));
    if (b.lignesHorsLimite.isEmpty() && b.horsLimite > 0)
        texte << QStringLiteral("Non ajouté%1 : %2, une classe compte au plus %3 élèves.")
                     .arg(b.horsLimite > 1 ? QStringLiteral("s") : QString())
                     .arg(b.horsLimite == 1 ? QStringLiteral("1 élève")
                                            : QStringLiteral("%1 élèves").arg(b.horsLimite))
                     .arg(NB_ELEVES_MAX);
    if (!b.coupes.isEmpty())
        texte << QStringLiteral("Coupé%1 à 12 caractères : %2.")
                     .arg(b.coupes.size() > 1 ? QStringLiteral("s") : QString(),
                          b.coupes.join(QStringLiteral(" ; ")));
    return texte.join(QStringLiteral("\r\n"));
}
