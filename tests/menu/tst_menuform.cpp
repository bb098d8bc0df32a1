// The main menu: catalogue, buttons, deletion, drag and drop, command line.
#include "classdata/classe.h"
#include "classdata/verrouclasse.h"
#include "platform/dossier.h"
#include "platform/gui/shell.h"
#include "tests/common/classeessai.h"
#include "tests/common/repondeurscripte.h"
#include "ui/components/etatui.h"
#include "ui/config/confform.h"
#include "ui/menu/catalogue.h"
#include "ui/menu/menuform.h"

#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>
#include <sys/stat.h>

namespace {

// What the menu opened, and the state it left for that window.
struct Ouverture {
    int fenetre;
    QString nomFichier;
    int nbEleves;
    bool creation, modification, duplication;
};

class MenuSousTest : public TMenuForm {
public:
    QList<Ouverture> ouvertures;

protected:
    void montrerFenetre(Fenetre quoi) override
    {
        ouvertures.append(
            {int(quoi), NomFichier, NbEleves(), ModeCreation, ModeModification, ModeDuplication});
    }
};

constexpr int NOTES = 0, CONFIGURATION = 1, SAUVEGARDE = 2;

void ecrireClasse(const QString &chemin, int nb)
{
    QList<StudentRecord> eleves(nb);
    QCOMPARE(EcrireEleves(chemin, eleves).etat, EtatEcriture::Ecrit);
}

void toucher(const QString &chemin)
{
    QFile f(chemin);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("x");
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

    void catalogueFiltreEtTrie();
    void boutonsSansClasse_data();
    void boutonsSansClasse();
    void raccourcisClavier();
    void boutonsAvecClasse_data();
    void boutonsAvecClasse();
    void creer();
    void chargementImpossible();
    void doubleClicEtBoutonDroit();
    void supprimer_data();
    void supprimer();
    void supprimerImpossible();
    void supprimerClasseOuverte();
    void glisserDeposer_data();
    void glisserDeposer();
    void deposerDAilleursRefuse();
    void ligneDeCommande_data();
    void ligneDeCommande();
    void aideEtLien();
    void ligneEtatEntiere();

private:
    QString chemin(const QString &nom) const { return m_dossier->filePath(nom); }
    void choisir(const QString &entree);
    QPushButton *bouton(const QString &nom) const { return m_menu->findChild<QPushButton *>(nom); }

    ClasseEssai *m_dossier = nullptr;
    MenuSousTest *m_menu = nullptr;
    RepondeurScripte *m_rep = nullptr;
    QList<QUrl> m_ouverts;
};

void TestMenu::initTestCase()
{
    DefinirOuvreur([this](const QUrl &u) {
        m_ouverts << u;
        return true;
    });
}

// Two classes: 3EME1 with its settings file, 4eme2 without.
void TestMenu::init()
{
    m_dossier = new ClasseEssai;
    ecrireClasse(chemin(QStringLiteral("3EME1.VTC")), 3);
    toucher(chemin(QStringLiteral("3EME1.INI")));
    ecrireClasse(chemin(QStringLiteral("4eme2.vtc")), 2);
    m_rep = new RepondeurScripte;
    m_menu = new MenuSousTest;
    m_menu->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_menu));
    m_ouverts.clear();
}

void TestMenu::cleanup()
{
    QVERIFY2(m_rep->imprevues().isEmpty(), qPrintable(m_rep->imprevues().join(QLatin1Char('|'))));
    delete m_menu;
    delete m_rep;
    delete m_dossier;
    ViderClasse();
}

void TestMenu::choisir(const QString &entree)
{
    const auto items = m_menu->LB1->findItems(entree, Qt::MatchExactly);
    QVERIFY2(!items.isEmpty(), qPrintable(entree));
    m_menu->LB1->setCurrentItem(items.first());
}

