// The class configuration dialog driven as a teacher would: fields typed,
// buttons clicked, boxes answered by script, files checked on disk.
#include "classdata/classe.h"
#include "classdata/options.h"
#include "platform/dossier.h"
#include "platform/ecrituresure.h"
#include "platform/erreurs.h"
#include "platform/inifile.h"
#include "tests/common/classeessai.h"
#include "tests/common/repondeurscripte.h"
#include "ui/coefficients/coefform.h"
#include "ui/coefficients/spinfleches.h"
#include "ui/components/etatui.h"
#include "ui/components/fenetres.h"
#include "ui/components/radiogroupe.h"
#include "ui/config/champsconf.h"
#include "ui/config/confform.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

// Types as a keyboard would, accented letters included.
void taper(QWidget *w, const QString &texte)
{
    for (QChar c : texte) {
        if (c.unicode() < 128) {
            QTest::keyClick(w, char(c.unicode()));
            continue;
        }
        QKeyEvent appui(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &appui);
        QKeyEvent relache(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &relache);
    }
}

QByteArray lire(const QString &chemin)
{
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString cle(const QString &classe, const QString &nom)
{
    return Ini::lireTexte(CheminProgramme(classe + QStringLiteral(".INI")), QStringLiteral("Options"), nom,
                          QStringLiteral("<absent>"));
}

StudentRecord eleve(const QString &nom, const QString &prenom, double note)
{
    StudentRecord r;
    r.Nom = nom;
    r.Prenom = prenom;
    r.NotesMat1[1][1] = note;
    r.NotesMat2[2][3] = note / 2;
    r.Appreciations[1][1] = QStringLiteral("Bon trimestre");
    return r;
}

} // namespace

class TstConfForm : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void creationUnEleve();
    void filtres();
    void entreeDansUnReglage_data();
    void entreeDansUnReglage();
    void ordreDuTri();
    void duplication_data();
    void duplication();
    void remplacement();
    void fermetures();
    void suppression();
    void renommage();
    void classePleine();
    void echecEnregistrement();
    void pannesEnregistrement();
    void importation();
    void importationNomPrenom();
    void coefficientsDepuisDuplication();
    void duplicationSurUneClasseExistante();
    void viderSAppliqueALaClasse();
    void enregistrementReussiEffaceLIndicateur();
    void questionsSansEchappement_data();
    void questionsSansEchappement();
    void ligneEtatEntiere();

private:
    void ouvrir(bool *mode);
    void ajouter(const QString &nom, const QString &prenom);
    void ecrireClasse(const QString &nom, const QList<StudentRecord> &eleves);
    std::unique_ptr<ClasseEssai> m_dossier;
    std::unique_ptr<TConfForm> f;
    std::unique_ptr<RepondeurScripte> rep;
};

// The three-line hint of "Valence" shows whole in the status line, which gets
// its own height back with a short hint.
void TstConfForm::ligneEtatEntiere()
{
    InstallerBulles();
    ouvrir(&ModeCreation);
    auto *ligne = f->findChild<QLabel *>(QStringLiteral("StatusLine"));
    QVERIFY(ligne);
    QEvent entree(QEvent::Enter);
    QApplication::sendEvent(f->RadioGroup1, &entree);
    QCOMPARE(ligne->text(), f->RadioGroup1->toolTip());
    const QRect place = ligne->contentsRect().adjusted(ligne->indent(), 0, 0, 0);
    const QRect besoin = ligne->fontMetrics().boundingRect(QRect(place.topLeft(), QSize(place.width(), 1000)),
                                                           Qt::TextWordWrap, ligne->text());
    QTRY_VERIFY(besoin.height() <= ligne->contentsRect().height());
    QCOMPARE(ligne->geometry().bottom(), f->height() - 1);
    QEvent sortie(QEvent::Leave);
    QApplication::sendEvent(f->RadioGroup1, &sortie);
    QApplication::sendEvent(f->B1, &entree);
    QTRY_COMPARE(ligne->height(), 19);
}

void TstConfForm::init()
{
    m_dossier = std::make_unique<ClasseEssai>();
    rep = std::make_unique<RepondeurScripte>();
    f = std::make_unique<TConfForm>();
}

void TstConfForm::cleanup()
{
    QVERIFY2(rep->imprevues().isEmpty(), qPrintable(rep->imprevues().join(QLatin1Char('|'))));
    f.reset();
    Fenetres::detruireTout(); // the windows it opened
    rep.reset();
    ViderClasse();
    m_dossier.reset();
}

void TstConfForm::ouvrir(bool *mode)
{
    ModeCreation = ModeModification = ModeDuplication = false;
    *mode = true;
    f->show();
    f->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f.get()));
}

void TstConfForm::ajouter(const QString &nom, const QString &prenom)
{
    f->M4->setFocus();
    taper(f->M4, nom);
    QTest::keyClick(f->M4, Qt::Key_Return);
    taper(f->M5, prenom);
    QTest::keyClick(f->M5, Qt::Key_Return); // Enter in the first name adds
}

void TstConfForm::ecrireClasse(const QString &nom, const QList<StudentRecord> &eleves)
{
    QCOMPARE(EcrireEleves(CheminProgramme(nom + QStringLiteral(".VTC")), eleves).etat, EtatEcriture::Ecrit);
}

