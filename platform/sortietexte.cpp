#include "platform/sortietexte.h"

#include "platform/cp1252.h"
#include "platform/ecrituresure.h"

SortieFichier::SortieFichier(const QString &chemin)
    : m_chemin(chemin)
{ }

void SortieFichier::ecrire(const QString &texte)
{
    m_contenu += VersCp1252(texte);
}

void SortieFichier::finLigne()
{
    m_contenu += "\r\n";
}

bool SortieFichier::fermer()
{
    // Nothing reaches the disk until the whole text is there: a failure
    // leaves the previous file as it was.
    m_message = EcrireFichierSur(m_chemin, m_contenu);
    return m_message.isEmpty();
}
