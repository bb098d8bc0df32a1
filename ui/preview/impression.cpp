#include "ui/preview/impression.h"

#include "classdata/options.h"
#include "platform/dossier.h"
#include "platform/gui/sortieimprimante.h"
#include "platform/horloge.h"

#include "ui/components/imprimantes.h"

#include <QPrinter>
#include <memory>

namespace {

// The printer to use: the one given, else the default printer, if any.
QPrinter *Imprimante(QPrinter *donnee, std::unique_ptr<QPrinter> &proprietaire)
{
    if (donnee)
        return donnee;
    proprietaire = Imprimantes::parDefaut();
    return proprietaire.get();
}

} // namespace

QString CheminRapportApercu()
{
    return CheminProgramme(QStringLiteral("a_classe.txt"));
}

bool EcrireRapportApercu(const EntreesRapport &e, QString *message)
{
    SortieFichier sortie(CheminRapportApercu());
    if (!RapportComplet(sortie, e, Maintenant())) {
        if (message)
            *message = sortie.enErreur() ? sortie.messageErreur()
                                         : QStringLiteral("Un rapport est déjà en cours d'écriture.");
        return false;
    }
    if (!sortie.fermer()) {
        if (message)
            *message = sortie.messageErreur();
        return false;
    }
    return true;
}

bool ImprimerRapport(const EntreesRapport &e, QPrinter *imprimante)
{
    if (RapportEnCours())
        return false;
    std::unique_ptr<QPrinter> proprietaire;
    QPrinter *p = Imprimante(imprimante, proprietaire);
    if (!p)
        return false;
    SortieImprimante sortie(p, SortieImprimante::PoliceRapport(TailleEcriture, Gras));
    if (!sortie.ouvrir())
        return false;
    const bool ok = RapportComplet(sortie, e, Maintenant());
    return sortie.fermer() && ok;
}

bool ImprimerLignes(const QStringList &lignes, const QFont &police, const QColor &couleur,
                    QPrinter *imprimante)
{
    std::unique_ptr<QPrinter> proprietaire;
    QPrinter *p = Imprimante(imprimante, proprietaire);
    if (!p)
        return false;
    SortieImprimante sortie(p, police, couleur);
    if (!sortie.ouvrir())
        return false;
    for (const QString &l : lignes) {
        sortie.ligne(l);
        if (sortie.enErreur())
            break;
    }
    return sortie.fermer();
}
