#include "ui/config/confform.h"

#include "classdata/classe.h"
#include "classdata/empreinte.h"
#include "classdata/importeleves.h"
#include "classdata/nomseleves.h"
#include "classdata/options.h"
#include "classdata/texte.h"
#include "classdata/verrouclasse.h"
#include "platform/casse.h"
#include "platform/cp1252.h"
#include "platform/dossier.h"
#include "platform/lecturesure.h"
#include "ui/coefficients/coefform.h"
#include "ui/coefficients/spinfleches.h"
#include "ui/components/etatui.h"
#include "ui/components/fenetres.h"
#include "ui/components/imagemodifie.h"
#include "ui/components/messages.h"
#include "ui/components/radiogroupe.h"
#include "ui/components/sablier.h"
#include "ui/config/champsconf.h"

#include <QCheckBox>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QShowEvent>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <memory>

bool ModeCreation = false;
bool ModeModification = false;
bool ModeDuplication = false;

namespace Conf {
bool Modifie = false;
bool ATrier = false;
bool DemanderEcrasement = true;
bool ViderNotes = true;
} // namespace Conf

TConfForm *ConfForm = nullptr;

void TrierEleves()
{
    Sablier sablier;
    TrierListeEleves(ListeEleves);
    Conf::ATrier = false;
}

bool ConfirmerSuppression(const QString &nom, const QString &prenom)
{
    return Messages::confirmation(
               QStringLiteral("Voulez-vous vraiment supprimer la fiche de \r\n             ") + nom
                   + QLatin1Char(' ') + prenom,
               BoutonOui | BoutonNon, BoutonNon)
        == BoutonOui;
}

namespace {

const QString TexteVide = QStringLiteral("   Fichier Vide");
const QString TexteNonTrouve = QStringLiteral("Elève non trouvé(e) dans la liste !");
const QString TexteExisteDeja = QStringLiteral("Cet(te) élève existe déjà dans la liste !");

QPushButton *bouton(const QString &texte, const char *nom, QWidget *parent)
{
    auto *b = new QPushButton(texte, parent);
    b->setObjectName(QString::fromLatin1(nom));
    // Enter belongs to the fields: no button is pressed by it.
    b->setAutoDefault(false);
    return b;
}

// The same student with no mark and no appreciation.
StudentRecord sansNotes(const StudentRecord &e)
{
    StudentRecord vide;
    vide.Nom = e.Nom;
    vide.Prenom = e.Prenom;
    vide.Lien = e.Lien;
    vide.brut = e.brut;
    return vide;
}

} // namespace

TConfForm::TConfForm(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("ConfForm"));
    construire();
}

TConfForm::~TConfForm() = default;

