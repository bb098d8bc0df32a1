// The main menu: catalogue, buttons, deletion, drag and drop, command line.
#include "catalogue.h"
#include "classe.h"
#include "confform.h"
#include "dossier.h"
#include "etatui.h"
#include "menuform.h"
#include "repondeurscripte.h"
#include "rzlabel.h"
#include "shell.h"

#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

// What the menu would have opened, and the state it left for that window.
struct Ouverture {
    int fenetre;
    QString nomFichier;
    int nbEleves;
    bool creation, modification, duplication, ligneCommande;
};

class MenuSousTest : public TMenuForm {
public:
    QList<Ouverture> ouvertures;

protected:
    void ouvrirFenetre(Fenetre quoi) override
    {
        ouvertures.append({int(quoi), NomFichier, NbEleves(), ModeCreation, ModeModification,
                           ModeDuplication, DepuisLigneCommande});
        TMenuForm::ouvrirFenetre(quoi);
    }
};

constexpr int NOTES = 0, CONFIGURATION = 1, SAUVEGARDE = 2;

void ecrireClasse(const QString &chemin, int nb)
{
    QList<StudentRecord> eleves(nb);
    for (int i = 0; i < nb; ++i)
        eleves[i].Nom = QStringLiteral("ELEVE%1").arg(i + 1);
    QCOMPARE(EcrireEleves(chemin, eleves).etat, EtatEcriture::Ecrit);
}

void toucher(const QString &chemin, const QByteArray &contenu = "x")
{
    QFile f(chemin);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(contenu);
}

QStringList entrees(const QListWidget *lb)
{
    QStringList l;
    for (int i = 0; i < lb->count(); ++i)
        l << lb->item(i)->text();
    return l;
}

} // namespace

class TestMenu : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void extension_data();
    void extension();
    void catalogueFiltreEtTrie();
    void fenetre();

    void boutonsSansClasse_data();
    void boutonsSansClasse();
    void raccourcisClavier();
    void boutonsAvecClasse_data();
    void boutonsAvecClasse();
    void creerAvecClasseChoisie();
    void creerSansClasse();
    void chargementImpossible_data();
    void chargementImpossible();
    void classeEncoreChargee();
    void doubleClicEtBoutonDroit();

    void supprimer_data();
    void supprimer();
    void supprimerSansFichierOptions();
    void supprimerImpossible();

    void glisserDeposer_data();
    void glisserDeposer();
    void deposerDAilleursRefuse();

    void ligneDeCommande_data();
    void ligneDeCommande();

    void aideEtLien();
    void ligneEtat();

private:
    QString chemin(const QString &nom) const { return m_dossier->filePath(nom); }
    void choisir(const QString &entree);

    QTemporaryDir *m_dossier = nullptr;
    MenuSousTest *m_menu = nullptr;
    RepondeurScripte *m_rep = nullptr;
    QList<QUrl> m_ouverts;
};

void TestMenu::initTestCase()
{
    InstallerBulles();
    DefinirOuvreur([this](const QUrl &u) {
        m_ouverts << u;
        return true;
    });
}

void TestMenu::init()
{
    m_dossier = new QTemporaryDir;
    QVERIFY(m_dossier->isValid());
    DefinirDossierProgramme(m_dossier->path());
    ecrireClasse(chemin(QStringLiteral("3EME1.VTC")), 3);
    toucher(chemin(QStringLiteral("3EME1.INI")), "[Options]\r\nDeuxPeriodes=0\r\n");
    ecrireClasse(chemin(QStringLiteral("4eme2.vtc")), 2);
    ViderClasse();
    m_rep = new RepondeurScripte;
    m_menu = new MenuSousTest;
    m_menu->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_menu));
    m_ouverts.clear();
}

void TestMenu::cleanup()
{
    if (m_rep)
        QVERIFY2(m_rep->imprevues().isEmpty(), qPrintable(m_rep->imprevues().join(QLatin1Char('|'))));
    delete m_menu;
    m_menu = nullptr;
    delete m_rep;
    m_rep = nullptr;
    delete m_dossier;
    m_dossier = nullptr;
    ViderClasse();
}

