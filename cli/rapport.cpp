// vestrel-cli rapport and exporter: the report text and the grid export of
// one view and selection, as the mark-entry window writes them.
#include "cli/commandes.h"
#include "cli/commun.h"

#include "classdata/classe.h"
#include "classdata/options.h"
#include "platform/casse.h"
#include "platform/cp1252.h"
#include "platform/dossier.h"
#include "platform/ecrituresure.h"
#include "platform/horloge.h"
#include "reports/export.h"
#include "reports/rapport.h"

#include <QDir>
#include <QFileInfo>

#include <optional>

namespace {

struct Selection {
    Vue vue = Vue::Notes;
    int span = 1;
    Selecteur sel = Selecteur::Mat1;
};

const QStringList OPTIONS_COMMUNES = {QStringLiteral("--dossier"), QStringLiteral("--vue"),
                                      QStringLiteral("--periode"), QStringLiteral("--matiere"),
                                      QStringLiteral("--sortie")};

// Reads --vue, --periode and --matiere; nullopt after a usage message.
std::optional<Selection> LireSelection(const Cli::Arguments &a, int *statut)
{
    Selection s;
    const QString vue = a.valeur(QStringLiteral("--vue")).toLower();
    if (vue == u"notes")
        s.vue = Vue::Notes;
    else if (vue == u"appreciations" || vue == u"appréciations")
        s.vue = Vue::Appreciations;
    else if (vue == u"liste")
        s.vue = Vue::Liste;
    else {
        *statut = Cli::erreurUsage(
            vue.isEmpty() ? QStringLiteral("--vue est obligatoire (notes, appreciations ou liste).")
                          : QStringLiteral("vue inconnue : %1").arg(vue));
        return std::nullopt;
    }
    // The list shows neither period nor subject.
    if (s.vue == Vue::Liste)
        return s;

    const QString periode = a.valeur(QStringLiteral("--periode")).toLower();
    if (periode == u"1" || periode == u"2" || periode == u"3")
        s.span = periode.toInt();
    else if (periode == u"annee" || periode == u"année")
        s.span = Annee;
    else {
        *statut = Cli::erreurUsage(periode.isEmpty()
                                       ? QStringLiteral("--periode est obligatoire (1, 2, 3 ou annee).")
                                       : QStringLiteral("période inconnue : %1").arg(periode));
        return std::nullopt;
    }
    const QString matiere = a.valeur(QStringLiteral("--matiere")).toLower();
    if (matiere == u"mat1")
        s.sel = Selecteur::Mat1;
    else if (matiere == u"mat2")
        s.sel = Selecteur::Mat2;
    else if (matiere == u"ensemble")
        s.sel = Selecteur::Ensemble;
    else {
        *statut = Cli::erreurUsage(matiere.isEmpty()
                                       ? QStringLiteral("--matiere est obligatoire (mat1, mat2 ou ensemble).")
                                       : QStringLiteral("matière inconnue : %1").arg(matiere));
        return std::nullopt;
    }
    return s;
}

// Once the class is loaded: does it have that period and subject?
bool SelectionDeLaClasse(const Selection &s)
{
    if (s.vue == Vue::Liste || SelectionValide(s.span, s.sel))
        return true;
    if (s.sel != Selecteur::Mat1 && UneMatiere)
        Cli::erreur(QStringLiteral("La classe %1 n'a qu'une matière : ni mat2 ni ensemble.").arg(NomClasse));
    else
        Cli::erreur(
            QStringLiteral("La classe %1 est en semestres : elle n'a pas de période 3.").arg(NomClasse));
    return false;
}

// Common start: options, folder, class, selection. 0 when all is ready.
int Preparer(const Cli::Arguments &a, const char *commande, Selection &s)
{
    if (!a.valide())
        return Cli::erreurUsage(a.erreur());
    if (a.positionnels().size() != 1)
        return Cli::erreurUsage(
            QStringLiteral("%1 attend un seul fichier de classe.").arg(QLatin1String(commande)));
    int statut = Cli::USAGE;
    const std::optional<Selection> lue = LireSelection(a, &statut);
    if (!lue)
        return statut;
    s = *lue;
    if (!Cli::appliquerDossier(a))
        return Cli::ECHEC;
    if (!Cli::chargerClasse(a.positionnels().first()))
        return Cli::ECHEC;
    if (!SelectionDeLaClasse(s))
        return Cli::USAGE;
    return Cli::OK;
}

// A marks or settings file of the class folder, by its name or through a link.
bool FichierDeClasse(const QString &chemin)
{
    auto deClasse = [](const QFileInfo &f) {
        const QString ext = MajusculesAscii(f.suffix());
        if (ext != QLatin1String("VTC") && ext != QLatin1String("INI"))
            return false;
        const QString dossier = QFileInfo(DossierProgramme()).canonicalFilePath();
        return !dossier.isEmpty() && f.absoluteDir().canonicalPath() == dossier;
    };
    const QFileInfo f(chemin);
    return deClasse(f) || (f.exists() && deClasse(QFileInfo(f.canonicalFilePath())));
}

// The bytes to FICHIER (Windows-1252), or their text to standard output (UTF-8).
int Ecrire(const Cli::Arguments &a, const QByteArray &octets)
{
    if (!a.contient(QStringLiteral("--sortie"))) {
        Cli::sortie(DepuisCp1252(octets));
        return Cli::OK;
    }
    const QString cible = a.valeur(QStringLiteral("--sortie"));
    if (FichierDeClasse(cible)) {
        Cli::erreur(QStringLiteral("--sortie ne peut pas remplacer un fichier de classe : %1.").arg(cible));
        return Cli::ECHEC;
    }
    // A FIFO or a terminal takes the text as a stream; a file is replaced safely.
    const QString message = EcrireSortie(cible, octets);
    if (!message.isEmpty()) {
        Cli::erreurPhrase(message);
        return Cli::ECHEC;
    }
    return Cli::OK;
}

} // namespace