void TConfForm::construire()
{
    auto *principal = new QVBoxLayout(this);
    principal->setSizeConstraint(QLayout::SetFixedSize);

    // Class name.
    auto *ligneNom = new QHBoxLayout;
    ligneNom->addWidget(new QLabel(QStringLiteral("Nom du fichier de notes :"), this));
    E1 = new ChampConf(ChampConf::NomFichier, 8, this);
    E1->setObjectName(QStringLiteral("E1"));
    E1->setToolTip(QStringLiteral("8 caractères maximum (ce nom peut différer de celui de la classe)"));
    E1->setFixedWidth(E1->fontMetrics().horizontalAdvance(QStringLiteral("WWWWWWWW")) + 14);
    ligneNom->addWidget(E1);
    ligneNom->addWidget(new QLabel(QStringLiteral(".VTC"), this));
    ligneNom->addStretch();
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(ImageModifie(24));
    Image1->setToolTip(QStringLiteral("Modifications non enregistrées"));
    Image1->setFixedSize(24, 24);
    QSizePolicy garde = Image1->sizePolicy();
    garde.setRetainSizeWhenHidden(true); // the dialog does not move when it shows
    Image1->setSizePolicy(garde);
    ligneNom->addWidget(Image1);
    principal->addLayout(ligneNom);

    auto *milieu = new QHBoxLayout;
    principal->addLayout(milieu);

    // Left column: subjects, periods, printing.
    auto *gauche = new QVBoxLayout;
    milieu->addLayout(gauche);

    auto *ligneMatieres = new QHBoxLayout;
    RadioGroup1 = new RadioGroupe(QStringLiteral("Valence"),
                                  {QStringLiteral("1 matière"), QStringLiteral("2 matières")}, 1, this);
    RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
    RadioGroup1->setToolTip(
        QStringLiteral("Choisissez 2 matières, seulement si vous avez besoin de leur moyenne !\r\n"
                       "Pour 2, 3, 4 ... matières indépendantes DUPLIQUEZ (menu principal)\r\n"
                       "1, 2, 3 ... fois le fichier créé ici, en changeant son nom et l'intitulé."));
    ligneMatieres->addWidget(RadioGroup1);
    auto *intitules = new QVBoxLayout;
    intitules->addWidget(new QLabel(QStringLiteral("Intitulé :"), this));
    E2 = new ChampConf(ChampConf::Texte, 4, this);
    E2->setObjectName(QStringLiteral("E2"));
    E3 = new ChampConf(ChampConf::Texte, 4, this);
    E3->setObjectName(QStringLiteral("E3"));
    for (auto *e : {E2, E3}) {
        e->setFixedWidth(e->fontMetrics().horizontalAdvance(QStringLiteral("WWWW")) + 14);
        intitules->addWidget(e);
    }
    intitules->addStretch();
    ligneMatieres->addLayout(intitules);
    ligneMatieres->addStretch();
    gauche->addLayout(ligneMatieres);

    RadioGroup2 = new RadioGroupe(QStringLiteral("Périodicité"),
                                  {QStringLiteral("Trimestre"), QStringLiteral("Semestre")}, 1, this);
    RadioGroup2->setObjectName(QStringLiteral("RadioGroup2"));
    gauche->addWidget(RadioGroup2);

    CheckBox1 = new QCheckBox(QStringLiteral("Vider le fichier de ses notes,\ncoefficients et dates"), this);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    CheckBox1->setToolTip(
        QStringLiteral("Décochez cette option uniquement pour conserver les notes déjà mises"));
    gauche->addWidget(CheckBox1);

    auto *ligneImpression = new QHBoxLayout;
    RG3 = new RadioGroupe(QStringLiteral("Impression"),
                          {QStringLiteral("Normale"), QStringLiteral("En gras")}, 1, this);
    RG3->setObjectName(QStringLiteral("RG3"));
    ligneImpression->addWidget(RG3);
    auto *taille = new QVBoxLayout;
    taille->addStretch();
    taille->addWidget(new QLabel(QStringLiteral("Taille de\nl'écriture"), this));
    SpinEdit1 = new SpinFleches(this);
    SpinEdit1->setObjectName(QStringLiteral("SpinEdit1"));
    SpinEdit1->setRange(1, 72);
    SpinEdit1->setValue(8);
    taille->addWidget(SpinEdit1);
    taille->addStretch();
    ligneImpression->addLayout(taille);
    ligneImpression->addStretch();
    gauche->addLayout(ligneImpression);

    B6 = bouton(QStringLiteral("Coef / Date"), "B6", this);
    B6->setToolTip(QStringLiteral("pour chaque IE ou Devoir"));
    gauche->addWidget(B6, 0, Qt::AlignLeft);
    gauche->addStretch();

    // Right: the student list and its editing.
    auto *droite = new QGridLayout;
    milieu->addLayout(droite, 1);
    LB1 = new ListeBoite(this);
    LB1->setObjectName(QStringLiteral("LB1"));
    LB1->setToolTip(QStringLiteral("Bouton gauche : choisir / bouton droit : désélectionner"));
    LB1->setMinimumWidth(LB1->fontMetrics().horizontalAdvance(QStringLiteral("WWWWWWWWWWWW Wwwwwwwwwwww")));
    LB1->setMinimumHeight(300);
    droite->addWidget(LB1, 0, 0, 12, 1);

    L6 = new QLabel(this);
    L6->setObjectName(QStringLiteral("L6"));
    L6->setMinimumWidth(L6->fontMetrics().horizontalAdvance(QStringLiteral("Nombre d'élèves : 127")) + 4);
    droite->addWidget(L6, 0, 1);
    droite->addWidget(new QLabel(QStringLiteral("Nom :"), this), 1, 1);
    M4 = new ChampConf(ChampConf::NomEleve, 12, this);
    M4->setObjectName(QStringLiteral("M4"));
    droite->addWidget(M4, 2, 1);
    droite->addWidget(new QLabel(QStringLiteral("Prénom :"), this), 3, 1);
    M5 = new ChampConf(ChampConf::Texte, 12, this);
    M5->setObjectName(QStringLiteral("M5"));
    droite->addWidget(M5, 4, 1);
    B2 = bouton(QStringLiteral("&Ajouter élève"), "B2", this);
    droite->addWidget(B2, 5, 1);
    B4 = new BoutonSuppression(this);
    B4->setText(QStringLiteral("&Supprimer élève"));
    B4->setObjectName(QStringLiteral("B4"));
    B4->setAutoDefault(false);
    B4->setToolTip(QStringLiteral("Suppression rapide par glisser-lâcher de la liste vers ce bouton"));
    droite->addWidget(B4, 6, 1);
    B5 = bouton(QStringLiteral("&Modifier identité"), "B5", this);
    droite->addWidget(B5, 7, 1);
    BImporter = bouton(QStringLiteral("&Importer…"), "BImporter", this);
    BImporter->setToolTip(QStringLiteral("Ajouter des élèves depuis un fichier texte ou CSV"));
    droite->addWidget(BImporter, 8, 1);
    Label3 = new QLabel(QStringLiteral("?"), this);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setFrameStyle(QFrame::Box | QFrame::Plain);
    Label3->setAlignment(Qt::AlignCenter);
    Label3->setFixedSize(22, 22);
    Label3->setCursor(Qt::PointingHandCursor);
    QFont gras = Label3->font();
    gras.setBold(true);
    Label3->setFont(gras);
    Label3->installEventFilter(this);
    droite->addWidget(Label3, 9, 1, Qt::AlignCenter);
    droite->setRowStretch(10, 1);

    auto *bas = new QHBoxLayout;
    bas->addStretch();
    B3 = bouton(QStringLiteral("&Enregistrer"), "B3", this);
    B3->setToolTip(QStringLiteral("Tri et enregistrement"));
    bas->addWidget(B3);
    B1 = bouton(QStringLiteral("&Quitter"), "B1", this);
    bas->addWidget(B1);
    droite->addLayout(bas, 11, 1);

    // The status line floats over the bottom of the dialog, so that the
    // three-line hints show whole; the layout keeps its usual room.
    StatusLine = new LigneEtat(this);
    principal->addSpacing(StatusLine->height());
    LigneEtatExtensible(StatusLine);

    Timer1 = new QTimer(this);
    Timer1->setInterval(1000);

    // A setting changed by the teacher is a change; going into a control is not.
    for (auto *g : {RadioGroup1, RadioGroup2, RG3})
        connect(g, &RadioGroupe::clique, this, &TConfForm::entreeControle);

    connect(E1, &QLineEdit::textChanged, this, [this](const QString &t) {
        if (!ModeDuplication || m_ouverture)
            return;
        if (!t.isEmpty())
            Conf::Modifie = true;
        B6->setEnabled(!t.isEmpty());
        NomClasse = t; // the coefficients dialog writes the new class's settings
    });
    connect(RadioGroup1, &RadioGroupe::clique, this, [this](int i) {
        E3->setVisible(i == 1);
        UneMatiere = i == 0;
    });
    connect(RadioGroup2, &RadioGroupe::clique, this, [](int i) { DeuxPeriodes = i == 1; });
    connect(E2, &QLineEdit::textChanged, this, [this](const QString &t) {
        LibelleMat1 = t;
        entreeControle();
    });
    connect(E3, &QLineEdit::textChanged, this, [this](const QString &t) {
        LibelleMat2 = t;
        entreeControle();
    });
    connect(SpinEdit1, &QSpinBox::valueChanged, this, [this](int v) {
        TailleEcriture = v;
        entreeControle();
    });
    connect(CheckBox1, &QCheckBox::toggled, this, [this](bool coche) {
        Conf::ViderNotes = coche;
        // Coefficients set now would be reset by the save of an emptied copy.
        B6->setVisible(!coche);
    });
    connect(LB1, &QListWidget::itemSelectionChanged, this, &TConfForm::LB1Click);
    connect(LB1, &ListeBoite::deselection, this, [this] {
        M4->clear();
        M5->clear();
    });
    M4->surEntree = [this] {
        if (!M4->text().isEmpty())
            M5->setFocus(Qt::TabFocusReason);
    };
    M5->surEntree = [this] {
        if (!M5->text().isEmpty())
            B2Click();
    };
    connect(B1, &QPushButton::clicked, this, &TConfForm::B1Click);
    connect(B2, &QPushButton::clicked, this, &TConfForm::B2Click);
    connect(B3, &QPushButton::clicked, this, &TConfForm::B3Click);
    connect(B4, &QPushButton::clicked, this, &TConfForm::B4Click);
    connect(B4, &BoutonSuppression::eleveLache, this, &TConfForm::B4DragDrop);
    connect(B5, &QPushButton::clicked, this, &TConfForm::B5Click);
    connect(B6, &QPushButton::clicked, this, &TConfForm::B6Click);
    connect(BImporter, &QPushButton::clicked, this, &TConfForm::BImporterClick);
    connect(Timer1, &QTimer::timeout, this, &TConfForm::Timer1Timer);
}

