#include "classe.h"

#include "casse.h"
#include "dossier.h"
#include "empreinte.h"
#include "erreurs.h"
#include "options.h"
#include "real48.h"
#include "recents.h"

#include <QFileInfo>
#include <QSaveFile>

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
    const QByteArray nomLocal = QFile::encodeName(chemin);
    if (nomLocal.isEmpty() || nomLocal.contains('\0'))
        return echec(MessageErreurSysteme(ENOENT));
    errno = 0;
    const int fd = ::open(nomLocal.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return echec(MessageDerniereErreur());

    struct Fermeture {
        int fd;
        ~Fermeture() { ::close(fd); }
    } fermeture{fd};

    struct stat st;
    if (::fstat(fd, &st) != 0)
        return echec(MessageDerniereErreur());
    if (S_ISDIR(st.st_mode))
        return echec(MessageErreurSysteme(EISDIR));
    const qint64 taille = st.st_size;
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
            if (r < 0 && errno == EINTR)
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
    LireOptions();
    DecoderCoefDates();
    // Before reading: a write in between shows as a change at the next save.
    EmpreinteChargee = EmpreinteDe(chemin);
    QList<StudentRecord> eleves;
    const ResultatChargement r = LireEleves(chemin, eleves);
    if (r.ok)
        ListeEleves = std::move(eleves);
    return r;
}

ResultatEcriture EcrireEleves(const QString &chemin, const QList<StudentRecord> &eleves,
                              bool viderNotes)
{
    if (eleves.size() > NB_ELEVES_MAX)
        return {EtatEcriture::Echec, MessageClassePleine()};
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

    QSaveFile f(chemin);
    errno = 0;
    if (!f.open(QIODevice::WriteOnly))
        return {EtatEcriture::Echec, MessageDerniereErreur(EACCES)};
    errno = 0;
    if (f.write(octets) != octets.size()) {
        const QString m = MessageDerniereErreur(ENOSPC);
        f.cancelWriting();
        return {EtatEcriture::Echec, m};
    }
    errno = 0;
    if (!f.commit())
        return {EtatEcriture::Echec, MessageDerniereErreur(ENOSPC)};
    return {EtatEcriture::Ecrit, {}};
}

ResultatEcriture EcrireClasse()
{
    if (ListeEleves.isEmpty())
        return {EtatEcriture::Vide, QStringLiteral("Fichier vide !")};
    return EcrireEleves(CheminProgramme(NomFichier), ListeEleves);
}