void TstConfForm::creationUnEleve()
{
    ouvrir(&ModeCreation);
    QCOMPARE(f->windowTitle(), QStringLiteral("Création du fichier"));
    QVERIFY(f->B6->isHidden());
    QCOMPARE(f->E2->toolTip(), QStringLiteral("Effacez et entrez le libellé de votre 1ère matière"));
    taper(f->E1, QStringLiteral("3a"));
    QCOMPARE(f->E1->text(), QStringLiteral("3A"));

    ajouter(QStringLiteral("dupont"), QStringLiteral("jean-pierre"));
    QCOMPARE(f->LB1->entrees(), QStringList{QStringLiteral("DUPONT Jean-Pierre")});
    QCOMPARE(f->L6->text(), QStringLiteral("Nombre d'élèves : 1"));
    QVERIFY(f->M4->text().isEmpty() && f->M5->text().isEmpty());
    QVERIFY(f->M4->hasFocus());
    f->Timer1Timer();
    QVERIFY(f->Image1->isVisible());
    QVERIFY(f->Label3->isVisible()); // fewer than 3 students

    ajouter(QStringLiteral("dupont"), QStringLiteral("jean-pierre"));
    QCOMPARE(rep->dernierTexte(), QStringLiteral("Cet(te) élève existe déjà dans la liste !"));
    QCOMPARE(f->LB1->count(), 1);

    QTest::mouseClick(f->B3, Qt::LeftButton);
    QCOMPARE(QFileInfo(CheminProgramme(QStringLiteral("3A.VTC"))).size(), 1578);
    QCOMPARE(cle(QStringLiteral("3A"), QStringLiteral("Nombre de périodes")), QStringLiteral("3"));
    QCOMPARE(cle(QStringLiteral("3A"), QStringLiteral("Nombre de matières")), QStringLiteral("2"));
    QCOMPARE(cle(QStringLiteral("3A"), QStringLiteral("Mat1")), QStringLiteral("Mat1"));
    QCOMPARE(cle(QStringLiteral("3A"), QStringLiteral("Mat2")), QStringLiteral("Mat2"));
    for (int p = 1; p <= 3; ++p) {
        QCOMPARE(cle(QStringLiteral("3A"), QStringLiteral("Coefficients période %1").arg(p)),
                 COEFS_PAR_DEFAUT);
        QCOMPARE(cle(QStringLiteral("3A"), QStringLiteral("Dates période %1").arg(p)),
                 QStringLiteral("--/--").repeated(16));
    }
    QCOMPARE(cle(QStringLiteral("3A"), QStringLiteral("Ecriture")), QStringLiteral("0"));
    QCOMPARE(cle(QStringLiteral("3A"), QStringLiteral("Taille de l'écriture")), QStringLiteral("8"));
    QVERIFY(!f->E1->isEnabled());
    QVERIFY(!Conf::Modifie);
    f->Timer1Timer();
    QVERIFY(!f->Image1->isVisible());

    QList<StudentRecord> lus;
    QVERIFY(LireEleves(CheminProgramme(QStringLiteral("3A.VTC")), lus).ok);
    QCOMPARE(lus[0].Nom, QStringLiteral("DUPONT"));
    QCOMPARE(lus[0].Prenom, QStringLiteral("Jean-Pierre"));
    QCOMPARE(lus[0].NotesMat1[2][5], -1.0);

    QTest::mouseClick(f->B1, Qt::LeftButton);
    QVERIFY(!f->isVisible());
    QVERIFY(ListeEleves.isEmpty());
}

// Going into a subject, period, label or printing control is not a change;
// altering it is.
void TstConfForm::entreeDansUnReglage_data()
{
    QTest::addColumn<QString>("controle");
    QTest::addColumn<bool>("modification");
    for (const char *c : {"E2", "RadioGroup1", "RadioGroup2", "RG3", "SpinEdit1"}) {
        QTest::addRow("%s, création", c) << QString::fromLatin1(c) << false;
        QTest::addRow("%s, modification", c) << QString::fromLatin1(c) << true;
    }
}

void TstConfForm::entreeDansUnReglage()
{
    QFETCH(QString, controle);
    QFETCH(bool, modification);
    if (modification) {
        ecrireClasse(QStringLiteral("MODIF"), {eleve(QStringLiteral("ARTHUR"), QStringLiteral("Anne"), 12)});
        QVERIFY(charger(QStringLiteral("MODIF.VTC")).ok);
        ouvrir(&ModeModification);
    } else {
        ouvrir(&ModeCreation);
        ajouter(QStringLiteral("dupont"), QStringLiteral("jean"));
    }
    Conf::Modifie = false;
    QWidget *w = f->findChild<QWidget *>(controle);
    QVERIFY(w);
    auto *groupe = qobject_cast<RadioGroupe *>(w);
    if (groupe) {
        if (!groupe->isEnabled())
            QSKIP("fixed in this mode");
        w = groupe->findChildren<QRadioButton *>().at(groupe->itemIndex() == 0 ? 1 : 0);
    }
    for (auto raison : {Qt::TabFocusReason, Qt::MouseFocusReason, Qt::ShortcutFocusReason}) {
        f->M4->setFocus(Qt::OtherFocusReason);
        w->setFocus(raison);
        QVERIFY(w->hasFocus() || w->isAncestorOf(QApplication::focusWidget()));
        QVERIFY(!Conf::Modifie);
    }
    if (groupe)
        QTest::keyClick(w, Qt::Key_Space);
    else if (w == f->SpinEdit1)
        QTest::keyClick(w, Qt::Key_Up);
    else
        QTest::keyClick(w, Qt::Key_Backspace);
    QVERIFY(Conf::Modifie);
}

void TstConfForm::filtres()
{
    ouvrir(&ModeCreation);
    taper(f->E1, QStringLiteral("a b.é$-_~9xyzw"));
    QCOMPARE(f->E1->text(), QStringLiteral("AB$-_~9X")); // 8 characters at most
    QCOMPARE(rep->bips(), 3);
    QTest::keyClick(f->E1, Qt::Key_Return);
    QVERIFY(!f->E1->hasFocus());

    f->E2->setFocus();
    f->E2->selectAll();
    taper(f->E2, QStringLiteral("Mathématiques"));
    QCOMPARE(f->E2->text(), QStringLiteral("Math"));
    QCOMPARE(LibelleMat1, QStringLiteral("Math"));

    rep->vider();
    f->M4->setFocus();
    // A space becomes "_"; a surname holds 12 characters.
    taper(f->M4, QStringLiteral("de la fontaine"));
    QCOMPARE(f->M4->text(), QStringLiteral("de_la_fontai"));
    f->M4->clear();
    taper(f->M4, QStringLiteral("de la tour"));
    // A character Windows-1252 cannot hold is refused as it is typed.
    taper(f->M5, QStringLiteral("Ł"));
    taper(f->M5, QStringLiteral("jean"));
    QCOMPARE(f->M5->text(), QStringLiteral("jean"));
    QCOMPARE(rep->bips(), 1);
    // Enter in an empty first name adds nothing.
    f->M5->clear();
    QTest::keyClick(f->M5, Qt::Key_Return);
    QCOMPARE(f->LB1->count(), 0);
    QTest::mouseClick(f->B2, Qt::LeftButton);
    QCOMPARE(rep->dernierTexte(), QStringLiteral("Il faut entrer un nom et un prénom !"));
    QCOMPARE(f->M4->text(), QStringLiteral("de_la_tour"));

    taper(f->M5, QStringLiteral("jean"));
    QTest::mouseClick(f->B2, Qt::LeftButton);
    QCOMPARE(f->LB1->entrees(), QStringList{QStringLiteral("DE_LA_TOUR Jean")});
}