void TConfForm::showEvent(QShowEvent *e)
{
    if (!e->spontaneous())
        FormShow();
    QDialog::showEvent(e);
}

void TConfForm::FormShow()
{
    m_ouverture = true;
    CheckBox1->setEnabled(true);
    lectureSeule(false);
    CheckBox1->setChecked(true);
    Conf::ViderNotes = true;
    CheckBox1->setVisible(ModeDuplication);
    Conf::Modifie = false;
    Conf::ATrier = false;
    LB1->clear();
    L6->clear();
    M4->clear();
    M5->clear();
    Conf::DemanderEcrasement = true;

    auto remplirListe = [this] {
        for (const StudentRecord &r : ListeEleves)
            LB1->ajouter(EntreeEleve(r.Nom, r.Prenom));
        afficherNombre();
    };

    if (ModeCreation) {
        B6->hide();
        setWindowTitle(QStringLiteral("Création du fichier"));
        ViderClasse();
        OptionsParDefaut();
        LibelleMat1 = QStringLiteral("Mat1");
        LibelleMat2 = QStringLiteral("Mat2");
        E2->setText(LibelleMat1);
        E3->setText(LibelleMat2);
        E1->setEnabled(true);
        E1->clear();
        RadioGroup1->setItemIndex(1);
        RadioGroup2->setItemIndex(0);
        RadioGroup1->setEnabled(true);
        RadioGroup2->setEnabled(true);
        UneMatiere = false;
        DeuxPeriodes = false;
        for (int p = 1; p <= 3; ++p) {
            CoefPeriode[p] = COEFS_PAR_DEFAUT;
            DatePeriode[p] = DatesParDefaut();
        }
        RG3->setItemIndex(0);
        Gras = false;
        SpinEdit1->setValue(8);
        TailleEcriture = 8;
    } else if (ModeModification) {
        B6->show();
        B6->setEnabled(true);
        setWindowTitle(QStringLiteral("Modification du fichier ") + NomClasse);
        E1->setText(NomFichier.left(NomFichier.size() - 4));
        E1->setEnabled(false);
        RadioGroup1->setItemIndex(UneMatiere ? 0 : 1);
        RadioGroup2->setItemIndex(DeuxPeriodes ? 1 : 0);
        RadioGroup1->setEnabled(false);
        RadioGroup2->setEnabled(false);
        RG3->setItemIndex(Gras ? 1 : 0);
        const QString mat1 = LibelleMat1, mat2 = LibelleMat2;
        E2->setText(mat1);
        E3->setText(mat2);
        remplirListe();
        SpinEdit1->setValue(TailleEcriture);
    } else if (ModeDuplication) {
        B6->setVisible(!CheckBox1->isChecked());
        B6->setEnabled(false);
        setWindowTitle(QStringLiteral("Duplication du fichier ") + NomClasse);
        E1->setEnabled(true);
        E1->clear();
        RadioGroup1->setItemIndex(UneMatiere ? 0 : 1);
        RadioGroup2->setItemIndex(DeuxPeriodes ? 1 : 0);
        RadioGroup1->setEnabled(true);
        RadioGroup2->setEnabled(true);
        RG3->setItemIndex(Gras ? 1 : 0);
        const QString mat1 = LibelleMat1, mat2 = LibelleMat2.isEmpty() ? QStringLiteral("Mat2") : LibelleMat2;
        E2->setText(mat1);
        E3->setText(mat2);
        remplirListe();
        SpinEdit1->setValue(TailleEcriture);
    }
    E3->setVisible(RadioGroup1->itemIndex() == 1);
    E2->setToolTip(E2->text() == QLatin1String("Mat1")
                       ? QStringLiteral("Effacez et entrez le libellé de votre 1ère matière")
                       : QString());
    E3->setToolTip(E3->text() == QLatin1String("Mat2")
                       ? QStringLiteral("Effacez et entrez le libellé de votre 2ème matière")
                       : QString());
    if (E1->isEnabled())
        E1->setFocus();
    else
        M4->setFocus();
    Conf::Modifie = false;
    m_ouverture = false;
    if (ModeModification)
        reserver();
    Timer1->start();
    Timer1Timer();
}

