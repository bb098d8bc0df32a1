#include "ui/appreciations/apprform.h"

#include "classdata/options.h"
#include "classdata/texte.h"
#include "platform/cp1252.h"
#include "platform/dossier.h"
#include "ui/appreciations/listephrases.h"
#include "ui/components/etatui.h"
#include "ui/components/imagemodifie.h"
#include "ui/components/messages.h"
#include "ui/components/radiogroupe.h"
#include "ui/components/sablier.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <QValidator>

TApprForm *ApprForm = nullptr;

namespace {

// Longest phrase "Modifier" moves into the new-phrase box.
constexpr int LONGUEUR_MODIFIABLE = 10000;

const QString QUESTION_ENREGISTRER = QStringLiteral(
    "La base d'appréciations n'a pas été enregistrée !\r\n   Voulez vous l'enregister maintenant ?");

// Phrases are stored in Windows-1252 on one line: characters the file cannot
// hold are refused as they are typed, line breaks pasted in become spaces.
class ValidateurPhrase : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString &texte, int &) const override
    {
        for (QChar &c : texte) {
            if (c == u'\r' || c == u'\n' || c == u'\t')
                c = u' ';
            else if (!EstCp1252(c))
                return Invalid;
        }
        return Acceptable;
    }
};

QPushButton *NouveauBouton(const QString &nom, const QString &texte, const QString &bulle, QWidget *parent)
{
    auto *b = new QPushButton(texte, parent);
    b->setObjectName(nom);
    b->setToolTip(bulle);
    b->setAutoDefault(false);
    return b;
}

} // namespace

TApprForm::TApprForm(QWidget *parent)
    : QDialog(parent)
{
    construire();
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &TApprForm::Timer1Timer);
    Timer1->start();
}

