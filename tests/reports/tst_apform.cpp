// The print preview window, offscreen.
#include "classdata/parametres.h"
#include "platform/dossier.h"
#include "tests/common/repondeurscripte.h"
#include "ui/preview/apform.h"
#include "ui/preview/dialogueecriture.h"
#include "ui/preview/impression.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPrinter>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

namespace {

void EcrireRapport(const QByteArray &octets)
{
    QFile f(CheminRapportApercu());
    QVERIFY(f.open(QIODevice::WriteOnly) && f.write(octets) == octets.size());
}

QStringList Elements(const QListWidget *l)
{
    QStringList r;
    for (int i = 0; i < l->count(); ++i)
        r << l->item(i)->text();
    return r;
}

} // namespace

class TstApForm : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(m_dossier.isValid());
        DefinirDossierProgramme(m_dossier.path());
    }
    void init();
    void cleanup();
    void tailleBornee_data();
    void tailleBornee();
    void rechargeAChaqueActivation();
    void impression();
    void fichierIllisible();
    void dialogueEcriture_data();
    void dialogueEcriture();
    void departDuDialogue_data();
    void departDuDialogue();

private:
    QTemporaryDir m_dossier;
    TApForm *m_fenetre = nullptr;
    RepondeurScripte *m_repondeur = nullptr;
};

void TstApForm::init()
{
    EcriturePourApercu = QStringLiteral("Courier New");
    TailleEcriturePourApercu = 8;
    StyleEcriturePourApercu = QStringLiteral("Normal");
    EcrireRapport("3EME1\r\n------\r\n\r\n05/12/2024   14:03:07\r\n");
    m_repondeur = new RepondeurScripte;
    m_fenetre = new TApForm;
}

void TstApForm::cleanup()
{
    delete m_fenetre;
    QVERIFY2(m_repondeur->imprevues().isEmpty(), qPrintable(m_repondeur->imprevues().join(u'|')));
    delete m_repondeur;
}

void TstApForm::tailleBornee_data()
{
    QTest::addColumn<int>("depart");
    QTest::addColumn<bool>("plus");
    QTest::addColumn<int>("apres");
    QTest::newRow("+ à 72") << 72 << true << 72;
    QTest::newRow("- à 1") << 1 << false << 1;
    QTest::newRow("+ à 8") << 8 << true << 9;
}

void TstApForm::tailleBornee()
{
    QFETCH(int, depart);
    QFETCH(bool, plus);
    QFETCH(int, apres);
    TailleEcriturePourApercu = depart;
    m_fenetre->FormActivate();
    m_fenetre->E_ectaille->clear();
    QTest::mouseClick(plus ? m_fenetre->Bplus : m_fenetre->Bmoins, Qt::LeftButton);
    QCOMPARE(m_fenetre->ListBox1->font().pointSize(), apres);
    QCOMPARE(TailleEcriturePourApercu, apres);
    QCOMPARE(m_fenetre->E_ectaille->text(), QString::number(apres)); // shown again, even unchanged
}

// Another window activated, then this one again: the file is read again and
// the list goes back to the stored preview font.
void TstApForm::rechargeAChaqueActivation()
{
    m_fenetre->show();
    QVERIFY(QTest::qWaitForWindowActive(m_fenetre));
    QCOMPARE(Elements(m_fenetre->ListBox1), QStringList({"3EME1", "------", "", "05/12/2024   14:03:07"}));
    QCOMPARE(m_fenetre->ListBox1->height(), m_fenetre->height() - 30);
    QCOMPARE(QStringList(
                 {m_fenetre->E_ectaille->text(), m_fenetre->E_Ecnom->text(), m_fenetre->E_ecstyle->text()}),
             QStringList({"8", "Courier New", "Normal"}));
    QTest::mouseClick(m_fenetre->Bplus, Qt::LeftButton);
    QFont autre = m_fenetre->ListBox1->font();
    autre.setUnderline(true);
    m_fenetre->ListBox1->setFont(autre);
    EcrireRapport("Nouveau rapport \xE9l\xE8ve\r\nderni\xE8re ligne sans fin");

    QWidget ailleurs;
    ailleurs.show();
    ailleurs.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&ailleurs));
    QCOMPARE(m_fenetre->ListBox1->count(), 4); // nothing read while inactive
    m_fenetre->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_fenetre));
    QCOMPARE(Elements(m_fenetre->ListBox1),
             QStringList({"Nouveau rapport élève", "dernière ligne sans fin"}));
    QCOMPARE(m_fenetre->ListBox1->font().pointSize(), 9);
    QVERIFY(!m_fenetre->ListBox1->font().underline());
}

