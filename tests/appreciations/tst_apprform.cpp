// The appreciation expert driven as the teacher would, in a temporary program folder.
#include "averages/moyennes.h"
#include "classdata/options.h"
#include "classdata/real48.h"
#include "platform/dossier.h"
#include "platform/ecrituresure.h"
#include "platform/erreurs.h"
#include "tests/common/classeessai.h"
#include "tests/common/repondeurscripte.h"
#include "ui/appreciations/apprform.h"
#include "ui/appreciations/listephrases.h"
#include "ui/components/radiogroupe.h"

#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

namespace {
const QString QUESTION = QString::fromUtf8(
    "La base d'appréciations n'a pas été enregistrée !\r\n   Voulez vous l'enregister maintenant ?");
const QString CHOISIR = QString::fromUtf8("Il faut choisir une appréciation dans la liste !");
const QString PAS_DE_BASE = QString::fromUtf8("Il n'y a pas encore d'appréciation pour ce profil "
                                              "d'élève,\r\n              entrez en une, maintenant !");
} // namespace

class TstApprForm : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void ouverture_data();
    void ouverture();
    void ouvertureAvecBase();
    void sansNote();
    void ajouter();
    void modifier_data();
    void modifier();
    void sansSelection();
    void supprimer_data();
    void supprimer();
    void changementDeProfil_data();
    void changementDeProfil();
    void sauvegarder();
    void choisir();
    void doubleClicChoisit();
    void quitter_data();
    void quitter();
    void indicateurs();
    void seFermeParSesBoutons();
    void echecEcritureNeFermePas();
    void pannesSauvegarde();
    void grandeBase();

private:
    void ouvrir(double note = 12, int span = 1);
    void ecrire(const QString &nom, const QByteArray &octets);
    QByteArray lire(const QString &nom);
    void choisirPhrase(const QString &phrase);

    ClasseEssai *m_dossier = nullptr;
    RepondeurScripte *m_rep = nullptr;
    TApprForm *m_form = nullptr;
};

void TstApprForm::init()
{
    m_dossier = new ClasseEssai;
    DeuxPeriodes = false;
    m_rep = new RepondeurScripte;
    m_form = new TApprForm;
}

void TstApprForm::cleanup()
{
    QCOMPARE(m_rep->imprevues(), QStringList());
    QCOMPARE(m_rep->reponsesRestantes(), 0);
    delete m_form;
    delete m_rep;
    delete m_dossier;
}

void TstApprForm::ouvrir(double note, int span)
{
    m_form->preparer(QStringLiteral("DUPONT Jean"), note, span);
    m_form->show();
    QCoreApplication::processEvents();
}

void TstApprForm::ecrire(const QString &nom, const QByteArray &octets)
{
    QFile f(CheminProgramme(nom));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(octets);
}

QByteArray TstApprForm::lire(const QString &nom)
{
    QFile f(CheminProgramme(nom));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<absent>");
}

void TstApprForm::choisirPhrase(const QString &phrase)
{
    const int l = int(m_form->CB1->phrases().indexOf(phrase));
    QVERIFY2(l >= 0, qPrintable(phrase));
    m_form->CB1->choisirLigne(l);
    QCOMPARE(m_form->CB1->ligneCourante(), l);
}

void TstApprForm::ouverture_data()
{
    QTest::addColumn<double>("note");
    QTest::addColumn<int>("span");
    QTest::addColumn<bool>("semestres");
    QTest::addColumn<QString>("base");
    QTest::addColumn<QString>("titre");
    QTest::newRow("12 au trimestre 1")
        << 12.0 << 1 << false << "12120002.VAP"
        << "Expert en appréciations pour   DUPONT Jean  Note :  12.00   Trimestre 1";
    QTest::newRow("semestre 2") << 5.5 << 2 << true << "42122002.VAP"
                                << "Expert en appréciations pour   DUPONT Jean  Note :   5.50   Semestre 2";
    QTest::newRow("année") << 14.01 << int(Annee) << false << "02123002.VAP"
                           << "Expert en appréciations pour   DUPONT Jean  Note :  14.01   Année";
}

