#include "ui/backup/sauvform.h"

#include "classdata/parametres.h"
#include "classdata/verrouclasse.h"
#include "platform/casse.h"
#include "platform/copiefichier.h"
#include "platform/dossier.h"
#include "platform/horloge.h"
#include "ui/backup/listedossiers.h"
#include "ui/components/etatui.h"
#include "ui/components/messages.h"
#include "ui/components/sablier.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QStyle>
#include <QToolTip>
#include <QVBoxLayout>

TSauvForm *SauvForm = nullptr;

namespace {
const char *const AvertissementRestauration =
    "Alors qu'une sauvegarde régulière est nécessaire, la\r\nrestauration reste exceptionnelle. "
    "\r\n\r\nElle ne devrait être réalisée qu'en cas de problème.\r\n\r\nEventuellement, elle "
    "écrasera les fichiers de notes déjà présents !\r\n\r\nVoulez-vous restaurer malgré tout ?\r\n";

void bullesJaunes()
{
    QPalette p = QToolTip::palette();
    p.setColor(QPalette::ToolTipBase, QColor(255, 255, 0));
    p.setColor(QPalette::ToolTipText, Qt::black);
    QToolTip::setPalette(p);
}

QString natif(const QString &chemin)
{
    return QDir::toNativeSeparators(chemin);
}

// A status panel holding a folder path: when the path is too long, its
// beginning gives way, since the end names the folder.
class PanneauChemin : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        drawFrame(&p);
        const QRect r = contentsRect().adjusted(3, 0, -3, 0);
        p.drawText(r, Qt::AlignVCenter | Qt::AlignLeft,
                   fontMetrics().elidedText(text(), Qt::ElideLeft, r.width()));
    }
};

QLabel *panneau(const QString &nom, const QString &texte, QWidget *parent, bool chemin = false)
{
    auto *p = chemin ? new PanneauChemin(texte, parent) : new QLabel(texte, parent);
    p->setObjectName(nom);
    p->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    p->setTextFormat(Qt::PlainText);
    return p;
}

QPushButton *bouton(const QString &nom, const QString &texte, QStyle::StandardPixmap icone, QWidget *parent)
{
    auto *b = new QPushButton(parent->style()->standardIcon(icone), texte, parent);
    b->setObjectName(nom);
    // Enter in a list must not press a button behind the teacher's back.
    b->setAutoDefault(false);
    return b;
}
} // namespace

QString DateEtHeureSauvegarde(const QDateTime &instant)
{
    const QTime t = instant.time();
    if (t == QTime(0, 0))
        return DateCourte(instant.date());
    return DateCourte(instant.date()) + QLatin1Char(' ') + HeureCourte(t);
}

TSauvForm::TSauvForm(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("SauvForm"));
    setWindowTitle(QStringLiteral("Sauvegarde / Restauration des fichiers de notes et d'appréciations"));
    construire();
}