void TstConfForm::ordreDuTri()
{
    ouvrir(&ModeCreation);
    taper(f->E1, QStringLiteral("TRI"));
    ajouter(QStringLiteral("zola"), QStringLiteral("zoé"));
    ajouter(QStringLiteral("élu"), QStringLiteral("émile"));
    ajouter(QStringLiteral("arthur"), QStringLiteral("anne"));
    QCOMPARE(f->LB1->entrees(),
             (QStringList{QStringLiteral("ARTHUR Anne"), QStringLiteral("ÉLU Émile"),
                          QStringLiteral("ZOLA Zoé")}));
    QVERIFY(Conf::ATrier);
    QTest::mouseClick(f->B3, Qt::LeftButton);
    QVERIFY(!Conf::ATrier);
    QList<StudentRecord> lus;
    QVERIFY(LireEleves(CheminProgramme(QStringLiteral("TRI.VTC")), lus).ok);
    QCOMPARE(lus.size(), 3);
    QCOMPARE(lus[0].Nom, QStringLiteral("ARTHUR"));
    QCOMPARE(lus[1].Nom, QStringLiteral("ÉLU"));
    QCOMPARE(lus[2].Nom, QStringLiteral("ZOLA"));
    f->Timer1Timer();
    QVERIFY(!f->Label3->isVisible());
}

void TstConfForm::duplication_data()
{
    QTest::addColumn<bool>("vider");
    QTest::newRow("coché") << true;
    QTest::newRow("décoché") << false;
}

void TstConfForm::duplication()
{
    QFETCH(bool, vider);
    const QList<StudentRecord> source = {eleve(QStringLiteral("ARTHUR"), QStringLiteral("Anne"), 12.5),
                                         eleve(QStringLiteral("ZOLA"), QStringLiteral("Zoé"), 8)};
    ecrireClasse(QStringLiteral("SRC"), source);
    NomClasse = QStringLiteral("SRC");
    OptionsParDefaut();
    UneMatiere = false;
    LibelleMat1 = QStringLiteral("Fran");
    LibelleMat2 = QStringLiteral("Lati");
    CoefPeriode[1] = QStringLiteral("2301111111111111");
    DatePeriode[2] = QStringLiteral("05/11") + QStringLiteral("--/--").repeated(15);
    TailleEcriture = 10;
    QCOMPARE(EcrireOptions({QStringLiteral("SRC"), true, false, LibelleMat1, LibelleMat2, false, true, 10}),
             QString());
    QVERIFY(charger(QStringLiteral("SRC.VTC")).ok);

    ouvrir(&ModeDuplication);
    QCOMPARE(f->windowTitle(), QStringLiteral("Duplication du fichier SRC"));
    QVERIFY(f->CheckBox1->isVisible() && f->CheckBox1->isChecked());
    QCOMPARE(f->LB1->count(), 2);
    QVERIFY(!Conf::Modifie);
    taper(f->E1, QStringLiteral("copie"));
    QVERIFY(Conf::Modifie);
    QCOMPARE(NomClasse, QStringLiteral("COPIE"));
    if (!vider)
        f->CheckBox1->click();
    QCOMPARE(f->B6->isVisible(), !vider);
    QTest::mouseClick(f->B3, Qt::LeftButton);

    const QByteArray copie = lire(CheminProgramme(QStringLiteral("COPIE.VTC")));
    if (vider) {
        QList<StudentRecord> lus;
        QVERIFY(LireEleves(CheminProgramme(QStringLiteral("SRC.VTC")), lus).ok);
        const QString attendu = CheminProgramme(QStringLiteral("ATTENDU.VTC"));
        QCOMPARE(EcrireEleves(attendu, lus, true).etat, EtatEcriture::Ecrit);
        QCOMPARE(copie, lire(attendu));
        QVERIFY(LireEleves(CheminProgramme(QStringLiteral("COPIE.VTC")), lus).ok);
        QCOMPARE(lus.size(), 2);
        QCOMPARE(lus[1].Prenom, QStringLiteral("Zoé"));
        QCOMPARE(lus[0].NotesMat1[1][1], -1.0);
        QCOMPARE(lus[0].NotesMat2[2][3], -1.0);
        QVERIFY(lus[0].Appreciations[1][1].isEmpty());
        QCOMPARE(cle(QStringLiteral("COPIE"), QStringLiteral("Coefficients période 1")), COEFS_PAR_DEFAUT);
        QCOMPARE(cle(QStringLiteral("COPIE"), QStringLiteral("Dates période 2")), DatesParDefaut());
    } else {
        QCOMPARE(copie, lire(CheminProgramme(QStringLiteral("SRC.VTC"))));
        QCOMPARE(cle(QStringLiteral("COPIE"), QStringLiteral("Coefficients période 1")),
                 QStringLiteral("2301111111111111"));
        QCOMPARE(cle(QStringLiteral("COPIE"), QStringLiteral("Dates période 2")).left(5),
                 QStringLiteral("05/11"));
    }
    QCOMPARE(cle(QStringLiteral("COPIE"), QStringLiteral("Mat2")), QStringLiteral("Lati"));
    QCOMPARE(cle(QStringLiteral("COPIE"), QStringLiteral("Ecriture")), QStringLiteral("1"));
    QCOMPARE(cle(QStringLiteral("COPIE"), QStringLiteral("Taille de l'écriture")), QStringLiteral("10"));
    // The source class is untouched.
    QCOMPARE(cle(QStringLiteral("SRC"), QStringLiteral("Coefficients période 1")),
             QStringLiteral("2301111111111111"));
}

