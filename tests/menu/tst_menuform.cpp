// The main menu: catalogue, buttons, deletion, drag and drop, command line.
#include "classdata/classe.h"
#include "classdata/verrouclasse.h"
#include "platform/dossier.h"
#include "tests/common/classeessai.h"
#include "tests/common/repondeurscripte.h"
#include "ui/config/confform.h"
#include "ui/menu/catalogue.h"
#include "ui/menu/menuform.h"

#include <QtTest>
#include <QtWidgets>

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
    QCOMPARE(EcrireEleves(chemin, QList<StudentRecord>(nb)).etat, EtatEcriture::Ecrit);
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

    ClasseEssai *m_dossier = nullptr;
    MenuSousTest *m_menu = nullptr;
    RepondeurScripte *m_rep = nullptr;

    QString chemin(const QString &nom) const { return m_dossier->chemin(nom); }
    void cliquer(const QString &nom)
    {
        QTest::mouseClick(m_menu->findChild<QPushButton *>(nom), Qt::LeftButton);
    }
    void choisir(const QString &entree)
    {
        const auto items = m_menu->LB1->findItems(entree, Qt::MatchExactly);
        QVERIFY2(!items.isEmpty(), qPrintable(entree));
        m_menu->LB1->setCurrentItem(items.first());
    }
    void nouveauMenu(const QString &argument = QString())
    {
        delete m_menu;
        m_menu = new MenuSousTest;
        m_menu->definirArgument(argument);
        m_menu->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_menu));
    }

