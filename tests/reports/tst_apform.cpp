// The print preview window, offscreen.
#include "apform.h"
#include "cp1252.h"
#include "dossier.h"
#include "impression.h"
#include "parametres.h"
#include "repondeurscripte.h"

#include <QFontDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

namespace {

void EcrireRapport(const QByteArray &octets)
{
    QFile f(CheminRapportApercu());
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(octets);
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
    void initTestCase();
    void init();
    void cleanup();
    void creation();
    void tailleBornee_data();
    void tailleBornee();
    void rechargeAChaqueActivation();
    void fichierVideNImprimeRien();
    void imprimeLesLignes();
    void fichierIllisible();
    void dialogueEcriture_data();
    void dialogueEcriture();

private:
    QTemporaryDir m_dossier;
    TApForm *m_fenetre = nullptr;
    RepondeurScripte *m_repondeur = nullptr;
};

void TstApForm::initTestCase()
{
    QVERIFY(m_dossier.isValid());
    DefinirDossierProgramme(m_dossier.path());
}

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
    m_fenetre = nullptr;
    QVERIFY2(m_repondeur->imprevues().isEmpty(), qPrintable(m_repondeur->imprevues().join(u'|')));
    delete m_repondeur;
}

void TstApForm::creation()
{
    QCOMPARE(m_fenetre->windowTitle(), QStringLiteral("Aperçu"));
    for (const char *nom : {"Bplus", "Bmoins", "BBImp", "BBFonte", "E_ectaille", "E_Ecnom", "E_ecstyle",
                            "ListBox1", "FontDialog1"})
        QVERIFY2(m_fenetre->findChild<QWidget *>(QString::fromLatin1(nom)), nom);
    QCOMPARE(m_fenetre->BBImp->text(), QStringLiteral("&Imprimer"));
    QCOMPARE(m_fenetre->Bplus->toolTip(), QStringLiteral("augmente la taille de l'écriture de 1"));
    QCOMPARE(m_fenetre->BBFonte->toolTip(), QStringLiteral("non proportionnelle !"));
    QVERIFY(m_fenetre->E_Ecnom->isReadOnly());
    QVERIFY(m_fenetre->FontDialog1->testOption(QFontDialog::MonospacedFonts));
    // As wide as a printed page: wider than the 640 pixels it starts with.
    QVERIFY(m_fenetre->width() > 640);

    m_fenetre->show();
    QVERIFY(QTest::qWaitForWindowActive(m_fenetre));
    QCOMPARE(m_fenetre->ListBox1->geometry().bottom(), m_fenetre->height() - 1);
    QCOMPARE(m_fenetre->ListBox1->height(), m_fenetre->height() - 30);
    m_fenetre->resize(700, 500);
    QCOMPARE(m_fenetre->ListBox1->height(), 470);
    QCOMPARE(Elements(m_fenetre->ListBox1),
             QStringList({"3EME1", "------", "", "05/12/2024   14:03:07"}));
    QCOMPARE(m_fenetre->E_ectaille->text(), QStringLiteral("8"));
    QCOMPARE(m_fenetre->E_Ecnom->text(), QStringLiteral("Courier New"));
    QCOMPARE(m_fenetre->E_ecstyle->text(), QStringLiteral("Normal"));
}

void TstApForm::tailleBornee_data()
{
    QTest::addColumn<int>("depart");
    QTest::addColumn<bool>("plus");
    QTest::addColumn<int>("apres");
    QTest::newRow("+ à 72") << 72 << true << 72;
    QTest::newRow("- à 1") << 1 << false << 1;
    QTest::newRow("+ à 8") << 8 << true << 9;
    QTest::newRow("- à 8") << 8 << false << 7;
    QTest::newRow("+ à 71") << 71 << true << 72;
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
    QCOMPARE(m_fenetre->E_ectaille->text(), QString::number(apres));
}

