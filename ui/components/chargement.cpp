#include "ui/components/chargement.h"

#include "classdata/classe.h"
#include "ui/components/messages.h"
#include "ui/components/sablier.h"

bool ChargerClasse(const QString &nomFichier)
{
    if (!ListeEleves.isEmpty())
        Messages::simple(QStringLiteral("Fichier déjà chargé !"));
    ResultatChargement r;
    {
        Sablier sablier;
        r = charger(nomFichier);
    }
    if (!r.ok) {
        ViderClasse();
        Messages::rapportErreur(r.message);
        return false;
    }
    return true;
}