void TestMenu::choisir(const QString &entree)
{
    const auto items = m_menu->LB1->findItems(entree, Qt::MatchExactly);
    QVERIFY2(!items.isEmpty(), qPrintable(entree));
    m_menu->LB1->setCurrentItem(items.first());
    QCOMPARE(m_menu->classeChoisie(), entree);
}

void TestMenu::extension_data()
{
    QTest::addColumn<QString>("nom");
    QTest::addColumn<bool>("classe");
    QTest::newRow("majuscules") << "3EME1.VTC" << true;
    QTest::newRow("minuscules") << "a.vtc" << true;
    QTest::newRow("mélange") << "D.Vtc" << true;
    QTest::newRow("texte") << "c.txt" << false;
    QTest::newRow("double extension") << "x.vtc.bak" << false;
    QTest::newRow("sans extension") << "VTC" << false;
    QTest::newRow("point dans un dossier") << "C:\\cl.vtc\\notes" << false;
    QTest::newRow("chemin") << "/home/prof/2NDE.vtc" << true;
    QTest::newRow("extension plus longue") << "a.vtcx" << false;
}

void TestMenu::extension()
{
    QFETCH(QString, nom);
    QTEST(EstNomDeClasse(nom), "classe");
}

void TestMenu::catalogueFiltreEtTrie()
{
    QTemporaryDir d;
    for (const char *nom : {"a.vtc", "B.VTC", "c.txt", "D.Vtc", "e.vtc.bak", "C.vtc"})
        toucher(d.filePath(QString::fromLatin1(nom)));
    QVERIFY(QDir(d.path()).mkdir(QStringLiteral("X.VTC")));
    QVERIFY(QDir(d.path()).mkdir(QStringLiteral("Y.txt")));
    const QStringList attendu{QStringLiteral("a.vtc"), QStringLiteral("B.VTC"), QStringLiteral("C.vtc"),
                              QStringLiteral("D.Vtc"), QStringLiteral("X.VTC")};
    QCOMPARE(ListerClasses(d.path()), attendu);

    DefinirDossierProgramme(d.path());
    m_menu->Repeint();
    QCOMPARE(entrees(m_menu->LB1), attendu);
    DefinirDossierProgramme(m_dossier->path());
}

void TestMenu::fenetre()
{
    QCOMPARE(entrees(m_menu->LB1), (QStringList{QStringLiteral("3EME1.VTC"), QStringLiteral("4eme2.vtc")}));
    QVERIFY(m_menu->classeChoisie().isEmpty());
    QCOMPARE(m_menu->size(), QSize(439, 352));
    QCOMPARE(m_menu->minimumSize(), m_menu->maximumSize());
    QCOMPARE(m_menu->RzLabel2->text(), QStringLiteral("Classes"));
    QVERIFY(m_menu->Panel1->width() >= m_menu->LB1->width());
    QCOMPARE(m_menu->windowTitle().left(7), QStringLiteral("Vestrel"));
    QVERIFY(ProfondeurCouleurs > 0);
    const QList<QPair<QPushButton *, const char *>> legendes{
        {m_menu->BB1, "&Charger"}, {m_menu->BB2, "C&réer"}, {m_menu->BB3, "&Modifier"},
        {m_menu->BB4, "&Dupliquer"}, {m_menu->B6, "&Supprimer"}, {m_menu->BBSauver, "Sau&vegarder"},
        {m_menu->BB7, "&Aide"}, {m_menu->BB5, "&Quitter"}};
    for (const auto &[b, texte] : legendes) {
        QCOMPARE(b->text(), QString::fromUtf8(texte));
        QVERIFY(!b->toolTip().isEmpty());
        QCOMPARE(b->palette().color(QPalette::ButtonText), QColor(0, 128, 0));
    }
}

