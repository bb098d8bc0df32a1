#include "classdata/classe.h"

#include "classdata/empreinte.h"
#include "classdata/options.h"
#include "classdata/real48.h"
#include "platform/casse.h"
#include "platform/dossier.h"
#include "platform/ecrituresure.h"
#include "platform/erreurs.h"
#include "platform/lecturesure.h"
#include "platform/recents.h"

#include <QFileInfo>

#include <algorithm>
#include <array>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

QList<StudentRecord> ListeEleves;
QString NomFichier;
QString NomClasse;

bool PeutAjouterEleve()
{
    return NbEleves() < NB_ELEVES_MAX;
}

QString MessageClassePleine()
{
    return QStringLiteral("La classe compte déjà %1 élèves : impossible d'en ajouter un de plus.")
        .arg(NB_ELEVES_MAX);
}

void ViderClasse()
{
    ListeEleves.clear();
}

QString NomDepuisArgument(const QString &argument)
{
    qsizetype i = argument.size();
    while (i > 0) {
        const QChar c = argument[i - 1];
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c == QLatin1Char(':'))
            break;
        --i;
    }
    return argument.mid(i);
}

namespace {

ResultatChargement echec(const QString &message)
{
    return {false, message};
}

QString messageTropDEleves(qint64 nombre)
{
    return QStringLiteral("Ce fichier contient %1 élèves : une classe en compte au plus %2.")
        .arg(nombre)
        .arg(NB_ELEVES_MAX);
}

} // namespace

ResultatChargement LireEleves(const QString &chemin, QList<StudentRecord> &eleves)
{
    eleves.clear();
    // A FIFO, a device or a link to /dev/zero is refused at once, unread.
    QString message;
    qint64 taille = 0;
    const int fd = OuvrirFichierOrdinaire(chemin, message, &taille);
    if (fd < 0)
        return echec(message);

    struct Fermeture {
        int fd;
        ~Fermeture() { ::close(fd); }
    } fermeture{fd};

    // The whole records are read first on the original system, then the last
    // partial one fails: the result is the same, an empty model.
    if (taille % TAILLE_ENREGISTREMENT != 0)
        return echec(MessageFinDeFichier());
    const qint64 nombre = taille / TAILLE_ENREGISTREMENT;
    if (nombre > NB_ELEVES_MAX)
        return echec(messageTropDEleves(nombre));

    QByteArray octets(TAILLE_ENREGISTREMENT, Qt::Uninitialized);
    eleves.reserve(nombre);
    for (qint64 n = 0; n < nombre; ++n) {
        qsizetype lus = 0;
        while (lus < TAILLE_ENREGISTREMENT) {
            errno = 0;
            const ssize_t r = ::read(fd, octets.data() + lus, size_t(TAILLE_ENREGISTREMENT - lus));
            if (r < 0 && (errno == EINTR || errno == EAGAIN))
                continue;
            if (r < 0) {
                const QString m = MessageDerniereErreur();
                eleves.clear();
                return echec(m);
            }
            if (r == 0) { // the file shrank meanwhile
                eleves.clear();
                return echec(MessageFinDeFichier());
            }
            lus += r;
        }
        eleves.append(DecoderEleve(octets));
    }
    return {true, {}};
}

ResultatChargement charger(const QString &nomFichier)
{
    ViderClasse();
    NomFichier = NomReelDansDossier(DossierProgramme(), NomDepuisArgument(nomFichier)).left(255);
    const QString chemin = CheminProgramme(NomFichier);
    AjouterDocumentRecent(QFileInfo(chemin).absoluteFilePath());
    NomClasse = NomFichier.size() > 4 ? NomFichier.left(NomFichier.size() - 4) : QString();
    const QString erreurOptions = LireOptions();
    DecoderCoefDates();
    if (!erreurOptions.isEmpty())
        return echec(erreurOptions);
    // Before reading: a write in between shows as a change at the next save.
    EmpreinteChargee = EmpreinteDe(chemin);
    QList<StudentRecord> eleves;
    const ResultatChargement r = LireEleves(chemin, eleves);
    if (r.ok)
        ListeEleves = std::move(eleves);
    return r;
}