void TstConfForm::remplacement()
{
    QFile existant(CheminProgramme(QStringLiteral("EXIST.VTC")));
    QVERIFY(existant.open(QIODevice::WriteOnly));
    existant.write("ancien");
    existant.close();

    ouvrir(&ModeCreation);
    taper(f->E1, QStringLiteral("exist"));
    ajouter(QStringLiteral("martin"), QStringLiteral("paul"));
    rep->prevoir(BoutonNon);
    QTest::mouseClick(f->B3, Qt::LeftButton);
    QCOMPARE(rep->dernierTexte(),
             QStringLiteral("Un fichier EXIST.VTC existe déjà !\r\n  Voulez vous le remplacer \r\n"
                            "par celui que vous venez de créer ?"));
    QCOMPARE(rep->boites().last().type, TypeBoite::Erreur);
    QVERIFY(f->E1->text().isEmpty() && f->E1->isEnabled());
    QCOMPARE(lire(existant.fileName()), QByteArray("ancien"));
    QVERIFY(Conf::Modifie);

    taper(f->E1, QStringLiteral("EXIST"));
    rep->prevoir(BoutonOui);
    QTest::mouseClick(f->B3, Qt::LeftButton);
    QCOMPARE(QFileInfo(existant.fileName()).size(), 1578);
    QVERIFY(!f->E1->isEnabled());

    // Later saves replace this dialog's own file without asking.
    const int boites = int(rep->boites().size());
    ajouter(QStringLiteral("durand"), QStringLiteral("luc"));
    QTest::mouseClick(f->B3, Qt::LeftButton);
    QCOMPARE(rep->boites().size(), boites);
    QCOMPARE(QFileInfo(existant.fileName()).size(), 2 * 1578);

    // An empty name is refused.
    f->E1->setEnabled(true);
    f->E1->clear();
    rep->prevoir(BoutonOui);
    QTest::mouseClick(f->B3, Qt::LeftButton);
    QCOMPARE(rep->dernierTexte(), QStringLiteral("Il est indispensable d'entrer un nom de fichier !"));
    QCOMPARE(rep->boites().last().boutons, int(BoutonOui));
}

void TstConfForm::fermetures()
{
    ouvrir(&ModeCreation);
    taper(f->E1, QStringLiteral("FERME"));
    ajouter(QStringLiteral("martin"), QStringLiteral("paul"));
    f->close();
    QVERIFY(f->isVisible());
    QCOMPARE(rep->dernierTexte(),
             QStringLiteral("Le fichier a été modifié et n'a pas été enregistré !\r\n"
                            "    les données saisies pourraient être perdues !\r\n"
                            "          Il faut sortir par QUITTER"));
    QCOMPARE(rep->boites().last().type, TypeBoite::Avertissement);
    QTest::keyClick(f.get(), Qt::Key_Escape);
    QVERIFY(f->isVisible());

    // Quit, Yes: saved, the dialog stays open.
    rep->prevoir(BoutonOui);
    QTest::mouseClick(f->B1, Qt::LeftButton);
    QCOMPARE(
        rep->boites().last().texte,
        QStringLiteral(" Le fichier n' a pas été enregistré !\r\nVoulez vous l'enregistrer maintenant ?"));
    QVERIFY(f->isVisible());
    QVERIFY(QFile::exists(CheminProgramme(QStringLiteral("FERME.VTC"))));

    // Quit, No: the change is dropped, nothing written.
    ajouter(QStringLiteral("durand"), QStringLiteral("luc"));
    rep->prevoir(BoutonNon);
    QTest::mouseClick(f->B1, Qt::LeftButton);
    QVERIFY(!f->isVisible());
    QVERIFY(ListeEleves.isEmpty());
    QCOMPARE(QFileInfo(CheminProgramme(QStringLiteral("FERME.VTC"))).size(), 1578);

    // Nothing unsaved: the close box closes.
    ouvrir(&ModeCreation);
    f->close();
    QVERIFY(!f->isVisible());

    // Saving an empty list writes nothing.
    ouvrir(&ModeCreation);
    taper(f->E1, QStringLiteral("VIDE"));
    QTest::mouseClick(f->B3, Qt::LeftButton);
    QCOMPARE(rep->dernierTexte(), QStringLiteral("       Fichier vide !"));
    QVERIFY(!QFile::exists(CheminProgramme(QStringLiteral("VIDE.VTC"))));
}