private slots:
    // Two classes: 3EME1 with its settings file, 4eme2 without.
    void init()
    {
        m_dossier = new ClasseEssai;
        ecrireClasse(chemin("3EME1.VTC"), 3);
        QVERIFY(Essai::ecrire(chemin("3EME1.INI"), "x"));
        ecrireClasse(chemin("4eme2.vtc"), 2);
        m_rep = new RepondeurScripte;
        nouveauMenu();
    }

    void cleanup()
    {
        delete m_menu;
        m_menu = nullptr;
        delete m_rep;
        delete m_dossier;
        ViderClasse();
    }

    void catalogueFiltreEtTrie()
    {
        QCOMPARE(entrees(m_menu->LB1), QStringList({"3EME1.VTC", "4eme2.vtc"}));
        QTemporaryDir d;
        for (const char *nom : {"a.vtc", "B.VTC", "c.txt", "D.Vtc", "e.vtc.bak", "C.vtc", "f.vtcx"})
            QVERIFY(Essai::ecrire(d.filePath(nom), "x"));
        QVERIFY(QDir(d.path()).mkdir("X.VTC") && QDir(d.path()).mkdir("Y.txt"));
        DefinirDossierProgramme(d.path());
        m_menu->Repeint();
        QCOMPARE(entrees(m_menu->LB1), QStringList({"a.vtc", "B.VTC", "C.vtc", "D.Vtc", "X.VTC"}));
        QVERIFY(!EstNomDeClasse("C:\\cl.vtc\\notes"));
    }

    // With no class chosen, each command says so; the mnemonics reach them too.
    void boutonsSansClasse_data()
    {
        QTest::addColumn<QString>("bouton");
        QTest::addColumn<int>("touche"); // 0: a click
        QTest::addColumn<QString>("message");
        QTest::newRow("charger") << "BB1" << int(Qt::Key_C) << "Charger quel fichier ?";
        QTest::newRow("modifier") << "BB3" << 0 << "Modifier quel fichier ?";
        QTest::newRow("supprimer") << "B6" << int(Qt::Key_S) << "Supprimer quel fichier ?";
        QTest::newRow("sauvegarde") << "BBSauver" << int(Qt::Key_V) << QString();
        QTest::newRow("quitter") << QString() << int(Qt::Key_Q) << QString();
    }

    void boutonsSansClasse()
    {
        QFETCH(QString, bouton);
        QFETCH(int, touche);
        QFETCH(QString, message);
        if (touche) {
            QApplication::setActiveWindow(m_menu);
            QVERIFY(QTest::qWaitForWindowActive(m_menu));
            QTest::keyClick(m_menu, Qt::Key(touche), Qt::AltModifier); // clicks after a short animation
        } else
            cliquer(bouton);
        if (!message.isEmpty()) {
            QTRY_COMPARE(m_rep->textes(), QStringList{message});
            QCOMPARE(m_rep->boites().first().type, TypeBoite::Simple);
            QVERIFY(m_menu->ouvertures.isEmpty());
        } else if (!bouton.isEmpty())
            QTRY_VERIFY(m_menu->ouvertures.size() == 1 && m_menu->ouvertures.last().fenetre == SAUVEGARDE);
        else
            QTRY_VERIFY(!m_menu->isVisible());
    }

    // The window opened with the class and the mode it needs, even after a
    // creation left its flag; the class is emptied and unchosen afterwards.
    // Creating over a chosen class is refused; a creation forgets the other modes.
    void boutonsAvecClasse_data()
    {
        QTest::addColumn<QString>("bouton");
        QTest::addColumn<int>("fenetre");
        QTest::addColumn<int>("mode"); // 2 modification, 3 duplication
        QTest::newRow("charger") << "BB1" << NOTES << 0;
        QTest::newRow("modifier") << "BB3" << CONFIGURATION << 2;
        QTest::newRow("dupliquer") << "BB4" << CONFIGURATION << 3;
    }

    void boutonsAvecClasse()
    {
        QFETCH(QString, bouton);
        QFETCH(int, fenetre);
        QFETCH(int, mode);
        ModeCreation = true;
        choisir("3EME1.VTC");
        cliquer(bouton);
        QCOMPARE(m_menu->ouvertures.size(), 1);
        Ouverture o = m_menu->ouvertures.first();
        QVERIFY(o.fenetre == fenetre && o.nomFichier == "3EME1.VTC" && o.nbEleves == 3);
        QVERIFY(!mode || (!o.creation && o.modification == (mode == 2) && o.duplication == (mode == 3)));
        QCOMPARE(NbEleves(), 0);
        m_menu->FormActivate();
        QVERIFY(m_menu->classeChoisie().isEmpty());

        choisir("4eme2.vtc");
        cliquer("BB2");
        QCOMPARE(m_rep->textes(), QStringList{"Le fichier 4eme2.vtc est déjà créé !"});
        QVERIFY(m_menu->ouvertures.size() == 1 && m_menu->classeChoisie().isEmpty());
        ListeEleves.append(StudentRecord());
        ecrireClasse(chemin("5EME3.VTC"), 1); // as if the dialog had written a new class
        cliquer("BB2");
        QCOMPARE(m_menu->ouvertures.size(), 2);
        o = m_menu->ouvertures.last();
        QVERIFY(o.fenetre == CONFIGURATION && o.creation && !o.modification && !o.duplication && !o.nbEleves);
        QVERIFY(entrees(m_menu->LB1).contains("5EME3.VTC"));
    }

    // The file went away after the catalogue was built; a folder named like a
    // class; a FIFO, a link to /dev/zero, settings that are one: refused at once.
    void chargementImpossible()
    {
        QVERIFY(QDir(m_dossier->path()).mkdir("DOSSIER.VTC"));
        QVERIFY(::mkfifo(QFile::encodeName(chemin("TUBE.VTC")).constData(), 0600) == 0);
        QVERIFY(QFile::link("/dev/zero", chemin("ZERO.VTC")) && QFile::link("/dev/zero", chemin("REGL.INI")));
        ecrireClasse(chemin("REGL.VTC"), 2);
        m_menu->Repeint();
        choisir("3EME1.VTC");
        QVERIFY(QFile::remove(chemin("3EME1.VTC")));
        const QString pasOrdinaire = "%1 n'est pas un fichier ordinaire.";
        const QList<QPair<QString, QString>> cas{{"3EME1.VTC", "Fichier introuvable."},
                                                 {"DOSSIER.VTC", ""},
                                                 {"TUBE.VTC", pasOrdinaire.arg(chemin("TUBE.VTC"))},
                                                 {"ZERO.VTC", pasOrdinaire.arg(chemin("ZERO.VTC"))},
                                                 {"REGL.VTC", pasOrdinaire.arg(chemin("REGL.INI"))}};
        for (const auto &[classe, message] : cas) {
            m_rep->vider();
            if (classe != "3EME1.VTC")
                choisir(classe);
            cliquer(classe == "DOSSIER.VTC" ? "BB3" : "BB1");
            QCOMPARE(m_rep->boites().size(), 1);
            QCOMPARE(m_rep->boites().first().type, TypeBoite::Erreur);
            QVERIFY2(message.isEmpty() || m_rep->dernierTexte() == message,
                     qPrintable(m_rep->dernierTexte()));
            QVERIFY(m_menu->ouvertures.isEmpty() && NbEleves() == 0);
        }
        QVERIFY(!QApplication::overrideCursor());
    }

    // A click chooses, the right button forgets; a double click or Enter opens.
    void sourisEtClavier()
    {
        QListWidget *lb = m_menu->LB1;
        const QPoint centre = lb->visualItemRect(lb->item(1)).center();
        QTest::mouseClick(lb->viewport(), Qt::LeftButton, {}, centre);
        QCOMPARE(m_menu->classeChoisie(), "4eme2.vtc");
        QTest::mouseClick(lb->viewport(), Qt::RightButton, {}, centre);
        QVERIFY(m_menu->classeChoisie().isEmpty());
        QTest::mouseClick(lb->viewport(), Qt::LeftButton, {}, centre); // first click of the double click
        QTest::mouseDClick(lb->viewport(), Qt::LeftButton, {}, centre);
        QVERIFY(m_menu->ouvertures.size() == 1 && m_menu->ouvertures.first().nomFichier == "4eme2.vtc");
        QVERIFY(m_menu->classeChoisie().isEmpty());
        QTest::mouseClick(lb->viewport(), Qt::LeftButton, {}, centre);
        QTest::keyClick(lb, Qt::Key_Return);
        QCOMPARE(m_menu->ouvertures.size(), 2);
    }

    // The question names the class and defaults to Non; Escape and the close
    // box are refused, Enter is Non; Oui deletes the class with its settings.
    void supprimer_data()
    {
        QTest::addColumn<QString>("vtc");
        QTest::addColumn<int>("reponse");
        QTest::newRow("oui") << "3EME1.VTC" << int(BoutonOui);
        QTest::newRow("sans fichier de réglages") << "4eme2.vtc" << int(BoutonOui);
        QTest::newRow("échap, fermeture, entrée") << "3EME1.VTC" << int(ToucheEntree);
    }

    void supprimer()
    {
        QFETCH(QString, vtc);
        QFETCH(int, reponse);
        choisir(vtc);
        const int refus = reponse == ToucheEntree ? 2 : 0;
        if (refus) {
            m_rep->prevoir(ToucheEchap);
            m_rep->prevoir(CaseFermeture);
        }
        m_rep->prevoir(reponse);
        cliquer("B6");
        QCOMPARE(m_rep->refus(), refus);
        QCOMPARE(m_rep->boites().size(), 1 + refus);
        const Boite b = m_rep->boites().first();
        QVERIFY(b.type == TypeBoite::Avertissement && b.boutons == (BoutonOui | BoutonNon)
                && b.defaut == BoutonNon);
        QCOMPARE(b.texte,
                 "Voulez-vous SUPPRIMER DEFINITIVEMENT\r\n       le fichier de notes de la classe : "
                 "\r\n                     "
                     + vtc.chopped(4) + " ?");
        const bool oui = reponse == BoutonOui;
        QCOMPARE(QFile::exists(chemin(vtc)), !oui);
        QCOMPARE(entrees(m_menu->LB1).contains(vtc), !oui);
        QCOMPARE(QFile::exists(chemin("3EME1.INI")), !(oui && vtc == "3EME1.VTC"));
        QVERIFY(m_menu->classeChoisie().isEmpty());
    }

    // A marks "file" that cannot be deleted: the platform's message, its settings
    // kept. A class another copy has open is not deleted; once free, it goes
    // with its settings and its recovery journal.
    void supprimerRefuse()
    {
        QVERIFY(QDir(m_dossier->path()).mkdir("BLOQUE.VTC"));
        QVERIFY(Essai::ecrire(chemin("BLOQUE.INI"), "x"));
        m_menu->Repeint();
        choisir("BLOQUE.VTC");
        m_rep->prevoir(BoutonOui);
        cliquer("B6");
        QCOMPARE(m_rep->dernierTexte(), "Accès au fichier refusé.");
        QVERIFY(QFile::exists(chemin("BLOQUE.INI")) && entrees(m_menu->LB1).contains("BLOQUE.VTC"));

        m_rep->vider();
        const QString vtc = chemin("3EME1.VTC");
        QVERIFY(Essai::ecrire(CheminJournal(vtc), "x"));
        auto autre = std::make_unique<VerrouClasse>(vtc);
        QCOMPARE(autre->prendre(), VerrouClasse::Etat::Pris);
        choisir("3EME1.VTC");
        cliquer("B6");
        QCOMPARE(m_rep->boites().size(), 1);
        QVERIFY(m_rep->dernierTexte().startsWith("La classe 3EME1 est ouverte par ")
                && m_rep->dernierTexte().endsWith(" Elle ne peut pas être supprimée."));
        QVERIFY(QFile::exists(vtc) && m_menu->classeChoisie().isEmpty());
        autre.reset();
        choisir("3EME1.VTC");
        m_rep->prevoir(BoutonOui);
        cliquer("B6");
        QVERIFY(!QFile::exists(vtc) && !QFile::exists(CheminJournal(vtc))
                && !QFile::exists(CheminVerrou(vtc)));
    }

    // An entry of the catalogue dropped on a button does its command, as a
    // copy (a move would take it out of the list); plain text or an entry of
    // another list is refused.
    void glisserDeposer_data()
    {
        QTest::addColumn<QString>("bouton");
        QTest::addColumn<int>("fenetre"); // -1: the deletion question; -2: text; -3: another list
        QTest::newRow("charger") << "BB1" << NOTES;
        QTest::newRow("dupliquer") << "BB4" << CONFIGURATION;
        QTest::newRow("supprimer") << "B6" << -1;
        QTest::newRow("texte") << "B6" << -2;
        QTest::newRow("autre liste") << "B6" << -3;
    }

    void glisserDeposer()
    {
        QFETCH(QString, bouton);
        QFETCH(int, fenetre);
        QPushButton *b = m_menu->findChild<QPushButton *>(bouton);
        ListeCatalogue autreListe;
        autreListe.addItem("3EME1.VTC");
        QListWidget *lb = fenetre == -3 ? &autreListe : m_menu->LB1;
        choisir("3EME1.VTC");
        std::unique_ptr<QMimeData> donnees(lb->model()->mimeData({lb->model()->index(0, 0)}));
        if (fenetre == -2) {
            donnees = std::make_unique<QMimeData>();
            donnees->setText("3EME1.VTC");
        }
        if (fenetre == -1)
            m_rep->prevoir(BoutonNon);
        QDragEnterEvent entree(b->rect().center(), Qt::CopyAction | Qt::MoveAction, donnees.get(),
                               Qt::LeftButton, {});
        QDropEvent depot(b->rect().center(), Qt::CopyAction | Qt::MoveAction, donnees.get(), Qt::LeftButton,
                         {});
        for (QDropEvent *e : {static_cast<QDropEvent *>(&entree), &depot}) {
            e->setAccepted(false);
            QApplication::sendEvent(b, e);
            QCOMPARE(e->isAccepted(), fenetre > -2);
        }
        if (fenetre >= 0) {
            QCOMPARE(depot.dropAction(), Qt::CopyAction);
            QTRY_COMPARE(m_menu->ouvertures.size(), 1);
            QVERIFY(m_menu->ouvertures.first().fenetre == fenetre
                    && m_menu->ouvertures.first().nomFichier == "3EME1.VTC");
        } else if (fenetre == -1)
            QTRY_VERIFY(m_rep->dernierTexte().endsWith("3EME1 ?"));
        QCoreApplication::processEvents();
        QCOMPARE(m_rep->boites().size() + m_menu->ouvertures.size(), fenetre > -2 ? 1 : 0);
    }

    // A class given at start opens once, after the first paint, whatever
    // ticks later; a path of any system, any letter case.
    void ligneDeCommande_data()
    {
        QTest::addColumn<QString>("argument");
        QTest::addColumn<QString>("ouvert"); // empty: nothing opens
        QTest::addColumn<QString>("message");
        const char *cas[][4] = {{"chemin Linux", "/home/prof/classes/3EME1.VTC", "3EME1.VTC", ""},
                                {"chemin Windows", "C:\\Notes\\4eme2.vtc", "4eme2.vtc", ""},
                                {"lecteur, casse", "A:3eme1.Vtc", "3EME1.VTC", ""},
                                {"texte", "/tmp/notes.txt", "", ""},
                                {"absent", "/ailleurs/ABSENT.VTC", "", "Fichier introuvable."}};
        for (const auto &c : cas)
            QTest::newRow(c[0]) << c[1] << c[2] << c[3];
    }

    void ligneDeCommande()
    {
        QFETCH(QString, argument);
        QFETCH(QString, ouvert);
        QFETCH(QString, message);
        nouveauMenu(argument);
        m_menu->repaint();
        for (int fois = 0; fois < 2; ++fois) {
            QTRY_VERIFY(!m_menu->Timer3->isActive());
            QCOMPARE(m_menu->ouvertures.size(), ouvert.isEmpty() ? 0 : 1);
            m_menu->Timer3->start();
        }
        if (!ouvert.isEmpty()) {
            const Ouverture o = m_menu->ouvertures.first();
            QVERIFY(o.fenetre == NOTES && o.nomFichier.toUpper() == ouvert.toUpper() && o.nbEleves > 0);
        }
        QCOMPARE(m_rep->textes(), message.isEmpty() ? QStringList() : QStringList{message});
        QVERIFY(!DepuisLigneCommande);
    }
};

QTEST_MAIN(TestMenu)
#include "tst_menuform.moc"
