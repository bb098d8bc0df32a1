// Start-up: only the main menu is built; every other window is built the
// first time it opens, once, and destroyed at the end.
#include "classdata/classe.h"
#include "platform/dossier.h"
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

#include <QApplication>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

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

class TstFenetres : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void seulLeMenuAuDemarrage();
    void construitesUneFoisAPremiereOuverture();
    void classeDeLaLigneDeCommande();

private:
    QTemporaryDir *m_dossier = nullptr;
    RepondeurScripte *m_rep = nullptr;
};

void TstFenetres::init()
{
    m_dossier = new QTemporaryDir;
    DefinirDossierProgramme(m_dossier->path());
    QList<StudentRecord> eleves(3);
    QCOMPARE(EcrireEleves(m_dossier->filePath(QStringLiteral("3EME1.VTC")), eleves).etat,
             EtatEcriture::Ecrit);
    m_rep = new RepondeurScripte;
}

void TstFenetres::cleanup()
{
    Terminer();
    QVERIFY(!MenuForm);
    for (QWidget *w : FenetresSecondaires())
        QVERIFY(!w);
    QCOMPARE(Fenetres::nombreConstruites(), 0);
    QVERIFY2(m_rep->imprevues().isEmpty(), qPrintable(m_rep->imprevues().join(u'|')));
    delete m_rep;
    delete m_dossier;
}

void TstFenetres::seulLeMenuAuDemarrage()
{
    TMenuForm *menu = Demarrer(QString());
    QCOMPARE(menu, MenuForm);
    QVERIFY(menu->isVisible());
    QVERIFY(QTest::qWaitForWindowExposed(menu));
    for (QWidget *w : FenetresSecondaires())
        QVERIFY(!w);
    QCOMPARE(Fenetres::nombreConstruites(), 0);
    // No top-level window but the menu.
    for (QWidget *w : QApplication::topLevelWidgets())
        QVERIFY2(w == menu || w->parentWidget() == menu, qPrintable(w->objectName()));
}

void TstFenetres::construitesUneFoisAPremiereOuverture()
{
    TMenuForm *menu = Demarrer(QString());
    QVERIFY(QTest::qWaitForWindowExposed(menu));
    auto *charger = menu->findChild<QPushButton *>(QStringLiteral("BB1"));
    auto *sauver = menu->findChild<QPushButton *>(QStringLiteral("BBSauver"));
    QVERIFY(charger && sauver);

    QList<QWidget *> vues;
    for (int fois = 0; fois < 2; ++fois) {
        menu->LB1->setCurrentRow(0);
        vues << FermerLaProchaine([&] { charger->click(); });
    }
    QVERIFY(NoteForm);
    QCOMPARE(vues, QList<QWidget *>({NoteForm, NoteForm}));
    QCOMPARE(NoteForm->parentWidget(), menu);
    QCOMPARE(Fenetres::nombreConstruites(), 1);
    QCOMPARE(NbEleves(), 0); // the class is emptied after the window closes

    QWidget *sauvegarde = FermerLaProchaine([&] { sauver->click(); });
    QVERIFY(SauvForm);
    QCOMPARE(sauvegarde, SauvForm);
    QCOMPARE(Fenetres::nombreConstruites(), 2);
    for (QWidget *w : {(QWidget *)ConfForm, (QWidget *)CoefForm, (QWidget *)ApprForm, (QWidget *)PourcentForm,
                       (QWidget *)ApForm})
        QVERIFY(!w);

    // Built once, whoever asks.
    TApForm *apercu = &SurDemande(ApForm);
    QCOMPARE(&SurDemande(ApForm), apercu);
    QCOMPARE(apercu->parentWidget(), menu);
    QVERIFY(!apercu->FontDialog1); // the font dialog waits for "Ecriture"
    QCOMPARE(Fenetres::nombreConstruites(), 3);

    // A window that goes empties its pointer; the next use builds a new one.
    delete ApForm;
    QVERIFY(!ApForm);
    QVERIFY(&SurDemande(ApForm));
}

void TstFenetres::classeDeLaLigneDeCommande()
{
    // The class's window shows first; the menu comes beneath it once that
    // window has painted, and stays when it closes.
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
    TMenuForm *menu = Demarrer(m_dossier->filePath(QStringLiteral("3EME1.VTC")));
    QVERIFY(!menu->isVisible());
    QTRY_VERIFY(vue);
    QCOMPARE(vue, NoteForm);
    QTRY_VERIFY(!NoteForm->isVisible());
    QVERIFY(menu->isVisible());
    QCOMPARE(Fenetres::nombreConstruites(), 1);
}

QTEST_MAIN(TstFenetres)
#include "tst_fenetres.moc"