void TestMenu::boutonsSansClasse_data()
{
    QTest::addColumn<QString>("bouton");
    QTest::addColumn<QString>("message");
    QTest::newRow("charger") << "BB1" << "Charger quel fichier ?";
    QTest::newRow("modifier") << "BB3" << "Modifier quel fichier ?";
    QTest::newRow("dupliquer") << "BB4" << "Dupliquer quel fichier ?";
    QTest::newRow("supprimer") << "B6" << "Supprimer quel fichier ?";
}

void TestMenu::boutonsSansClasse()
{
    QFETCH(QString, bouton);
    QFETCH(QString, message);
    auto *b = m_menu->findChild<QPushButton *>(bouton);
    QVERIFY(b);
    QTest::mouseClick(b, Qt::LeftButton);
    QCOMPARE(m_rep->boites().size(), 1);
    QCOMPARE(m_rep->boites().first().type, TypeBoite::Simple);
    QCOMPARE(m_rep->boites().first().titre, QStringLiteral("Vestrel"));
    QCOMPARE(m_rep->dernierTexte(), message);
    QVERIFY(m_menu->ouvertures.isEmpty());
    QVERIFY(QFile::exists(chemin(QStringLiteral("3EME1.VTC"))));
}

void TestMenu::raccourcisClavier()
{
    QApplication::setActiveWindow(m_menu);
    QVERIFY(QTest::qWaitForWindowActive(m_menu));
    const QList<QPair<Qt::Key, QString>> touches{
        {Qt::Key_C, QStringLiteral("Charger quel fichier ?")},
        {Qt::Key_M, QStringLiteral("Modifier quel fichier ?")},
        {Qt::Key_D, QStringLiteral("Dupliquer quel fichier ?")},
        {Qt::Key_S, QStringLiteral("Supprimer quel fichier ?")}};
    for (const auto &[touche, message] : touches) {
        // A mnemonic clicks its button after a short animation.
        QTest::keyClick(m_menu, touche, Qt::AltModifier);
        QTRY_COMPARE(m_rep->dernierTexte(), message);
    }
    QTest::keyClick(m_menu, Qt::Key_R, Qt::AltModifier);
    QTRY_COMPARE(m_menu->ouvertures.size(), 1);
    QCOMPARE(m_menu->ouvertures.first().fenetre, CONFIGURATION);
    QTest::keyClick(m_menu, Qt::Key_V, Qt::AltModifier);
    QTRY_COMPARE(m_menu->ouvertures.size(), 2);
    QCOMPARE(m_menu->ouvertures.last().fenetre, SAUVEGARDE);
    QTest::keyClick(m_menu, Qt::Key_Q, Qt::AltModifier);
    QTRY_VERIFY(!m_menu->isVisible());
}

void TestMenu::boutonsAvecClasse_data()
{
    QTest::addColumn<QString>("bouton");
    QTest::addColumn<int>("fenetre");
    QTest::addColumn<int>("mode"); // 0 none, 1 creation, 2 modification, 3 duplication
    QTest::newRow("charger") << "BB1" << NOTES << 0;
    QTest::newRow("modifier") << "BB3" << CONFIGURATION << 2;
    QTest::newRow("dupliquer") << "BB4" << CONFIGURATION << 3;
    QTest::newRow("sauvegarder") << "BBSauver" << SAUVEGARDE << -1;
}

void TestMenu::boutonsAvecClasse()
{
    QFETCH(QString, bouton);
    QFETCH(int, fenetre);
    QFETCH(int, mode);
    ModeCreation = true; // left over from an earlier command
    choisir(QStringLiteral("3EME1.VTC"));
    QTest::mouseClick(m_menu->findChild<QPushButton *>(bouton), Qt::LeftButton);
    QVERIFY(m_rep->boites().isEmpty());
    QCOMPARE(m_menu->ouvertures.size(), 1);
    const Ouverture o = m_menu->ouvertures.first();
    QCOMPARE(o.fenetre, fenetre);
    if (mode >= 0) {
        QCOMPARE(o.nomFichier, QStringLiteral("3EME1.VTC"));
        QCOMPARE(o.nbEleves, 3);
        QVERIFY(!o.ligneCommande);
    }
    if (mode > 0) {
        QCOMPARE(o.creation, mode == 1);
        QCOMPARE(o.modification, mode == 2);
        QCOMPARE(o.duplication, mode == 3);
    }
    // The menu keeps no class once the window is closed.
    QCOMPARE(NbEleves(), 0);
}