void TSauvForm::construire()
{
    RadioGroup1 = new QGroupBox(this);
    RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
    RBSauvegarde = new QRadioButton(QStringLiteral("Sauvegarde"), RadioGroup1);
    RBSauvegarde->setObjectName(QStringLiteral("RBSauvegarde"));
    RBRestauration = new QRadioButton(QStringLiteral("Restauration"), RadioGroup1);
    RBRestauration->setObjectName(QStringLiteral("RBRestauration"));
    RBSauvegarde->setChecked(true);
    m_groupe = new QButtonGroup(this);
    m_groupe->addButton(RBSauvegarde, Sauvegarde);
    m_groupe->addButton(RBRestauration, Restauration);
    auto *lr = new QHBoxLayout(RadioGroup1);
    lr->addWidget(RBSauvegarde, 1);
    lr->addWidget(RBRestauration, 1);
    connect(m_groupe, &QButtonGroup::idToggled, this, [this](int, bool coche) {
        if (coche)
            RadioGroup1Click();
    });

    Label1 = new QLabel(QStringLiteral("Type de fichiers"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    FilterComboBox1 = new QComboBox(this);
    FilterComboBox1->setObjectName(QStringLiteral("FilterComboBox1"));
    FilterComboBox1->addItem(QStringLiteral("Fichiers de notes"), QStringLiteral("*.vtc"));
    FilterComboBox1->addItem(QStringLiteral("Fichiers d'appréciations"), QStringLiteral("*.vap"));
    FilterComboBox1->addItem(QStringLiteral("Tous les fichiers"), QStringLiteral("*"));
    Label1->setBuddy(FilterComboBox1);
    FileListBox1 = new QListWidget(this);
    FileListBox1->setObjectName(QStringLiteral("FileListBox1"));
    FileListBox1->setToolTip(QStringLiteral("Cliquez sur un fichier pour le choisir"));
    connect(FilterComboBox1, &QComboBox::currentIndexChanged, this, &TSauvForm::FilterComboBox1Change);
    // A click, or Enter for the keyboard, chooses a file.
    connect(FileListBox1, &QListWidget::itemClicked, this, &TSauvForm::FileListBox1Click);
    connect(FileListBox1, &QListWidget::itemActivated, this, &TSauvForm::FileListBox1Click);

    Label2 = new QLabel(QStringLiteral("Fichiers choisis"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setSortingEnabled(true);

    BBTout = bouton(QStringLiteral("BBTout"), QStringLiteral("&Tout"), QStyle::SP_DialogApplyButton, this);
    BBTout->setToolTip(QStringLiteral("Choisir tous les fichiers du type donné"));
    BBEffacer =
        bouton(QStringLiteral("BBEffacer"), QStringLiteral("&Effacer"), QStyle::SP_DialogResetButton, this);
    BBEffacer->setToolTip(QStringLiteral("Effacer la liste sélectionnée"));
    BBCopier =
        bouton(QStringLiteral("BBCopier"), QStringLiteral("&Copier"), QStyle::SP_DialogSaveButton, this);
    BBRep =
        bouton(QStringLiteral("BBRep"), QStringLiteral("Nouveau &Répertoire"), QStyle::SP_DirOpenIcon, this);
    BitBtn1 =
        bouton(QStringLiteral("BitBtn1"), QStringLiteral("&Fermer"), QStyle::SP_DialogCloseButton, this);
    connect(BBTout, &QPushButton::clicked, this, &TSauvForm::BBToutClick);
    connect(BBEffacer, &QPushButton::clicked, this, &TSauvForm::BBEffacerClick);
    connect(BBCopier, &QPushButton::clicked, this, &TSauvForm::BBCopierClick);
    connect(BBRep, &QPushButton::clicked, this, &TSauvForm::BBRepClick);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    BBEffacer->setEnabled(false);
    BBCopier->setEnabled(false);

    DriveComboBox1 = new ListeEmplacements(this);
    DriveComboBox1->setObjectName(QStringLiteral("DriveComboBox1"));
    DriveComboBox1->setToolTip(QStringLiteral("Choisir un disque ou un emplacement"));
    DirectoryListBox1 = new ListeDossiers(this);
    DirectoryListBox1->setObjectName(QStringLiteral("DirectoryListBox1"));
    DirectoryListBox1->setToolTip(QStringLiteral("Double-cliquez sur un répertoire pour le choisir"));
    connect(DriveComboBox1, &ListeEmplacements::emplacementChange, this, &TSauvForm::DriveComboBox1Change);
    connect(DirectoryListBox1, &ListeDossiers::dossierChange, this, &TSauvForm::DirectoryListBox1Change);
    connect(DirectoryListBox1, &QListWidget::itemClicked, this, &TSauvForm::DirectoryListBox1Click);

    Panel1 = panneau(QStringLiteral("Panel1"), QString(), this);
    Panel2 = panneau(QStringLiteral("Panel2"), QStringLiteral(" de"), this);
    Panel3 = panneau(QStringLiteral("Panel3"), QString(), this, true);
    Panel4 = panneau(QStringLiteral("Panel4"), QStringLiteral(" vers"), this);
    Panel5 = panneau(QStringLiteral("Panel5"), QString(), this, true);
    // Long folder paths are cut rather than widening the dialog.
    for (QLabel *p : {Panel3, Panel5})
        p->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    StatusLine = new LigneEtat(this);

    // Layout: the mode across the top, the file list, the chosen files and
    // the buttons side by side, the folder lists under them when asked for,
    // the folders of the copy and the hints at the bottom.
    auto *colFichiers = new QVBoxLayout;
    colFichiers->addWidget(Label1);
    colFichiers->addWidget(FilterComboBox1);
    colFichiers->addWidget(FileListBox1, 1);
    auto *colChoisis = new QVBoxLayout;
    colChoisis->addWidget(Label2);
    colChoisis->addWidget(ListBox1, 1);
    auto *colBoutons = new QVBoxLayout;
    colBoutons->addSpacing(Label2->sizeHint().height());
    for (QPushButton *b : {BBTout, BBEffacer, BBCopier, BBRep})
        colBoutons->addWidget(b);
    colBoutons->addStretch(1);
    colBoutons->addWidget(BitBtn1);
    auto *milieu = new QHBoxLayout;
    milieu->addLayout(colFichiers, 4);
    milieu->addLayout(colChoisis, 5);
    milieu->addLayout(colBoutons, 0);

    m_cadreDossiers = new QWidget(this);
    auto *dossiers = new QGridLayout(m_cadreDossiers);
    dossiers->setContentsMargins(0, 0, 0, 0);
    auto *lEmplacement = new QLabel(QStringLiteral("E&mplacement"), m_cadreDossiers);
    lEmplacement->setBuddy(DriveComboBox1);
    auto *lRepertoire = new QLabel(QStringLiteral("Répert&oire"), m_cadreDossiers);
    lRepertoire->setBuddy(DirectoryListBox1);
    dossiers->addWidget(lEmplacement, 0, 0);
    dossiers->addWidget(DriveComboBox1, 0, 1);
    dossiers->addWidget(lRepertoire, 1, 0, Qt::AlignTop);
    dossiers->addWidget(DirectoryListBox1, 1, 1);
    dossiers->setColumnStretch(1, 1);
    m_cadreDossiers->hide();

    auto *etat = new QHBoxLayout;
    etat->setSpacing(2);
    etat->addWidget(Panel1);
    etat->addWidget(Panel2);
    etat->addWidget(Panel3, 1);
    etat->addWidget(Panel4);
    etat->addWidget(Panel5, 1);

    auto *tout = new QVBoxLayout(this);
    tout->addWidget(RadioGroup1);
    tout->addLayout(milieu, 1);
    tout->addWidget(m_cadreDossiers);
    tout->addLayout(etat);
    tout->addWidget(StatusLine);
    resize(640, 420);
}

void TSauvForm::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    if (!e->spontaneous())
        FormActivate();
}

void TSauvForm::done(int r)
{
    FormDeactivate();
    QDialog::done(r);
}

void TSauvForm::FormActivate()
{
    bullesJaunes();
    m_dossierProgramme = DossierProgramme();
    const ParametresSauvegarde s = LireSauvegarde();
    m_dossierSauvegarde = s.chemin;
    m_dateSauvegarde = s.date;
    m_aEnregistrer = false;

    montrerListesDossiers(false);
    DirectoryListBox1->placer(m_dossierSauvegarde);
    {
        const QSignalBlocker bloque(m_groupe);
        RBSauvegarde->setChecked(true);
    }
    entrerSauvegarde();
}

void TSauvForm::FormDeactivate()
{
    // Only a complete backup changes what is kept: a restore or an
    // interrupted copy leaves the settings file alone.
    if (m_aEnregistrer) {
        m_aEnregistrer = false;
        const QString erreur = EcrireSauvegarde({m_dossierSauvegarde, m_dateSauvegarde});
        if (!erreur.isEmpty())
            Messages::rapportErreur(erreur);
    }
    bullesJaunes();
}

void TSauvForm::RadioGroup1Click()
{
    if (m_groupe->checkedId() == Restauration)
        entrerRestauration();
    else
        entrerSauvegarde();
}

void TSauvForm::entrerSauvegarde()
{
    m_mode = Sauvegarde;
    montrerDossier(m_dossierProgramme);
    m_source = m_dossierProgramme;
    m_destination = m_dossierSauvegarde;
    Panel1->setText(QLatin1Char(' ') + DateEtHeureSauvegarde(Maintenant()));
    Panel1->setToolTip(QStringLiteral("Date de la sauvegarde"));
    BBCopier->setToolTip(QStringLiteral("Sauvegarder vers le répertoire choisi"));
    BitBtn1->setToolTip(QStringLiteral("Quitter la sauvegarde"));
    BBRep->setToolTip(QStringLiteral("pour la sauvegarde"));
    finirEntree();
}

void TSauvForm::entrerRestauration()
{
    const int r = Messages::avertissement(QString::fromUtf8(AvertissementRestauration), BoutonOui | BoutonNon,
                                          BoutonNon);
    if (r != BoutonOui) {
        {
            const QSignalBlocker bloque(m_groupe);
            RBSauvegarde->setChecked(true);
        }
        entrerSauvegarde();
        return;
    }
    m_mode = Restauration;
    Panel1->setText(QLatin1Char(' ') + m_dateSauvegarde);
    m_destination = m_dossierProgramme;
    m_source = m_dossierSauvegarde;
    montrerDossier(m_dossierSauvegarde);
    Panel1->setToolTip(QStringLiteral("Date de la sauvegarde précédente"));
    BBCopier->setToolTip(QStringLiteral("Restaurer depuis le répertoire sélectionné"));
    BitBtn1->setToolTip(QStringLiteral("Quitter la restauration"));
    BBRep->setToolTip(QStringLiteral("pour la restauration"));
    finirEntree();
}

void TSauvForm::finirEntree()
{
    afficherDossiers();
    ListBox1->clear();
    activerCopie(false);
}

void TSauvForm::afficherDossiers()
{
    Panel3->setText(natif(m_source));
    Panel5->setText(natif(m_destination));
}

void TSauvForm::montrerDossier(const QString &dossier)
{
    m_dossierListe = dossier;
    FileListBox1->clear();
    if (dossier.isEmpty())
        return;
    const QDir d(dossier);
    const QFileInfoList fichiers = d.entryInfoList({FilterComboBox1->currentData().toString()}, QDir::Files,
                                                   QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo &f : fichiers) {
        // A class's lock and recovery journal belong to the copy that has it open.
        if (EstFichierAnnexe(f.fileName()))
            continue;
        auto *item = new QListWidgetItem(f.fileName(), FileListBox1);
        item->setData(Qt::UserRole, f.absoluteFilePath());
    }
}

void TSauvForm::FilterComboBox1Change()
{
    montrerDossier(m_dossierListe);
}

void TSauvForm::activerCopie(bool oui)
{
    BBEffacer->setEnabled(oui);
    BBCopier->setEnabled(oui);
}

// The list shows each path in lower case, once; the real path, which Linux
// needs to read the file, travels with it.
void TSauvForm::ajouter(const QString &chemin)
{
    auto ajouterUn = [this](const QString &reel) {
        const QString texte = natif(reel).toLower();
        if (!ListBox1->findItems(texte, Qt::MatchExactly | Qt::MatchCaseSensitive).isEmpty())
            return;
        auto *item = new QListWidgetItem(texte);
        item->setData(Qt::UserRole, reel);
        ListBox1->addItem(item);
    };
    ajouterUn(chemin);
    const QFileInfo f(chemin);
    if (f.suffix().toLower() == QLatin1String("vtc")) {
        const QString ini =
            CheminReel(f.absolutePath(), f.completeBaseName().toLower() + QStringLiteral(".ini"));
        if (QFileInfo(ini).isFile())
            ajouterUn(ini);
    }
}

void TSauvForm::FileListBox1Click(QListWidgetItem *item)
{
    if (!item)
        return;
    ajouter(item->data(Qt::UserRole).toString());
    if (FileListBox1->count() > 0)
        activerCopie(true);
}

void TSauvForm::BBToutClick()
{
    for (int i = 0; i < FileListBox1->count(); ++i)
        ajouter(FileListBox1->item(i)->data(Qt::UserRole).toString());
    if (FileListBox1->count() > 0)
        activerCopie(true);
}

void TSauvForm::BBEffacerClick()
{
    ListBox1->clear();
    activerCopie(false);
}

void TSauvForm::BBRepClick()
{
    const bool montrer = m_cadreDossiers->isHidden();
    if (montrer)
        DriveComboBox1->actualiser();
    montrerListesDossiers(montrer);
    if (montrer)
        DirectoryListBox1->setFocus();
}

// The dialog grows to make room for the folder lists and gives it back.
void TSauvForm::montrerListesDossiers(bool oui)
{
    if (oui == m_cadreDossiers->isVisibleTo(this))
        return;
    const int hauteur = 170;
    m_cadreDossiers->setVisible(oui);
    if (isVisible() && !isMaximized())
        resize(width(), height() + (oui ? hauteur : -hauteur));
}

void TSauvForm::DriveComboBox1Change()
{
    DirectoryListBox1->placer(DriveComboBox1->emplacement());
    DirectoryListBox1Change();
}

void TSauvForm::DirectoryListBox1Change()
{
    const QString choisi = DirectoryListBox1->dossier();
    if (m_mode == Sauvegarde) {
        m_destination = choisi;
    } else {
        m_source = choisi;
        montrerDossier(choisi);
        // Files chosen in another folder are not those of the new source.
        ListBox1->clear();
        activerCopie(false);
    }
    afficherDossiers();
}

void TSauvForm::DirectoryListBox1Click()
{
    if (m_mode == Restauration) {
        ListBox1->clear();
        activerCopie(false);
    }
}

// Copies one entry of the selection; false stops the copy (the message has
// been shown, the entry stays in the list).
bool TSauvForm::copierEntree(int ligne)
{
    QListWidgetItem *item = ListBox1->item(ligne);
    const QString source = item->data(Qt::UserRole).toString();

    Messages::simple(natif(m_destination));

    if (MemeDossier(m_source, m_destination)
        || MemeDossier(QFileInfo(source).absolutePath(), m_destination)) {
        Messages::erreur(QStringLiteral("Impossible de copier un fichier sur lui-même !"));
        return false;
    }

    const qint64 taille = QFileInfo(source).size();
    const qint64 libre = EspaceLibre(m_destination);
    if (libre < 0) {
        Messages::erreur(m_destination.isEmpty() ? QStringLiteral("Il faut choisir un répertoire")
                                                 : QStringLiteral("Disque non prêt !"));
        return false;
    }
    if (libre < taille) {
        Messages::erreur(QStringLiteral("Le disque est plein !"));
        return false;
    }

    ResultatCopie r;
    {
        const Sablier sablier;
        // Links in the program folder are the teacher's; elsewhere they are not followed.
        r = CopierFichier(source, m_destination, m_destination == m_dossierProgramme);
    }
    if (!r.reussie) {
        Messages::rapportErreur(r.message);
        return false;
    }
    delete ListBox1->takeItem(ligne);
    if (ListBox1->count() == 0)
        activerCopie(false);
    return true;
}

void TSauvForm::BBCopierClick()
{
    if (ListBox1->count() == 0)
        return;
    for (int ligne = ListBox1->count() - 1; ligne >= 0; --ligne) {
        if (!copierEntree(ligne))
            return;
    }
    if (m_mode == Sauvegarde) {
        m_dossierSauvegarde = m_destination;
        m_dateSauvegarde = DateEtHeureSauvegarde(Maintenant());
        m_aEnregistrer = true;
    }
}