void TestMenu::catalogueFiltreEtTrie()
{
    QCOMPARE(entrees(m_menu->LB1), (QStringList{QStringLiteral("3EME1.VTC"), QStringLiteral("4eme2.vtc")}));
    QVERIFY(m_menu->classeChoisie().isEmpty());
    QCOMPARE(m_menu->size(), QSize(439, 352));

    QTemporaryDir d;
    for (const char *nom : {"a.vtc", "B.VTC", "c.txt", "D.Vtc", "e.vtc.bak", "C.vtc", "f.vtcx"})
        toucher(d.filePath(QString::fromLatin1(nom)));
    QVERIFY(QDir(d.path()).mkdir(QStringLiteral("X.VTC")));
    QVERIFY(QDir(d.path()).mkdir(QStringLiteral("Y.txt")));
    DefinirDossierProgramme(d.path());
    m_menu->Repeint();
    QCOMPARE(entrees(m_menu->LB1),
             (QStringList{QStringLiteral("a.vtc"), QStringLiteral("B.VTC"), QStringLiteral("C.vtc"),
                          QStringLiteral("D.Vtc"), QStringLiteral("X.VTC")}));
    QVERIFY(!EstNomDeClasse(QStringLiteral("C:\\cl.vtc\\notes")));
}

void TestMenu::boutonsSansClasse_data()
{
    QTest::addColumn<QString>("bouton");
    QTest::addColumn<QString>("message");
    QTest::newRow("charger") << "BB1"
                             << "Charger quel fichier ?";
    QTest::newRow("modifier") << "BB3"
                              << "Modifier quel fichier ?";
    QTest::newRow("dupliquer") << "BB4"
                               << "Dupliquer quel fichier ?";
    QTest::newRow("supprimer") << "B6"
                               << "Supprimer quel fichier ?";
}

void TestMenu::boutonsSansClasse()
{
    QFETCH(QString, bouton);
    QTest::mouseClick(this->bouton(bouton), Qt::LeftButton);
    QCOMPARE(m_rep->boites().size(), 1);
    QCOMPARE(m_rep->boites().first().type, TypeBoite::Simple);
    QTEST(m_rep->dernierTexte(), "message");
    QVERIFY(m_menu->ouvertures.isEmpty());
}

void TestMenu::raccourcisClavier()
{
    QApplication::setActiveWindow(m_menu);
    QVERIFY(QTest::qWaitForWindowActive(m_menu));
    const QList<QPair<Qt::Key, QString>> touches{{Qt::Key_C, QStringLiteral("Charger quel fichier ?")},
                                                 {Qt::Key_S, QStringLiteral("Supprimer quel fichier ?")}};
    for (const auto &[touche, message] : touches) {
        // A mnemonic clicks its button after a short animation.
        QTest::keyClick(m_menu, touche, Qt::AltModifier);
        QTRY_COMPARE(m_rep->dernierTexte(), message);
    }
    QTest::keyClick(m_menu, Qt::Key_V, Qt::AltModifier);
    QTRY_COMPARE(m_menu->ouvertures.size(), 1);
    QCOMPARE(m_menu->ouvertures.last().fenetre, SAUVEGARDE);
    QTest::keyClick(m_menu, Qt::Key_Q, Qt::AltModifier);
    QTRY_VERIFY(!m_menu->isVisible());
}

void TestMenu::boutonsAvecClasse_data()
{
    QTest::addColumn<QString>("bouton");
    QTest::addColumn<int>("fenetre");
    QTest::addColumn<int>("mode"); // 2 modification, 3 duplication
    QTest::newRow("charger") << "BB1" << NOTES << 0;
    QTest::newRow("modifier") << "BB3" << CONFIGURATION << 2;
    QTest::newRow("dupliquer") << "BB4" << CONFIGURATION << 3;
}

void TestMenu::boutonsAvecClasse()
{
    QFETCH(QString, bouton);
    QFETCH(int, fenetre);
    QFETCH(int, mode);
    ModeCreation = true; // left over from an earlier command
    choisir(QStringLiteral("3EME1.VTC"));
    QTest::mouseClick(this->bouton(bouton), Qt::LeftButton);
    QVERIFY(m_rep->boites().isEmpty());
    QCOMPARE(m_menu->ouvertures.size(), 1);
    const Ouverture o = m_menu->ouvertures.first();
    QCOMPARE(o.fenetre, fenetre);
    QCOMPARE(o.nomFichier, QStringLiteral("3EME1.VTC"));
    QCOMPARE(o.nbEleves, 3);
    if (mode) {
        QVERIFY(!o.creation);
        QCOMPARE(o.modification, mode == 2);
        QCOMPARE(o.duplication, mode == 3);
    }
    // The menu keeps no class once the window is closed, and the loaded class
    // is no longer chosen, even after the menu is active again.
    QCOMPARE(NbEleves(), 0);
    QVERIFY(m_menu->classeChoisie().isEmpty());
    m_menu->FormActivate();
    QVERIFY(m_menu->classeChoisie().isEmpty());
    QTest::mouseClick(m_menu->BB2, Qt::LeftButton);
    QVERIFY(m_rep->boites().isEmpty());
    QCOMPARE(m_menu->ouvertures.size(), 2);
    QVERIFY(m_menu->ouvertures.last().creation);
}