void TstApprForm::ouverture()
{
    QFETCH(double, note);
    QFETCH(int, span);
    QFETCH(bool, semestres);
    QFETCH(QString, base);
    QFETCH(QString, titre);
    DeuxPeriodes = semestres;
    ouvrir(note, span);
    QCOMPARE(m_form->windowTitle(), titre);
    QCOMPARE(m_form->baseCourante(), base);
    QCOMPARE(m_form->RG5->itemIndex(), base.at(4).digitValue());
    QVERIFY(m_form->isVisible());
    QCOMPARE(m_form->CB1->count(), 0);
    QVERIFY(!m_form->baseModifiee());
    for (QPushButton *b :
         {m_form->BSauver, m_form->BChoisir, m_form->BModifier, m_form->BSupprimer, m_form->BAjouter})
        QVERIFY2(!b->isEnabled(), qPrintable(b->objectName()));
    QCOMPARE(m_form->BCharger->palette().color(QPalette::ButtonText), QColor(Qt::black));
    QVERIFY(m_rep->boites().isEmpty());
    QVERIFY(!(m_form->windowFlags() & (Qt::WindowCloseButtonHint | Qt::WindowMinMaxButtonsHint)));
}

void TstApprForm::ouvertureAvecBase()
{
    ecrire(QStringLiteral("12120002.VAP"),
           "z\xe8"
           "bre\r\nAbricot\nbon\r\n");
    ouvrir();
    QCOMPARE(m_form->CB1->phrases(), (QStringList{"Abricot", "bon", QString::fromUtf8("zèbre")}));
    QCOMPARE(m_form->BCharger->palette().color(QPalette::ButtonText), QColor(Qt::red));
    for (QPushButton *b :
         {m_form->BSauver, m_form->BChoisir, m_form->BModifier, m_form->BSupprimer, m_form->BAjouter})
        QVERIFY2(b->isEnabled(), qPrintable(b->objectName()));
    QVERIFY(!m_form->baseModifiee());
    QVERIFY(m_rep->boites().isEmpty());

    // Every opening starts again from the presets.
    m_form->RG2->bouton(0)->click();
    QCOMPARE(m_form->baseCourante(), QStringLiteral("10120002.VAP"));
    m_form->BQuitter->click();
    ouvrir();
    QCOMPARE(m_form->baseCourante(), QStringLiteral("12120002.VAP"));
    QCOMPARE(m_form->CB1->count(), 3);
}

void TstApprForm::sansNote()
{
    ouvrir(NO_MARK);
    QTRY_VERIFY(!m_form->isVisible());
    QCOMPARE(m_rep->textes(), QStringList{QString::fromUtf8("Cet(te) élève n'a pas de note ! ")});
    QCOMPARE(m_form->result(), int(QDialog::Rejected));
    QVERIFY(m_form->appreciationChoisie().isEmpty());
    QCOMPARE(m_form->RG1->itemIndex(), -1);
}

void TstApprForm::ajouter()
{
    ecrire(QStringLiteral("12120002.VAP"), "Bon travail\r\n");
    ouvrir();
    QTest::keyClicks(m_form->M1, QStringLiteral("bon travail"));
    QVERIFY(m_form->BAjouter->isEnabled());
    QTest::keyClick(m_form->M1, Qt::Key_Return);
    QCOMPARE(m_form->CB1->phrases(), (QStringList{"Bon travail", "bon travail"}));
    QVERIFY(m_form->M1->text().isEmpty());
    QVERIFY(!m_form->BAjouter->isEnabled());
    QVERIFY(m_form->baseModifiee());

    QTest::keyClicks(m_form->M1, QStringLiteral("Bon travail"));
    m_form->BAjouter->click();
    QCOMPARE(m_rep->textes(), QStringList{QString::fromUtf8("Cette appréciation existe déjà !")});
    QCOMPARE(m_form->CB1->count(), 2);
    QCOMPARE(m_form->M1->text(), QStringLiteral("Bon travail"));

    // The box holds at most 80 characters, on one line.
    m_form->M1->clear();
    QTest::keyClicks(m_form->M1, QString(100, QLatin1Char('x')));
    QCOMPARE(m_form->M1->text().size(), 80);
}

