#include "ui/menu/menuform.h"

#include "classdata/classe.h"
#include "classdata/journal.h"
#include "classdata/options.h"
#include "classdata/verrouclasse.h"
#include "platform/dossier.h"
#include "platform/dossierdonnees.h"
#include "platform/erreurs.h"
#include "platform/gui/shell.h"
#include "platform/horloge.h"
#include "ui/backup/sauvform.h"
#include "ui/components/chargement.h"
#include "ui/components/etatui.h"
#include "ui/components/fenetres.h"
#include "ui/components/messages.h"
#include "ui/components/reservation.h"
#include "ui/components/rzlabel.h"
#include "ui/config/confform.h"
#include "ui/marks/noteform.h"
#include "ui/menu/catalogue.h"

#include <QDragEnterEvent>
#include <QFileInfo>
#include <QImageReader>
#include <QLabel>
#include <QLocale>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include <cerrno>
#include <unistd.h>
#include <utility>

bool DepuisLigneCommande = false;
TMenuForm *MenuForm = nullptr;

static void initialiserRessources()
{
    Q_INIT_RESOURCE(menu);
}

namespace {

const QColor VERT(0, 128, 0);
const QColor JAUNE_PALE(255, 255, 244);

constexpr int GAUCHE_BOUTONS = 254;
constexpr int LARGEUR_BOUTON = 150;
constexpr int HAUTEUR_BOUTON = 29;
constexpr int HAUT_BOUTONS = 17;
constexpr int PAS_BOUTONS = 36;
constexpr int MARGE = 35;

// The folder of the classes in the title: the teacher always knows where they are.
QString legendeFenetre()
{
    return QStringLiteral("Vestrel " VESTREL_VERSION " - Classes dans ") + DossierLisible(DossierProgramme());
}
QString textePanneau()
{
    return QStringLiteral("Cliquez sur une classe,\npuis sur un bouton");
}

// Deletes one file; empty on success, else the platform's message. A folder
// is refused, as the system refuses to delete it as a file.
QString supprimerFichier(const QString &chemin)
{
    if (::unlink(QFile::encodeName(chemin).constData()) == 0)
        return {};
    const int code = errno == EISDIR ? EACCES : errno;
    return MessageErreurSysteme(code);
}

// Our own PNGs, read by Qt's built-in reader: guessing the format would load
// and ask every image plugin first, a few milliseconds before the first paint.
QPixmap imagePng(const QString &chemin)
{
    QImageReader lecteur(chemin, "png");
    lecteur.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(lecteur.read());
}

} // namespace

TMenuForm::TMenuForm(QWidget *parent, Contenu contenu)
    : QMainWindow(parent)
{
    initialiserRessources();
    setObjectName(QStringLiteral("MenuForm"));
    setWindowTitle(QStringLiteral("Vestrel " VESTREL_VERSION));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                   | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setWindowIcon(QIcon(imagePng(QStringLiteral(":/menu/vestrel.png"))));

    Timer3 = new QTimer(this);
    Timer3->setObjectName(QStringLiteral("Timer3"));
    Timer3->setSingleShot(true);
    Timer3->setInterval(1);
    connect(Timer3, &QTimer::timeout, this, &TMenuForm::Timer3Timer);
    // Started by the first paint: the class given on the command line opens
    // over a painted main window, never a blank one.

    if (contenu == Contenu::Immediat)
        construire();
}

void TMenuForm::setVisible(bool visible)
{
    if (visible)
        construire();
    QMainWindow::setVisible(visible);
}