void TestMenu::creer()
{
    choisir(QStringLiteral("4eme2.vtc"));
    QTest::mouseClick(m_menu->BB2, Qt::LeftButton);
    QCOMPARE(m_rep->textes(), QStringList{QStringLiteral("Le fichier 4eme2.vtc est déjà créé !")});
    QVERIFY(m_menu->ouvertures.isEmpty());
    QVERIFY(m_menu->classeChoisie().isEmpty());

    ModeModification = ModeDuplication = true;
    ListeEleves.append(StudentRecord());
    // As if the dialog had written a new class: the catalogue shows it afterwards.
    ecrireClasse(chemin(QStringLiteral("5EME3.VTC")), 1);
    QTest::mouseClick(m_menu->BB2, Qt::LeftButton);
    QCOMPARE(m_menu->ouvertures.size(), 1);
    const Ouverture o = m_menu->ouvertures.first();
    QCOMPARE(o.fenetre, CONFIGURATION);
    QVERIFY(o.creation && !o.modification && !o.duplication);
    QCOMPARE(o.nbEleves, 0);
    QVERIFY(entrees(m_menu->LB1).contains(QStringLiteral("5EME3.VTC")));
}

// The file went away after the catalogue was built; a folder named like a class.
void TestMenu::chargementImpossible()
{
    QVERIFY(QDir(m_dossier->path()).mkdir(QStringLiteral("DOSSIER.VTC")));
    m_menu->Repeint();
    choisir(QStringLiteral("3EME1.VTC"));
    QVERIFY(QFile::remove(chemin(QStringLiteral("3EME1.VTC"))));
    QTest::mouseClick(m_menu->BB1, Qt::LeftButton);
    QCOMPARE(m_rep->textes(), QStringList{QStringLiteral("Fichier introuvable.")});
    QCOMPARE(m_rep->boites().first().type, TypeBoite::Erreur);
    choisir(QStringLiteral("DOSSIER.VTC"));
    QTest::mouseClick(m_menu->BB3, Qt::LeftButton);
    QCOMPARE(m_rep->boites().size(), 2);
    QCOMPARE(m_rep->boites().last().type, TypeBoite::Erreur);
    QVERIFY(m_menu->ouvertures.isEmpty());
    QCOMPARE(NbEleves(), 0);
    QVERIFY(!QApplication::overrideCursor());

    // A FIFO or a link to /dev/zero in the catalogue: refused at once, with why.
    const QString fifo = chemin(QStringLiteral("TUBE.VTC"));
    QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
    QVERIFY(QFile::link(QStringLiteral("/dev/zero"), chemin(QStringLiteral("ZERO.VTC"))));
    ecrireClasse(chemin(QStringLiteral("REGL.VTC")), 2);
    QVERIFY(QFile::link(QStringLiteral("/dev/zero"), chemin(QStringLiteral("REGL.INI"))));
    m_menu->Repeint();
    for (const QString &nom :
         {QStringLiteral("TUBE.VTC"), QStringLiteral("ZERO.VTC"), QStringLiteral("REGL.VTC")}) {
        choisir(nom);
        QTest::mouseClick(m_menu->BB1, Qt::LeftButton);
        const QString fautif = nom == QLatin1String("REGL.VTC") ? QStringLiteral("REGL.INI") : nom;
        QCOMPARE(m_rep->dernierTexte(),
                 QStringLiteral("%1 n'est pas un fichier ordinaire.").arg(chemin(fautif)));
        QVERIFY(m_menu->ouvertures.isEmpty());
        QCOMPARE(NbEleves(), 0);
    }
}

