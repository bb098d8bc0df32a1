#include "ui/preview/apform.h"

#include "classdata/parametres.h"
#include "classdata/texte.h"
#include "platform/cp1252.h"
#include "platform/dossier.h"
#include "platform/lecturesure.h"
#include "ui/components/etatui.h"
#include "ui/components/imprimantes.h"
#include "ui/components/messages.h"
#include "ui/preview/dialogueecriture.h"
#include "ui/preview/impression.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>

TApForm *ApForm = nullptr;

namespace {

constexpr int HAUT_BARRE = 30; // the row of controls above the list
constexpr int TAILLE_MIN = 1;
constexpr int TAILLE_MAX = 72;

QLineEdit *ChampLecture(QWidget *parent, const char *nom)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(nom));
    e->setReadOnly(true);
    e->setFocusPolicy(Qt::NoFocus);
    QPalette p = e->palette();
    p.setColor(QPalette::Base, QColor(232, 232, 232));
    e->setPalette(p);
    return e;
}

QPushButton *NouveauBouton(QWidget *parent, const char *nom, const QString &texte, const QString &bulle = {})
{
    auto *b = new QPushButton(texte, parent);
    b->setObjectName(QString::fromLatin1(nom));
    b->setAutoDefault(false);
    if (!bulle.isEmpty())
        b->setToolTip(bulle);
    return b;
}

} // namespace

TApForm::TApForm(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("ApForm"));
    setWindowTitle(QStringLiteral("Aperçu"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    setSizeGripEnabled(true);

    Bplus = NouveauBouton(this, "Bplus", QStringLiteral("+"),
                          QStringLiteral("augmente la taille de l'écriture de 1"));
    Bmoins = NouveauBouton(this, "Bmoins", QStringLiteral("-"),
                           QStringLiteral("diminue la taille de l'écriture de 1"));
    BBImp = NouveauBouton(this, "BBImp", QStringLiteral("&Imprimer"));
    BBFonte =
        NouveauBouton(this, "BBFonte", QStringLiteral("Ecriture"), QStringLiteral("non proportionnelle !"));
    E_ectaille = ChampLecture(this, "E_ectaille");
    E_Ecnom = ChampLecture(this, "E_Ecnom");
    E_ecstyle = ChampLecture(this, "E_ecstyle");
    E_ectaille->setAlignment(Qt::AlignRight);
    StatusLine = new LigneEtat(this);
    StatusLine->setObjectName(QStringLiteral("StatusLine"));

    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    // Long lines are scrolled to, never cut short.
    ListBox1->setTextElideMode(Qt::ElideNone);
    ListBox1->setWordWrap(false);
    ListBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    ListBox1->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    ListBox1->setAutoFillBackground(true);

    // The controls stand at fixed places on the top row, as on paper.
    Bplus->setGeometry(4, 3, 25, 24);
    Bmoins->setGeometry(31, 3, 25, 24);
    BBImp->setGeometry(62, 3, 80, 24);
    BBFonte->setGeometry(146, 3, 80, 24);
    E_ectaille->setGeometry(234, 4, 34, 22);
    E_Ecnom->setGeometry(272, 4, 150, 22);
    E_ecstyle->setGeometry(426, 4, 100, 22);

    connect(Bplus, &QPushButton::clicked, this, &TApForm::BplusClick);
    connect(Bmoins, &QPushButton::clicked, this, &TApForm::BmoinsClick);
    connect(BBFonte, &QPushButton::clicked, this, &TApForm::BBFonteClick);
    connect(BBImp, &QPushButton::clicked, this, &TApForm::BBImpClick);

    resize(640, 480);
    FormCreate();
}

void TApForm::FormCreate()
{
    if (CouleursCompletes()) {
        QPalette p = palette();
        p.setColor(QPalette::Window, QColor(144, 192, 158));
        setPalette(p);
        setAutoFillBackground(true);
        QPalette l = ListBox1->palette();
        l.setColor(QPalette::Base, QColor(255, 253, 237));
        ListBox1->setPalette(l);
    } else {
        QPalette l = ListBox1->palette();
        l.setColor(QPalette::Base, Qt::white);
        ListBox1->setPalette(l);
    }
}

// A line is as wide on the screen as on paper at the same font size. Asked
// when the window first opens: reaching the printer takes time.
void TApForm::largeurDeLaPage()
{
    const QScreen *ecran = screen() ? screen() : QGuiApplication::primaryScreen();
    const qreal ppp = ecran ? ecran->logicalDotsPerInchX() : 96;
    int largeur = qRound(Imprimantes::largeurPage() * ppp);
    // Wider than the screen: the window stays on it and the list scrolls.
    if (ecran && largeur > ecran->availableGeometry().width())
        largeur = ecran->availableGeometry().width();
    resize(qMax(largeur, 560), height());
}

void TApForm::FormResize()
{
    ListBox1->setGeometry(0, HAUT_BARRE, width(), qMax(0, height() - HAUT_BARRE));
    StatusLine->setGeometry(534, 4, qMax(0, width() - 540), 22);
    StatusLine->setVisible(width() > 600);
}

void TApForm::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    FormResize();
}