void TConfForm::Timer1Timer()
{
    Image1->setVisible(Conf::Modifie);
    Label3->setVisible(LB1->count() < 3);
}

bool TConfForm::eventFilter(QObject *objet, QEvent *e)
{
    if (objet == Label3 && e->type() == QEvent::MouseButtonRelease) {
        Label3Click();
        return true;
    }
    return QDialog::eventFilter(objet, e);
}

void TConfForm::entreeControle()
{
    if (!m_ouverture)
        Conf::Modifie = true;
}

void TConfForm::Label3Click()
{
    Messages::information(QStringLiteral(
        "Inutile de taper les majuscules pour le nom\r\nou pour l'initiale (ou les initiales) du prénom,\r\n"
        "le programme s'en chargera.\r\n\r\nnom + ENTREE\r\nprénom + ENTREE etc ...\r\n"));
}

void TConfForm::afficherNombre()
{
    L6->setText(QStringLiteral("Nombre d'élèves : ") + QString::number(NbEleves()));
}

void TConfForm::LB1Click()
{
    const auto choisis = LB1->selectedItems();
    if (choisis.isEmpty())
        return;
    const QString t = choisis.first()->text();
    const qsizetype espace = t.indexOf(QLatin1Char(' '));
    M4->setText(espace < 0 ? t : t.left(espace));
    M5->setText(espace < 0 ? QString() : t.mid(espace + 1));
}