void TstApprForm::modifier_data()
{
    QTest::addColumn<QString>("dansLaBoite");
    QTest::addColumn<QStringList>("listeApres");
    QTest::newRow("boîte vide") << QString() << QStringList{"Bon"};
    QTest::newRow("boîte remplie") << QStringLiteral("Nouveau") << QStringList{"Bon", "Nouveau"};
}

void TstApprForm::modifier()
{
    QFETCH(QString, dansLaBoite);
    QFETCH(QStringList, listeApres);
    const QString longue = QStringLiteral("Moyen ") + QString(100, QLatin1Char('-'));
    ecrire(QStringLiteral("12120002.VAP"), "Bon\r\n" + longue.toLatin1() + "\r\n");
    ouvrir();
    m_form->M1->setText(dansLaBoite);
    choisirPhrase(longue);
    m_form->BModifier->click();
    QCOMPARE(m_form->CB1->phrases(), listeApres);
    // A phrase of the file longer than the box allows comes back whole.
    QCOMPARE(m_form->M1->text(), longue);
    QVERIFY(m_form->baseModifiee());
    QVERIFY(m_rep->boites().isEmpty());
}

void TstApprForm::sansSelection()
{
    ecrire(QStringLiteral("12120002.VAP"), "Bon\r\n");
    ouvrir();
    for (QPushButton *b : {m_form->BChoisir, m_form->BModifier, m_form->BSupprimer})
        b->click();
    QCOMPARE(m_rep->textes(), (QStringList{CHOISIR, CHOISIR, CHOISIR}));
    QCOMPARE(m_form->CB1->count(), 1);
    QVERIFY(m_form->isVisible());
    QVERIFY(!m_form->baseModifiee());

    // With an empty list they say nothing at all.
    m_rep->vider();
    m_form->RG8->bouton(4)->click();
    m_form->BCharger->click();
    QCOMPARE(m_rep->textes(), QStringList{PAS_DE_BASE});
    for (QPushButton *b : {m_form->BChoisir, m_form->BModifier, m_form->BSupprimer, m_form->BSauver}) {
        QVERIFY(b->isEnabled());
        b->click();
    }
    QCOMPARE(m_rep->boites().size(), 1);
    QVERIFY(m_form->isVisible());
}

void TstApprForm::supprimer_data()
{
    QTest::addColumn<QByteArray>("base");
    QTest::addColumn<bool>("modifiee");
    QTest::newRow("il en reste") << QByteArray("Bon\r\nMoyen\r\n") << true;
    QTest::newRow("la dernière") << QByteArray("Bon\r\n") << false;
}

void TstApprForm::supprimer()
{
    QFETCH(QByteArray, base);
    QFETCH(bool, modifiee);
    ecrire(QStringLiteral("12120002.VAP"), base);
    ouvrir();
    choisirPhrase(QStringLiteral("Bon"));
    m_form->BSupprimer->click();
    QVERIFY(!m_form->CB1->phrases().contains(QStringLiteral("Bon")));
    QCOMPARE(m_form->baseModifiee(), modifiee);
    QCOMPARE(m_form->CB1->ligneCourante(), -1);
}

void TstApprForm::changementDeProfil_data()
{
    QTest::addColumn<int>("reponse");
    QTest::addColumn<QByteArray>("ancienne");
    QTest::newRow("oui") << int(BoutonOui) << QByteArray("Ancienne\r\nNouvelle\r\n");
    QTest::newRow("non") << int(BoutonNon) << QByteArray("Ancienne\r\n");
    // Escape does not answer: the box waits for Oui or Non.
    QTest::newRow("échap puis oui") << int(ToucheEchap) << QByteArray("Ancienne\r\nNouvelle\r\n");
}

