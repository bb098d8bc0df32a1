#include "platform/erreurs.h"

#include <cerrno>

QString MessageErreurSysteme(int code)
{
    switch (code) {
    case ENOENT:
    case ENOTDIR: return QStringLiteral("Fichier introuvable");
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ETXTBSY:
    case EBUSY: return QStringLiteral("Accès au fichier refusé");
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return QStringLiteral("Disque plein");
    case ENAMETOOLONG:
    case EINVAL:
    case EILSEQ:
    case ELOOP: return QStringLiteral("Nom de fichier incorrect");
    case EMFILE:
    case ENFILE: return QStringLiteral("Trop de fichiers ouverts");
    default: return QStringLiteral("Erreur E/S %1").arg(code);
    }
}

QString MessageFinDeFichier()
{
    return QStringLiteral("Lecture au-delà de la fin de fichier");
}

QString MessageDerniereErreur(int codeParDefaut)
{
    const int e = errno;
    return MessageErreurSysteme(e != 0 ? e : codeParDefaut);
}