void TestMenu::creerAvecClasseChoisie()
{
    choisir(QStringLiteral("4eme2.vtc"));
    QTest::mouseClick(m_menu->BB2, Qt::LeftButton);
    QCOMPARE(m_rep->textes(), QStringList{QStringLiteral("Le fichier 4eme2.vtc est déjà créé !")});
    QCOMPARE(m_rep->boites().first().type, TypeBoite::Simple);
    QVERIFY(m_menu->ouvertures.isEmpty());
    QVERIFY(m_menu->classeChoisie().isEmpty());
}

void TestMenu::creerSansClasse()
{
    ModeModification = ModeDuplication = true;
    // The dialog writes a new class; the catalogue shows it afterwards.
    ecrireClasse(chemin(QStringLiteral("5EME3.VTC")), 1);
    QTest::mouseClick(m_menu->BB2, Qt::LeftButton);
    QVERIFY(m_rep->boites().isEmpty());
    QCOMPARE(m_menu->ouvertures.size(), 1);
    const Ouverture o = m_menu->ouvertures.first();
    QCOMPARE(o.fenetre, CONFIGURATION);
    QVERIFY(o.creation && !o.modification && !o.duplication);
    QCOMPARE(o.nbEleves, 0);
    QVERIFY(entrees(m_menu->LB1).contains(QStringLiteral("5EME3.VTC")));
}

void TestMenu::chargementImpossible_data()
{
    QTest::addColumn<QString>("bouton");
    QTest::newRow("charger") << "BB1";
    QTest::newRow("modifier") << "BB3";
    QTest::newRow("dupliquer") << "BB4";
}

// The file went away after the catalogue was built; a folder named like a class.
void TestMenu::chargementImpossible()
{
    QFETCH(QString, bouton);
    QVERIFY(QDir(m_dossier->path()).mkdir(QStringLiteral("DOSSIER.VTC")));
    m_menu->Repeint();
    choisir(QStringLiteral("3EME1.VTC"));
    QVERIFY(QFile::remove(chemin(QStringLiteral("3EME1.VTC"))));
    QTest::mouseClick(m_menu->findChild<QPushButton *>(bouton), Qt::LeftButton);
    QCOMPARE(m_rep->boites().size(), 1);
    QCOMPARE(m_rep->boites().first().type, TypeBoite::Erreur);
    QCOMPARE(m_rep->dernierTexte(), QStringLiteral("Fichier introuvable."));
    QVERIFY(m_menu->ouvertures.isEmpty());
    QCOMPARE(NbEleves(), 0);
    QVERIFY(!QApplication::overrideCursor());

    m_rep->vider();
    choisir(QStringLiteral("DOSSIER.VTC"));
    QTest::mouseClick(m_menu->findChild<QPushButton *>(bouton), Qt::LeftButton);
    QCOMPARE(m_rep->boites().size(), 1);
    QCOMPARE(m_rep->boites().first().type, TypeBoite::Erreur);
    QVERIFY(m_menu->ouvertures.isEmpty());
    QCOMPARE(NbEleves(), 0);
}

void TestMenu::classeEncoreChargee()
{
    ListeEleves.append(StudentRecord());
    choisir(QStringLiteral("4eme2.vtc"));
    QTest::mouseClick(m_menu->BB1, Qt::LeftButton);
    QCOMPARE(m_rep->textes(), QStringList{QStringLiteral("Fichier déjà chargé !")});
    QCOMPARE(m_menu->ouvertures.size(), 1);
    QCOMPARE(m_menu->ouvertures.first().nbEleves, 2);
}

