// The program's start: its command line, run as a process; the folder of the
// classes in the main window's title; only the main menu built at start,
// every other window built once, on first use, and destroyed at the end.
#include "classdata/classe.h"
#include "platform/dossier.h"
#include "tests/common/fichiersessai.h"
#include "tests/common/repondeurscripte.h"
#include "ui/appreciations/apprform.h"
#include "ui/backup/sauvform.h"
#include "ui/balance/pourcentform.h"
#include "ui/coefficients/coefform.h"
#include "ui/components/fenetres.h"
#include "ui/config/confform.h"
#include "ui/marks/noteform.h"
#include "ui/menu/catalogue.h"
#include "ui/menu/demarrage.h"
#include "ui/menu/menuform.h"
#include "ui/preview/apform.h"

#include <QtTest>
#include <QtWidgets>

namespace {

QList<QWidget *> FenetresSecondaires()
{
    return {NoteForm, ConfForm, CoefForm, ApprForm, PourcentForm, SauvForm, ApForm};
}

// Closes the next modal window as soon as it shows, and says which it was.
QWidget *FermerLaProchaine(const std::function<void()> &ouvrir)
{
    QWidget *vue = nullptr;
    QTimer t;
    t.setInterval(5);
    QObject::connect(&t, &QTimer::timeout, [&] {
        if (QWidget *w = QApplication::activeModalWidget()) {
            vue = w;
            t.stop();
            w->close();
        }
    });
    t.start();
    ouvrir();
    return vue;
}

} // namespace

class TstDemarrage : public QObject {
    Q_OBJECT

    QTemporaryDir m_tmp;
    RepondeurScripte *m_rep = nullptr;

private slots:
    void init()
    {
        DefinirDossierProgramme(m_tmp.path());
        m_rep = new RepondeurScripte;
    }
    void cleanup()
    {
        Terminer();
        delete m_rep;
        QVERIFY(!MenuForm);
        for (QWidget *w : FenetresSecondaires())
            QVERIFY(!w);
        QCOMPARE(Fenetres::nombreConstruites(), 0);
        DefinirDossierProgramme(QString());
    }

    void ligneDeCommande_data()
    {
        QTest::addColumn<QStringList>("arguments"); // @T: the temporary folder
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("sortie");  // expected in stdout
        QTest::addColumn<QString>("erreurs"); // expected in stderr
        const struct {
            const char *nom, *arguments;
            int code;
            const char *sortie, *erreurs; // @B: the program's folder
        } cas[] = {
            {"--dossier", "--dossier @T --emplacements", 0, "Dossier des classes : @T\n", ""},
            {"--dossier=", "--emplacements --dossier=@T/", 0, "Dossier des classes : @T\n", ""},
            {"copie portable, comme avant", "--emplacements", 0, "Dossier des classes : @B\n", ""},
            {"une classe double-cliquée", "@T/ailleurs/4B.VTC --emplacements", 0,
             "Dossier des classes : @T/ailleurs\n", ""},
            {"dossier absent", "--dossier @T/absent --emplacements", 1, "",
             "Dossier introuvable : @T/absent"},
            {"--dossier sans dossier", "--dossier", 2, "", "l'option --dossier attend un dossier"},
            {"option inconnue", "--dosier @T", 2, "", "option inconnue : --dosier"},
            {"aide", "--help", 0, "Usage : vestrel [--dossier DIR] [CLASSE.VTC]", ""},
        };
        for (const auto &c : cas)
            QTest::newRow(c.nom) << QString::fromUtf8(c.arguments).split(u' ') << c.code
                                 << QString::fromUtf8(c.sortie).replace("@B",
                                                                        QFileInfo(VESTREL).absolutePath())
                                 << QString::fromUtf8(c.erreurs);
    }