void TstApprForm::changementDeProfil()
{
    QFETCH(int, reponse);
    QFETCH(QByteArray, ancienne);
    ecrire(QStringLiteral("12120002.VAP"), "Ancienne\r\n");
    ecrire(QStringLiteral("12120003.VAP"), "Autre\r\n");
    ouvrir();
    m_form->M1->setText(QStringLiteral("Nouvelle"));
    m_form->BAjouter->click();
    m_rep->prevoir(reponse);
    if (reponse == ToucheEchap)
        m_rep->prevoir(BoutonOui);
    m_form->RG8->bouton(3)->click();
    const int refus = reponse == ToucheEchap ? 1 : 0;
    QCOMPARE(m_rep->refus(), refus);
    QCOMPARE(m_rep->textes(), QStringList(refus + 1, QUESTION));
    QCOMPARE(m_rep->boites().first().type, TypeBoite::Confirmation);
    QCOMPARE(lire(QStringLiteral("12120002.VAP")), ancienne);
    QCOMPARE(m_form->baseCourante(), QStringLiteral("12120003.VAP"));
    QCOMPARE(m_form->CB1->phrases(), QStringList{"Autre"});
    QVERIFY(!m_form->baseModifiee());

    // Without changes: no question; a profile without base empties the list.
    m_rep->vider();
    m_form->RG6->bouton(1)->click();
    QVERIFY(m_rep->boites().isEmpty());
    QCOMPARE(m_form->baseCourante(), QStringLiteral("12120103.VAP"));
    QCOMPARE(m_form->CB1->count(), 0);
    QCOMPARE(m_form->BCharger->palette().color(QPalette::ButtonText), QColor(Qt::black));
}

void TstApprForm::sauvegarder()
{
    ouvrir();
    m_rep->vider();
    m_form->BCharger->click(); // no base yet: enables the commands
    m_rep->vider();
    m_form->BSauver->click();
    QVERIFY(!QFile::exists(CheminProgramme(QStringLiteral("12120002.VAP"))));

    m_form->M1->setText(QString::fromUtf8("Très bon trimestre"));
    m_form->BAjouter->click();
    m_form->M1->setText(QStringLiteral("Assez bien"));
    m_form->BAjouter->click();
    m_form->BSauver->click();
    QCOMPARE(lire(QStringLiteral("12120002.VAP")), QByteArray("Assez bien\r\nTr\xe8s bon trimestre\r\n"));
    QVERIFY(!m_form->baseModifiee());
    QVERIFY(m_rep->boites().isEmpty());
}

void TstApprForm::choisir()
{
    const QString longue = QStringLiteral("Excellent ") + QString(90, QLatin1Char('!'));
    ecrire(QStringLiteral("12120002.VAP"), longue.toLatin1() + "\r\nBon\r\n");
    ouvrir();
    m_form->M1->setText(QStringLiteral("Ajout"));
    m_form->BAjouter->click();
    choisirPhrase(longue);
    m_form->BChoisir->click();
    QVERIFY(m_rep->boites().isEmpty()); // saved without a question
    QCOMPARE(lire(QStringLiteral("12120002.VAP")), "Ajout\r\nBon\r\n" + longue.toLatin1() + "\r\n");
    QCOMPARE(m_form->appreciationChoisie(), longue.left(80));
    QVERIFY(!m_form->isVisible());
    QCOMPARE(m_form->result(), int(QDialog::Accepted));
}

void TstApprForm::doubleClicChoisit()
{
    ecrire(QStringLiteral("12120002.VAP"), "Bon\r\nMoyen\r\n");
    ouvrir();
    QListView *vue = m_form->CB1->vue();
    const QRect r = vue->visualRect(vue->model()->index(1, 0));
    QTest::mouseClick(vue->viewport(), Qt::LeftButton, {}, r.center());
    QTest::mouseDClick(vue->viewport(), Qt::LeftButton, {}, r.center());
    QCOMPARE(m_form->appreciationChoisie(), QStringLiteral("Moyen"));
    QVERIFY(!m_form->isVisible());
}