void TestMenu::doubleClicEtBoutonDroit()
{
    QListWidget *lb = m_menu->LB1;
    const QRect r = lb->visualItemRect(lb->item(1));
    QTest::mouseClick(lb->viewport(), Qt::LeftButton, {}, r.center());
    QCOMPARE(m_menu->classeChoisie(), QStringLiteral("4eme2.vtc"));
    QTest::mouseClick(lb->viewport(), Qt::RightButton, {}, r.center());
    QVERIFY(m_menu->classeChoisie().isEmpty());
    QVERIFY(m_menu->ouvertures.isEmpty());

    // The first click of a double click chooses the entry.
    QTest::mouseClick(lb->viewport(), Qt::LeftButton, {}, r.center());
    QTest::mouseDClick(lb->viewport(), Qt::LeftButton, {}, r.center());
    QCOMPARE(m_menu->ouvertures.size(), 1);
    QCOMPARE(m_menu->ouvertures.first().fenetre, NOTES);
    QCOMPARE(m_menu->ouvertures.first().nomFichier, QStringLiteral("4eme2.vtc"));

    // Enter on the chosen entry does the same from the keyboard.
    lb->setFocus();
    QTest::keyClick(lb, Qt::Key_Return);
    QCOMPARE(m_menu->ouvertures.size(), 2);
}

void TestMenu::supprimer_data()
{
    QTest::addColumn<int>("reponse");
    QTest::newRow("oui") << int(BoutonOui);
    QTest::newRow("non") << int(BoutonNon);
}

void TestMenu::supprimer()
{
    QFETCH(int, reponse);
    choisir(QStringLiteral("3EME1.VTC"));
    m_rep->prevoir(reponse);
    QTest::mouseClick(m_menu->B6, Qt::LeftButton);
    QCOMPARE(m_rep->boites().size(), 1);
    const Boite b = m_rep->boites().first();
    QCOMPARE(b.type, TypeBoite::Avertissement);
    QCOMPARE(b.boutons, BoutonOui | BoutonNon);
    QCOMPARE(b.texte, QStringLiteral("Voulez-vous SUPPRIMER DEFINITIVEMENT\r\n       le fichier de notes de la "
                                     "classe : \r\n                     3EME1 ?"));
    QCOMPARE(NomFichier, QStringLiteral("3EME1.VTC"));
    QCOMPARE(NomClasse, QStringLiteral("3EME1"));
    const bool oui = reponse == BoutonOui;
    QCOMPARE(QFile::exists(chemin(QStringLiteral("3EME1.VTC"))), !oui);
    QCOMPARE(QFile::exists(chemin(QStringLiteral("3EME1.INI"))), !oui);
    QCOMPARE(entrees(m_menu->LB1).contains(QStringLiteral("3EME1.VTC")), !oui);
    QVERIFY(QFile::exists(chemin(QStringLiteral("4eme2.vtc"))));
    QVERIFY(m_menu->classeChoisie().isEmpty());
}

// A class without its settings file is still deleted, without a message.
void TestMenu::supprimerSansFichierOptions()
{
    choisir(QStringLiteral("4eme2.vtc"));
    m_rep->prevoir(BoutonOui);
    QTest::mouseClick(m_menu->B6, Qt::LeftButton);
    QCOMPARE(m_rep->boites().size(), 1);
    QVERIFY(!QFile::exists(chemin(QStringLiteral("4eme2.vtc"))));
    QCOMPARE(entrees(m_menu->LB1), QStringList{QStringLiteral("3EME1.VTC")});
}

// A marks "file" that cannot be deleted: the platform's message, and its
// settings file is kept.
void TestMenu::supprimerImpossible()
{
    QVERIFY(QDir(m_dossier->path()).mkdir(QStringLiteral("BLOQUE.VTC")));
    toucher(chemin(QStringLiteral("BLOQUE.INI")));
    m_menu->Repeint();
    choisir(QStringLiteral("BLOQUE.VTC"));
    m_rep->prevoir(BoutonOui);
    QTest::mouseClick(m_menu->B6, Qt::LeftButton);
    QCOMPARE(m_rep->boites().size(), 2);
    QCOMPARE(m_rep->boites().last().type, TypeBoite::Erreur);
    QCOMPARE(m_rep->dernierTexte(), QStringLiteral("Accès au fichier refusé."));
    QVERIFY(QFileInfo(chemin(QStringLiteral("BLOQUE.VTC"))).isDir());
    QVERIFY(QFile::exists(chemin(QStringLiteral("BLOQUE.INI"))));
    QVERIFY(entrees(m_menu->LB1).contains(QStringLiteral("BLOQUE.VTC")));
}