void TConfForm::ajouterEleve(const QString &nom, const QString &prenom)
{
    LB1->ajouter(EntreeEleve(nom, prenom));
    StudentRecord r;
    r.Nom = nom;
    r.Prenom = prenom;
    ListeEleves.append(r);
    Conf::ATrier = true;
    Conf::Modifie = true;
    afficherNombre();
}

void TConfForm::retirerEleve(const QString &entree)
{
    // One record per entry, so that a class holding the same name twice stays
    // in step with its list.
    for (qsizetype i = 0; i < ListeEleves.size(); ++i) {
        if (EntreeEleve(ListeEleves[i].Nom, ListeEleves[i].Prenom) == entree) {
            ListeEleves.removeAt(i);
            break;
        }
    }
    delete LB1->trouver(entree);
    afficherNombre();
    Conf::Modifie = true;
}

void TConfForm::B2Click()
{
    if (M4->text().isEmpty() || M5->text().isEmpty()) {
        Messages::simple(QStringLiteral("Il faut entrer un nom et un prénom !"));
    } else {
        const QString nom = NomDepuisSaisie(M4->text());
        const QString prenom = PrenomDepuisSaisie(M5->text());
        if (LB1->trouver(EntreeEleve(nom, prenom))) {
            Messages::simple(TexteExisteDeja);
            M4->clear();
            M5->clear();
        } else if (!PeutAjouterEleve()) {
            Messages::simple(MessageClassePleine());
        } else {
            ajouterEleve(nom, prenom);
            M4->clear();
            M5->clear();
        }
    }
    M4->setFocus(Qt::OtherFocusReason);
}

namespace {
// The entry named by the two fields. The surname is compared with a to z
// upper-cased as typed; failing that, fully upper-cased, as the add button
// stores it (so "élu" finds ÉLU).
QListWidgetItem *trouverSaisi(ListeBoite *lb, const QString &m4, const QString &m5, QString &nom,
                              QString &prenom)
{
    prenom = PrenomDepuisSaisie(m5);
    nom = NomRecherche(m4);
    if (auto *item = lb->trouver(EntreeEleve(nom, prenom)))
        return item;
    const QString complet = NomDepuisSaisie(m4);
    if (auto *item = lb->trouver(EntreeEleve(complet, prenom))) {
        nom = complet;
        return item;
    }
    return nullptr;
}
} // namespace

