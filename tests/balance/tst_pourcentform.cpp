// The class balance window: what it shows, and printing through its dialog.
#include "classdata/parametres.h"
#include "platform/horloge.h"
#include "tests/common/classeessai.h"
#include "tests/common/repondeurscripte.h"
#include "ui/balance/jauge.h"
#include "ui/balance/pourcentform.h"
#include "ui/components/etatui.h"

#include <QLabel>
#include <QListWidget>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>

class TstPourcentForm : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void affichage();
    void recalculeAChaqueOuverture();
    void sansMoyenne();
    void auCentreDeLEcran();
    void impression_data();
    void impression();
    void erreurImpression();
    void nomsCoupes();
};

void TstPourcentForm::initTestCase()
{
    FixerHorloge(QDateTime(QDate(2024, 3, 5), QTime(9, 0)));
    ProfondeurCouleurs = 32;
}

void TstPourcentForm::cleanup() { }

void TstPourcentForm::affichage()
{
    ClasseEssai::ChargerNotes({{"MARTIN", "Luc", 15, 15}, {"ABEL", "Eva", 5, 5}, {"BON", "Lou", 10, 10}});
    TPourcentForm f;
    f.preparer(Selecteur::Ensemble);
    f.show();
    QCOMPARE(f.windowTitle(), QStringLiteral("Bilan au 05/03/2024"));
    QCOMPARE(f.Label10->text(), QStringLiteral("3EME1  Moyenne générale"));
    const QLabel *effectifs[] = {f.Label4, f.Label5, f.Label6};
    const QLabel *pourcents[] = {f.Label7, f.Label8, f.Label9};
    const JaugeCirculaire *jauges[] = {f.Gauge1, f.Gauge2, f.Gauge3};
    const QListWidget *listes[] = {f.LB1, f.LB2, f.LB3};
    for (int b = 0; b < 3; ++b) {
        QCOMPARE(effectifs[b]->text(), QStringLiteral("(1)"));
        QCOMPARE(pourcents[b]->text(), QStringLiteral("(33.33 %)"));
        QCOMPARE(jauges[b]->valeur(), 33);
        QCOMPARE(jauges[b]->texte(), QStringLiteral("33%"));
        QCOMPARE(listes[b]->count(), 1);
    }
    QCOMPARE(f.LB1->item(0)->text(), QStringLiteral("ABEL Eva").leftJustified(45) + QStringLiteral(" 5.00"));
    QCOMPARE(f.LabelMin->text(), QStringLiteral("Min :  5.00"));
    QCOMPARE(f.LabelMoy->text(), QStringLiteral("Moy : 10.00"));
    QCOMPARE(f.LabelMax->text(), QStringLiteral("Max : 15.00"));
    f.BitBtn1->click();
    QVERIFY(!f.isVisible());
}

void TstPourcentForm::recalculeAChaqueOuverture()
{
    ClasseEssai::ChargerNotes({{"MARTIN", "Luc", 15}, {"ABEL", "Eva", 5}});
    TPourcentForm f;
    f.preparer(Selecteur::Mat1);
    f.show();
    QCOMPARE(f.LB3->count(), 1);
    f.hide();
    ListeEleves[1].NotesMat1[1][1] = 18;
    f.preparer(Selecteur::Mat2);
    f.show();
    QCOMPARE(f.Label10->text(), QStringLiteral("3EME1  Physique"));
    QCOMPARE(f.LB3->count(), 0);
    f.hide();
    f.preparer(Selecteur::Mat1);
    f.show();
    QCOMPARE(f.LB3->count(), 2);
    QCOMPARE(f.LB1->count(), 0);
}

void TstPourcentForm::sansMoyenne()
{
    ClasseEssai::ChargerNotes({});
    TPourcentForm f;
    f.preparer(Selecteur::Mat1);
    f.show();
    QCOMPARE(f.Label10->text(), QStringLiteral("3EME1  Maths"));
    QCOMPARE(f.Label4->text(), QStringLiteral("(0)"));
    QCOMPARE(f.Label7->text(), QStringLiteral("(0.00 %)"));
    QCOMPARE(f.Gauge1->valeur(), 0);
    QCOMPARE(f.LabelMin->text(), QStringLiteral("Min : "));
    QCOMPARE(f.LB1->count() + f.LB2->count() + f.LB3->count(), 0);
}