void TMenuForm::construire()
{
    if (m_construit)
        return;
    m_construit = true;
    m_fond = imagePng(QStringLiteral(":/menu/fond.png"));

    auto *centre = new QWidget(this);
    setCentralWidget(centre);

    Panel2 = new QFrame(centre);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel2->setAutoFillBackground(true);
    Panel2->setGeometry(24, 12, 185, 32);
    RzLabel2 = new TRzLabel(QStringLiteral("Classes"), Panel2);
    RzLabel2->setObjectName(QStringLiteral("RzLabel2"));
    RzLabel2->setTextStyle(tsRaised);
    RzLabel2->setAlignment(Qt::AlignCenter);
    QFont titre = RzLabel2->font();
    titre.setPointSize(14);
    titre.setBold(true);
    RzLabel2->setFont(titre);
    RzLabel2->setGeometry(2, 2, 181, 28);

    LB1 = new ListeCatalogue(centre);
    LB1->setObjectName(QStringLiteral("LB1"));
    LB1->setToolTip(QStringLiteral("Liste des classes existantes. Cliquez, double-cliquez sur une "
                                   "classe ou faites la glisser sur un bouton"));
    QFont policeListe(QStringLiteral("Times New Roman"));
    policeListe.setStyleHint(QFont::Serif);
    policeListe.setPixelSize(16);
    LB1->setFont(policeListe);
    LB1->setUniformItemSizes(true);
    LB1->setStyleSheet(QStringLiteral("QListView#LB1::item { height: 19px; }"));
    QPalette pl = LB1->palette();
    pl.setColor(QPalette::Base, JAUNE_PALE);
    pl.setColor(QPalette::Text, VERT);
    LB1->setPalette(pl);
    LB1->setGeometry(24, 50, 185, 194);
    LB1->viewport()->installEventFilter(this);
    LB1->installEventFilter(this);
    connect(LB1, &QListWidget::itemDoubleClicked, this, [this] { BB1Click(); });

    Panel1 = new QFrame(centre);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setAutoFillBackground(true);
    Panel1->setGeometry(24, 252, 185, 44);
    RzLabel1 = new TRzLabel(Panel1);
    RzLabel1->setObjectName(QStringLiteral("RzLabel1"));
    RzLabel1->setTextStyle(tsRaised);
    RzLabel1->setAlignment(Qt::AlignCenter);
    RzLabel1->setGeometry(2, 2, 181, 40);

    BB1 = bouton("BB1", QStringLiteral("&Charger"),
                 QStringLiteral("Ouvrir le fichier d'une classe, existante et sélectionnée, pour y "
                                "entrer des notes ou des appréciations"),
                 0);
    BB2 = bouton("BB2", QStringLiteral("C&réer"),
                 QStringLiteral("Fabriquer le fichier de notes et d'appréciations d'une nouvelle classe"), 1);
    BB3 = bouton("BB3", QStringLiteral("&Modifier"),
                 QStringLiteral("Changer certains paramètres d'une classe existante"), 2);
    BB4 = bouton("BB4", QStringLiteral("&Dupliquer"),
                 QStringLiteral("Créer la soeur jumelle d'une classe,  en récupérant tout ou partie de "
                                "ses composants"),
                 3);
    B6 = bouton("B6", QStringLiteral("&Supprimer"),
                QStringLiteral("Supprimer définitivement du disque le fichier d'une classe"), 4);
    BBSauver = bouton("BBSauver", QStringLiteral("Sau&vegarder"),
                      QStringLiteral("Sauver ou Restaurer des fichiers de notes ou d'appréciations"), 5);
    BB7 = bouton("BB7", QStringLiteral("&Aide"), QStringLiteral("Documentation du logiciel"), 6);
    BB5 = bouton("BB5", QStringLiteral("&Quitter"), QStringLiteral("Sortir de ce programme"), 7);
    connect(BB1, &QPushButton::clicked, this, &TMenuForm::BB1Click);
    connect(BB2, &QPushButton::clicked, this, &TMenuForm::BB2Click);
    connect(BB3, &QPushButton::clicked, this, &TMenuForm::BB3Click);
    connect(BB4, &QPushButton::clicked, this, &TMenuForm::BB4Click);
    connect(B6, &QPushButton::clicked, this, &TMenuForm::B6Click);
    connect(BBSauver, &QPushButton::clicked, this, &TMenuForm::BBSauverClick);
    connect(BB7, &QPushButton::clicked, this, &TMenuForm::BB7Click);
    connect(BB5, &QPushButton::clicked, this, &TMenuForm::BB5Click);
    for (QPushButton *b : {BB1, BB3, BB4, B6}) {
        b->setAcceptDrops(true);
        b->installEventFilter(this);
    }

    Label1 = new QLabel(QStringLiteral("Vestrel, le carnet de notes du professeur"), centre);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setCursor(Qt::PointingHandCursor);
    Label1->setToolTip(QStringLiteral("Page web de Vestrel : ") + adresseEditeur());
    Label1->setGeometry(24, 306, 380, 22);
    QPalette plien = Label1->palette();
    plien.setColor(QPalette::WindowText, QColor(0, 0, 160));
    Label1->setPalette(plien);
    Label1->installEventFilter(this);

    StatusLine = new LigneEtat(centre);

    // The client area follows from the "&Quitter" button.
    const int largeur = BB5->x() + BB5->width() + MARGE;
    const int hauteur = BB5->y() + BB5->height() + MARGE + StatusLine->height();
    StatusLine->setGeometry(0, hauteur - StatusLine->height(), largeur, StatusLine->height());
    setFixedSize(largeur, hauteur);
    // A long hint wraps: the line grows upwards over the window while it shows it.
    LigneEtatExtensible(StatusLine);

    setTabOrder(LB1, BB1);
    QWidget *precedent = BB1;
    for (QPushButton *b : {BB2, BB3, BB4, B6, BBSauver, BB7, BB5}) {
        setTabOrder(precedent, b);
        precedent = b;
    }

    Repeint();
}

