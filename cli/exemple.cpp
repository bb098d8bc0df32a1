// vestrel-cli exemple: a realistic class to try the program on.
#include "cli/commandes.h"
#include "cli/commun.h"

#include "classdata/exemple.h"
#include "platform/casse.h"
#include "platform/dossier.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

namespace {

bool nomValide(const QString &nom)
{
    static const QRegularExpression motif(QStringLiteral("^[A-Z0-9!$_~-]{1,8}$"));
    return motif.match(nom).hasMatch();
}

} // namespace

int commandeExemple(const QStringList &arguments)
{
    const Cli::Arguments a(arguments, {QStringLiteral("--dossier")}, {QStringLiteral("--remplacer")});
    if (!a.valide())
        return Cli::erreurUsage(a.erreur());
    if (a.positionnels().size() > 1)
        return Cli::erreurUsage(QStringLiteral("exemple attend au plus un nom de classe."));
    QString nom = a.positionnels().value(0, QStringLiteral("EXEMPLE"));
    if (nom.endsWith(QLatin1String(".VTC"), Qt::CaseInsensitive))
        nom.chop(4);
    nom = nom.toUpper();
    if (!nomValide(nom))
        return Cli::erreurUsage(QStringLiteral("nom de classe incorrect : %1 (au plus 8 caractères parmi les "
                                               "lettres, les chiffres et ! $ - _ ~)")
                                    .arg(nom));
    bool cree = false;
    if (!Cli::appliquerDossier(a, &cree))
        return Cli::ECHEC;

    const QString dossier = DossierProgramme();
    const QString vtc = CheminReel(dossier, nom + QStringLiteral(".VTC"));
    const QString ini = CheminReel(dossier, nom + QStringLiteral(".INI"));
    // The first start has just written this very sample.
    const bool remplacer =
        a.contient(QStringLiteral("--remplacer")) || (cree && nom == QLatin1String("EXEMPLE"));
    for (const QString &f : {vtc, ini}) {
        if (QFile::exists(f) && !remplacer) {
            Cli::erreur(
                QStringLiteral("Le fichier %1 existe déjà : ajoutez --remplacer pour le remplacer.").arg(f));
            return Cli::ECHEC;
        }
    }

    int nbEleves = 0;
    const QString message = EcrireClasseExemple(nom, &nbEleves);
    if (!message.isEmpty()) {
        Cli::erreurPhrase(message);
        return Cli::ECHEC;
    }
    Cli::sortie(QStringLiteral("Classe %1 écrite : %2 élèves dans %3.\n")
                    .arg(nom)
                    .arg(nbEleves)
                    .arg(QDir::toNativeSeparators(dossier)));
    return Cli::OK;
}
