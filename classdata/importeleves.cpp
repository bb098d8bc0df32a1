#include "importeleves.h"

#include "cp1252.h"
#include "eleve.h"
#include "nomseleves.h"
#include "texte.h"

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

// The fields of a line, split by its own separator.
QStringList champsDe(const QString &ligne)
{
    for (QChar sep : {QLatin1Char(';'), QLatin1Char(','), QLatin1Char('\t')}) {
        if (premierHorsGuillemets(ligne, sep) >= 0)
            return decouper(ligne, sep);
    }
    const QString t = ligne.trimmed();
    const qsizetype espace = premierHorsGuillemets(t, QLatin1Char(' '));
    if (espace < 0)
        return {sansGuillemets(t)};
    return {sansGuillemets(t.left(espace)), sansGuillemets(t.mid(espace + 1))};
}

bool estTitreNom(const QString &cle)
{
    static const QSet<QString> titres = {
        QStringLiteral("NOM"), QStringLiteral("NOMS"), QStringLiteral("NOM DE FAMILLE"),
        QStringLiteral("NOM D'USAGE"), QStringLiteral("NOM ELEVE"), QStringLiteral("NOM DE L'ELEVE"),
        QStringLiteral("ELEVE"), QStringLiteral("ELEVES"),
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
        const QStringList champs = champsDe(ligne);
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
        const bool colonnes = std::max(colNom, colPrenom) < champs.size();
        const int cn = colonnes ? colNom : 0;
        const int cp = colonnes ? colPrenom : 1;
        const QString nom = cn < champs.size() ? champs[cn] : QString();
        const QString prenom = cp < champs.size() ? champs[cp] : QString();
        if (nom.isEmpty() || prenom.isEmpty()) {
            lue.incomprises << i + 1;
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
    QSet<QString> deja(existantes.cbegin(), existantes.cend());
    for (const EleveLu &e : lue.eleves) {
        // As typed into the surname field, where a space becomes "_".
        QString nom = e.nom;
        nom.replace(QLatin1Char(' '), QLatin1Char('_'));
        if (!TexteStockable(nom) || !TexteStockable(e.prenom)) {
            b.incomprises << e.ligne;
            continue;
        }
        const QString n = NomDepuisSaisie(nom);
        const QString p = PrenomDepuisSaisie(e.prenom);
        const QString entree = EntreeEleve(n, p);
        if (deja.contains(entree)) {
            ++b.dejaPresents;
        } else if (b.aAjouter.size() >= places) {
            ++b.horsLimite;
        } else {
            deja.insert(entree);
            b.aAjouter.append({n, p});
        }
    }
    std::sort(b.incomprises.begin(), b.incomprises.end());
    return b;
}

QString TexteBilanImport(const BilanImport &b)
{
    QStringList lignes;
    const auto n = b.aAjouter.size();
    if (n == 0)
        lignes << QStringLiteral("Aucun élève ajouté.");
    else if (n == 1)
        lignes << QStringLiteral("1 élève ajouté.");
    else
        lignes << QStringLiteral("%1 élèves ajoutés.").arg(n);
    if (b.dejaPresents == 1)
        lignes << QStringLiteral("1 élève déjà dans la liste.");
    else if (b.dejaPresents > 1)
        lignes << QStringLiteral("%1 élèves déjà dans la liste.").arg(b.dejaPresents);
    if (!b.incomprises.isEmpty()) {
        constexpr int montrees = 10;
        QStringList numeros;
        for (int i = 0; i < b.incomprises.size() && i < montrees; ++i)
            numeros << QString::number(b.incomprises[i]);
        if (b.incomprises.size() > montrees)
            numeros << QStringLiteral("...");
        if (b.incomprises.size() == 1)
            lignes << QStringLiteral("1 ligne non comprise (ligne %1).").arg(numeros.first());
        else
            lignes << QStringLiteral("%1 lignes non comprises (lignes %2).")
                          .arg(b.incomprises.size())
                          .arg(numeros.join(QStringLiteral(", ")));
    }
    if (b.horsLimite > 0)
        lignes << QStringLiteral("%1 non ajouté%2 : une classe compte au plus %3 élèves.")
                      .arg(b.horsLimite == 1 ? QStringLiteral("1 élève") : QStringLiteral("%1 élèves").arg(b.horsLimite))
                      .arg(b.horsLimite == 1 ? QString() : QStringLiteral("s"))
                      .arg(NB_ELEVES_MAX);
    return lignes.join(QStringLiteral("\r\n"));
}