QPushButton *TMenuForm::bouton(const char *nom, const QString &texte, const QString &bulle, int rang)
{
    auto *b = new QPushButton(texte, centralWidget());
    b->setObjectName(QString::fromLatin1(nom));
    b->setToolTip(bulle);
    b->setAutoDefault(false);
    QPalette p = b->palette();
    p.setColor(QPalette::ButtonText, VERT);
    b->setPalette(p);
    QFont f = b->font();
    f.setBold(true);
    b->setFont(f);
    b->setGeometry(GAUCHE_BOUTONS, HAUT_BOUTONS + rang * PAS_BOUTONS, LARGEUR_BOUTON, HAUTEUR_BOUTON);
    return b;
}

QString TMenuForm::adresseEditeur()
{
    return QStringLiteral("https://vestrel.example.org/");
}

QString TMenuForm::classeChoisie() const
{
    if (!LB1)
        return {};
    const auto choix = LB1->selectedItems();
    return choix.isEmpty() ? QString() : choix.first()->text();
}

void TMenuForm::choisir(const QString &entree)
{
    const auto trouves = LB1->findItems(entree, Qt::MatchExactly);
    if (!trouves.isEmpty())
        LB1->setCurrentItem(trouves.first());
}

void TMenuForm::effacerChoix()
{
    LB1->clearSelection();
    LB1->setCurrentItem(nullptr);
}

void TMenuForm::Repeint()
{
    if (!m_construit)
        return; // built with its catalogue when it first shows
    update();
    // The chosen class stays chosen while it is still there: the window
    // becomes active again each time the teacher comes back to it.
    const QString choix = classeChoisie();
    LB1->clear();
    LB1->addItems(ListerClasses(DossierProgramme()));
    if (!choix.isEmpty())
        choisir(choix);
}

// What the other windows read from the menu: the screen's depth, and the short
// date format dd/MM/yyyy with French month and day names.
void TMenuForm::preparerFenetres()
{
    ProfondeurCouleurs = depth();
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
}

void TMenuForm::FormActivate()
{
    preparerFenetres();
    setWindowTitle(legendeFenetre());
    RzLabel1->setText(textePanneau());
    const QRect texte =
        QFontMetrics(font()).boundingRect(QRect(0, 0, 1000, 1000), Qt::AlignLeft, textePanneau());
    const int largeur = qMax(texte.width() + 14, LB1->width());
    Panel1->resize(largeur, Panel1->height());
    RzLabel1->resize(largeur - 4, RzLabel1->height());
    Repeint();
}

void TMenuForm::showEvent(QShowEvent *e)
{
    QMainWindow::showEvent(e);
    // The screen's depth is known once the window is shown; the windows
    // created after this read it.
    if (!m_dejaActive) {
        m_dejaActive = true;
        if (QScreen *ecran = screen()) {
            // Centred on the screen, title bar included.
            const QRect zone = ecran->availableGeometry();
            const QSize cadre = frameGeometry().size().expandedTo(size());
            move(zone.x() + (zone.width() - cadre.width()) / 2,
                 zone.y() + (zone.height() - cadre.height()) / 2);
        }
        FormActivate();
        // A window that is never painted (started minimised) opens the class all the same.
        QTimer::singleShot(1000, this, [this] {
            if (!m_peinte) {
                m_peinte = true;
                Timer3->start();
            }
        });
    }
}

void TMenuForm::changeEvent(QEvent *e)
{
    QMainWindow::changeEvent(e);
    if (e->type() == QEvent::ActivationChange && isActiveWindow() && m_dejaActive)
        FormActivate();
}