void TApprForm::construire()
{
    setObjectName(QStringLiteral("ApprForm"));
    // No title-bar buttons: the window closes through its own buttons only.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setModal(true);

    QPalette fond = palette();
    fond.setColor(QPalette::Window, QColor(0, 128, 255));
    setPalette(fond);
    setAutoFillBackground(true);

    RG1 =
        new RadioGroupe(QStringLiteral("Résultats"),
                        {QStringLiteral("Excellents"), QStringLiteral("Bons"), QStringLiteral("Convenables"),
                         QStringLiteral("Médiocres"), QStringLiteral("Mauvais")},
                        1, this);
    RG2 = new RadioGroupe(QStringLiteral("Niveau"),
                          {QStringLiteral("Très bon"), QStringLiteral("Très correct"),
                           QStringLiteral("Moyen"), QStringLiteral("Faible"), QStringLiteral("Très faible")},
                          1, this);
    RG3 = new RadioGroupe(QStringLiteral("Travail"),
                          {QStringLiteral("Satisfaisant"), QStringLiteral("Correct"),
                           QStringLiteral("Irrégulier"), QStringLiteral("Insuffisant"),
                           QStringLiteral("Inexistant")},
                          1, this);
    RG4 = new RadioGroupe(QStringLiteral("Comportement"),
                          {QStringLiteral("Très positif"), QStringLiteral("Actif"), QStringLiteral("Neutre"),
                           QStringLiteral("Passif"), QStringLiteral("Pénible")},
                          1, this);
    RG5 = new RadioGroupe(QStringLiteral("Période de l'année"),
                          {QStringLiteral("Début"), QStringLiteral("Milieu"), QStringLiteral("Fin"),
                           QStringLiteral("Ensemble")},
                          1, this);
    RG6 = new RadioGroupe(QStringLiteral("Redoublant"), {QStringLiteral("Non"), QStringLiteral("Oui")}, 1,
                          this);
    RG7 = new RadioGroupe(QStringLiteral("Assiduité"),
                          {QStringLiteral("Bonne"), QStringLiteral("Moyenne"), QStringLiteral("Mauvaise")}, 1,
                          this);
    RG8 = new RadioGroupe(QStringLiteral("Cote personnelle"),
                          {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4"),
                           QStringLiteral("5")},
                          5, this);

    QPalette groupe = palette();
    groupe.setColor(QPalette::Window, QColor(192, 192, 192));
    groupe.setColor(QPalette::WindowText, QColor(0, 0, 128));
    groupe.setColor(QPalette::ButtonText, QColor(0, 0, 128));
    const char *noms[] = {"RG1", "RG2", "RG3", "RG4", "RG5", "RG6", "RG7", "RG8"};
    auto *grille = new QGridLayout;
    grille->setSpacing(6);
    for (int i = 0; i < 8; ++i) {
        RadioGroupe *g = groupes()[size_t(i)];
        g->setObjectName(QString::fromLatin1(noms[i]));
        g->setPalette(groupe);
        g->setAutoFillBackground(true);
        g->setToolTip(QStringLiteral("Profil de l'élève : chaque profil a sa propre base d'appréciations"));
        connect(g, &RadioGroupe::clique, this, &TApprForm::RG1Click);
    }
    grille->addWidget(RG1, 0, 0, 2, 1);
    grille->addWidget(RG2, 0, 1, 2, 1);
    grille->addWidget(RG3, 0, 2, 2, 1);
    grille->addWidget(RG4, 0, 3, 2, 1);
    grille->addWidget(RG5, 2, 0, 2, 1);
    grille->addWidget(RG7, 2, 1, 2, 1);
    grille->addWidget(RG6, 2, 2, 2, 1);
    grille->addWidget(RG8, 2, 3, 2, 1);

    CB1 = new ListePhrases(this);
    CB1->setObjectName(QStringLiteral("CB1"));
    const QString bulleListe =
        QStringLiteral("Double-cliquez sur une appréciation pour la porter dans le bulletin");
    CB1->setToolTip(bulleListe);
    CB1->vue()->setToolTip(bulleListe);
    CB1->ligneEdition()->setToolTip(bulleListe);
    CB1->setMinimumHeight(150);
    connect(CB1, &ListePhrases::doubleClic, this, &TApprForm::BChoisirClick);

    BChoisir = NouveauBouton(QStringLiteral("BChoisir"), QStringLiteral("Ch&Oisir"),
                             QStringLiteral("porter l'appréciation choisie dans le bulletin"), this);
    BModifier = NouveauBouton(
        QStringLiteral("BModifier"), QStringLiteral("&Modifier"),
        QStringLiteral("placer l'appréciation choisie dans la zone de saisie pour la corriger"), this);
    BSupprimer = NouveauBouton(QStringLiteral("BSupprimer"), QStringLiteral("S&Upprimer"),
                               QStringLiteral("retirer l'appréciation choisie de la base"), this);
    BAjouter =
        NouveauBouton(QStringLiteral("BAjouter"), QStringLiteral("&Ajouter"),
                      QStringLiteral("ajouter la nouvelle appréciation à la base (touche Entrée)"), this);
    BCharger = NouveauBouton(QStringLiteral("BCharger"), QStringLiteral("re&Charger"),
                             QStringLiteral("relire la base enregistrée de ce profil"), this);
    BSauver = NouveauBouton(QStringLiteral("BSauver"), QStringLiteral("&Sauvegarder"),
                            QStringLiteral("enregistrer la base de ce profil"), this);
    BQuitter = NouveauBouton(QStringLiteral("BQuitter"), QStringLiteral("&Quitter"),
                             QStringLiteral("fermer l'expert sans choisir d'appréciation"), this);
    connect(BChoisir, &QPushButton::clicked, this, &TApprForm::BChoisirClick);
    connect(BModifier, &QPushButton::clicked, this, &TApprForm::BModifierClick);
    connect(BSupprimer, &QPushButton::clicked, this, &TApprForm::BSupprimerClick);
    connect(BAjouter, &QPushButton::clicked, this, &TApprForm::BAjouterClick);
    connect(BCharger, &QPushButton::clicked, this, &TApprForm::BChargerClick);
    connect(BSauver, &QPushButton::clicked, this, &TApprForm::BSauverClick);
    connect(BQuitter, &QPushButton::clicked, this, &TApprForm::BQuitterClick);

    Panel1 = new QLabel(QStringLiteral("Nouvelle appréciation"), this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setAlignment(Qt::AlignCenter);
    Panel1->setFrameShape(QFrame::Panel);
    Panel1->setFrameShadow(QFrame::Raised);
    Panel1->setAutoFillBackground(true);
    Panel1->setPalette(groupe);
    QFont gras = Panel1->font();
    gras.setBold(true);
    Panel1->setFont(gras);

    M1 = new QLineEdit(this);
    M1->setObjectName(QStringLiteral("M1"));
    M1->setMaxLength(LONGUEUR_PHRASE);
    M1->setValidator(new ValidateurPhrase(M1));
    M1->setToolTip(QStringLiteral("Tapez une nouvelle appréciation (80 caractères au plus)"));
    QPalette blanc = M1->palette();
    blanc.setColor(QPalette::Base, Qt::white);
    blanc.setColor(QPalette::Text, Qt::black);
    M1->setPalette(blanc);
    connect(M1, &QLineEdit::textChanged, this, &TApprForm::M1Change);
    connect(M1, &QLineEdit::returnPressed, this, &TApprForm::BAjouterClick);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(ImageModifie(24));
    Image1->setToolTip(QStringLiteral("La base d'appréciations a été modifiée"));
    QSizePolicy sp = Image1->sizePolicy();
    sp.setRetainSizeWhenHidden(true);
    Image1->setSizePolicy(sp);
    Image1->setVisible(false);

    StatusLine = new LigneEtat(this);
    StatusLine->setObjectName(QStringLiteral("StatusLine"));

    // Layout: profile on top, the list with its commands, the new phrase, and
    // the base commands in a column at the right.
    auto *sousListe = new QHBoxLayout;
    sousListe->addWidget(BChoisir);
    sousListe->addWidget(BModifier);
    sousListe->addWidget(BSupprimer);
    sousListe->addStretch(1);

    auto *saisie = new QHBoxLayout;
    saisie->addWidget(M1, 1);
    saisie->addWidget(BAjouter);

    auto *gauche = new QVBoxLayout;
    gauche->addLayout(grille);
    gauche->addWidget(CB1, 1);
    gauche->addLayout(sousListe);
    gauche->addSpacing(4);
    gauche->addWidget(Panel1);
    gauche->addLayout(saisie);

    auto *droite = new QVBoxLayout;
    droite->addWidget(BCharger);
    droite->addWidget(BSauver);
    droite->addSpacing(8);
    droite->addWidget(Image1, 0, Qt::AlignHCenter);
    droite->addStretch(1);
    droite->addWidget(BQuitter);

    auto *haut = new QHBoxLayout;
    haut->addLayout(gauche, 1);
    haut->addLayout(droite);

    auto *tout = new QVBoxLayout(this);
    tout->setContentsMargins(8, 8, 8, 4);
    tout->addLayout(haut, 1);
    tout->addWidget(StatusLine);

    resize(720, 600);
    setWindowTitle(QStringLiteral("Expert en appréciations"));
}

void TApprForm::preparer(const QString &nomEleve, double note, int span)
{
    m_nom = nomEleve.left(255);
    m_note = note;
    m_span = span;
}

QString TApprForm::appreciationChoisie() const
{
    return m_choisie;
}

Profil TApprForm::profil() const
{
    Profil p{};
    const auto g = groupes();
    for (size_t i = 0; i < g.size(); ++i)
        p[i] = g[i]->itemIndex();
    return p;
}

void TApprForm::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    if (e->spontaneous())
        return;
    m_fermeture = false;
    FormActivate();
    if (!EstNote(m_note))
        QMetaObject::invokeMethod(this, &TApprForm::FormPaint, Qt::QueuedConnection);
}

