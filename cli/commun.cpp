#include "cli/commun.h"

#include "classdata/classe.h"
#include "classdata/exemple.h"
#include "platform/dossier.h"
#include "platform/dossierdonnees.h"

#include <QFileInfo>

#include <cstdio>

namespace Cli {

void sortie(const QString &texte)
{
    const QByteArray o = texte.toUtf8();
    std::fwrite(o.constData(), 1, size_t(o.size()), stdout);
}

void erreur(const QString &texte)
{
    const QByteArray o = (texte + QLatin1Char('\n')).toUtf8();
    std::fwrite(o.constData(), 1, size_t(o.size()), stderr);
}

void erreurPhrase(const QString &texte)
{
    erreur(texte.endsWith(QLatin1Char('.')) ? texte : texte + QLatin1Char('.'));
}

int erreurUsage(const QString &texte)
{
    erreur(QStringLiteral("vestrel-cli : %1").arg(texte));
    erreur(QStringLiteral(
        "Usage : vestrel-cli moyennes CLASSE.VTC [--dossier DIR]\n"
        "        vestrel-cli exemple [NOM] [--dossier DIR] [--remplacer]\n"
        "        vestrel-cli rapport CLASSE.VTC [--dossier DIR] --vue V --periode P --matiere M\n"
        "                [--sortie FICHIER]\n"
        "        vestrel-cli exporter CLASSE.VTC [--dossier DIR] --vue V --periode P --matiere M\n"
        "                [--separateur S] [--decimal D] [--sortie FICHIER]"));
    erreur(QStringLiteral("Voir « vestrel-cli --help »."));
    return USAGE;
}

Arguments::Arguments(const QStringList &arguments, const QStringList &avecValeur, const QStringList &drapeaux)
{
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &a = arguments[i];
        if (!a.startsWith(QLatin1String("--")) || a == QLatin1String("--")) {
            if (a != QLatin1String("--"))
                m_positionnels.append(a);
            else
                m_positionnels += arguments.mid(i + 1);
            if (a == QLatin1String("--"))
                break;
            continue;
        }
        QString nom = a;
        QString valeur;
        bool valeurJointe = false;
        const qsizetype egal = a.indexOf(QLatin1Char('='));
        if (egal > 0) {
            nom = a.left(egal);
            valeur = a.mid(egal + 1);
            valeurJointe = true;
        }
        if (drapeaux.contains(nom)) {
            if (valeurJointe) {
                m_erreur = QStringLiteral("l'option %1 ne prend pas de valeur").arg(nom);
                return;
            }
            m_valeurs.insert(nom, QString());
        } else if (avecValeur.contains(nom)) {
            if (!valeurJointe) {
                if (i + 1 >= arguments.size()) {
                    m_erreur = QStringLiteral("l'option %1 attend une valeur").arg(nom);
                    return;
                }
                valeur = arguments[++i];
            }
            m_valeurs.insert(nom, valeur);
        } else {
            m_erreur = QStringLiteral("option inconnue : %1").arg(nom);
            return;
        }
    }
}

bool appliquerDossier(const Arguments &a, bool *cree)
{
    std::optional<QString> option;
    if (a.contient(QStringLiteral("--dossier")))
        option = a.valeur(QStringLiteral("--dossier"));
    // The same folder as the program's: a class named on the command line is
    // still read from it, by its file name only.
    const DossierDonnees d =
        ChoisirDossierDonnees(EntreesDuSysteme(option, QString()), [] { return EcrireClasseExemple(); });
    if (!d.message.isEmpty()) {
        erreur(d.message);
        return false;
    }
    if (cree)
        *cree = d.cree;
    return true;
}

QString nomFichierClasse(const QString &argument)
{
    QString nom = NomDepuisArgument(argument);
    if (!nom.isEmpty() && !nom.contains(QLatin1Char('.')))
        nom += QStringLiteral(".VTC");
    return nom;
}

bool chargerClasse(const QString &argument)
{
    const ResultatChargement r = charger(nomFichierClasse(argument));
    if (!r.ok) {
        erreurPhrase(r.message);
        return false;
    }
    return true;
}

} // namespace Cli
