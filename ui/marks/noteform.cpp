// Creation of the mark-entry window: its controls at their designed places,
// colours and the application settings.
#include "ui/marks/noteform.h"

#include "classdata/classe.h"
#include "classdata/options.h"
#include "classdata/parametres.h"
#include "classdata/texte.h"
#include "platform/cp1252.h"
#include "platform/horloge.h"
#include "reports/reglesnotes.h"
#include "ui/components/etatui.h"
#include "ui/components/imagemodifie.h"
#include "ui/components/messages.h"
#include "ui/components/radiogroupe.h"
#include "ui/marks/bandeaucoefs.h"
#include "ui/marks/barrenotes.h"
#include "ui/marks/gardeclasse.h"
#include "ui/marks/glyphes.h"
#include "ui/marks/grillevue.h"
#include "ui/marks/historique.h"
#include "ui/marks/panneauexport.h"
#include "ui/marks/panneauresultats.h"
#include "ui/marks/peinture.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QTimer>
#include <QToolButton>

TNoteForm *NoteForm = nullptr;

namespace {

QPushButton *bouton(QWidget *parent, const char *nom, const QString &texte, const QRect &g,
                    const QString &bulle = {})
{
    auto *b = new QPushButton(texte, parent);
    b->setObjectName(QString::fromLatin1(nom));
    b->setGeometry(g);
    b->setAutoDefault(false);
    if (!bulle.isEmpty())
        b->setToolTip(bulle);
    return b;
}

QLabel *etiquette(QWidget *parent, const char *nom, const QString &texte, const QRect &g)
{
    auto *l = new QLabel(texte, parent);
    l->setObjectName(QString::fromLatin1(nom));
    l->setGeometry(g);
    return l;
}

void couleurs(QWidget *w, const QColor &fond, const QColor &texte = QColor())
{
    QPalette p = w->palette();
    p.setColor(QPalette::Window, fond);
    if (texte.isValid())
        p.setColor(QPalette::WindowText, texte);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

} // namespace

TNoteForm::TNoteForm(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("NoteForm"));
    setWindowTitle(QStringLiteral("Gestion des notes"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint
                   | Qt::WindowCloseButtonHint);
    setFont(QFont(QStringLiteral("Arial"), 8));
    setSizeGripEnabled(false);
    // The width never changes; the grid takes any extra height.
    setMinimumSize(m_largeurDessin, 456);
    setMaximumWidth(m_largeurDessin);
    resize(m_largeurDessin, 456);
    construire();
    brancher();
    FormCreate();
}

TNoteForm::~TNoteForm()
{
    // The application settings are written back when the window goes at the end.
    ParametresFenetre f;
    const QRect g = isMaximized() ? geometry() : normalGeometry().isValid() ? normalGeometry() : geometry();
    f.gauche = g.x();
    f.haut = g.y();
    f.largeur = g.width();
    f.hauteur = g.height();
    f.maxi = isMaximized();
    const QString erreur = EcrireParametres(f);
    if (!erreur.isEmpty())
        Messages::rapportErreur(erreur);
    // Whatever the closing cell editor or the children still signal must not
    // reach members that are about to go.
    StringGrid1->terminerEdition();
    Timer1->stop();
    m_delegue->filtreTouches = nullptr;
    m_delegue->editionOuverte = nullptr;
    m_delegue->editionFermee = nullptr;
    StringGrid1->filtreTouches = nullptr;
    StringGrid1->glisser = nullptr;
    for (QObject *o : findChildren<QObject *>())
        disconnect(o, nullptr, this, nullptr);
    m_historique->disconnect(this);
    if (NoteForm == this)
        NoteForm = nullptr;
}

void TNoteForm::construire()
{
    RadioGroup1 = new RadioGroupe(
        QString(),
        {QStringLiteral(" 1"), QStringLiteral(" 2"), QStringLiteral(" 3"), QStringLiteral(" Année")}, 4, this,
        RadioGroupe::Forme::Bandeau);
    RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
    RadioGroup1->setGeometry(8, 4, 233, 33);
    RadioGroup3 =
        new RadioGroupe(QString(), {QStringLiteral(" 1"), QStringLiteral(" 2"), QStringLiteral(" Année")}, 3,
                        this, RadioGroupe::Forme::Bandeau);
    RadioGroup3->setObjectName(QStringLiteral("RadioGroup3"));
    RadioGroup3->setGeometry(8, 4, 185, 33);
    const QString bulleAnnee = QStringLiteral("Cliquez sur Année et sur % pour avoir le bilan à ce jour");
    RadioGroup1->setToolTip(bulleAnnee);
    RadioGroup3->setToolTip(bulleAnnee);
    RadioGroup2 =
        new RadioGroupe(QStringLiteral("Matière"),
                        {QStringLiteral("Mat1."), QStringLiteral("Mat2."), QStringLiteral("Ensemble")}, 3,
                        this, RadioGroupe::Forme::Bandeau);
    RadioGroup2->setObjectName(QStringLiteral("RadioGroup2"));
    RadioGroup2->setGeometry(248, 4, 233, 33);

    Label16 = etiquette(this, "Label16", QString(), QRect(492, 16, 36, 19));
    Label16->setToolTip(QStringLiteral("Nombre d'élèves"));
    Label16->setAlignment(Qt::AlignCenter);
    Label16->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    couleurs(Label16, Qt::white, Qt::black);
    Label1 = etiquette(this, "Label1", QString(), QRect(534, 15, 86, 18));
    Label1->setAlignment(Qt::AlignCenter);
    QFont gras = font();
    gras.setBold(true);
    Label1->setFont(gras);
    couleurs(Label1, QColor(0, 0, 128), QColor(0, 255, 255));

    BB_toolN = bouton(this, "BB_toolN", QStringLiteral("N"), QRect(8, 40, 18, 24),
                      QStringLiteral("Barre de notes mobile"));
    BBCoefDate = bouton(this, "BBCoefDate", QStringLiteral("coef / date"), QRect(38, 40, 64, 24),
                        QStringLiteral("Coefficients et dates des devoirs"));

    Panel_coef = new TBandeauCoefs(this);

    CheckBox2 = new QCheckBox(QStringLiteral("Aide"), this);
    CheckBox2->setObjectName(QStringLiteral("CheckBox2"));
    CheckBox2->setGeometry(531, 42, 48, 20);
    CheckBox2->setToolTip(QStringLiteral("affiche/cache les bulles d'aide"));
    BBPourcent = bouton(this, "BBPourcent", QStringLiteral("%"), QRect(580, 40, 46, 24));

    StringGrid1 = new TStringGrid(this);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1->setGeometry(8, 66, 514, 321);
    m_delegue = new DelegueGrille(StringGrid1);
    StringGrid1->setItemDelegate(m_delegue);

    construireBoutons();
    construirePanneaux();
    WinPanel1 = new TPanneauExport([this] { return StringGrid1->tableVisuelle(); }, this);
    construireMenu();

    P_Notes = new TBarreNotes(this);
    P_Notes->hide();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    Garde = new GardeClasse(this);
}

void TNoteForm::construireBoutons()
{
    Button1 = bouton(this, "Button1", QStringLiteral("&Notes"), QRect(531, 65, 95, 25));
    Button7 = bouton(this, "Button7", QStringLiteral("Résultat &Elève"), QRect(531, 92, 95, 25));
    Button8 = bouton(this, "Button8", QStringLiteral("Résultat &Devoir"), QRect(531, 120, 95, 25));
    Button2 = bouton(this, "Button2", QStringLiteral("&Appréciations"), QRect(531, 156, 95, 25));
    Button9 = bouton(this, "Button9", QStringLiteral("E&Xpert Appréc."), QRect(531, 184, 95, 25));
    Button10 = bouton(this, "Button10", QStringLiteral("&Classement"), QRect(531, 220, 95, 25),
                      QStringLiteral("Après classement : Impression ou Sortie"));
    Button4 = bouton(this, "Button4", QStringLiteral("&Liste"), QRect(531, 248, 95, 25));

    m_historique = new THistoriqueNotes(this, [this](const QList<ChangementNote> &c, bool apres) {
        MontrerChangements(StringGrid1, vue, periode, selecteur, c, apres);
        Put_Result();
    });

    Image1 = etiquette(this, "Image1", QString(), QRect(561, 274, 36, 32));
    Image1->setPixmap(ImageModifie());
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setToolTip(QStringLiteral("Enregistrement nécessaire !"));
    Image1->hide();

    Button5 = bouton(this, "Button5", QStringLiteral("En&Registrer"), QRect(531, 308, 64, 24),
                     QStringLiteral("les notes ou appréciations"));
    BBText = bouton(this, "BBText", QStringLiteral("T"), QRect(598, 308, 28, 24),
                    QStringLiteral("Exporter dans un fichier texte"));
    BBImp = bouton(this, "BBImp", QString(), QRect(531, 334, 30, 25), QStringLiteral("Imprimer"));
    BBApercu = bouton(this, "BBApercu", QString(), QRect(564, 334, 30, 25),
                      QStringLiteral("Aperçu avant impression"));
    BBConf_Imp = bouton(this, "BBConf_Imp", QString(), QRect(596, 334, 30, 25),
                        QStringLiteral("Configurer et Imprimer"));
    Button6 = bouton(this, "Button6", QStringLiteral("&Quitter"), QRect(531, 362, 95, 25));
    BBImp->setIcon(GlypheImprimer());
    BBApercu->setIcon(GlypheApercu());
    BBConf_Imp->setIcon(GlypheConfigurer());
    for (QPushButton *b : {BBImp, BBApercu, BBConf_Imp})
        b->setIconSize(QSize(20, 20));

    // The size reset sits in the top right corner, where the caption bar's
    // own buttons would be.
    BBTailleNormale = new QToolButton(this);
    BBTailleNormale->setObjectName(QStringLiteral("BBTailleNormale"));
    BBTailleNormale->setGeometry(m_largeurDessin - 22, 0, 20, 14);
    BBTailleNormale->setIcon(GlypheTailleNormale());
    BBTailleNormale->setIconSize(QSize(14, 10));
    BBTailleNormale->setToolTip(QStringLiteral("Taille normale de la fenêtre, au centre de l'écran"));
}

void TNoteForm::construirePanneaux()
{
    PanelBas = new QFrame(this);
    PanelBas->setObjectName(QStringLiteral("PanelBas"));
    PanelBas->setFrameStyle(QFrame::Panel | QFrame::Raised);
    PanelBas->setGeometry(0, height() - 42, m_largeurDessin, 42);

    Panel1 =
        new TPanneauResultats(QStringLiteral("Panel1"),
                              {QStringLiteral("Label2"), QStringLiteral("Label3"), QStringLiteral("Label4"),
                               QStringLiteral("Label5")},
                              QStringLiteral("Résultats de la classe pour la 1 ère matière"), 10, PanelBas);
    Panel2 =
        new TPanneauResultats(QStringLiteral("Panel2"),
                              {QStringLiteral("Label6"), QStringLiteral("Label7"), QStringLiteral("Label8"),
                               QStringLiteral("Label9")},
                              QStringLiteral("Résultats de la classe pour la 2 ème matière"), 277, PanelBas);

    Label18 = etiquette(PanelBas, "Label18", QString(), QRect(538, 6, 86, 15));
    Label18->setAlignment(Qt::AlignCenter);
    couleurs(Label18, QColor(0, 128, 128), QColor(0, 255, 0));
    Label17 = etiquette(PanelBas, "Label17", QString(), QRect(538, 22, 86, 15));
    Label17->setAlignment(Qt::AlignCenter);
    couleurs(Label17, QColor(0, 128, 0), QColor(255, 255, 0));
}

void TNoteForm::construireMenu()
{
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    Rsultatsdudevoir1 = PopupMenu1->addAction(QStringLiteral("&Résultats du devoir"));
    Rsultatsdudevoir1->setObjectName(QStringLiteral("Rsultatsdudevoir1"));
    PopupMenu1->addSeparator();
    Augmenterde11 = PopupMenu1->addAction(QStringLiteral("&Augmenter les notes du devoir de 1"));
    Augmenterde11->setObjectName(QStringLiteral("Augmenterde11"));
    Diminuerde11 = PopupMenu1->addAction(QStringLiteral("&Diminuer les notes du devoir de 1"));
    Diminuerde11->setObjectName(QStringLiteral("Diminuerde11"));
    PopupMenu1->addSeparator();
    Supprimertouteslesnotes1 = PopupMenu1->addAction(QStringLiteral("&Supprimer toutes les notes du devoir"));
    Supprimertouteslesnotes1->setObjectName(QStringLiteral("Supprimertouteslesnotes1"));
}

void TNoteForm::FormCreate()
{
    appliquerCouleurs();
    const ParametresFenetre f = LireParametres();
    setGeometry(f.gauche, f.haut, f.largeur, f.hauteur);
    if (f.maxi)
        setWindowState(windowState() | Qt::WindowMaximized);
    InstallerBulles();
}

void TNoteForm::appliquerCouleurs()
{
    QColor fond(192, 192, 192);
    QColor fixes(192, 192, 192);
    QColor barre(192, 192, 192);
    QColor resultats(192, 192, 192);
    QColor export_(192, 192, 192);
    if (CouleursCompletes()) {
        fond = QColor(210, 210, 210);
        CouleurLignesPaires = QColor(191, 255, 223);
        barre = QColor(190, 190, 255);
        fixes = QColor(237, 227, 200);
        resultats = QColor(210, 210, 234);
        export_ = QColor(243, 229, 233);
    } else {
        CouleurLignesPaires = QColor(0, 255, 255);
    }
    couleurs(this, fond);
    couleurs(PanelBas, fond);
    couleurs(P_Notes, barre);
    couleurs(Panel1, resultats);
    couleurs(Panel2, resultats);
    couleurs(WinPanel1, export_);
    m_delegue->couleurLignesPaires = CouleurLignesPaires;
    const QString section =
        QStringLiteral("QHeaderView::section { background-color: %1; color: black; padding: 0px 2px;"
                       " border: none; border-right: 1px solid #808080; border-bottom: 1px solid #808080; }")
            .arg(fixes.name());
    StringGrid1->horizontalHeader()->setStyleSheet(section);
    StringGrid1->verticalHeader()->setStyleSheet(section);
}
