#include "sortietexte.h"

#include "cp1252.h"
#include "erreurs.h"

#include <QSaveFile>

#include <cerrno>

SortieFichier::SortieFichier(const QString &chemin) : m_chemin(chemin) {}

void SortieFichier::ecrire(const QString &texte) { m_contenu += VersCp1252(texte); }

void SortieFichier::finLigne() { m_contenu += "\r\n"; }

bool SortieFichier::fermer()
{
    // Nothing reaches the disk until the whole text is there: a failure
    // leaves the previous file as it was.
    errno = 0;
    QSaveFile fichier(m_chemin);
    if (!fichier.open(QIODevice::WriteOnly)) {
        m_message = MessageDerniereErreur(EACCES);
        return false;
    }
    errno = 0;
    if (fichier.write(m_contenu) != m_contenu.size()) {
        m_message = MessageDerniereErreur(ENOSPC);
        fichier.cancelWriting();
        return false;
    }
    errno = 0;
    if (!fichier.commit()) {
        m_message = MessageDerniereErreur(EIO);
        return false;
    }
    return true;
}