int commandeRapport(const QStringList &arguments)
{
    const Cli::Arguments a(arguments, OPTIONS_COMMUNES, {});
    Selection s;
    if (const int statut = Preparer(a, "rapport", s); statut != Cli::OK)
        return statut;
    SortieMemoire sortie;
    RapportComplet(sortie, EntreesDepuisClasse(s.vue, s.span, s.sel), Maintenant());
    return Ecrire(a, VersCp1252(sortie.texte()));
}

int commandeExporter(const QStringList &arguments)
{
    const Cli::Arguments a(
        arguments,
        OPTIONS_COMMUNES + QStringList{QStringLiteral("--separateur"), QStringLiteral("--decimal")}, {});
    // The window proposes "Aucun" and ",".
    const QString separateur = a.valeur(QStringLiteral("--separateur"), QStringLiteral("Aucun"));
    const QString decimal = a.valeur(QStringLiteral("--decimal"), QStringLiteral(","));
    static const QStringList separateurs = {
        QStringLiteral("Aucun"), QStringLiteral("Tab"), QStringLiteral(";"), QStringLiteral("#"),
        QStringLiteral("!"),     QStringLiteral("/"),   QStringLiteral("&"), QStringLiteral("%"),
        QStringLiteral("~"),     QStringLiteral("@")};
    if (a.valide() && !separateurs.contains(separateur))
        return Cli::erreurUsage(
            QStringLiteral("séparateur inconnu : %1 (Aucun, Tab, ;, #, !, /, &, %, ~ ou @)").arg(separateur));
    if (a.valide() && decimal != u"," && decimal != u".")
        return Cli::erreurUsage(QStringLiteral("séparateur décimal inconnu : %1 (, ou .)").arg(decimal));

    Selection s;
    if (const int statut = Preparer(a, "exporter", s); statut != Cli::OK)
        return statut;
    const TableGrille table = ConstruireGrille(s.vue, s.span, s.sel);
    return Ecrire(a,
                  TexteExport(table, NomClasse, Maintenant(), SeparateurChamps(separateur), decimal == u","));
}