void TstApprForm::quitter_data()
{
    QTest::addColumn<bool>("modifier");
    QTest::addColumn<int>("reponse");
    QTest::addColumn<QByteArray>("fichier");
    QTest::newRow("sans changement") << false << 0 << QByteArray("Bon\r\n");
    QTest::newRow("oui") << true << int(BoutonOui) << QByteArray("");
    QTest::newRow("non") << true << int(BoutonNon) << QByteArray("Bon\r\nMoyen\r\n");
}

void TstApprForm::quitter()
{
    QFETCH(bool, modifier);
    QFETCH(int, reponse);
    QFETCH(QByteArray, fichier);
    ecrire(QStringLiteral("12120002.VAP"), "Bon\r\nMoyen\r\n");
    ouvrir();
    choisirPhrase(QStringLiteral("Moyen"));
    if (modifier) {
        m_form->BSupprimer->click(); // flag set
        choisirPhrase(QStringLiteral("Bon"));
        m_form->BSupprimer->click(); // the last one: flag kept, list empty
        m_rep->prevoir(reponse);
    } else {
        ecrire(QStringLiteral("12120002.VAP"), "Bon\r\n");
    }
    m_form->BQuitter->click();
    QCOMPARE(m_rep->textes(), modifier ? QStringList{QUESTION} : QStringList());
    QCOMPARE(lire(QStringLiteral("12120002.VAP")), fichier);
    QVERIFY(!m_form->isVisible());
    QVERIFY(m_form->appreciationChoisie().isEmpty());
    QVERIFY(!m_form->baseModifiee());
}

void TstApprForm::indicateurs()
{
    ecrire(QStringLiteral("12120002.VAP"), "Bon\r\n");
    ouvrir();
    QVERIFY(!m_form->Image1->isVisible());
    m_form->M1->setText(QStringLiteral("Nouveau"));
    m_form->BAjouter->click();
    m_form->Timer1Timer();
    QVERIFY(m_form->Image1->isVisible());
    QCOMPARE(m_form->BCharger->palette().color(QPalette::ButtonText), QColor(Qt::black));
    // Reloading drops the changes without a question.
    m_form->M1->setText(QStringLiteral("en cours"));
    m_form->BCharger->click();
    QVERIFY(m_rep->boites().isEmpty());
    QCOMPARE(m_form->CB1->phrases(), QStringList{"Bon"});
    QVERIFY(m_form->M1->text().isEmpty());
    QVERIFY(!m_form->baseModifiee());
    QTRY_VERIFY_WITH_TIMEOUT(!m_form->Image1->isVisible(), 2500); // by the timer itself
    QCOMPARE(m_form->BCharger->palette().color(QPalette::ButtonText), QColor(Qt::red));
    // The base disappearing does not turn it black again.
    QFile::remove(CheminProgramme(QStringLiteral("12120002.VAP")));
    m_form->Timer1Timer();
    QCOMPARE(m_form->BCharger->palette().color(QPalette::ButtonText), QColor(Qt::red));
}

void TstApprForm::seFermeParSesBoutons()
{
    ouvrir();
    QTest::keyClick(m_form, Qt::Key_Escape);
    m_form->close();
    QCoreApplication::processEvents();
    QVERIFY(m_form->isVisible());
    m_form->BQuitter->click();
    QVERIFY(!m_form->isVisible());
}