void TApprForm::FormActivate()
{
    setWindowTitle(QStringLiteral("Expert en appréciations pour   ") + m_nom + QStringLiteral("  Note :  ")
                   + NoteEnTexte(m_note) + QStringLiteral("   ") + LibellePeriode(m_span, DeuxPeriodes));

    CB1->vider();
    M1->clear();
    m_modifiee = false;
    for (QPushButton *b : {BSauver, BChoisir, BModifier, BSupprimer, BAjouter})
        b->setEnabled(false);

    const Profil p = ProfilInitial(m_note, m_span, DeuxPeriodes);
    const auto g = groupes();
    for (size_t i = 0; i < g.size(); ++i)
        g[i]->setItemIndex(p[i]);
    m_profil = profil();

    m_choisie.clear();
    ouvrirProfil();
    Timer1Timer();
}

void TApprForm::FormPaint()
{
    if (!isVisible() || EstNote(m_note))
        return;
    Messages::simple(QStringLiteral("Cet(te) élève n'a pas de note ! "));
    m_choisie.clear();
    fermer(QDialog::Rejected);
}

void TApprForm::ouvrirProfil()
{
    m_base = NomFichierBase(CodeProfil(m_profil));
    if (BaseExiste(m_base)) {
        couleurRecharger(true);
        relireBase(false);
        CB1->setFocus();
    } else {
        M1->setFocus();
        couleurRecharger(false);
    }
}

