#include "classdata/empreinte.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

#include <utility>

EmpreinteFichier EmpreinteChargee;

EmpreinteFichier EmpreinteDe(const QString &chemin)
{
    EmpreinteFichier e;
    e.chemin = chemin;
    const QFileInfo info(chemin);
    if (!info.isFile())
        return e;
    QFile f(chemin);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        // Present but unreadable: known by its size and time only.
        e.existe = true;
        e.taille = info.size();
        e.modification = info.lastModified();
        return e;
    }
    // A class file is at most 127 records; more than that is not a class file
    // anyway, and the size tells it apart.
    constexpr qint64 Plafond = 64 * 1024 * 1024;
    constexpr qint64 Garde = 1024 * 1024;
    QCryptographicHash h(QCryptographicHash::Sha256);
    QByteArray octets;
    qint64 lus = 0;
    char tampon[65536];
    while (lus < Plafond) {
        const qint64 n = f.read(tampon, sizeof tampon);
        if (n <= 0)
            break;
        if (lus + n <= Garde) {
            octets.append(tampon, n);
        } else {
            if (!octets.isEmpty())
                h.addData(std::exchange(octets, {}));
            h.addData(QByteArrayView(tampon, n));
        }
        lus += n;
    }
    e.existe = true;
    e.taille = info.size();
    e.modification = info.lastModified();
    e.contenu = lus <= Garde ? octets : QByteArrayLiteral("sha256:") + h.result();
    return e;
}

bool MemeContenu(const EmpreinteFichier &a, const EmpreinteFichier &b)
{
    if (a.existe != b.existe)
        return false;
    if (!a.existe)
        return true;
    return a.taille == b.taille && a.contenu == b.contenu;
}

bool FichierChangeDepuisChargement(const QString &chemin)
{
    if (EmpreinteChargee.chemin.isEmpty() || EmpreinteChargee.chemin != chemin)
        return false;
    return !MemeContenu(EmpreinteChargee, EmpreinteDe(chemin));
}

void MemoriserEmpreinte(const QString &chemin)
{
    EmpreinteChargee = EmpreinteDe(chemin);
}
