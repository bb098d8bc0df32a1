#include "messages.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>

namespace {
Repondeur *g_repondeur = nullptr;

// A yes-or-no question waits for a real answer: Escape and the close box,
// which a teacher presses to go back, answer nothing.
class SansEchappement : public QObject {
public:
    explicit SansEchappement(QMessageBox *box)
        : QObject(box)
        , m_box(box)
    {
    }
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(e)->key() == Qt::Key_Escape)
            return true;
        if (e->type() == QEvent::Close && !m_box->clickedButton()) {
            e->ignore();
            return true;
        }
        return false;
    }

private:
    QMessageBox *m_box;
};

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

int montrer(const Boite &b)
{
    if (g_repondeur)
        return g_repondeur->repondre(b).bouton;
    QMessageBox box(iconeDe(b.type), b.titre, b.texte, QMessageBox::NoButton,
                    QApplication::activeWindow());
    struct Paire { int bouton; const char *texte; QMessageBox::ButtonRole role; };
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
    if (boutons.isEmpty())
        boutons.append({box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole), BoutonOk});
    QAbstractButton *defaut = boutons.first().first;
    for (const auto &p : boutons)
        if (p.second == b.defaut)
            defaut = p.first;
    box.setDefaultButton(qobject_cast<QPushButton *>(defaut));
    if ((b.boutons & BoutonOui) && (b.boutons & BoutonNon) && !(b.boutons & BoutonAnnuler))
        box.installEventFilter(new SansEchappement(&box));
    box.exec();
    for (const auto &p : boutons) {
        if (box.clickedButton() == p.first)
            return p.second;
    }
    // Escape: the cancelling button if any, else the last one.
    if (b.boutons & BoutonAnnuler) return BoutonAnnuler;
    if (b.boutons & BoutonNon) return BoutonNon;
    return boutons.last().second;
}
} // namespace

namespace Messages {

QString titreProgramme() { return QStringLiteral("Vestrel"); }

void simple(const QString &texte) { simple(texte, titreProgramme()); }

void simple(const QString &texte, const QString &titre)
{
    Boite b;
    b.type = TypeBoite::Simple;
    b.titre = titre;
    b.texte = texte;
    b.boutons = BoutonOk;
    montrer(b);
}

int boite(TypeBoite type, const QString &texte, int boutons)
{
    return boite(type, texte, boutons, BoutonAucun);
}

int boite(TypeBoite type, const QString &texte, int boutons, int defaut)
{
    Boite b;
    b.type = type;
    b.titre = titreDe(type);
    b.texte = texte;
    b.boutons = boutons;
    b.defaut = defaut;
    return montrer(b);
}

void rapportErreur(const QString &message)
{
    Boite b;
    b.type = TypeBoite::Erreur;
    b.titre = titreProgramme();
    b.texte = message.endsWith(QLatin1Char('.')) ? message : message + QLatin1Char('.');
    b.boutons = BoutonOk;
    montrer(b);
}

bool saisie(const QString &titre, const QString &invite, QString &valeur)
{
    if (g_repondeur) {
        Boite b;
        b.type = TypeBoite::Saisie;
        b.titre = titre;
        b.texte = invite;
        b.valeur = valeur;
        b.boutons = BoutonOk | BoutonAnnuler;
        const Reponse r = g_repondeur->repondre(b);
        if (r.bouton != BoutonOk)
            return false;
        valeur = r.texte;
        return true;
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
    if (g_repondeur) {
        Boite b;
        b.type = TypeBoite::Fichier;
        b.titre = titre;
        b.texte = dossier;
        b.valeur = filtre;
        b.boutons = BoutonOk | BoutonAnnuler;
        const Reponse r = g_repondeur->repondre(b);
        return r.bouton == BoutonOk ? r.texte : QString();
    }
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

void installerRepondeur(Repondeur *r) { g_repondeur = r; }
Repondeur *repondeur() { return g_repondeur; }

} // namespace Messages