void TestMenu::doubleClicEtBoutonDroit()
{
    QListWidget *lb = m_menu->LB1;
    const QPoint centre = lb->visualItemRect(lb->item(1)).center();
    QTest::mouseClick(lb->viewport(), Qt::LeftButton, {}, centre);
    QCOMPARE(m_menu->classeChoisie(), QStringLiteral("4eme2.vtc"));
    QTest::mouseClick(lb->viewport(), Qt::RightButton, {}, centre);
    QVERIFY(m_menu->classeChoisie().isEmpty());

    // The first click of a double click chooses the entry.
    QTest::mouseClick(lb->viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseDClick(lb->viewport(), Qt::LeftButton, {}, centre);
    QCOMPARE(m_menu->ouvertures.size(), 1);
    QCOMPARE(m_menu->ouvertures.first().nomFichier, QStringLiteral("4eme2.vtc"));
    QVERIFY(m_menu->classeChoisie().isEmpty());
    // Enter on the chosen entry does the same from the keyboard.
    QTest::mouseClick(lb->viewport(), Qt::LeftButton, {}, centre);
    QTest::keyClick(lb, Qt::Key_Return);
    QCOMPARE(m_menu->ouvertures.size(), 2);
}

void TestMenu::supprimer_data()
{
    QTest::addColumn<QString>("classe");
    QTest::addColumn<int>("reponse");
    QTest::newRow("oui") << "3EME1" << int(BoutonOui);
    QTest::newRow("non") << "3EME1" << int(BoutonNon);
    QTest::newRow("sans fichier de réglages") << "4eme2" << int(BoutonOui);
    // Escape and the close box are refused; Enter is Non.
    QTest::newRow("échap, fermeture, entrée") << "3EME1" << int(ToucheEntree);
}

void TestMenu::supprimer()
{
    QFETCH(QString, classe);
    QFETCH(int, reponse);
    const QString vtc =
        classe + (classe == QLatin1String("4eme2") ? QStringLiteral(".vtc") : QStringLiteral(".VTC"));
    choisir(vtc);
    const int refus = reponse == ToucheEntree ? 2 : 0;
    if (refus) {
        m_rep->prevoir(ToucheEchap);
        m_rep->prevoir(CaseFermeture);
    }
    m_rep->prevoir(reponse);
    QTest::mouseClick(m_menu->B6, Qt::LeftButton);
    QCOMPARE(m_rep->refus(), refus);
    QCOMPARE(m_rep->boites().size(), 1 + refus);
    const Boite b = m_rep->boites().first();
    QCOMPARE(b.type, TypeBoite::Avertissement);
    QCOMPARE(b.boutons, BoutonOui | BoutonNon);
    QCOMPARE(b.defaut, int(BoutonNon));
    QCOMPARE(b.texte,
             QStringLiteral("Voulez-vous SUPPRIMER DEFINITIVEMENT\r\n       le fichier de notes de la "
                            "classe : \r\n                     ")
                 + classe + QStringLiteral(" ?"));
    const bool oui = reponse == BoutonOui;
    QCOMPARE(QFile::exists(chemin(vtc)), !oui);
    QCOMPARE(entrees(m_menu->LB1).contains(vtc), !oui);
    QCOMPARE(QFile::exists(chemin(QStringLiteral("3EME1.INI"))), !(oui && classe == QLatin1String("3EME1")));
    QVERIFY(m_menu->classeChoisie().isEmpty());
}

// A marks "file" that cannot be deleted: the platform's message, and the
// class's settings file is kept.
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
    QVERIFY(QFile::exists(chemin(QStringLiteral("BLOQUE.INI"))));
    QVERIFY(entrees(m_menu->LB1).contains(QStringLiteral("BLOQUE.VTC")));
}