void TestMenu::glisserDeposer_data()
{
    QTest::addColumn<QString>("bouton");
    QTest::addColumn<int>("fenetre"); // -1: the deletion question
    QTest::newRow("charger") << "BB1" << NOTES;
    QTest::newRow("modifier") << "BB3" << CONFIGURATION;
    QTest::newRow("dupliquer") << "BB4" << CONFIGURATION;
    QTest::newRow("supprimer") << "B6" << -1;
}

void TestMenu::glisserDeposer()
{
    QFETCH(QString, bouton);
    QFETCH(int, fenetre);
    auto *b = m_menu->findChild<QPushButton *>(bouton);
    QListWidget *lb = m_menu->LB1;
    choisir(QStringLiteral("3EME1.VTC"));
    std::unique_ptr<QMimeData> donnees(lb->model()->mimeData({lb->model()->index(0, 0)}));
    QVERIFY(donnees);
    const QPoint centre = b->rect().center();
    QDragEnterEvent entree(centre, Qt::CopyAction | Qt::MoveAction, donnees.get(), Qt::LeftButton, {});
    QApplication::sendEvent(b, &entree);
    QVERIFY(entree.isAccepted());
    QCOMPARE(entree.dropAction(), Qt::CopyAction);
    QDropEvent depot(centre, Qt::CopyAction | Qt::MoveAction, donnees.get(), Qt::LeftButton, {});
    if (fenetre < 0)
        m_rep->prevoir(BoutonNon);
    QApplication::sendEvent(b, &depot);
    QVERIFY(depot.isAccepted());
    QCOMPARE(depot.dropAction(), Qt::CopyAction);
    if (fenetre >= 0) {
        QTRY_COMPARE(m_menu->ouvertures.size(), 1);
        QCOMPARE(m_menu->ouvertures.first().fenetre, fenetre);
        QCOMPARE(m_menu->ouvertures.first().nomFichier, QStringLiteral("3EME1.VTC"));
    } else {
        QTRY_COMPARE(m_rep->boites().size(), 1);
        QVERIFY(m_rep->dernierTexte().startsWith(QStringLiteral("Voulez-vous SUPPRIMER DEFINITIVEMENT")));
        QVERIFY(m_rep->dernierTexte().endsWith(QStringLiteral("3EME1 ?")));
    }
    // The entry is still in the catalogue after the drag.
    QCOMPARE(lb->count(), 2);
}

void TestMenu::deposerDAilleursRefuse()
{
    QMimeData texte;
    texte.setText(QStringLiteral("3EME1.VTC"));
    ListeCatalogue autreListe;
    autreListe.addItem(QStringLiteral("3EME1.VTC"));
    std::unique_ptr<QMimeData> autre(autreListe.model()->mimeData({autreListe.model()->index(0, 0)}));
    for (QMimeData *d : {&texte, autre.get()}) {
        for (QPushButton *b : {m_menu->BB1, m_menu->B6, m_menu->BB2}) {
            QDragEnterEvent entree(b->rect().center(), Qt::CopyAction, d, Qt::LeftButton, {});
            entree.setAccepted(false);
            QApplication::sendEvent(b, &entree);
            QVERIFY(!entree.isAccepted());
        }
        QDropEvent depot(m_menu->BB1->rect().center(), Qt::CopyAction, d, Qt::LeftButton, {});
        depot.setAccepted(false);
        QApplication::sendEvent(m_menu->BB1, &depot);
        QVERIFY(!depot.isAccepted());
    }
    QTest::qWait(20);
    QVERIFY(m_menu->ouvertures.isEmpty());
    QVERIFY(m_rep->boites().isEmpty());
}