// Another window activated then this one again: the file is read again and
// the list goes back to the stored preview font.
void TstApForm::rechargeAChaqueActivation()
{
    m_fenetre->show();
    QVERIFY(QTest::qWaitForWindowActive(m_fenetre));
    QCOMPARE(m_fenetre->ListBox1->count(), 4);
    QTest::mouseClick(m_fenetre->Bplus, Qt::LeftButton);
    QCOMPARE(TailleEcriturePourApercu, 9);

    QFont autre = m_fenetre->ListBox1->font();
    autre.setUnderline(true);
    autre.setPointSize(20);
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

void TstApForm::fichierVideNImprimeRien()
{
    EcrireRapport(QByteArray());
    const QString pdf = m_dossier.filePath(QStringLiteral("vide.pdf"));
    QPrinter imprimante;
    imprimante.setOutputFormat(QPrinter::PdfFormat);
    imprimante.setOutputFileName(pdf);
    m_fenetre->definirImprimante(&imprimante);
    m_fenetre->FormActivate();
    QCOMPARE(m_fenetre->ListBox1->count(), 0);
    QTest::mouseClick(m_fenetre->BBImp, Qt::LeftButton);
    QVERIFY(!QFile::exists(pdf));
    QVERIFY(m_repondeur->boites().isEmpty());
}

void TstApForm::imprimeLesLignes()
{
    const QString pdf = m_dossier.filePath(QStringLiteral("apercu.pdf"));
    QPrinter imprimante;
    imprimante.setOutputFormat(QPrinter::PdfFormat);
    imprimante.setOutputFileName(pdf);
    m_fenetre->definirImprimante(&imprimante);
    m_fenetre->FormActivate();
    QTest::mouseClick(m_fenetre->BBImp, Qt::LeftButton);
    QVERIFY(m_repondeur->boites().isEmpty());
    QVERIFY(QFileInfo(pdf).size() > 0);

    // A printer that refuses the job: "Erreur d'impression", the window stays.
    QPrinter refus;
    refus.setOutputFormat(QPrinter::PdfFormat);
    refus.setOutputFileName(m_dossier.filePath(QStringLiteral("absent/x.pdf")));
    m_fenetre->definirImprimante(&refus);
    QTest::mouseClick(m_fenetre->BBImp, Qt::LeftButton);
    QCOMPARE(m_repondeur->boites().size(), 1);
    QCOMPARE(m_repondeur->boites().first().type, TypeBoite::Erreur);
    QCOMPARE(m_repondeur->dernierTexte(), QStringLiteral("Erreur d'impression"));
}

void TstApForm::fichierIllisible()
{
    QFile::remove(CheminRapportApercu());
    m_fenetre->FormActivate();
    m_fenetre->FormActivate(); // the box gives the focus back: reported once
    QCOMPARE(m_fenetre->ListBox1->count(), 0);
    QCOMPARE(m_repondeur->boites().size(), 1);
    QVERIFY(m_repondeur->dernierTexte().contains(QStringLiteral("Fichier introuvable")));
}

void TstApForm::dialogueEcriture_data()
{
    QTest::addColumn<bool>("gras");
    QTest::addColumn<bool>("italique");
    QTest::addColumn<bool>("souligne");
    QTest::addColumn<bool>("confirme");
    QTest::addColumn<QString>("style");
    QTest::newRow("gras italique") << true << true << false << true << "Gras italique";
    QTest::newRow("gras") << true << false << false << true << "Gras";
    QTest::newRow("italique") << false << true << false << true << "Italique";
    QTest::newRow("souligné") << false << false << true << true << "Normal";
    QTest::newRow("gras souligné") << true << false << true << true << "Normal";
    QTest::newRow("abandon") << true << true << false << false << "Normal";
}

void TstApForm::dialogueEcriture()
{
    QFETCH(bool, gras);
    QFETCH(bool, italique);
    QFETCH(bool, souligne);
    QFETCH(bool, confirme);
    QFETCH(QString, style);
    m_fenetre->FormActivate();
    QFont choisie(QStringLiteral("Liberation Mono"), 14);
    choisie.setBold(gras);
    choisie.setItalic(italique);
    choisie.setUnderline(souligne);
    bool vu = false;
    QTimer::singleShot(0, this, [&] {
        QFontDialog *d = m_fenetre->FontDialog1;
        vu = d->isVisible();
        d->setCurrentFont(choisie);
        if (confirme)
            d->accept();
        else
            d->reject();
    });
    QTest::mouseClick(m_fenetre->BBFonte, Qt::LeftButton);
    QVERIFY(vu);
    QCOMPARE(StyleEcriturePourApercu, style);
    QCOMPARE(m_fenetre->E_ecstyle->text(), style);
    if (!confirme) {
        QCOMPARE(TailleEcriturePourApercu, 8);
        QCOMPARE(EcriturePourApercu, QStringLiteral("Courier New"));
        return;
    }
    QCOMPARE(TailleEcriturePourApercu, 14);
    QCOMPARE(m_fenetre->E_ectaille->text(), QStringLiteral("14"));
    QCOMPARE(EcriturePourApercu, m_fenetre->ListBox1->font().family());
    QCOMPARE(m_fenetre->E_Ecnom->text(), EcriturePourApercu);
    QCOMPARE(m_fenetre->ListBox1->font().underline(), souligne);
}

QTEST_MAIN(TstApForm)
#include "tst_apform.moc"