void TstPourcentForm::auCentreDeLEcran()
{
    // Opened over a menu window in a corner of the screen, and again after
    // being moved away.
    ClasseEssai::ChargerNotes({{"MARTIN", "Luc", 15}});
    QWidget menu;
    menu.setGeometry(0, 0, 200, 150);
    menu.show();
    TPourcentForm f(&menu);
    const QPoint centre = f.screen()->availableGeometry().center();
    for (int fois = 0; fois < 2; ++fois) {
        f.show();
        QVERIFY((f.frameGeometry().center() - centre).manhattanLength() <= 2);
        f.hide();
        f.move(0, 0);
    }
}

void TstPourcentForm::impression_data()
{
    QTest::addColumn<bool>("accepte");
    QTest::addColumn<int>("copies");
    QTest::addColumn<int>("fichiers");
    QTest::newRow("annulé") << false << 2 << 0;
    QTest::newRow("une copie") << true << 1 << 1;
    QTest::newRow("deux copies") << true << 2 << 2;
}

void TstPourcentForm::impression()
{
    QFETCH(bool, accepte);
    QFETCH(int, copies);
    QFETCH(int, fichiers);
    ClasseEssai::ChargerNotes({{"MARTIN", "Luc", 15}, {"ABEL", "Eva", 5}, {"BON", "Lou", 10}});
    QTemporaryDir dossier;
    const QString pdf = dossier.filePath(QStringLiteral("bilan.pdf"));
    RepondeurScripte rep;
    if (accepte)
        rep.prevoirImpression(pdf, copies);
    else
        rep.prevoir(BoutonAnnuler);
    TPourcentForm f;
    f.preparer(Selecteur::Mat1);
    f.show();
    f.BitBtn2->click();
    QCOMPARE(rep.boites().size(), 1);
    QCOMPARE(rep.boites().first().type, TypeBoite::Impression);
    QCOMPARE(rep.boites().first().titre, QStringLiteral("Imprimer le bilan"));
    QCOMPARE(QFile::exists(pdf), fichiers >= 1);
    QCOMPARE(QFile::exists(dossier.filePath(QStringLiteral("bilan-2.pdf"))), fichiers >= 2);
    QVERIFY(!QFile::exists(dossier.filePath(QStringLiteral("bilan-3.pdf"))));
    QCOMPARE(rep.reponsesRestantes(), 0);
    QVERIFY(rep.imprevues().isEmpty());
}

void TstPourcentForm::erreurImpression()
{
    ClasseEssai::ChargerNotes({{"MARTIN", "Luc", 15}});
    RepondeurScripte rep;
    rep.prevoirImpression(QStringLiteral("/nonexistent-folder/bilan.pdf"));
    TPourcentForm f;
    f.show();
    f.BitBtn2->click();
    QCOMPARE(rep.textes(), QStringList({QString(), QStringLiteral("Erreur d'impression")}));
    QCOMPARE(rep.boites().last().type, TypeBoite::Erreur);
}

void TstPourcentForm::nomsCoupes()
{
    ClasseEssai::ChargerNotes({{"BÉNARD-DUVAL", "Marie-Hélène", 5, 5}});
    TPourcentForm f;
    f.preparer(Selecteur::Ensemble);
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    InstallerBulles();
    const bool bulles = AfficherBulles;
    AfficherBulles = false; // a name is content, not a help hint
    QWidget *vp = f.LB1->viewport();
    const QPoint p = f.LB1->visualItemRect(f.LB1->item(0)).center();
    QHelpEvent e(QEvent::ToolTip, p, vp->mapToGlobal(p));
    QApplication::sendEvent(vp, &e);
    AfficherBulles = bulles;
    QVERIFY(QToolTip::isVisible());
    QVERIFY(QToolTip::text().startsWith(QStringLiteral("BÉNARD-DUVAL Marie-Hélène")));
}

QTEST_MAIN(TstPourcentForm)
#include "tst_pourcentform.moc"