void TstConfForm::suppression()
{
    ouvrir(&ModeCreation);
    QTest::mouseClick(f->B4, Qt::LeftButton);
    QCOMPARE(rep->dernierTexte(), QStringLiteral("   Fichier Vide"));
    ajouter(QStringLiteral("martin"), QStringLiteral("paul"));
    ajouter(QStringLiteral("durand"), QStringLiteral("luc"));
    ajouter(QStringLiteral("élu"), QStringLiteral("émile"));

    f->M4->setText(QStringLiteral("petit"));
    f->M5->setText(QStringLiteral("jean"));
    QTest::mouseClick(f->B4, Qt::LeftButton);
    QCOMPARE(rep->dernierTexte(), QStringLiteral("Elève non trouvé(e) dans la liste !"));

    // Typed in lower case, accents included, the entry is still found.
    f->M4->setText(QStringLiteral("élu"));
    f->M5->setText(QStringLiteral("émile"));
    rep->prevoir(BoutonNon);
    QTest::mouseClick(f->B4, Qt::LeftButton);
    QCOMPARE(rep->dernierTexte(),
             QStringLiteral("Voulez-vous vraiment supprimer la fiche de \r\n             ÉLU Émile"));
    QCOMPARE(f->LB1->count(), 3);
    QVERIFY(f->M4->text().isEmpty());

    // A click on an entry fills both fields.
    QTest::mouseClick(f->LB1->viewport(), Qt::LeftButton, {},
                      f->LB1->visualItemRect(f->LB1->trouver(QStringLiteral("MARTIN Paul"))).center());
    QCOMPARE(f->M4->text(), QStringLiteral("MARTIN"));
    QCOMPARE(f->M5->text(), QStringLiteral("Paul"));
    Conf::Modifie = false;
    rep->prevoir(BoutonOui);
    QTest::mouseClick(f->B4, Qt::LeftButton);
    QCOMPARE(f->LB1->entrees(), (QStringList{QStringLiteral("DURAND Luc"), QStringLiteral("ÉLU Émile")}));
    QCOMPARE(NbEleves(), 2);
    QVERIFY(Conf::Modifie);
    QVERIFY(f->LB1->selectedItems().isEmpty());

    // The right button deselects and empties the fields.
    QTest::mouseClick(f->LB1->viewport(), Qt::LeftButton, {},
                      f->LB1->visualItemRect(f->LB1->item(0)).center());
    QTest::mouseClick(f->LB1->viewport(), Qt::RightButton, {},
                      f->LB1->visualItemRect(f->LB1->item(0)).center());
    QVERIFY(f->M4->text().isEmpty() && f->LB1->selectedItems().isEmpty());

    // Dropped on the delete button: gone without a question.
    const int boites = int(rep->boites().size());
    f->B4DragDrop(QStringLiteral("DURAND Luc"));
    QCOMPARE(rep->boites().size(), boites);
    QCOMPARE(f->LB1->entrees(), QStringList{QStringLiteral("ÉLU Émile")});
    QCOMPARE(ListeEleves.size(), 1);
    QCOMPARE(ListeEleves[0].Nom, QStringLiteral("ÉLU"));
    QCOMPARE(f->L6->text(), QStringLiteral("Nombre d'élèves : 1"));
}

void TstConfForm::renommage()
{
    ouvrir(&ModeCreation);
    ajouter(QStringLiteral("dupont"), QStringLiteral("jean"));
    ajouter(QStringLiteral("martin"), QStringLiteral("paul"));
    Conf::Modifie = Conf::ATrier = false;

    f->M4->setText(QStringLiteral("dupont"));
    f->M5->setText(QStringLiteral("jean"));
    rep->prevoir(BoutonOk, QStringLiteral("DUPONTJEAN"));
    QTest::mouseClick(f->B5, Qt::LeftButton);
    QCOMPARE(rep->boites().at(rep->boites().size() - 2).titre, QStringLiteral("Modifier l'identité de :"));
    QCOMPARE(rep->boites().at(rep->boites().size() - 2).valeur, QStringLiteral("DUPONT Jean"));
    QCOMPARE(rep->dernierTexte(), QStringLiteral("Erreur dans le nouveau nom"));
    QCOMPARE(f->LB1->entrees(), (QStringList{QStringLiteral("DUPONT Jean"), QStringLiteral("MARTIN Paul")}));
    QVERIFY(!Conf::Modifie);

    // Renaming onto another student would make two of the same.
    rep->prevoir(BoutonOk, QStringLiteral("MARTIN Paul"));
    QTest::mouseClick(f->B5, Qt::LeftButton);
    QCOMPARE(rep->dernierTexte(), QStringLiteral("Cet(te) élève existe déjà dans la liste !"));

    rep->prevoir(BoutonOk, QStringLiteral("vidal jean-marc"));
    QTest::mouseClick(f->B5, Qt::LeftButton);
    QCOMPARE(f->LB1->entrees(),
             (QStringList{QStringLiteral("MARTIN Paul"), QStringLiteral("VIDAL Jean-Marc")}));
    QCOMPARE(ListeEleves[0].Nom, QStringLiteral("VIDAL"));
    QCOMPARE(ListeEleves[0].Prenom, QStringLiteral("Jean-Marc"));
    QVERIFY(Conf::Modifie && Conf::ATrier);
    QVERIFY(f->M4->text().isEmpty());

    f->M4->setText(QStringLiteral("absent"));
    f->M5->setText(QStringLiteral("x"));
    QTest::mouseClick(f->B5, Qt::LeftButton);
    QCOMPARE(rep->dernierTexte(), QStringLiteral("Elève non trouvé(e) dans la liste !"));
}

void TstConfForm::classePleine()
{
    QList<StudentRecord> eleves;
    for (int i = 0; i < 127; ++i)
        eleves.append(
            eleve(QStringLiteral("NOM%1").arg(i, 3, 10, QLatin1Char('0')), QStringLiteral("Prénom"), 10));
    ecrireClasse(QStringLiteral("PLEINE"), eleves);
    QVERIFY(charger(QStringLiteral("PLEINE.VTC")).ok);
    ouvrir(&ModeModification);
    QCOMPARE(f->windowTitle(), QStringLiteral("Modification du fichier PLEINE"));
    QCOMPARE(f->E1->text(), QStringLiteral("PLEINE"));
    QVERIFY(!f->E1->isEnabled() && !f->RadioGroup1->isEnabled());
    QCOMPARE(f->L6->text(), QStringLiteral("Nombre d'élèves : 127"));
    ajouter(QStringLiteral("dernier"), QStringLiteral("arrivé"));
    QCOMPARE(rep->dernierTexte(), MessageClassePleine());
    QCOMPARE(f->LB1->count(), 127);
    QCOMPARE(NbEleves(), 127);
    QVERIFY(!Conf::Modifie);
}

