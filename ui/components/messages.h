#pragma once
// Every message box, input box and file chooser of the program goes through
// here, so that tests can answer them without a real modal window.
#include <QString>
#include <QStringList>

class QWidget;

enum class TypeBoite {
    Simple,
    Avertissement,
    Erreur,
    Information,
    Confirmation,
    Saisie,
    Fichier,
    Impression, // the print dialog (imprimantes.h)
    Imprimante, // the default printer (imprimantes.h)
};

// Buttons, combinable.
enum Bouton { BoutonAucun = 0, BoutonOui = 1, BoutonNon = 2, BoutonOk = 4, BoutonAnnuler = 8 };

// What a responder may answer besides a button: the keys and the close box.
// Never returned to the caller: the box turns them into its own button.
enum Geste { ToucheEchap = 16, ToucheEntree = 32, CaseFermeture = 64 };

struct Boite {
    TypeBoite type = TypeBoite::Simple;
    QString titre;
    QString texte;
    int boutons = BoutonOk;
    QString valeur;           // input box: initial text; file chooser: filter
    int defaut = BoutonAucun; // the button Enter presses
    int echap = BoutonAucun;  // the button Escape and the close box press; none: refused
};

struct Reponse {
    int bouton = BoutonOk;
    QString texte;  // input box: the text typed; file chooser: the path chosen;
                    // printers: the PDF file printed to instead
    int copies = 1; // print dialog: the number of copies asked for
};

// Answers boxes instead of showing them.
class Repondeur {
public:
    virtual ~Repondeur() = default;
    virtual Reponse repondre(const Boite &boite) = 0;
    // The gesture answered could not close this box: it stays and is asked again.
    virtual void refuse(const Boite &, int /*geste*/) { }
    virtual void bip() { }
};

namespace Messages {

QString titreProgramme(); // "Vestrel"

// Plain message: the program title as caption, one OK button.
void simple(const QString &texte);
// Plain message with a caption of the caller's (a student's name, a column title).
void simple(const QString &texte, const QString &titre);

// A box of one of the four kinds with its title; returns the button pressed.
// The default button is the first of Oui, Non, OK, Annuler unless one is given;
// a question whose Oui destroys or replaces stored data gives BoutonNon.
int boite(TypeBoite type, const QString &texte, int boutons, int defaut = BoutonAucun);
inline int avertissement(const QString &t, int b = BoutonOk, int d = BoutonAucun)
{
    return boite(TypeBoite::Avertissement, t, b, d);
}
inline int erreur(const QString &t, int b = BoutonOk, int d = BoutonAucun)
{
    return boite(TypeBoite::Erreur, t, b, d);
}
inline int information(const QString &t, int b = BoutonOk, int d = BoutonAucun)
{
    return boite(TypeBoite::Information, t, b, d);
}
inline int confirmation(const QString &t, int b = BoutonOui | BoutonNon, int d = BoutonAucun)
{
    return boite(TypeBoite::Confirmation, t, b, d);
}

// The button Escape and the close box press in a box with these buttons:
// Annuler when there is one, the only button of a one-button box, else none
// (a Oui/Non question is answered by Oui or Non and nothing else).
int boutonEchap(int boutons);

// The general error report: an error box titled with the program's title,
// the message and a full stop.
void rapportErreur(const QString &message);

// Input box; false when cancelled.
bool saisie(const QString &titre, const QString &invite, QString &valeur);

// File chooser for reading; empty when cancelled.
QString fichierAOuvrir(const QString &titre, const QString &dossier, const QString &filtre);

void bip();

// Tests install a responder; nullptr goes back to real boxes.
void installerRepondeur(Repondeur *r);
Repondeur *repondeur();

} // namespace Messages
