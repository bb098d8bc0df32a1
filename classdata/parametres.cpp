#include "classdata/parametres.h"

#include "platform/dossier.h"
#include "platform/inifile.h"

#include <QList>

#include <utility>

QString EcriturePourApercu = QStringLiteral("Courier New");
int TailleEcriturePourApercu = 8;
QString StyleEcriturePourApercu = QStringLiteral("Normal");
bool AfficherBulles = true;

namespace {

const QString PARAMETRES = QStringLiteral("Paramètres");
const QString SAUVEGARDE = QStringLiteral("Sauvegarde");
const QString CLE_POLICE = QStringLiteral("Ecriture pour l'aperçu");
const QString CLE_TAILLE = QStringLiteral("Taille de l'écriture pour l'aperçu");
const QString CLE_STYLE = QStringLiteral("Style de l'écriture pour l'aperçu");
const QString CLE_BULLES = QStringLiteral("Afficher les bulles d'aide");
constexpr int CAPACITE_TEXTE = 255;

QString texte(const Ini::Fichier &f, const QString &section, const QString &cle, const QString &defaut)
{
    return f.lireTexte(section, cle, defaut).left(CAPACITE_TEXTE);
}

QString ecrire(const QString &section, const QList<std::pair<QString, QString>> &cles)
{
    return Ini::ecrireTextes(CheminParametresAppli(), section, cles);
}

QString booleen(bool b)
{
    return b ? QStringLiteral("1") : QStringLiteral("0");
}

} // namespace

ParametresFenetre LireParametres()
{
    const Ini::Fichier ini(CheminParametresAppli());
    auto entier = [&](const QString &cle, int defaut) { return ini.lireEntier(PARAMETRES, cle, defaut); };
    ParametresFenetre f;
    f.gauche = entier(QStringLiteral("Gauche"), 0);
    f.haut = entier(QStringLiteral("Haut"), 0);
    f.largeur = entier(QStringLiteral("Largeur"), 634);
    f.hauteur = entier(QStringLiteral("Hauteur"), 456);
    f.maxi = entier(QStringLiteral("Maxi"), 0) != 0;
    EcriturePourApercu = texte(ini, PARAMETRES, CLE_POLICE, QStringLiteral("Courier New"));
    TailleEcriturePourApercu = entier(CLE_TAILLE, 8);
    StyleEcriturePourApercu = texte(ini, PARAMETRES, CLE_STYLE, QStringLiteral("Normal"));
    AfficherBulles = entier(CLE_BULLES, 1) != 0;
    return f;
}

QString EcrireParametres(const ParametresFenetre &f)
{
    return ecrire(PARAMETRES,
                  {
                      {QStringLiteral("Gauche"), QString::number(f.gauche)},
                      {QStringLiteral("Haut"), QString::number(f.haut)},
                      {QStringLiteral("Largeur"), QString::number(f.largeur)},
                      {QStringLiteral("Hauteur"), QString::number(f.hauteur)},
                      {QStringLiteral("Maxi"), booleen(f.maxi)},
                      {CLE_POLICE, EcriturePourApercu},
                      {CLE_TAILLE, QString::number(TailleEcriturePourApercu)},
                      {CLE_STYLE, StyleEcriturePourApercu},
                      {CLE_BULLES, booleen(AfficherBulles)},
                  });
}

ParametresSauvegarde LireSauvegarde()
{
    const Ini::Fichier ini(CheminParametresAppli());
    return {texte(ini, SAUVEGARDE, QStringLiteral("Chemin"), QString()),
            texte(ini, SAUVEGARDE, QStringLiteral("Date"), QString())};
}

QString EcrireSauvegarde(const ParametresSauvegarde &s)
{
    return ecrire(SAUVEGARDE, {{QStringLiteral("Chemin"), s.chemin}, {QStringLiteral("Date"), s.date}});
}