void TApprForm::RG1Click()
{
    const Profil nouveau = profil();
    if (nouveau == m_profil)
        return;
    if (m_modifiee && Messages::confirmation(QUESTION_ENREGISTRER, BoutonOui | BoutonNon) == BoutonOui
        && !ecrireBase()) {
        // The changes could not be kept: stay on the former profile with them.
        const auto g = groupes();
        for (size_t i = 0; i < g.size(); ++i)
            g[i]->setItemIndex(m_profil[i]);
        return;
    }
    m_modifiee = false;
    CB1->vider();
    M1->clear();
    m_profil = nouveau;
    ouvrirProfil();
}

bool TApprForm::relireBase(bool messageSiAbsente)
{
    CB1->vider();
    M1->clear();
    m_base = NomFichierBase(CodeProfil(m_profil));
    if (BaseExiste(m_base)) {
        QStringList phrases;
        QString erreur;
        {
            Sablier sablier;
            if (m_bases.lire(CheminBase(m_base), phrases, erreur))
                CB1->remplirTriees(phrases);
        }
        if (!erreur.isEmpty()) {
            // Nothing was loaded: nothing may be written over the unread base.
            m_modifiee = false;
            Messages::rapportErreur(erreur);
            return false;
        }
    } else if (messageSiAbsente) {
        Messages::simple(QStringLiteral("Il n'y a pas encore d'appréciation pour ce profil d'élève,\r\n"
                                        "              entrez en une, maintenant !"));
        M1->setFocus();
    }
    m_modifiee = false;
    activerCommandes(true);
    return true;
}

void TApprForm::BChargerClick()
{
    relireBase(true);
}

void TApprForm::BSauverClick()
{
    if (CB1->count() == 0)
        return;
    if (ecrireBase())
        m_modifiee = false;
}

bool TApprForm::ecrireBase()
{
    QString erreur;
    bool ok;
    {
        Sablier sablier;
        const QString chemin = BaseExiste(m_base) ? CheminBase(m_base) : CheminProgramme(m_base);
        ok = !m_base.isEmpty() && EcrireBase(chemin, CB1->phrases(), erreur);
        if (ok)
            m_bases.retenir(chemin, CB1->phrases());
    }
    if (!ok)
        Messages::rapportErreur(erreur.isEmpty() ? QStringLiteral("Accès au fichier refusé") : erreur);
    return ok;
}

void TApprForm::BAjouterClick()
{
    const QString texte = M1->text();
    if (texte.isEmpty())
        return;
    if (CB1->phrases().contains(texte, Qt::CaseSensitive)) {
        Messages::simple(QStringLiteral("Cette appréciation existe déjà !"));
        return;
    }
    CB1->ajouter(texte);
    M1->clear();
    m_modifiee = true;
    activerCommandes(false);
}