void TConfForm::B4Click()
{
    if (LB1->count() == 0) {
        Messages::simple(TexteVide);
        return;
    }
    QString nom, prenom;
    if (auto *item = trouverSaisi(LB1, M4->text(), M5->text(), nom, prenom)) {
        LB1->setCurrentItem(item);
        if (ConfirmerSuppression(nom, prenom))
            retirerEleve(item->text());
        M4->clear();
        M5->clear();
    } else if (!M4->text().isEmpty() || !M5->text().isEmpty()) {
        Messages::simple(TexteNonTrouve);
    }
    LB1->clearSelection();
    LB1->setCurrentItem(nullptr);
}

void TConfForm::B4DragDrop(const QString &entree)
{
    if (!LB1->trouver(entree))
        return;
    retirerEleve(entree);
    M4->clear();
    M5->clear();
    LB1->clearSelection();
    LB1->setCurrentItem(nullptr);
}

void TConfForm::B5Click()
{
    QString nom, prenom;
    QListWidgetItem *item = trouverSaisi(LB1, M4->text(), M5->text(), nom, prenom);
    if (!item) {
        Messages::simple(TexteNonTrouve);
        LB1->clearSelection();
        return;
    }
    const QString ancien = item->text();
    QString reponse = ancien; // cancelling keeps the old name
    Messages::saisie(QStringLiteral("Modifier l'identité de :"), ancien, reponse);
    reponse = reponse.trimmed();
    const qsizetype espace = reponse.indexOf(QLatin1Char(' '));
    const QString suite = espace < 0 ? QString() : reponse.mid(espace + 1).trimmed();
    if (espace <= 0 || suite.isEmpty() || !TexteStockable(reponse)) {
        Messages::simple(QStringLiteral("Erreur dans le nouveau nom"));
        LB1->clearSelection();
        return;
    }
    const QString nouveauNom = NomDepuisSaisie(reponse.left(espace));
    const QString nouveauPrenom = PrenomDepuisSaisie(suite);
    const QString nouveau = EntreeEleve(nouveauNom, nouveauPrenom);
    if (nouveau != ancien && LB1->trouver(nouveau)) {
        Messages::simple(TexteExisteDeja);
        LB1->clearSelection();
        return;
    }
    M4->clear();
    M5->clear();
    item->setText(nouveau);
    for (StudentRecord &r : ListeEleves) {
        if (EntreeEleve(r.Nom, r.Prenom) == ancien) {
            r.Nom = nouveauNom;
            r.Prenom = nouveauPrenom;
            break;
        }
    }
    if (nouveau != ancien) {
        Conf::Modifie = true;
        Conf::ATrier = true;
    }
    LB1->sortItems();
    LB1->clearSelection();
    LB1->setCurrentItem(nullptr);
}

void TConfForm::B6Click()
{
    TCoefForm &f = SurDemande(CoefForm);
    // A class being made is written by its confirmed save, and nothing
    // before: its name may still be another class's.
    f.EcritureDifferee = !ModeModification;
    const int r = f.exec();
    f.EcritureDifferee = false;
    if (r == QDialog::Accepted && !ModeModification)
        entreeControle();
}

bool TConfForm::ecrireFichiers(const QString &nomFichier)
{
    // Emptying applies once, to the class being edited: what is shown, held
    // and written agree after every save.
    const bool vider = ModeDuplication && Conf::ViderNotes && CheckBox1->isEnabled();
    QList<StudentRecord> eleves = ListeEleves;
    if (vider) {
        for (StudentRecord &e : eleves)
            e = sansNotes(e);
    }
    OptionsAEcrire o;
    o.nomClasse = E1->text();
    o.trimestre = RadioGroup2->itemIndex() != 1;
    o.uneMatiere = RadioGroup1->itemIndex() == 0;
    o.mat1 = E2->text();
    o.mat2 = E3->text();
    o.viderCoefDates = vider;
    o.gras = RG3->itemIndex() == 1;
    o.taille = SpinEdit1->value();

    QString erreur;
    {
        Sablier sablier;
        // Both files or neither: a class and settings that disagree would
        // be read wrongly.
        const ResultatEcriture r =
            EcrireElevesEtOptions(CheminReel(DossierProgramme(), nomFichier), eleves, false, o);
        if (r.etat != EtatEcriture::Ecrit) {
            erreur = r.message;
        } else {
            ListeEleves = eleves; // emptied too when the box asked for it
            if (vider) {
                CheckBox1->setEnabled(false);
                B6->setVisible(true);
            }
        }
    }
    if (!erreur.isEmpty()) {
        // Nothing typed is lost: the dialog stays as it was, still marked changed.
        Messages::rapportErreur(erreur);
        return false;
    }
    return true;
}