    void ligneDeCommande()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, code);
        QFETCH(QString, sortie);
        QFETCH(QString, erreurs);
        QDir().mkpath(m_tmp.filePath("ailleurs"));
        QVERIFY(Essai::ecrire(m_tmp.filePath("ailleurs/4B.VTC"), {}));
        arguments.replaceInStrings("@T", m_tmp.path());
        QProcess p;
        p.start(VESTREL, arguments);
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), code);
        const QString so = QString::fromUtf8(p.readAllStandardOutput());
        const QString se = QString::fromUtf8(p.readAllStandardError());
        QVERIFY2(so.contains(sortie.replace("@T", m_tmp.path())), qPrintable(so));
        QVERIFY2(se.contains(erreurs.replace("@T", m_tmp.path())), qPrintable(se));
        // Only the documents rule creates a folder; none of these reach it.
        QCOMPARE(QDir(m_tmp.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList{"ailleurs"});
    }

    // The teacher always sees where the classes are: the home folder as "~".
    void titre()
    {
        const QByteArray maison = qgetenv("HOME");
        const auto remettre = qScopeGuard([&] { qputenv("HOME", maison); });
        qputenv("HOME", QFile::encodeName(m_tmp.filePath("maison")));
        for (const auto &[dossier, titre] : {std::pair{"maison/Documents/Vestrel", "~/Documents/Vestrel"},
                                             std::pair{"cle/Vestrel", "@T/cle/Vestrel"}}) {
            QDir().mkpath(m_tmp.filePath(dossier));
            DefinirDossierProgramme(m_tmp.filePath(dossier));
            TMenuForm menu;
            menu.show();
            QVERIFY(QTest::qWaitForWindowExposed(&menu));
            QCOMPARE(menu.windowTitle(),
                     "Vestrel " VERSION_VESTREL " - Classes dans "
                         + QString(titre).replace("@T", m_tmp.path()));
        }
    }

    // Nothing but the menu at start; each window built once, whoever asks,
    // a child of the menu; one that goes empties its pointer.
    void construitesUneFoisAPremiereOuverture()
    {
        QCOMPARE(EcrireEleves(m_tmp.filePath("3EME1.VTC"), QList<StudentRecord>(3)).etat,
                 EtatEcriture::Ecrit);
        TMenuForm *menu = Demarrer(QString());
        QVERIFY(menu == MenuForm && QTest::qWaitForWindowExposed(menu));
        for (QWidget *w : QApplication::topLevelWidgets())
            QVERIFY2(w == menu || w->parentWidget() == menu, qPrintable(w->objectName()));
        QCOMPARE(Fenetres::nombreConstruites(), 0);

        QList<QWidget *> vues;
        for (int fois = 0; fois < 2; ++fois) {
            menu->LB1->setCurrentRow(0);
            vues << FermerLaProchaine([&] { menu->findChild<QPushButton *>("BB1")->click(); });
        }
        QVERIFY(NoteForm && NoteForm->parentWidget() == menu);
        QCOMPARE(vues, QList<QWidget *>({NoteForm, NoteForm}));
        QCOMPARE(Fenetres::nombreConstruites(), 1);
        QCOMPARE(NbEleves(), 0); // the class is emptied after the window closes

        QWidget *sauvegarde = FermerLaProchaine([&] { menu->findChild<QPushButton *>("BBSauver")->click(); });
        QVERIFY(SauvForm && sauvegarde == SauvForm);
        QCOMPARE(Fenetres::nombreConstruites(), 2);
        TApForm *apercu = &SurDemande(ApForm);
        QVERIFY(&SurDemande(ApForm) == apercu && apercu->parentWidget() == menu);
        QVERIFY(!apercu->FontDialog1); // the font dialog waits for "Ecriture"
        QCOMPARE(Fenetres::nombreConstruites(), 3);
        QVERIFY(!ConfForm && !CoefForm && !ApprForm && !PourcentForm);
        delete ApForm;
        QVERIFY(!ApForm && &SurDemande(ApForm));
    }

    // The class's window shows first; the menu comes beneath it once that
    // window has painted, and stays when it closes.
    void classeDeLaLigneDeCommande()
    {
        QCOMPARE(EcrireEleves(m_tmp.filePath("3EME1.VTC"), QList<StudentRecord>(3)).etat,
                 EtatEcriture::Ecrit);
        QWidget *vue = nullptr;
        QTimer t;
        t.setInterval(5);
        QObject::connect(&t, &QTimer::timeout, [&] {
            QWidget *w = QApplication::activeModalWidget();
            if (w && MenuForm->isVisible()) {
                vue = w;
                t.stop();
                w->close();
            }
        });
        t.start();
        TMenuForm *menu = Demarrer(m_tmp.filePath("3EME1.VTC"));
        QVERIFY(!menu->isVisible());
        QTRY_VERIFY(vue);
        QCOMPARE(vue, NoteForm);
        QTRY_VERIFY(!NoteForm->isVisible());
        QVERIFY(menu->isVisible());
        QCOMPARE(Fenetres::nombreConstruites(), 1);
    }
};

QTEST_MAIN(TstDemarrage)
#include "tst_demarrage.moc"