void TApprForm::M1Change()
{
    // A long phrase moved here by "Modifier" is kept whole until it is edited
    // down; typing is held to the usual length.
    if (M1->maxLength() > LONGUEUR_PHRASE && M1->text().size() <= LONGUEUR_PHRASE)
        M1->setMaxLength(LONGUEUR_PHRASE);
    BAjouter->setEnabled(!M1->text().isEmpty());
}

int TApprForm::ligneChoisie()
{
    if (CB1->count() == 0)
        return -1;
    const int l = CB1->ligneCourante();
    if (l < 0)
        Messages::simple(QStringLiteral("Il faut choisir une appréciation dans la liste !"));
    return l;
}

void TApprForm::BModifierClick()
{
    const int l = ligneChoisie();
    if (l < 0)
        return;
    const QString phrase = CB1->phrase(l);
    if (phrase.size() > LONGUEUR_MODIFIABLE) {
        // Only a damaged base holds such a line; laying it out in the box
        // would freeze the window, and cutting it would lose its end.
        Messages::simple(QStringLiteral("Cette appréciation est trop longue pour être modifiée (plus de %1 "
                                        "caractères) ; vous pouvez la supprimer.")
                             .arg(LONGUEUR_MODIFIABLE));
        return;
    }
    const QString deCote = M1->text();
    CB1->supprimer(l);
    M1->setMaxLength(qMax(LONGUEUR_PHRASE, int(phrase.size())));
    M1->setText(phrase);
    if (!deCote.isEmpty())
        CB1->ajouter(deCote);
    if (CB1->count() > 0)
        m_modifiee = true;
    M1->setFocus();
}

void TApprForm::BSupprimerClick()
{
    const int l = ligneChoisie();
    if (l < 0)
        return;
    CB1->supprimer(l);
    if (CB1->count() > 0)
        m_modifiee = true;
}

void TApprForm::BChoisirClick()
{
    const int l = ligneChoisie();
    if (l < 0)
        return;
    const QString choisie = CB1->phrase(l).left(LONGUEUR_PHRASE);
    if (m_modifiee) {
        if (!ecrireBase())
            return;
        m_modifiee = false;
    }
    m_choisie = choisie;
    fermer(QDialog::Accepted);
}

void TApprForm::BQuitterClick()
{
    if (m_modifiee && Messages::confirmation(QUESTION_ENREGISTRER, BoutonOui | BoutonNon) == BoutonOui
        && !ecrireBase())
        return;
    m_modifiee = false;
    m_choisie.clear();
    fermer(QDialog::Rejected);
}

void TApprForm::Timer1Timer()
{
    Image1->setVisible(m_modifiee);
    if (m_modifiee)
        couleurRecharger(false);
    else if (BaseExiste(m_base))
        couleurRecharger(true);
}

void TApprForm::activerCommandes(bool avecAjouter)
{
    for (QPushButton *b : {BChoisir, BModifier, BSupprimer, BSauver})
        b->setEnabled(true);
    if (avecAjouter)
        BAjouter->setEnabled(true);
}

void TApprForm::couleurRecharger(bool rouge)
{
    QPalette p = BCharger->palette();
    p.setColor(QPalette::ButtonText, rouge ? QColor(Qt::red) : QColor(Qt::black));
    BCharger->setPalette(p);
}

void TApprForm::fermer(int resultat)
{
    m_fermeture = true;
    done(resultat);
    // The memory of the bases goes back now, not when the window next opens.
    CB1->vider();
    m_bases.vider();
    m_fermeture = false;
}

void TApprForm::reject()
{
    if (m_fermeture)
        QDialog::reject();
}

void TApprForm::closeEvent(QCloseEvent *e)
{
    if (m_fermeture)
        QDialog::closeEvent(e);
    else
        e->ignore();
}
