// vestrel-cli: the class files of Vestrel without a screen.
#include "cli/commandes.h"
#include "cli/commun.h"
#include "platform/recents.h"

#include <QCoreApplication>

namespace {

const char *const AIDE = "Usage : vestrel-cli COMMANDE [ARGUMENTS] [OPTIONS]\n"
                         "\n"
                         "Travaille sur les fichiers de classe de Vestrel (CLASSE.VTC et CLASSE.INI)\n"
                         "sans ouvrir de fenêtre. Seule la partie nom de fichier de CLASSE.VTC est\n"
                         "utilisée : le fichier est lu dans le dossier des classes, le même que celui\n"
                         "du programme : DIR avec --dossier DIR ; sinon le dossier des exécutables\n"
                         "quand c'est une copie portable (un dossier de l'utilisateur, ou qui contient\n"
                         "déjà vestrel.INI ou une classe) ; sinon le dossier Vestrel des documents de\n"
                         "l'utilisateur, créé au premier lancement avec la classe d'exemple EXEMPLE.\n"
                         "Sans extension, .VTC est ajouté au nom.\n"
                         "\n"
                         "Commandes :\n"
                         "  moyennes CLASSE.VTC [--dossier DIR]\n"
                         "      Affiche les moyennes de chaque élève, séparées par des tabulations :\n"
                         "      une ligne d'en-tête, une ligne par élève (nom et prénom, puis Mat1\n"
                         "      périodes 1, 2, 3 et année, Mat2 de même, Ensemble de même), puis les\n"
                         "      lignes Min, Moy et Max de la classe. Une case vide : pas de moyenne.\n"
                         "\n"
                         "  exemple [NOM] [--dossier DIR] [--remplacer]\n"
                         "      Écrit une classe d'exemple NOM.VTC et NOM.INI (NOM par défaut :\n"
                         "      EXEMPLE ; au plus 8 caractères parmi les lettres, les chiffres et\n"
                         "      ! $ - _ ~). Refuse d'écraser des fichiers existants sans --remplacer.\n"
                         "\n"
                         "  rapport CLASSE.VTC [--dossier DIR] --vue notes|appreciations|liste\n"
                         "          --periode 1|2|3|annee --matiere mat1|mat2|ensemble [--sortie FICHIER]\n"
                         "      Écrit le rapport de la classe tel que l'aperçu avant impression le\n"
                         "      montre, élèves dans l'ordre du fichier, terminé par une ligne vide\n"
                         "      puis la date et l'heure : dans FICHIER en Windows-1252, ou sur la\n"
                         "      sortie standard en UTF-8. La vue liste ignore la période et la\n"
                         "      matière.\n"
                         "\n"
                         "  exporter CLASSE.VTC [--dossier DIR] --vue notes|appreciations|liste\n"
                         "          --periode 1|2|3|annee --matiere mat1|mat2|ensemble\n"
                         "          [--separateur Aucun|Tab|;|#|!|/|&|%|~|@] [--decimal ,|.]\n"
                         "          [--sortie FICHIER]\n"
                         "      Écrit l'exportation de la grille pour cette vue et cette sélection :\n"
                         "      dans FICHIER (Windows-1252, fins de ligne CR LF), ou sur la sortie\n"
                         "      standard en UTF-8. Séparateur de champs par défaut : Aucun ;\n"
                         "      séparateur décimal par défaut : la virgule. La vue liste ignore la\n"
                         "      période et la matière.\n"
                         "\n"
                         "Options générales :\n"
                         "  -h, --help    affiche cette aide\n"
                         "\n"
                         "Codes de retour : 0 réussite, 1 échec (message en français sur la sortie\n"
                         "d'erreur), 2 mauvaise utilisation (y compris une période ou une matière\n"
                         "que la classe n'a pas).\n";

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vestrel-cli"));
    ActiverDocumentsRecents(false);

    QStringList arguments = QCoreApplication::arguments().mid(1);
    if (arguments.isEmpty())
        return Cli::erreurUsage(QStringLiteral("commande manquante."));
    const QString commande = arguments.takeFirst();
    if (commande == QLatin1String("--help") || commande == QLatin1String("-h")
        || commande == QLatin1String("aide")) {
        Cli::sortie(QString::fromUtf8(AIDE));
        return Cli::OK;
    }
    if (arguments.contains(QLatin1String("--help")) || arguments.contains(QLatin1String("-h"))) {
        Cli::sortie(QString::fromUtf8(AIDE));
        return Cli::OK;
    }
    if (commande == QLatin1String("moyennes"))
        return commandeMoyennes(arguments);
    if (commande == QLatin1String("exemple"))
        return commandeExemple(arguments);
    if (commande == QLatin1String("rapport"))
        return commandeRapport(arguments);
    if (commande == QLatin1String("exporter"))
        return commandeExporter(arguments);
    return Cli::erreurUsage(QStringLiteral("commande inconnue : %1").arg(commande));
}
