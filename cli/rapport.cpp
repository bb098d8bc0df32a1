// Placeholder until the report subcommands are built.
#include "commandes.h"
#include "commun.h"

int commandeRapport(const QStringList &)
{
    Cli::erreur(QStringLiteral("vestrel-cli : la commande rapport n'est pas encore disponible (non disponible)."));
    return Cli::USAGE;
}

int commandeExporter(const QStringList &)
{
    Cli::erreur(QStringLiteral("vestrel-cli : la commande exporter n'est pas encore disponible (non disponible)."));
    return Cli::USAGE;
}