void TstConfForm::echecEnregistrement()
{
    // A folder where the class file should go: the write fails.
    QVERIFY(QDir(m_dossier->path()).mkdir(QStringLiteral("BLOQUE.VTC")));
    ouvrir(&ModeCreation);
    taper(f->E1, QStringLiteral("BLOQUE"));
    ajouter(QStringLiteral("martin"), QStringLiteral("paul"));
    rep->prevoir(BoutonOui);
    QTest::mouseClick(f->B3, Qt::LeftButton);
    QCOMPARE(rep->boites().last().type, TypeBoite::Erreur);
    QCOMPARE(rep->dernierTexte(), QStringLiteral("Accès au fichier refusé."));
    QVERIFY(Conf::Modifie);
    QVERIFY(f->E1->isEnabled());
    QCOMPARE(f->E1->text(), QStringLiteral("BLOQUE"));
    QCOMPARE(NbEleves(), 1);
    QVERIFY(!QFile::exists(CheminProgramme(QStringLiteral("BLOQUE.INI"))));
}

// Modifying a class writes its two files together: each step failing in
// turn leaves both as they were, says why, and keeps the dialog's changes.
void TstConfForm::pannesEnregistrement()
{
    StudentRecord a, b;
    a.Nom = QStringLiteral("DUPONT");
    b.Nom = QStringLiteral("MARTIN");
    ecrireClasse(QStringLiteral("CL"), {a, b});
    QVERIFY(EcrireOptions({QStringLiteral("CL"), true, false, QStringLiteral("Hist"), QStringLiteral("Géo"),
                           false, false, 8})
                .isEmpty());
    const QByteArray vtc = lire(CheminProgramme(QStringLiteral("CL.VTC")));
    const QByteArray ini = lire(CheminProgramme(QStringLiteral("CL.INI")));
    QVERIFY(charger(QStringLiteral("CL.VTC")).ok);
    ouvrir(&ModeModification);
    ajouter(QStringLiteral("zola"), QStringLiteral("emile"));
    for (int n = 1; n <= 11; ++n) {
        const int code = n % 2 ? ENOSPC : EIO;
        EssaiEcriture::echouerAuPas(n, code);
        QTest::mouseClick(f->B3, Qt::LeftButton);
        QCOMPARE(rep->boites().last().type, TypeBoite::Erreur);
        QCOMPARE(rep->dernierTexte(), MessageErreurSysteme(code) + u'.');
        QCOMPARE(lire(CheminProgramme(QStringLiteral("CL.VTC"))), vtc);
        QCOMPARE(lire(CheminProgramme(QStringLiteral("CL.INI"))), ini);
        QVERIFY(Conf::Modifie);
        QCOMPARE(NbEleves(), 3);
    }
    EssaiEcriture::remettreAZero();
    QTest::mouseClick(f->B3, Qt::LeftButton);
    QCOMPARE(EssaiEcriture::pasFaits(), 11);
    QVERIFY(!Conf::Modifie);
    QCOMPARE(QFileInfo(CheminProgramme(QStringLiteral("CL.VTC"))).size(), 3 * 1578);
}

void TstConfForm::importation()
{
    QList<StudentRecord> eleves;
    for (int i = 0; i < 125; ++i)
        eleves.append(
            eleve(QStringLiteral("NOM%1").arg(i, 3, 10, QLatin1Char('0')), QStringLiteral("Prénom"), 10));
    eleves.append(eleve(QStringLiteral("DUPONT"), QStringLiteral("Jean"), 10));
    ecrireClasse(QStringLiteral("IMPORT"), eleves);
    QVERIFY(charger(QStringLiteral("IMPORT.VTC")).ok);
    ouvrir(&ModeModification);

    const QString liste = m_dossier->filePath(QStringLiteral("liste.csv"));
    QFile fichier(liste);
    QVERIFY(fichier.open(QIODevice::WriteOnly));
    fichier.write("Nom;Pr\xE9nom\r\nDUPONT;Jean\r\nSEUL\r\n\xC9LU;\xE9mile\r\nZOLA;Zo\xE9\r\nVIDAL;Luc\r\n");
    fichier.close();

    rep->prevoir(BoutonOk, liste);
    QTest::mouseClick(f->BImporter, Qt::LeftButton);
    QCOMPARE(
        rep->dernierTexte(),
        QStringLiteral(
            "1 élève ajouté.\r\nLigne 2 : élève déjà dans la liste.\r\n"
            "Ligne 3 : nom et prénom impossibles à distinguer (attendu : NOM en majuscules puis Prénom).\r\n"
            "Lignes 5, 6 : classe complète, une classe compte au plus 127 élèves."));
    QCOMPARE(rep->boites().last().type, TypeBoite::Information);
    QCOMPARE(NbEleves(), 127);
    QVERIFY(f->LB1->trouver(QStringLiteral("ÉLU Émile")));
    QVERIFY(Conf::Modifie && Conf::ATrier);

    // A file that cannot be read adds nothing.
    ViderClasse();
    f->LB1->clear();
    rep->prevoir(BoutonOk, m_dossier->filePath(QStringLiteral("absent.csv")));
    QTest::mouseClick(f->BImporter, Qt::LeftButton);
    QCOMPARE(rep->dernierTexte(), QStringLiteral("Fichier introuvable."));
    QCOMPARE(f->LB1->count(), 0);

    // Cancelling the file chooser does nothing.
    const int boites = int(rep->boites().size());
    rep->prevoir(BoutonAnnuler);
    QTest::mouseClick(f->BImporter, Qt::LeftButton);
    QCOMPARE(rep->boites().size(), boites + 1);
}

