#include "app/lignecommande.h"

#include "classdata/exemple.h"
#include "platform/dossierdonnees.h"
#include "ui/components/messages.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>
#include <optional>

namespace {

const char *const USAGE = "Usage : vestrel [--dossier DIR] [CLASSE.VTC]\n"
                          "\n"
                          "Ouvre le carnet de notes ; avec CLASSE.VTC, ouvre cette classe pour la saisie.\n"
                          "Les classes, vestrel.INI et les bases d'appréciations sont dans le dossier\n"
                          "des classes : DIR avec --dossier DIR ; sinon le dossier de CLASSE.VTC quand\n"
                          "un chemin de classe existant est donné ; sinon le dossier du programme quand\n"
                          "c'est une copie portable ; sinon le dossier Vestrel des documents de\n"
                          "l'utilisateur, créé au premier lancement avec la classe d'exemple.\n"
                          "\n"
                          "  --emplacements  affiche le dossier des classes et le guide, puis s'arrête\n"
                          "  -h, --help      affiche cette aide\n";

void ecrire(const QString &texte, FILE *flux)
{
    const QByteArray o = texte.toUtf8();
    std::fwrite(o.constData(), 1, size_t(o.size()), flux);
    std::fflush(flux);
}

LigneCommande fin(int code)
{
    LigneCommande l;
    l.fin = true;
    l.code = code;
    return l;
}

} // namespace

LigneCommande PreparerDemarrage(const QStringList &arguments)
{
    LigneCommande ligne;
    std::optional<QString> dossier;
    bool emplacements = false;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &a = arguments.at(i);
        if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            ecrire(QString::fromUtf8(USAGE), stdout);
            return fin(0);
        } else if (a == QLatin1String("--emplacements")) {
            emplacements = true;
        } else if (a == QLatin1String("--dossier")) {
            if (i + 1 >= arguments.size()) {
                ecrire(QStringLiteral("vestrel : l'option --dossier attend un dossier\n"), stderr);
                return fin(2);
            }
            dossier = arguments.at(++i);
        } else if (a.startsWith(QLatin1String("--dossier="))) {
            dossier = a.mid(10);
        } else if (a.startsWith(QLatin1String("--"))) {
            ecrire(QStringLiteral("vestrel : option inconnue : %1\n").arg(a) + QString::fromUtf8(USAGE),
                   stderr);
            return fin(2);
        } else if (ligne.classe.isEmpty()) {
            ligne.classe = a;
        }
    }

    // The desktop ties the windows to the installed menu entry by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.vestrel"));

    const DossierDonnees d =
        ChoisirDossierDonnees(EntreesDuSysteme(dossier, ligne.classe), [] { return EcrireClasseExemple(); });
    if (!d.message.isEmpty()) {
        if (emplacements)
            ecrire(d.message + QLatin1Char('\n'), stderr);
        else
            Messages::rapportErreur(d.message);
        return fin(1);
    }
    if (emplacements) {
        const QString guide = CheminGuide();
        ecrire(QStringLiteral("Dossier des classes : %1\nGuide : %2\n")
                   .arg(QDir::toNativeSeparators(d.dossier),
                        guide.isEmpty() ? QStringLiteral("(introuvable)") : QDir::toNativeSeparators(guide)),
               stdout);
        return fin(0);
    }
    return ligne;
}