void TstApForm::impression()
{
    // An empty file: no job at all, the printer not even asked for.
    EcrireRapport(QByteArray());
    m_fenetre->FormActivate();
    QCOMPARE(m_fenetre->ListBox1->count(), 0);
    QTest::mouseClick(m_fenetre->BBImp, Qt::LeftButton);
    QVERIFY(m_repondeur->boites().isEmpty());

    EcrireRapport("3EME1\r\n");
    m_fenetre->FormActivate();
    const QString pdf = m_dossier.filePath(QStringLiteral("apercu.pdf"));
    m_repondeur->prevoirImpression(pdf);
    QTest::mouseClick(m_fenetre->BBImp, Qt::LeftButton);
    QVERIFY(QFileInfo(pdf).size() > 0);
    QCOMPARE(m_repondeur->boites().size(), 1);
    QCOMPARE(m_repondeur->boites().first().type, TypeBoite::Imprimante);

    // A job refused: "Erreur d'impression", and the window stays.
    m_repondeur->vider();
    m_repondeur->prevoirImpression(m_dossier.filePath(QStringLiteral("absent/x.pdf")));
    QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
    QTest::mouseClick(m_fenetre->BBImp, Qt::LeftButton);
    QCOMPARE(m_repondeur->boites().size(), 2);
    QCOMPARE(m_repondeur->boites().last().type, TypeBoite::Erreur);
    QCOMPARE(m_repondeur->dernierTexte(), QStringLiteral("Erreur d'impression"));

    // No printer at all.
    m_repondeur->vider();
    m_repondeur->prevoir(BoutonAnnuler);
    QTest::mouseClick(m_fenetre->BBImp, Qt::LeftButton);
    QCOMPARE(m_repondeur->dernierTexte(), QStringLiteral("Erreur d'impression"));
}

void TstApForm::fichierIllisible()
{
    QFile::remove(CheminRapportApercu());
    m_fenetre->FormActivate();
    m_fenetre->FormActivate(); // the box gives the focus back: reported once only
    QCOMPARE(m_fenetre->ListBox1->count(), 0);
    QCOMPARE(m_repondeur->boites().size(), 1);
    QVERIFY(m_repondeur->dernierTexte().contains(QStringLiteral("Fichier introuvable")));
}

void TstApForm::dialogueEcriture_data()
{
    QTest::addColumn<int>("effets"); // 1 bold, 2 italic, 4 underline
    QTest::addColumn<bool>("confirme");
    QTest::addColumn<QString>("style");
    QTest::newRow("gras italique") << 3 << true << "Gras italique";
    QTest::newRow("souligné") << 4 << true << "Normal";
    QTest::newRow("gras souligné") << 5 << true << "Normal";
    QTest::newRow("abandon") << 3 << false << "Normal";
}