QByteArray OctetsEleves(const QList<StudentRecord> &eleves, bool viderNotes)
{
    QByteArray octets;
    octets.reserve(eleves.size() * TAILLE_ENREGISTREMENT);
    for (const StudentRecord &e : eleves) {
        if (!viderNotes) {
            octets += CoderEleve(e);
            continue;
        }
        StudentRecord copie = e;
        for (int p = 1; p <= NB_PERIODES_MAX; ++p) {
            for (int d = 1; d <= NB_DEVOIRS; ++d) {
                copie.NotesMat1[p][d] = NO_MARK;
                copie.NotesMat2[p][d] = NO_MARK;
            }
        }
        for (int v = 1; v <= 3; ++v)
            for (int q = 1; q <= 4; ++q)
                copie.Appreciations[v][q].clear();
        octets += CoderEleve(copie);
    }
    return octets;
}

namespace {
ResultatEcriture resultat(const QString &message)
{
    return message.isEmpty() ? ResultatEcriture{EtatEcriture::Ecrit, {}}
                             : ResultatEcriture{EtatEcriture::Echec, message};
}

ResultatEcriture ecrireAvecReglages(const QString &chemin, const QList<StudentRecord> &eleves,
                                    bool viderNotes, const FichierAEcrire &reglages)
{
    if (eleves.size() > NB_ELEVES_MAX)
        return {EtatEcriture::Echec, MessageClassePleine()};
    if (!reglages.erreur.isEmpty())
        return {EtatEcriture::Echec, reglages.erreur};
    return resultat(
        EcrireDeuxFichiersSurs(chemin, OctetsEleves(eleves, viderNotes), reglages.chemin, reglages.octets));
}
} // namespace

ResultatEcriture EcrireEleves(const QString &chemin, const QList<StudentRecord> &eleves, bool viderNotes)
{
    if (eleves.size() > NB_ELEVES_MAX)
        return {EtatEcriture::Echec, MessageClassePleine()};
    return resultat(EcrireFichierSur(chemin, OctetsEleves(eleves, viderNotes)));
}

ResultatEcriture EcrireElevesEtOptions(const QString &chemin, const QList<StudentRecord> &eleves,
                                       bool viderNotes, const OptionsAEcrire &options, bool reglagesNeufs)
{
    if (eleves.size() > NB_ELEVES_MAX)
        return {EtatEcriture::Echec, MessageClassePleine()};
    // The settings in memory change only with a save that took place.
    const bool gras = Gras;
    const qint32 taille = TailleEcriture;
    const auto coefs = std::to_array(CoefPeriode);
    const auto dates = std::to_array(DatePeriode);
    const ResultatEcriture r =
        ecrireAvecReglages(chemin, eleves, viderNotes, OptionsAEcrireFichier(options, reglagesNeufs));
    if (r.etat != EtatEcriture::Ecrit) {
        Gras = gras;
        TailleEcriture = taille;
        std::copy(coefs.begin(), coefs.end(), CoefPeriode);
        std::copy(dates.begin(), dates.end(), DatePeriode);
    }
    return r;
}

ResultatEcriture EcrireClasseEtCoefDates(const QString coefs[4], const QString dates[4])
{
    if (ListeEleves.isEmpty())
        return {EtatEcriture::Vide, QStringLiteral("Fichier vide !")};
    return ecrireAvecReglages(CheminProgramme(NomFichier), ListeEleves, false,
                              CoefDatesAEcrire(coefs, dates));
}

ResultatEcriture EcrireClasse()
{
    if (ListeEleves.isEmpty())
        return {EtatEcriture::Vide, QStringLiteral("Fichier vide !")};
    return EcrireEleves(CheminProgramme(NomFichier), ListeEleves);
}
