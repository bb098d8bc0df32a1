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

using namespace Qt::StringLiterals;

class TstDemarrage : public QObject {
    Q_OBJECT

    QTemporaryDir m_tmp;
    RepondeurScripte *m_rep = nullptr;
    QTimer m_fermeur;
    QWidget *m_fermee = nullptr;

    // Closes the next modal window once the menu shows too, and notes which it was.
    QWidget *fermerLaProchaine(const std::function<void()> &ouvrir)
    {
        m_fermee = nullptr;
        m_fermeur.start();
        ouvrir();
        return m_fermee;
    }

private slots:
    void initTestCase()
    {
        m_fermeur.setInterval(5);
        connect(&m_fermeur, &QTimer::timeout, this, [this] {
            QWidget *w = QApplication::activeModalWidget();
            if (w && MenuForm && MenuForm->isVisible()) {
                m_fermee = w;
                m_fermeur.stop();
                w->close();
            }
        });
    }
    void init()
    {
        DefinirDossierProgramme(m_tmp.path());
        m_rep = new RepondeurScripte;
    }
    void cleanup()
    {
        m_fermeur.stop();
        Terminer();
        delete m_rep;
        for (QWidget *w : std::initializer_list<QWidget *>{MenuForm, NoteForm, ConfForm, CoefForm, ApprForm,
                                                           PourcentForm, SauvForm, ApForm})
            QVERIFY(!w);
        QCOMPARE(Fenetres::nombreConstruites(), 0);
        DefinirDossierProgramme(QString());
    }

    void ligneDeCommande_data()
    {
        QTest::addColumn<QString>("arguments"); // @T: the temporary folder
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("sortie");  // expected in stdout
        QTest::addColumn<QString>("erreurs"); // expected in stderr
        const QString dans = u"Dossier des classes : "_s;
        QTest::newRow("--dossier") << "--dossier @T --emplacements" << 0 << dans + "@T\n"
                                   << "";
        QTest::newRow("--dossier=") << "--emplacements --dossier=@T/" << 0 << dans + "@T\n"
                                    << "";
        QTest::newRow("copie portable, comme avant")
            << "--emplacements" << 0 << dans + QFileInfo(VESTREL).absolutePath() + '\n'
            << "";
        QTest::newRow("une classe double-cliquée")
            << "@T/ailleurs/4B.VTC --emplacements" << 0 << dans + "@T/ailleurs\n"
            << "";
        QTest::newRow("dossier absent") << "--dossier @T/absent --emplacements" << 1 << ""
                                        << "Dossier introuvable : @T/absent";
        QTest::newRow("--dossier sans dossier") << "--dossier" << 2 << ""
                                                << "l'option --dossier attend un dossier";
        QTest::newRow("option inconnue") << "--dosier @T" << 2 << ""
                                         << "option inconnue : --dosier";
        QTest::newRow("aide") << "--help" << 0 << "Usage : vestrel [--dossier DIR] [CLASSE.VTC]"
                              << "";
    }

    void ligneDeCommande()
    {
        QFETCH(QString, arguments);
        QFETCH(int, code);
        QFETCH(QString, sortie);
        QFETCH(QString, erreurs);
        QDir().mkpath(m_tmp.filePath("ailleurs"));
        QVERIFY(Essai::ecrire(m_tmp.filePath("ailleurs/4B.VTC"), {}));
        QProcess p;
        p.start(VESTREL, arguments.replace("@T", m_tmp.path()).split(u' '));
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
            vues << fermerLaProchaine([&] { menu->findChild<QPushButton *>("BB1")->click(); });
        }
        QVERIFY(NoteForm && NoteForm->parentWidget() == menu);
        QCOMPARE(vues, QList<QWidget *>({NoteForm, NoteForm}));
        QCOMPARE(Fenetres::nombreConstruites(), 1);
        QCOMPARE(NbEleves(), 0); // the class is emptied after the window closes

        QWidget *sauvegarde = fermerLaProchaine([&] { menu->findChild<QPushButton *>("BBSauver")->click(); });
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
        TMenuForm *menu = nullptr;
        fermerLaProchaine([&] { menu = Demarrer(m_tmp.filePath("3EME1.VTC")); });
        QVERIFY(!menu->isVisible());
        QVERIFY(!menu->LB1); // its content waits for its showing
        struct : QObject {
            bool noteVisible = false; // when the menu showed
            bool eventFilter(QObject *, QEvent *e) override
            {
                if (e->type() == QEvent::Show)
                    noteVisible = NoteForm && NoteForm->isVisible();
                return false;
            }
        } guetteur;
        menu->installEventFilter(&guetteur);
        QTRY_VERIFY(m_fermee);
        QVERIFY(m_fermee == NoteForm && guetteur.noteVisible);
        QTRY_VERIFY(!NoteForm->isVisible());
        QVERIFY(menu->isVisible());
        QCOMPARE(menu->LB1->count(), 1);
        QCOMPARE(Fenetres::nombreConstruites(), 1);
    }
};

QTEST_MAIN(TstDemarrage)
#include "tst_demarrage.moc"