void TstApForm::dialogueEcriture()
{
    QFETCH(int, effets);
    QFETCH(bool, confirme);
    QFETCH(QString, style);
    m_fenetre->FormActivate();
    QVERIFY(!m_fenetre->FontDialog1); // built on the first "Ecriture" only
    bool vu = false;
    QTimer::singleShot(0, this, [&] {
        DialogueEcriture *d = m_fenetre->FontDialog1;
        vu = d && d->isVisible();
        if (!d)
            return;
        d->Taille->setValue(14);
        d->ListeStyles->setCurrentRow(effets & 3);
        d->Souligne->setChecked(effets & 4);
        confirme ? d->accept() : d->reject();
    });
    QTest::mouseClick(m_fenetre->BBFonte, Qt::LeftButton);
    QVERIFY(vu);
    QCOMPARE(StyleEcriturePourApercu, style);
    QCOMPARE(m_fenetre->E_ecstyle->text(), style);
    QCOMPARE(TailleEcriturePourApercu, confirme ? 14 : 8);
    QCOMPARE(m_fenetre->E_ectaille->text(), QString::number(TailleEcriturePourApercu));
    QCOMPARE(m_fenetre->E_Ecnom->text(), EcriturePourApercu);
    if (confirme)
        QCOMPARE(m_fenetre->ListBox1->font().underline(), bool(effets & 4)); // the list shows every effect
    else
        QCOMPARE(EcriturePourApercu, QStringLiteral("Courier New"));
}

// The dialog opens on the preview font; a family that is not installed gives
// its substitute in the regular style, so that a plain OK changes nothing
// but the family name.
void TstApForm::departDuDialogue_data()
{
    const QString installee =
        DialogueEcriture::FamilleInstallee(QFont(QStringLiteral("Police Absente Vestrel")));
    QTest::addColumn<QString>("famille");
    QTest::addColumn<int>("taille");
    QTest::addColumn<QString>("style");
    QTest::addColumn<QString>("familleVue");
    QTest::addColumn<QString>("styleVu");
    QTest::newRow("absente, normale") << "Police Absente Vestrel" << 8 << "Normal" << QString() << "Normal";
    QTest::newRow("absente, grasse") << "Police Absente Vestrel" << 10 << "Gras" << QString() << "Normal";
    QTest::newRow("installée, gras italique")
        << installee << 12 << "Gras italique" << installee << "Gras italique";
    QTest::newRow("installée, italique") << installee << 72 << "Italique" << installee << "Italique";
}

void TstApForm::departDuDialogue()
{
    QFETCH(QString, famille);
    QFETCH(int, taille);
    QFETCH(QString, style);
    QFETCH(QString, familleVue);
    QFETCH(QString, styleVu);
    EcriturePourApercu = famille;
    TailleEcriturePourApercu = taille;
    StyleEcriturePourApercu = style;
    if (familleVue.isEmpty())
        familleVue = DialogueEcriture::FamilleInstallee(TApForm::PoliceApercu());
    QVERIFY(!familleVue.isEmpty());
    m_fenetre->FormActivate();
    QStringList styles, choisis;
    QTimer::singleShot(0, this, [&] {
        DialogueEcriture *d = m_fenetre->FontDialog1;
        for (int i = 0; i < d->ListeStyles->count(); ++i)
            styles << d->ListeStyles->item(i)->text();
        choisis << (d->ListeFamilles->currentItem() ? d->ListeFamilles->currentItem()->text() : QString())
                << (d->ListeStyles->currentItem() ? d->ListeStyles->currentItem()->text() : QString())
                << QString::number(d->Taille->value());
        QTest::keyClick(d, Qt::Key_Return); // a plain OK
    });
    QTest::mouseClick(m_fenetre->BBFonte, Qt::LeftButton);
    QCOMPARE(styles, QStringList({"Normal", "Gras", "Italique", "Gras italique"}));
    QCOMPARE(choisis, QStringList({familleVue, styleVu, QString::number(taille)}));
    QCOMPARE(StyleEcriturePourApercu, styleVu);
    QCOMPARE(EcriturePourApercu, familleVue);
    QCOMPARE(TailleEcriturePourApercu, taille);
    QCOMPARE(m_fenetre->ListBox1->font().italic(), styleVu.contains(QStringLiteral("talique")));
}

QTEST_MAIN(TstApForm)
#include "tst_apform.moc"