// Another copy has the class open: it is not deleted; once free, it goes
// with its settings and its recovery journal.
void TestMenu::supprimerClasseOuverte()
{
    const QString vtc = chemin(QStringLiteral("3EME1.VTC"));
    toucher(CheminJournal(vtc));
    auto autre = std::make_unique<VerrouClasse>(vtc);
    QCOMPARE(autre->prendre(), VerrouClasse::Etat::Pris);
    choisir(QStringLiteral("3EME1.VTC"));
    QTest::mouseClick(m_menu->B6, Qt::LeftButton);
    QCOMPARE(m_rep->boites().size(), 1);
    QCOMPARE(m_rep->boites().first().type, TypeBoite::Erreur);
    QVERIFY(m_rep->dernierTexte().startsWith(QStringLiteral("La classe 3EME1 est ouverte par ")));
    QVERIFY(m_rep->dernierTexte().endsWith(QStringLiteral(" Elle ne peut pas être supprimée.")));
    QVERIFY(QFile::exists(vtc));
    QVERIFY(m_menu->classeChoisie().isEmpty());

    autre.reset();
    m_rep->vider();
    choisir(QStringLiteral("3EME1.VTC"));
    m_rep->prevoir(BoutonOui);
    QTest::mouseClick(m_menu->B6, Qt::LeftButton);
    QVERIFY(!QFile::exists(vtc));
    QVERIFY(!QFile::exists(CheminJournal(vtc)));
    QVERIFY(!QFile::exists(CheminVerrou(vtc)));
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
    QPushButton *b = this->bouton(bouton);
    QListWidget *lb = m_menu->LB1;
    choisir(QStringLiteral("3EME1.VTC"));
    std::unique_ptr<QMimeData> donnees(lb->model()->mimeData({lb->model()->index(0, 0)}));
    const QPoint centre = b->rect().center();
    QDragEnterEvent entree(centre, Qt::CopyAction | Qt::MoveAction, donnees.get(), Qt::LeftButton, {});
    QApplication::sendEvent(b, &entree);
    QVERIFY(entree.isAccepted());
    QDropEvent depot(centre, Qt::CopyAction | Qt::MoveAction, donnees.get(), Qt::LeftButton, {});
    if (fenetre < 0)
        m_rep->prevoir(BoutonNon);
    QApplication::sendEvent(b, &depot);
    QVERIFY(depot.isAccepted());
    // A move would take the entry out of the catalogue.
    QCOMPARE(depot.dropAction(), Qt::CopyAction);
    if (fenetre >= 0) {
        QTRY_COMPARE(m_menu->ouvertures.size(), 1);
        QCOMPARE(m_menu->ouvertures.first().fenetre, fenetre);
        QCOMPARE(m_menu->ouvertures.first().nomFichier, QStringLiteral("3EME1.VTC"));
    } else {
        QTRY_COMPARE(m_rep->boites().size(), 1);
        QVERIFY(m_rep->dernierTexte().endsWith(QStringLiteral("3EME1 ?")));
    }
}

// Plain text, or an entry of another catalogue list: refused.
void TestMenu::deposerDAilleursRefuse()
{
    QMimeData texte;
    texte.setText(QStringLiteral("3EME1.VTC"));
    ListeCatalogue autreListe;
    autreListe.addItem(QStringLiteral("3EME1.VTC"));
    std::unique_ptr<QMimeData> autre(autreListe.model()->mimeData({autreListe.model()->index(0, 0)}));
    for (QMimeData *d : {&texte, autre.get()}) {
        const QPoint centre = m_menu->B6->rect().center();
        QDragEnterEvent entree(centre, Qt::CopyAction, d, Qt::LeftButton, {});
        QDropEvent depot(centre, Qt::CopyAction, d, Qt::LeftButton, {});
        for (QDropEvent *e : {static_cast<QDropEvent *>(&entree), &depot}) {
            e->setAccepted(false);
            QApplication::sendEvent(m_menu->B6, e);
            QVERIFY(!e->isAccepted());
        }
    }
    QCoreApplication::processEvents();
    QVERIFY(m_rep->boites().isEmpty());
}