void TstApprForm::echecEcritureNeFermePas()
{
    // A folder where the base should be: the write fails.
    QVERIFY(QDir(m_dossier->path()).mkdir(QStringLiteral("12120002.VAP")));
    ouvrir();
    m_form->M1->setText(QStringLiteral("Bon"));
    m_form->BAjouter->click();
    choisirPhrase(QStringLiteral("Bon"));
    m_form->BChoisir->click();
    QCOMPARE(m_rep->boites().size(), 1);
    QCOMPARE(m_rep->boites().first().type, TypeBoite::Erreur);
    QVERIFY(m_form->isVisible());
    QVERIFY(m_form->appreciationChoisie().isEmpty());
    QVERIFY(m_form->baseModifiee());

    // Nor does a failed save on a profile change lose the phrase.
    m_rep->prevoir(BoutonOui);
    m_form->RG3->bouton(0)->click();
    QCOMPARE(m_rep->boites().size(), 3);
    QCOMPARE(m_form->RG3->itemIndex(), 1);
    QCOMPARE(m_form->baseCourante(), QStringLiteral("12120002.VAP"));
    QCOMPARE(m_form->CB1->phrases(), QStringList{"Bon"});
    QVERIFY(m_form->baseModifiee());

    m_rep->prevoir(BoutonNon);
    m_form->BQuitter->click();
    QVERIFY(!m_form->isVisible());
}

// Each step of the base's write failing in turn: the old base stays, the
// teacher reads why, the new phrase stays unsaved in the list.
void TstApprForm::pannesSauvegarde()
{
    ecrire(QStringLiteral("12120002.VAP"), "Ancienne\r\n");
    ouvrir();
    m_form->M1->setText(QStringLiteral("Nouvelle"));
    m_form->BAjouter->click();
    for (int n = 1; n <= 5; ++n) {
        EssaiEcriture::echouerAuPas(n, ENOSPC);
        m_form->BSauver->click();
        EssaiEcriture::remettreAZero();
        QCOMPARE(m_rep->boites().last().type, TypeBoite::Erreur);
        QCOMPARE(m_rep->dernierTexte(), QStringLiteral("Disque plein."));
        QCOMPARE(lire(QStringLiteral("12120002.VAP")), QByteArray("Ancienne\r\n"));
        QVERIFY(m_form->baseModifiee());
        QCOMPARE(m_form->CB1->phrases(), (QStringList{"Ancienne", "Nouvelle"}));
    }
    m_form->BSauver->click();
    QCOMPARE(lire(QStringLiteral("12120002.VAP")), QByteArray("Ancienne\r\nNouvelle\r\n"));
    QVERIFY(!m_form->baseModifiee());
    m_form->BQuitter->click();
}

void TstApprForm::grandeBase()
{
    // 10 MB with a few odd lines: very long, undefined bytes, a NUL near the end.
    QByteArray octets;
    QRandomGenerator hasard(20261206);
    auto *g = &hasard;
    while (octets.size() < 10 * 1024 * 1024) {
        for (int i = 0, n = int(g->bounded(20, 120)); i < n; ++i)
            octets += char(g->bounded(32, 256));
        octets += "\r\n";
    }
    octets += QByteArray(300000, 'L') + "\r\n\x81\x8d\x8f\x90\x9d\r\n";
    octets += QByteArray("Fin\0perdu\r\n", 11);
    ecrire(QStringLiteral("12120002.VAP"), octets);

    QElapsedTimer t;
    t.start();
    ouvrir();
    const qint64 ms = t.elapsed();
    qInfo("fenêtre ouverte sur 10 Mo (%d phrases) en %lld ms", m_form->CB1->count(), ms);
    QVERIFY(m_form->CB1->count() > 100000);
    QVERIFY(m_form->CB1->phrases().contains(QStringLiteral("Fin")));
    QVERIFY(m_form->CB1->phrases().contains(QString(300000, QLatin1Char('L'))));

    // Too long to edit in the box: kept, and can still be deleted.
    t.restart();
    choisirPhrase(QString(300000, QLatin1Char('L')));
    m_form->BModifier->click();
    QCOMPARE(m_rep->boites().size(), 1);
    QVERIFY(m_form->M1->text().isEmpty());
    QVERIFY(!m_form->baseModifiee());
    m_form->BSupprimer->click();
    m_form->BSauver->click();
    qInfo("longue ligne supprimée et base enregistrée en %lld ms", t.elapsed());
    QCOMPARE(lire(QStringLiteral("12120002.VAP")).size(), octets.indexOf('\0') + 2 - 300002);
    m_form->BQuitter->click();
}

QTEST_MAIN(TstApprForm)
#include "tst_apprform.moc"
