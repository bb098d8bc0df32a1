#include "ui/components/reservation.h"

#include "classdata/empreinte.h"
#include "classdata/verrouclasse.h"
#include "platform/casse.h"
#include "platform/dossier.h"
#include "platform/horloge.h"
#include "ui/components/messages.h"

#include <QFileInfo>

#include <thread>

QString TexteLectureSeule(const QString &nomClasse, const VerrouClasse &verrou)
{
    return TexteDetenteur(nomClasse, verrou.detenteur(), Aujourdhui())
        + QStringLiteral(" Elle est ouverte en lecture seule.");
}

namespace {

// The lock being taken ahead, on its own thread until claimed.
struct Anticipation {
    QString chemin;
    std::unique_ptr<VerrouClasse> verrou;
    VerrouClasse::Etat etat = VerrouClasse::Etat::Impossible;
    std::thread fil;

    ~Anticipation()
    {
        if (fil.joinable())
            fil.join();
    }
};

std::unique_ptr<Anticipation> g_anticipation;

} // namespace

void ReserverEnAvance(const QString &cheminClasse)
{
    g_anticipation.reset();
    auto a = std::make_unique<Anticipation>();
    a->chemin = cheminClasse;
    a->verrou = std::make_unique<VerrouClasse>(cheminClasse);
    try {
        Anticipation *p = a.get();
        a->fil = std::thread([p] { p->etat = p->verrou->prendre(); });
    } catch (const std::system_error &) {
        return; // no thread to spare: the window takes it itself
    }
    g_anticipation = std::move(a);
}

std::unique_ptr<VerrouClasse> ReservationAnticipee(const QString &cheminClasse, VerrouClasse::Etat &etat)
{
    if (!g_anticipation || g_anticipation->chemin != cheminClasse)
        return nullptr;
    const std::unique_ptr<Anticipation> a = std::move(g_anticipation);
    a->fil.join();
    etat = a->etat;
    return std::move(a->verrou);
}

void AbandonnerReservationAnticipee()
{
    g_anticipation.reset();
}

Acces ReserverClasse(VerrouClasse &verrou, const QString &nomClasse)
{
    return ConclureReservation(verrou, verrou.prendre(), nomClasse);
}

Acces ConclureReservation(VerrouClasse &verrou, VerrouClasse::Etat etat, const QString &nomClasse)
{
    switch (etat) {
    case VerrouClasse::Etat::Pris: return Acces::Edition;
    case VerrouClasse::Etat::TenuIci:
        Messages::information(TexteLectureSeule(nomClasse, verrou));
        return Acces::LectureSeule;
    case VerrouClasse::Etat::TenuAilleurs: {
        const int r = Messages::boite(
            TypeBoite::Avertissement,
            TexteDetenteur(nomClasse, verrou.detenteur(), Aujourdhui())
                + QStringLiteral("\r\n\r\nSi elle y est encore ouverte, la modifier ici ferait perdre le "
                                 "travail fait là-bas.\r\nSi cet ordinateur s'est arrêté sans quitter le "
                                 "programme (panne, coupure de courant), vous pouvez la reprendre."
                                 "\r\n\r\nReprendre la classe pour la modifier ici ?"
                                 "\r\n(Non : l'ouvrir en lecture seule)"),
            BoutonOui | BoutonNon, BoutonNon);
        if (r == BoutonOui) {
            if (verrou.forcer())
                return Acces::Edition;
            Messages::erreur(
                QStringLiteral("La classe %1 n'a pas pu être reprise. Elle est ouverte en lecture seule.")
                    .arg(nomClasse));
        }
        return Acces::LectureSeule;
    }
    case VerrouClasse::Etat::Impossible:
        Messages::information(
            QStringLiteral("La classe %1 ne peut pas être réservée pour être modifiée (%2). "
                           "Elle est ouverte en lecture seule.")
                .arg(nomClasse, verrou.erreur()));
        return Acces::LectureSeule;
    }
    return Acces::LectureSeule;
}

ChoixFichierChange DemanderFichierChange(const QString &nomFichier)
{
    const bool existe = QFileInfo::exists(CheminReel(DossierProgramme(), nomFichier));
    const QString quoi = existe ? QStringLiteral("a été modifié sur le disque depuis son ouverture, "
                                                 "sans doute par une autre copie du programme.")
                                : QStringLiteral("a été supprimé ou déplacé depuis son ouverture.");
    const int r = Messages::boite(
        TypeBoite::Avertissement,
        QStringLiteral("Le fichier ") + nomFichier + u' ' + quoi
            + QStringLiteral("\r\nL'enregistrer maintenant remplacerait ce qu'il contient par vos données."
                             "\r\n\r\nOui : remplacer le fichier\r\nNon : enregistrer sous un autre nom"
                             "\r\nAnnuler : ne rien enregistrer pour l'instant"),
        BoutonOui | BoutonNon | BoutonAnnuler, BoutonAnnuler);
    if (r == BoutonOui)
        return ChoixFichierChange::Remplacer;
    if (r == BoutonNon)
        return ChoixFichierChange::AutreNom;
    return ChoixFichierChange::Annuler;
}

QString DemanderAutreNom(const QString &nomClasse)
{
    QString nom = nomClasse;
    for (;;) {
        if (!Messages::saisie(QStringLiteral("Enregistrer sous un autre nom"),
                              QStringLiteral("Nom du nouveau fichier de notes (8 caractères au maximum) :"),
                              nom))
            return {};
        nom = MajusculesAscii(nom.trimmed());
        bool valide = !nom.isEmpty() && nom.size() <= 8;
        for (const QChar c : std::as_const(nom))
            valide = valide
                && ((c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'!' || c == u'$'
                    || c == u'-' || c == u'_' || c == u'~');
        if (!valide) {
            Messages::erreur(
                QStringLiteral("Le nom du fichier doit avoir de 1 à 8 caractères : lettres, chiffres, "
                               "! $ - _ ~"));
            continue;
        }
        const QString fichier = nom + QStringLiteral(".VTC");
        if (QFileInfo::exists(CheminReel(DossierProgramme(), fichier))) {
            Messages::erreur(QStringLiteral("Un fichier ") + fichier
                             + QStringLiteral(" existe déjà : choisissez un autre nom."));
            continue;
        }
        return nom;
    }
}

AvantEcriture VerifierAvantEcriture(const QString &nomFichier, const QString &nomClasse)
{
    AvantEcriture r;
    if (!FichierChangeDepuisChargement(CheminProgramme(nomFichier))) {
        r.suite = AvantEcriture::Ecrire;
        return r;
    }
    switch (DemanderFichierChange(nomFichier)) {
    case ChoixFichierChange::Remplacer: r.suite = AvantEcriture::Ecrire; return r;
    case ChoixFichierChange::Annuler: return r;
    case ChoixFichierChange::AutreNom: break;
    }
    const QString nom = DemanderAutreNom(nomClasse);
    if (nom.isEmpty())
        return r;
    const QString fichier = nom + QStringLiteral(".VTC");
    auto verrou = std::make_unique<VerrouClasse>(CheminProgramme(fichier));
    if (verrou->prendre() != VerrouClasse::Etat::Pris) {
        Messages::erreur(QStringLiteral("Le fichier ") + fichier
                         + QStringLiteral(" est déjà utilisé : choisissez un autre nom."));
        return r;
    }
    r.suite = AvantEcriture::AutreNom;
    r.nouveauNom = nom;
    r.nouveauVerrou = std::move(verrou);
    return r;
}