void TestMenu::ligneDeCommande_data()
{
    QTest::addColumn<QString>("argument");
    QTest::addColumn<QString>("ouvert"); // empty: nothing opens
    QTest::addColumn<QString>("message");
    QTest::newRow("chemin Linux") << "/home/prof/classes/3EME1.VTC"
                                  << "3EME1.VTC"
                                  << "";
    QTest::newRow("chemin Windows") << "C:\\Notes\\4eme2.vtc"
                                    << "4eme2.vtc"
                                    << "";
    QTest::newRow("lecteur, casse") << "A:3eme1.Vtc"
                                    << "3EME1.VTC"
                                    << "";
    QTest::newRow("texte") << "/tmp/notes.txt"
                           << ""
                           << "";
    QTest::newRow("absent") << "/ailleurs/ABSENT.VTC"
                            << ""
                            << "Fichier introuvable.";
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
    // The first paint starts the opening; then wait for its one tick.
    QVERIFY(QTest::qWaitForWindowExposed(m_menu));
    m_menu->repaint();
    QTRY_VERIFY(!m_menu->Timer3->isActive());
    QCOMPARE(m_menu->ouvertures.size(), ouvert.isEmpty() ? 0 : 1);
    if (!ouvert.isEmpty()) {
        QCOMPARE(m_menu->ouvertures.first().fenetre, NOTES);
        QCOMPARE(m_menu->ouvertures.first().nomFichier.toUpper(), ouvert.toUpper());
        QVERIFY(m_menu->ouvertures.first().nbEleves > 0);
    }
    QCOMPARE(m_rep->textes(), message.isEmpty() ? QStringList() : QStringList{message});
    QVERIFY(!DepuisLigneCommande);
    // Once only, whatever ticks later.
    m_menu->Timer3->start();
    QTRY_VERIFY(!m_menu->Timer3->isActive());
    QCOMPARE(m_menu->ouvertures.size(), ouvert.isEmpty() ? 0 : 1);
}

void TestMenu::aideEtLien()
{
    QTest::mouseClick(m_menu->BB7, Qt::LeftButton);
    QVERIFY(m_ouverts.isEmpty()); // no guide in this folder: nothing happens
    toucher(chemin(QStringLiteral("Vestdoc.htm")));
    QTest::mouseClick(m_menu->BB7, Qt::LeftButton);
    QCOMPARE(m_ouverts, QList<QUrl>{QUrl::fromLocalFile(chemin(QStringLiteral("Vestdoc.htm")))});

    QLabel *lien = m_menu->Label1;
    QEvent entree(QEvent::Enter), sortie(QEvent::Leave);
    QApplication::sendEvent(lien, &entree);
    QVERIFY(lien->font().bold());
    QApplication::sendEvent(lien, &sortie);
    QVERIFY(!lien->font().bold());
    QTest::mouseClick(lien, Qt::LeftButton, {}, lien->rect().center());
    QCOMPARE(m_ouverts.last(), QUrl(TMenuForm::adresseEditeur()));
    QVERIFY(m_rep->boites().isEmpty());
}

void TestMenu::ligneEtatEntiere()
{
    InstallerBulles(); // as the program does at start
    auto *ligne = m_menu->findChild<QLabel *>(QStringLiteral("StatusLine"));
    QVERIFY(ligne);
    for (QWidget *w : std::initializer_list<QWidget *>{m_menu->LB1, bouton(QStringLiteral("BB4")),
                                                       bouton(QStringLiteral("BB1"))}) {
        QEvent entree(QEvent::Enter);
        QApplication::sendEvent(w, &entree);
        QCOMPARE(ligne->text(), w->toolTip());
        // Every word of the hint in sight, inside the window.
        QTRY_VERIFY2(ligne->geometry().bottom() <= ligne->parentWidget()->height(),
                     qPrintable(w->objectName()));
        const QRect place = ligne->contentsRect().adjusted(ligne->indent(), 0, 0, 0);
        const QRect besoin = ligne->fontMetrics().boundingRect(
            QRect(place.topLeft(), QSize(place.width(), 1000)), Qt::TextWordWrap, ligne->text());
        QTRY_VERIFY2(ligne->wordWrap() || besoin.width() <= place.width(), qPrintable(w->objectName()));
        QTRY_VERIFY2(besoin.height() <= ligne->contentsRect().height(), qPrintable(w->objectName()));
    }
    // A short hint gives the line its own height back.
    QEvent sortie(QEvent::Leave);
    QApplication::sendEvent(bouton(QStringLiteral("BB1")), &sortie);
    QEvent entree(QEvent::Enter);
    QApplication::sendEvent(bouton(QStringLiteral("BB5")), &entree);
    QTRY_COMPARE(ligne->height(), 19);
}

QTEST_MAIN(TestMenu)
#include "tst_menuform.moc"