void TApForm::showEvent(QShowEvent *event)
{
    if (!m_centree) {
        m_centree = true;
        largeurDeLaPage();
        if (const QScreen *ecran = screen()) {
            QRect r = frameGeometry();
            r.moveCenter(ecran->availableGeometry().center());
            move(r.topLeft());
        }
    }
    QDialog::showEvent(event);
}

void TApForm::hideEvent(QHideEvent *event)
{
    QDialog::hideEvent(event);
    m_erreurSignalee = false;
}

void TApForm::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        FormActivate();
}

int TApForm::StyleDeFonte(const QFont &f)
{
    int k = 0;
    if (f.bold())
        k |= 1;
    if (f.italic())
        k |= 2;
    if (f.underline())
        k |= 4;
    if (f.strikeOut())
        k |= 8;
    return k;
}

QFont TApForm::PoliceApercu()
{
    QFont f(EcriturePourApercu);
    f.setStyleHint(QFont::TypeWriter);
    f.setPointSize(qBound(TAILLE_MIN, TailleEcriturePourApercu, TAILLE_MAX));
    const int style = StyleDepuisNom(StyleEcriturePourApercu);
    f.setBold(style & 1);
    f.setItalic(style & 2);
    return f;
}

void TApForm::afficherPolice()
{
    const QFont f = ListBox1->font();
    E_ectaille->setText(QString::number(f.pointSize()));
    E_Ecnom->setText(EcriturePourApercu);
    E_ecstyle->setText(StyleEcriturePourApercu);
}

void TApForm::FormActivate()
{
    ListBox1->setFont(PoliceApercu());
    afficherPolice();
    chargerRapport();
}

void TApForm::chargerRapport()
{
    ListBox1->clear();
    QByteArray octets;
    QString erreur;
    if (!LireFichierBorne(CheminRapportApercu(), TAILLE_MAX_BASE, octets, erreur)) {
        // Reported once per showing: the message box itself takes the focus
        // away and gives it back, which activates the window again.
        if (!m_erreurSignalee) {
            m_erreurSignalee = true;
            Messages::rapportErreur(erreur);
        }
        return;
    }
    const QString texte = DepuisCp1252(octets);
    QStringList lignes = texte.split(QStringLiteral("\n"));
    if (!lignes.isEmpty() && lignes.last().isEmpty())
        lignes.removeLast();
    for (QString &l : lignes)
        if (l.endsWith(u'\r'))
            l.chop(1);
    ListBox1->addItems(lignes);
}

void TApForm::changerTaille(int delta)
{
    QFont f = ListBox1->font();
    const int taille = f.pointSize();
    if ((delta > 0 && taille < TAILLE_MAX) || (delta < 0 && taille > TAILLE_MIN)) {
        f.setPointSize(taille + delta);
        ListBox1->setFont(f);
    }
    TailleEcriturePourApercu = ListBox1->font().pointSize();
    afficherPolice();
}

void TApForm::BplusClick()
{
    changerTaille(+1);
}

void TApForm::BmoinsClick()
{
    changerTaille(-1);
}

void TApForm::BBFonteClick()
{
    if (!FontDialog1)
        FontDialog1 = new DialogueEcriture(this);
    FontDialog1->definirPolice(PoliceApercu());
    if (FontDialog1->exec() != QDialog::Accepted)
        return;
    const QFont f = FontDialog1->police();
    ListBox1->setFont(f);
    EcriturePourApercu = f.family();
    TailleEcriturePourApercu = f.pointSize();
    StyleEcriturePourApercu = NomDeStyle(StyleDeFonte(f));
    afficherPolice();
}

void TApForm::BBImpClick()
{
    const QFont police = ListBox1->font();
    if (ListBox1->count() == 0)
        return;
    QStringList lignes;
    lignes.reserve(ListBox1->count());
    for (int i = 0; i < ListBox1->count(); ++i)
        lignes.append(ListBox1->item(i)->text());
    const QColor couleur = ListBox1->palette().color(QPalette::Text);
    if (!ImprimerLignes(lignes, police, couleur))
        Messages::erreur(QStringLiteral("Erreur d'impression"));
}