void TMenuForm::paintEvent(QPaintEvent *)
{
    if (!m_peinte) {
        m_peinte = true;
        Timer3->start();
    }
    QPainter p(this);
    if (m_fond.isNull()) {
        p.fillRect(rect(), palette().window());
        return;
    }
    const int w = m_fond.width(), h = m_fond.height();
    for (int y = 0; y < height(); y += h)
        for (int x = 0; x < width(); x += w)
            p.drawPixmap(x, y, m_fond);
}

void TMenuForm::demarrer(const QString &argument)
{
    definirArgument(argument);
    if (argument.isEmpty() || !EstNomDeClasse(argument)) {
        show();
        return;
    }
    preparerFenetres(); // as the menu's first showing would, for the class's window
    winId();            // the class's window belongs to the menu from its first showing
    m_peinte = true;
    Timer3->start(0); // nothing to wait for: the menu shows later
}

void TMenuForm::Timer3Timer()
{
    Timer3->stop();
    // The class given on the command line opens once, whatever ticks later.
    const QString argument = std::exchange(m_argument, QString());
    if (argument.isEmpty() || !EstNomDeClasse(argument))
        return;
    DepuisLigneCommande = true;
    const bool ok = ChargerClasse(NomDepuisArgument(argument));
    DepuisLigneCommande = false;
    if (ok)
        ouvrirFenetre(Fenetre::Notes);
    if (!isVisible())
        show(); // started on a class the teacher has closed, or that could not be read
}

void TMenuForm::montrerFenetre(Fenetre quoi)
{
    switch (quoi) {
    case Fenetre::Notes: {
        ReserverEnAvance(CheminProgramme(NomFichier));
        TNoteForm &f = SurDemande(NoteForm);
        if (!isVisible()) {
            // Started on a class: the menu comes beneath it once it shows.
            Fenetres::apresPremierePeinture(&f, [this, &f] {
                show();
                f.raise();
                f.activateWindow();
            });
        }
        f.exec();
        AbandonnerReservationAnticipee(); // claimed by the window as it showed, unless it could not show
        break;
    }
    case Fenetre::Configuration: SurDemande(ConfForm).exec(); break;
    case Fenetre::Sauvegarde: SurDemande(SauvForm).exec(); break;
    }
}

void TMenuForm::ouvrirFenetre(Fenetre quoi)
{
    montrerFenetre(quoi);
    // The main menu never keeps a class loaded.
    if (quoi != Fenetre::Sauvegarde)
        ViderClasse();
}

void TMenuForm::BB1Click()
{
    const QString nom = classeChoisie();
    if (nom.isEmpty()) {
        Messages::simple(QStringLiteral("Charger quel fichier ?"));
        return;
    }
    if (!ChargerClasse(nom))
        return;
    // A loaded class is no longer the chosen one: Créer must work afterwards.
    effacerChoix();
    ouvrirFenetre(Fenetre::Notes);
}

void TMenuForm::BB2Click()
{
    const QString nom = classeChoisie();
    if (nom.isEmpty()) {
        ModeCreation = true;
        ModeModification = false;
        ModeDuplication = false;
        ViderClasse();
        ouvrirFenetre(Fenetre::Configuration);
        Repeint();
    } else {
        Messages::simple(QStringLiteral("Le fichier ") + nom + QStringLiteral(" est déjà créé !"));
    }
    effacerChoix();
}

void TMenuForm::BB3Click()
{
    const QString nom = classeChoisie();
    if (nom.isEmpty()) {
        Messages::simple(QStringLiteral("Modifier quel fichier ?"));
        return;
    }
    if (!ChargerClasse(nom))
        return;
    effacerChoix();
    ModeCreation = false;
    ModeModification = true;
    ModeDuplication = false;
    ouvrirFenetre(Fenetre::Configuration);
    Repeint();
}

void TMenuForm::BB4Click()
{
    const QString nom = classeChoisie();
    if (nom.isEmpty()) {
        Messages::simple(QStringLiteral("Dupliquer quel fichier ?"));
        return;
    }
    if (!ChargerClasse(nom))
        return;
    effacerChoix();
    ModeCreation = false;
    ModeModification = false;
    ModeDuplication = true;
    ouvrirFenetre(Fenetre::Configuration);
    Repeint();
}