// A list of "NOM Prénom" lines, compound names included, typed into a class
// being created; the summary names what it had to cut.
void TstConfForm::importationNomPrenom()
{
    ouvrir(&ModeCreation);
    const QString liste = m_dossier->filePath(QStringLiteral("liste.txt"));
    QFile fichier(liste);
    QVERIFY(fichier.open(QIODevice::WriteOnly));
    fichier.write("DE LA FONTAINE Jean\nVAN DER BERG Anne-Marie\nDUPONT Jean Marc\nMartin Paul\n"
                  "LEROY-BEAULIEU Marie-Christine\n");
    fichier.close();
    rep->prevoir(BoutonOk, liste);
    QTest::mouseClick(f->BImporter, Qt::LeftButton);
    QCOMPARE(f->LB1->entrees(),
             (QStringList{QStringLiteral("DE_LA_FONTAI Jean"), QStringLiteral("DUPONT Jean Marc"),
                          QStringLiteral("LEROY-BEAULI Marie-Christ"),
                          QStringLiteral("VAN_DER_BERG Anne-Marie")}));
    QCOMPARE(
        rep->dernierTexte(),
        QStringLiteral(
            "4 élèves ajoutés.\r\n"
            "Ligne 4 : nom et prénom impossibles à distinguer (attendu : NOM en majuscules puis Prénom).\r\n"
            "Coupés à 12 caractères : DE LA FONTAINE Jean → DE_LA_FONTAI Jean ; "
            "LEROY-BEAULIEU Marie-Christine → LEROY-BEAULI Marie-Christ."));
}

void TstConfForm::coefficientsDepuisDuplication()
{
    ecrireClasse(QStringLiteral("SRC"), {eleve(QStringLiteral("ARTHUR"), QStringLiteral("Anne"), 12)});
    QVERIFY(charger(QStringLiteral("SRC.VTC")).ok);
    ouvrir(&ModeDuplication);
    f->CheckBox1->click(); // keep marks: the coefficients button shows
    QVERIFY(f->B6->isVisible() && !f->B6->isEnabled());
    taper(f->E1, QStringLiteral("NEUF"));
    QVERIFY(f->B6->isEnabled());

    bool vu = false;
    QTimer::singleShot(0, this, [&] {
        auto *coef = qobject_cast<TCoefForm *>(QApplication::activeModalWidget());
        vu = coef != nullptr;
        if (!coef)
            return;
        coef->SpinEdit[1][1]->setValue(4);
        coef->BitBtn2->click();
    });
    QTest::mouseClick(f->B6, Qt::LeftButton);
    QVERIFY(vu);
    // Nothing on disk before the class is saved, but the change is pending.
    QVERIFY(!QFile::exists(CheminProgramme(QStringLiteral("NEUF.INI"))));
    QCOMPARE(cle(QStringLiteral("SRC"), QStringLiteral("Coefficients période 1")),
             QStringLiteral("<absent>"));
    QVERIFY(Conf::Modifie);
    QTest::mouseClick(f->B3, Qt::LeftButton);
    QVERIFY(!Conf::Modifie);
    QCOMPARE(cle(QStringLiteral("NEUF"), QStringLiteral("Coefficients période 1")),
             QStringLiteral("4111111111111111"));
    QCOMPARE(cle(QStringLiteral("SRC"), QStringLiteral("Coefficients période 1")),
             QStringLiteral("<absent>"));
}

// Duplicating onto the name of another class touches none of its files
// until the replacement is confirmed; a name never saved leaves nothing.
void TstConfForm::duplicationSurUneClasseExistante()
{
    ecrireClasse(QStringLiteral("SRC"), {eleve(QStringLiteral("ARTHUR"), QStringLiteral("Anne"), 12)});
    ecrireClasse(QStringLiteral("3B"), {eleve(QStringLiteral("ZOLA"), QStringLiteral("Zoé"), 9)});
    NomClasse = QStringLiteral("3B");
    OptionsParDefaut();
    CoefPeriode[2] = QStringLiteral("5555555555555555");
    DatePeriode[1] = QStringLiteral("12/09") + QStringLiteral("--/--").repeated(15);
    QCOMPARE(
        EcrireOptions({QStringLiteral("3B"), true, true, QStringLiteral("Hist"), QString(), false, false, 8}),
        QString());
    const QByteArray ini3B = lire(CheminProgramme(QStringLiteral("3B.INI")));
    const QByteArray vtc3B = lire(CheminProgramme(QStringLiteral("3B.VTC")));
    QVERIFY(charger(QStringLiteral("SRC.VTC")).ok);

    ouvrir(&ModeDuplication);
    f->CheckBox1->click();
    taper(f->E1, QStringLiteral("3b"));
    QTimer::singleShot(0, this, [] {
        if (auto *coef = qobject_cast<TCoefForm *>(QApplication::activeModalWidget())) {
            coef->SpinEdit[2][1]->setValue(7);
            coef->BitBtn2->click();
        }
    });
    QTest::mouseClick(f->B6, Qt::LeftButton);
    QCOMPARE(lire(CheminProgramme(QStringLiteral("3B.INI"))), ini3B);

    rep->prevoir(BoutonNon);
    QTest::mouseClick(f->B3, Qt::LeftButton);
    QVERIFY(rep->dernierTexte().startsWith(QStringLiteral("Un fichier 3B.VTC existe déjà !")));
    QCOMPARE(lire(CheminProgramme(QStringLiteral("3B.INI"))), ini3B);
    QCOMPARE(lire(CheminProgramme(QStringLiteral("3B.VTC"))), vtc3B);

    // Another name, typed and never saved.
    taper(f->E1, QStringLiteral("jamais"));
    QTimer::singleShot(0, this, [] {
        if (auto *coef = qobject_cast<TCoefForm *>(QApplication::activeModalWidget()))
            coef->BitBtn2->click();
    });
    QTest::mouseClick(f->B6, Qt::LeftButton);
    rep->prevoir(BoutonNon);
    QTest::mouseClick(f->B1, Qt::LeftButton);
    QVERIFY(!f->isVisible());
    QCOMPARE(lire(CheminProgramme(QStringLiteral("3B.INI"))), ini3B);
    QCOMPARE(QDir(m_dossier->path()).entryList(QDir::Files, QDir::Name),
             (QStringList{QStringLiteral("3B.INI"), QStringLiteral("3B.VTC"), QStringLiteral("SRC.VTC")}));
}

