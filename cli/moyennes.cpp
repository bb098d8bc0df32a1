// vestrel-cli moyennes: every student average and the class figures.
#include "cli/commandes.h"
#include "cli/commun.h"

#include "averages/moyennes.h"
#include "classdata/classe.h"
#include "classdata/texte.h"
#include "reports/export.h"

#include <functional>

namespace {

const Selecteur SELECTEURS[] = {Selecteur::Mat1, Selecteur::Mat2, Selecteur::Ensemble};
const int SPANS[] = {1, 2, 3, Annee};

QString champ(double moyenne)
{
    return NoteEnTexte(moyenne).trimmed();
}

QString ligne(const QString &premier, const std::function<double(Selecteur, int)> &valeur)
{
    QString l = premier;
    for (Selecteur s : SELECTEURS)
        for (int span : SPANS)
            l += QLatin1Char('\t') + champ(valeur(s, span));
    return l + QLatin1Char('\n');
}

} // namespace

int commandeMoyennes(const QStringList &arguments)
{
    const Cli::Arguments a(arguments, {QStringLiteral("--dossier")}, {});
    if (!a.valide())
        return Cli::erreurUsage(a.erreur());
    if (a.positionnels().size() != 1)
        return Cli::erreurUsage(QStringLiteral("moyennes attend un seul fichier de classe."));
    if (!Cli::appliquerDossier(a))
        return Cli::ECHEC;
    if (!Cli::chargerClasse(a.positionnels().first()))
        return Cli::ECHEC;

    QString texte = QStringLiteral("Élève");
    for (const char *s : {"Mat1", "Mat2", "Ens"})
        for (const char *p : {"1", "2", "3", "A"})
            texte += QStringLiteral("\t%1-%2").arg(QLatin1String(s), QLatin1String(p));
    texte += QLatin1Char('\n');
    for (const StudentRecord &e : std::as_const(ListeEleves))
        texte += ligne(SurUneLigne(e.Nom + QLatin1Char(' ') + e.Prenom),
                       [&](Selecteur s, int span) { return MoyEleve(e, s, span); });
    texte += ligne(QStringLiteral("Min"), MinClasse);
    texte += ligne(QStringLiteral("Moy"), MoyClasse);
    texte += ligne(QStringLiteral("Max"), MaxClasse);
    Cli::sortie(texte);
    return Cli::OK;
}