void TMenuForm::B6Click()
{
    const QString nom = classeChoisie();
    if (nom.isEmpty()) {
        Messages::simple(QStringLiteral("Supprimer quel fichier ?"));
        return;
    }
    NomFichier = nom;
    NomClasse = nom.left(nom.size() - 4);
    // Not while another copy works on it: its next save would bring it back.
    VerrouClasse verrou(CheminProgramme(NomFichier));
    const VerrouClasse::Etat etat = verrou.prendre();
    if (etat == VerrouClasse::Etat::TenuIci || etat == VerrouClasse::Etat::TenuAilleurs) {
        Messages::erreur(TexteDetenteur(NomClasse, verrou.detenteur(), Aujourdhui())
                         + QStringLiteral(" Elle ne peut pas être supprimée."));
        effacerChoix();
        return;
    }
    const int r = Messages::avertissement(
        QStringLiteral("Voulez-vous SUPPRIMER DEFINITIVEMENT\r\n       le fichier de notes de la "
                       "classe : \r\n                     ")
            + NomClasse + QStringLiteral(" ?"),
        BoutonOui | BoutonNon, BoutonNon);
    if (r == BoutonOui) {
        const QString erreur = supprimerFichier(CheminProgramme(NomFichier));
        if (!erreur.isEmpty()) {
            // Nothing more is deleted: the settings belong to a class still there.
            Messages::rapportErreur(erreur);
            return;
        }
        // A class without a settings file is an ordinary class: nothing to delete then.
        const QString options = CheminOptions(NomClasse);
        if (QFileInfo(options).isFile()) {
            const QString e = supprimerFichier(options);
            if (!e.isEmpty())
                Messages::rapportErreur(e);
        }
        SupprimerJournal(CheminProgramme(NomFichier)); // its recovery journal goes with it
        Repeint();
    }
    effacerChoix();
}

void TMenuForm::BBSauverClick()
{
    ouvrirFenetre(Fenetre::Sauvegarde);
    Repeint();
}

void TMenuForm::BB7Click()
{
    OuvrirDocument(CheminGuide());
}

void TMenuForm::BB5Click()
{
    close();
}

void TMenuForm::Label1Click()
{
    OuvrirAdresse(adresseEditeur());
}

void TMenuForm::actionDeposee(QPushButton *b)
{
    if (b == BB1)
        BB1Click();
    else if (b == BB3)
        BB3Click();
    else if (b == BB4)
        BB4Click();
    else if (b == B6)
        B6Click();
}

bool TMenuForm::eventFilter(QObject *objet, QEvent *e)
{
    if (objet == LB1->viewport() && e->type() == QEvent::MouseButtonPress
        && static_cast<QMouseEvent *>(e)->button() == Qt::RightButton) {
        effacerChoix();
        return true;
    }
    if (objet == LB1 && e->type() == QEvent::KeyPress) {
        const int k = static_cast<QKeyEvent *>(e)->key();
        if ((k == Qt::Key_Return || k == Qt::Key_Enter) && !classeChoisie().isEmpty()) {
            BB1Click();
            return true;
        }
    }
    if (objet == Label1) {
        switch (e->type()) {
        case QEvent::Enter:
        case QEvent::Leave: {
            QFont f = Label1->font();
            f.setBold(e->type() == QEvent::Enter);
            Label1->setFont(f);
            break;
        }
        case QEvent::MouseButtonRelease:
            if (static_cast<QMouseEvent *>(e)->button() == Qt::LeftButton
                && Label1->rect().contains(static_cast<QMouseEvent *>(e)->position().toPoint())) {
                Label1Click();
                return true;
            }
            break;
        default: break;
        }
        return QMainWindow::eventFilter(objet, e);
    }
    auto *b = qobject_cast<QPushButton *>(objet);
    if (b && (b == BB1 || b == BB3 || b == BB4 || b == B6)) {
        switch (e->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto *de = static_cast<QDragMoveEvent *>(e);
            if (!LB1->entreeGlissee(de->mimeData()).isEmpty()) {
                de->setDropAction(Qt::CopyAction);
                de->accept();
            } else {
                de->ignore();
            }
            return true;
        }
        case QEvent::Drop: {
            auto *de = static_cast<QDropEvent *>(e);
            const QString entree = LB1->entreeGlissee(de->mimeData());
            if (entree.isEmpty()) {
                de->ignore();
                return true;
            }
            de->setDropAction(Qt::CopyAction);
            de->accept();
            choisir(entree);
            // The drag's own loop must end before a window opens.
            QTimer::singleShot(0, this, [this, b] { actionDeposee(b); });
            return true;
        }
        default: break;
        }
    }
    return QMainWindow::eventFilter(objet, e);
}