// Once a save has emptied the duplicate, the class in the dialog is the
// empty one: unticking the box cannot bring the source's marks back.
void TstConfForm::viderSAppliqueALaClasse()
{
    ecrireClasse(QStringLiteral("SRC"), {eleve(QStringLiteral("ARTHUR"), QStringLiteral("Anne"), 12)});
    NomClasse = QStringLiteral("SRC");
    OptionsParDefaut();
    CoefPeriode[1] = QStringLiteral("3111111111111111");
    QCOMPARE(EcrireOptions(
                 {QStringLiteral("SRC"), true, true, QStringLiteral("Fran"), QString(), false, false, 8}),
             QString());
    QVERIFY(charger(QStringLiteral("SRC.VTC")).ok);
    ouvrir(&ModeDuplication);
    taper(f->E1, QStringLiteral("COPIE"));
    QTest::keyClick(f.get(), Qt::Key_E, Qt::AltModifier); // a mnemonic clicks after a short animation
    QTRY_VERIFY(!Conf::Modifie);
    QCOMPARE(ListeEleves[0].NotesMat1[1][1], -1.0);
    QVERIFY(ListeEleves[0].Appreciations[1][1].isEmpty());
    QCOMPARE(CoefPeriode[1], COEFS_PAR_DEFAUT);

    QTest::mouseClick(f->CheckBox1, Qt::LeftButton);
    ajouter(QStringLiteral("durand"), QStringLiteral("luc"));
    QTest::keyClick(f.get(), Qt::Key_E, Qt::AltModifier);
    QTRY_VERIFY(!Conf::Modifie);
    QList<StudentRecord> lus;
    QVERIFY(LireEleves(CheminProgramme(QStringLiteral("COPIE.VTC")), lus).ok);
    QCOMPARE(lus.size(), 2);
    QCOMPARE(lus[0].Nom, QStringLiteral("ARTHUR"));
    QCOMPARE(lus[0].NotesMat1[1][1], -1.0);
    QVERIFY(lus[0].Appreciations[1][1].isEmpty());
    QCOMPARE(cle(QStringLiteral("COPIE"), QStringLiteral("Coefficients période 1")), COEFS_PAR_DEFAUT);
    // The coefficients can now be set for the copy and are kept by later saves.
    QVERIFY(f->B6->isVisible() && f->B6->isEnabled());
    CoefPeriode[1] = QStringLiteral("2111111111111111");
    QTest::mouseClick(f->B3, Qt::LeftButton);
    QCOMPARE(cle(QStringLiteral("COPIE"), QStringLiteral("Coefficients période 1")),
             QStringLiteral("2111111111111111"));
    QCOMPARE(cle(QStringLiteral("SRC"), QStringLiteral("Coefficients période 1")),
             QStringLiteral("3111111111111111"));
}

// Saved with Alt+E after typing the name last: the dialog says it is saved
// and Quitter closes without a question.
void TstConfForm::enregistrementReussiEffaceLIndicateur()
{
    ouvrir(&ModeCreation);
    ajouter(QStringLiteral("martin"), QStringLiteral("paul"));
    f->E1->setFocus(Qt::MouseFocusReason);
    taper(f->E1, QStringLiteral("NOUVEAU"));
    f->Timer1Timer();
    QVERIFY(f->Image1->isVisible());
    QTest::keyClick(f.get(), Qt::Key_E, Qt::AltModifier);
    QTRY_VERIFY(QFile::exists(CheminProgramme(QStringLiteral("NOUVEAU.VTC"))));
    QVERIFY(!f->E1->isEnabled());
    QVERIFY(!Conf::Modifie);
    QVERIFY(f->Image1->isHidden()); // at once, not at the next tick
    const int boites = int(rep->boites().size());
    QTest::keyClick(f.get(), Qt::Key_Q, Qt::AltModifier);
    QTRY_VERIFY(!f->isVisible());
    QCOMPARE(rep->boites().size(), boites);
}

// Escape and the close box never answer a Oui/Non question; a reflex Enter
// at a question that would replace or delete answers Non.
void TstConfForm::questionsSansEchappement_data()
{
    QTest::addColumn<QString>("question");
    QTest::newRow("remplacer") << "remplacer";
    QTest::newRow("quitter") << "quitter";
    QTest::newRow("supprimer l'élève") << "supprimer";
}

void TstConfForm::questionsSansEchappement()
{
    QFETCH(QString, question);
    QFile existant(CheminProgramme(QStringLiteral("EXIST.VTC")));
    QVERIFY(existant.open(QIODevice::WriteOnly));
    existant.write("ancien");
    existant.close();
    ouvrir(&ModeCreation);
    ajouter(QStringLiteral("martin"), QStringLiteral("paul"));
    f->E1->setFocus();
    taper(f->E1, QStringLiteral("EXIST"));
    rep->prevoir(ToucheEchap);
    rep->prevoir(CaseFermeture);
    if (question == QLatin1String("quitter")) {
        rep->prevoir(BoutonNon);
        QTest::mouseClick(f->B1, Qt::LeftButton);
        QCOMPARE(rep->refus(), 2);
        QCOMPARE(rep->boites().last().defaut, int(BoutonOui));
        QVERIFY(!f->isVisible());
        return;
    }
    rep->prevoir(ToucheEntree);
    if (question == QLatin1String("remplacer")) {
        QTest::mouseClick(f->B3, Qt::LeftButton);
        QCOMPARE(lire(existant.fileName()), QByteArray("ancien"));
        QVERIFY(f->E1->text().isEmpty());
    } else {
        f->M4->setText(QStringLiteral("martin"));
        f->M5->setText(QStringLiteral("paul"));
        QTest::mouseClick(f->B4, Qt::LeftButton);
        QCOMPARE(f->LB1->count(), 1);
    }
    QCOMPARE(rep->refus(), 2);
    QCOMPARE(rep->boites().size(), 3); // the same box asked three times
    QCOMPARE(rep->boites().last().defaut, int(BoutonNon));
    QCOMPARE(rep->boites().last().echap, int(BoutonAucun));
}

QTEST_MAIN(TstConfForm)
#include "tst_confform.moc"