bool TConfForm::enregistrer()
{
    if (ListeEleves.isEmpty()) {
        Messages::simple(QStringLiteral("       Fichier vide !"));
        Conf::Modifie = false;
        return false;
    }
    if (Conf::ATrier)
        TrierEleves();
    if (E1->text().isEmpty()) {
        Messages::erreur(QStringLiteral("Il est indispensable d'entrer un nom de fichier !"), BoutonOui);
        E1->setFocus();
        return false;
    }
    const QString nomFichier = E1->text() + QStringLiteral(".VTC");
    if (ModeModification) {
        if (!avantEcriture())
            return false;
        if (!ecrireFichiers(E1->text() + QStringLiteral(".VTC")))
            return false;
        MemoriserEmpreinte(CheminReel(DossierProgramme(), E1->text() + QStringLiteral(".VTC")));
        Conf::Modifie = false;
        return true;
    }
    const bool existe = QFileInfo::exists(CheminReel(DossierProgramme(), nomFichier));
    if (existe && Conf::DemanderEcrasement) {
        const int r =
            Messages::erreur(QStringLiteral("Un fichier ") + nomFichier + QStringLiteral(" existe déjà !\r\n")
                                 + QStringLiteral("  Voulez vous le remplacer \r\n")
                                 + QStringLiteral("par celui que vous venez de créer ?"),
                             BoutonOui | BoutonNon, BoutonNon);
        if (r != BoutonOui) {
            E1->setFocus();
            E1->clear();
            return false;
        }
    }
    if (!ecrireFichiers(nomFichier))
        return false;
    Conf::Modifie = false;
    Conf::DemanderEcrasement = false;
    E1->setEnabled(false);
    return true;
}

void TConfForm::B3Click()
{
    enregistrer();
    Timer1Timer(); // the unsaved-changes picture goes at once
}

void TConfForm::fermer()
{
    liberer();
    Timer1->stop();
    ViderClasse();
    QDialog::accept();
}

void TConfForm::B1Click()
{
    if (Conf::Modifie && LB1->count() > 0) {
        const int r = Messages::erreur(
            QStringLiteral(" Le fichier n' a pas été enregistré !\r\nVoulez vous l'enregistrer maintenant ?"),
            BoutonOui | BoutonNon);
        if (r == BoutonOui) {
            enregistrer();
            Timer1Timer();
            return;
        }
        Conf::Modifie = false;
    }
    fermer();
}

void TConfForm::reject()
{
    // Escape and the window manager's close: refused while work is unsaved.
    if (Conf::Modifie && LB1->count() > 0) {
        Messages::avertissement(QStringLiteral("Le fichier a été modifié et n'a pas été enregistré !\r\n    "
                                               "les données saisies pourraient être perdues !\r\n"
                                               "          Il faut sortir par QUITTER"));
        return;
    }
    liberer();
    Timer1->stop();
    ViderClasse();
    QDialog::reject();
}

void TConfForm::BImporterClick()
{
    static QString dossier = QDir::homePath();
    const QString chemin =
        Messages::fichierAOuvrir(QStringLiteral("Importer une liste d'élèves"), dossier,
                                 QStringLiteral("Listes d'élèves (*.csv *.txt);;Tous les fichiers (*)"));
    if (chemin.isEmpty())
        return;
    dossier = QFileInfo(chemin).absolutePath();

    QByteArray octets;
    QString erreur;
    {
        Sablier sablier;
        LireFichierBorne(chemin, TAILLE_MAX_BASE, octets, erreur);
    }
    if (!erreur.isEmpty()) {
        Messages::rapportErreur(erreur);
        return;
    }
    const BilanImport bilan = PreparerImport(AnalyserListeEleves(DecoderTexteImporte(octets)), LB1->entrees(),
                                             NB_ELEVES_MAX - NbEleves());
    for (const auto &e : bilan.aAjouter)
        ajouterEleve(e.first, e.second);
    Messages::information(TexteBilanImport(bilan));
    M4->setFocus();
}
