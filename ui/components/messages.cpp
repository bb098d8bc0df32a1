#include "ui/components/messages.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QInputDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>

#include <optional>

namespace {
Repondeur *g_repondeur = nullptr;

QString titreDe(TypeBoite type)
{
    switch (type) {
    case TypeBoite::Avertissement: return QStringLiteral("Avertissement");
    case TypeBoite::Erreur: return QStringLiteral("Erreur");
    case TypeBoite::Information: return QStringLiteral("Information");
    case TypeBoite::Confirmation: return QStringLiteral("Confirmation");
    default: return Messages::titreProgramme();
    }
}

QMessageBox::Icon iconeDe(TypeBoite type)
{
    switch (type) {
    case TypeBoite::Avertissement: return QMessageBox::Warning;
    case TypeBoite::Erreur: return QMessageBox::Critical;
    case TypeBoite::Information: return QMessageBox::Information;
    case TypeBoite::Confirmation: return QMessageBox::Question;
    default: return QMessageBox::NoIcon;
    }
}

// Waits for a button: Escape, Alt+F4 and the close box do nothing when the
// box has no button for them.
class BoiteMessage : public QMessageBox {
public:
    using QMessageBox::QMessageBox;
    bool echapRefuse = false;

protected:
    void keyPressEvent(QKeyEvent *e) override
    {
        if (echapRefuse && e->matches(QKeySequence::Cancel)) {
            e->accept();
            return;
        }
        QMessageBox::keyPressEvent(e);
    }
    void closeEvent(QCloseEvent *e) override
    {
        if (echapRefuse) {
            e->ignore();
            return;
        }
        QMessageBox::closeEvent(e);
    }
};

// A responder's answer as the box understands it; BoutonAucun when the box
// cannot be closed that way.
int bouton(const Boite &b, int reponse)
{
    switch (reponse) {
    case ToucheEntree: return b.defaut;
    case ToucheEchap:
    case CaseFermeture: return b.echap;
    default: return reponse;
    }
}

int montrer(const Boite &b)
{
    if (g_repondeur) {
        for (;;) {
            const int r = g_repondeur->repondre(b).bouton;
            const int choisi = bouton(b, r);
            if (choisi != BoutonAucun)
                return choisi;
            g_repondeur->refuse(b, r);
        }
    }
    BoiteMessage box(iconeDe(b.type), b.titre, b.texte, QMessageBox::NoButton, QApplication::activeWindow());
    struct Paire {
        int bouton;
        const char *texte;
        QMessageBox::ButtonRole role;
    };
    const Paire paires[] = {
        {BoutonOui, "&Oui", QMessageBox::YesRole},
        {BoutonNon, "&Non", QMessageBox::NoRole},
        {BoutonOk, "OK", QMessageBox::AcceptRole},
        {BoutonAnnuler, "Annuler", QMessageBox::RejectRole},
    };
    QList<QPair<QAbstractButton *, int>> boutons;
    for (const auto &p : paires) {
        if (b.boutons & p.bouton)
            boutons.append({box.addButton(QString::fromUtf8(p.texte), p.role), p.bouton});
    }
    for (const auto &p : boutons) {
        if (p.second == b.defaut)
            box.setDefaultButton(qobject_cast<QPushButton *>(p.first));
        if (p.second == b.echap)
            box.setEscapeButton(p.first);
    }
    if (b.echap == BoutonAucun) {
        box.echapRefuse = true;
        // No close box either: only a button answers.
        box.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    }
    // Closed some other way than by a button: ask again, a few times at most.
    for (int essai = 0; essai < 3; ++essai) {
        box.exec();
        for (const auto &p : boutons) {
            if (box.clickedButton() == p.first)
                return p.second;
        }
        if (b.echap != BoutonAucun)
            return b.echap;
    }
    return b.defaut;
}

// The buttons of a box, at least OK, with its default and cancelling buttons.
Boite preparer(TypeBoite type, const QString &titre, const QString &texte, int boutons, int defaut)
{
    Boite b;
    b.type = type;
    b.titre = titre;
    b.texte = texte;
    b.boutons = boutons & (BoutonOui | BoutonNon | BoutonOk | BoutonAnnuler);
    if (b.boutons == BoutonAucun)
        b.boutons = BoutonOk;
    if (!(b.boutons & defaut)) {
        defaut = BoutonAucun;
        for (int x : {BoutonOui, BoutonNon, BoutonOk, BoutonAnnuler}) {
            if (b.boutons & x) {
                defaut = x;
                break;
            }
        }
    }
    b.defaut = defaut;
    b.echap = Messages::boutonEchap(b.boutons);
    return b;
}
} // namespace

namespace Messages {

QString titreProgramme()
{
    return QStringLiteral("Vestrel");
}

void simple(const QString &texte)
{
    simple(texte, titreProgramme());
}

void simple(const QString &texte, const QString &titre)
{
    montrer(preparer(TypeBoite::Simple, titre, texte, BoutonOk, BoutonOk));
}

int boite(TypeBoite type, const QString &texte, int boutons, int defaut)
{
    return montrer(preparer(type, titreDe(type), texte, boutons, defaut));
}

int boutonEchap(int boutons)
{
    if (boutons & BoutonAnnuler)
        return BoutonAnnuler;
    for (int x : {BoutonOui, BoutonNon, BoutonOk}) {
        if (boutons == x)
            return x;
    }
    return BoutonAucun;
}

void rapportErreur(const QString &message)
{
    const QString texte = message.endsWith(QLatin1Char('.')) ? message : message + QLatin1Char('.');
    montrer(preparer(TypeBoite::Erreur, titreProgramme(), texte, BoutonOk, BoutonOk));
}

namespace {

// An input box or a file chooser put to the responder: OK or Enter gives its text.
std::optional<QString> texteRepondu(TypeBoite type, const QString &titre, const QString &texte,
                                    const QString &valeur)
{
    Boite b;
    b.type = type;
    b.titre = titre;
    b.texte = texte;
    b.valeur = valeur;
    b.boutons = BoutonOk | BoutonAnnuler;
    b.defaut = BoutonOk;
    b.echap = BoutonAnnuler;
    const Reponse r = g_repondeur->repondre(b);
    if (r.bouton != BoutonOk && r.bouton != ToucheEntree)
        return std::nullopt;
    return r.texte;
}

} // namespace

bool saisie(const QString &titre, const QString &invite, QString &valeur)
{
    if (g_repondeur) {
        const auto texte = texteRepondu(TypeBoite::Saisie, titre, invite, valeur);
        if (texte)
            valeur = *texte;
        return texte.has_value();
    }
    QInputDialog d(QApplication::activeWindow());
    d.setWindowTitle(titre);
    d.setLabelText(invite);
    d.setTextValue(valeur);
    d.setOkButtonText(QStringLiteral("OK"));
    d.setCancelButtonText(QStringLiteral("Annuler"));
    if (d.exec() != QDialog::Accepted)
        return false;
    valeur = d.textValue();
    return true;
}

QString fichierAOuvrir(const QString &titre, const QString &dossier, const QString &filtre)
{
    if (g_repondeur)
        return texteRepondu(TypeBoite::Fichier, titre, dossier, filtre).value_or(QString());
    return QFileDialog::getOpenFileName(QApplication::activeWindow(), titre, dossier, filtre);
}

void bip()
{
    if (g_repondeur) {
        g_repondeur->bip();
        return;
    }
    QApplication::beep();
}

void installerRepondeur(Repondeur *r)
{
    g_repondeur = r;
}
Repondeur *repondeur()
{
    return g_repondeur;
}

} // namespace Messages