void TestMenu::ligneDeCommande_data()
{
    QTest::addColumn<QString>("argument");
    QTest::addColumn<QString>("ouvert"); // empty: nothing opens
    QTest::addColumn<QString>("message");
    QTest::newRow("chemin Linux") << "/home/prof/classes/3EME1.VTC" << "3EME1.VTC" << "";
    QTest::newRow("chemin Windows") << "C:\\Notes\\4eme2.vtc" << "4eme2.vtc" << "";
    QTest::newRow("lecteur") << "A:3EME1.Vtc" << "3EME1.Vtc" << "";
    QTest::newRow("texte") << "/tmp/notes.txt" << "" << "";
    QTest::newRow("absent") << "/ailleurs/ABSENT.VTC" << "" << "Fichier introuvable.";
}

void TestMenu::ligneDeCommande()
{
    QFETCH(QString, argument);
    QFETCH(QString, ouvert);
    QFETCH(QString, message);
    delete m_menu;
    m_menu = new MenuSousTest;
    m_menu->definirArgument(argument);
    m_menu->show();
    QTest::qWait(50);
    QCOMPARE(m_menu->ouvertures.size(), ouvert.isEmpty() ? 0 : 1);
    if (!ouvert.isEmpty()) {
        const Ouverture o = m_menu->ouvertures.first();
        QCOMPARE(o.fenetre, NOTES);
        QCOMPARE(o.nomFichier.toUpper(), ouvert.toUpper());
        QVERIFY(o.nbEleves > 0);
        QVERIFY(m_rep->boites().isEmpty());
    } else if (!message.isEmpty()) {
        QCOMPARE(m_rep->textes(), QStringList{message});
    } else {
        QVERIFY(m_rep->boites().isEmpty());
    }
    QVERIFY(!DepuisLigneCommande);
    QCOMPARE(NbEleves(), 0);
    // Once only.
    m_menu->Timer3->start();
    QTest::qWait(20);
    QCOMPARE(m_menu->ouvertures.size(), ouvert.isEmpty() ? 0 : 1);
}

void TestMenu::aideEtLien()
{
    QTest::mouseClick(m_menu->BB7, Qt::LeftButton);
    QVERIFY(m_ouverts.isEmpty()); // no guide in this folder: nothing happens
    QVERIFY(m_rep->boites().isEmpty());
    toucher(chemin(QStringLiteral("Vestdoc.htm")), "<html></html>");
    QTest::mouseClick(m_menu->BB7, Qt::LeftButton);
    QCOMPARE(m_ouverts.size(), 1);
    QCOMPARE(m_ouverts.first(), QUrl::fromLocalFile(chemin(QStringLiteral("Vestdoc.htm"))));

    QLabel *lien = m_menu->Label1;
    QEvent entree(QEvent::Enter);
    QApplication::sendEvent(lien, &entree);
    QVERIFY(lien->font().bold());
    QEvent sortie(QEvent::Leave);
    QApplication::sendEvent(lien, &sortie);
    QVERIFY(!lien->font().bold());
    QTest::mouseClick(lien, Qt::LeftButton, {}, lien->rect().center());
    QCOMPARE(m_ouverts.size(), 2);
    QCOMPARE(m_ouverts.last(), QUrl(TMenuForm::adresseEditeur()));
}

void TestMenu::ligneEtat()
{
    QEvent entree(QEvent::Enter);
    QApplication::sendEvent(m_menu->B6, &entree);
    QCOMPARE(m_menu->StatusLine->text(),
             QStringLiteral("Supprimer définitivement du disque le fichier d'une classe"));
    QApplication::sendEvent(m_menu->LB1->viewport(), &entree);
    QVERIFY(m_menu->StatusLine->text().startsWith(QStringLiteral("Liste des classes existantes.")));
}

QTEST_MAIN(TestMenu)
#include "tst_menuform.moc"
