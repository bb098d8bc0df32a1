// The print preview window, offscreen.
#include "apform.h"
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
    void initTestCase() { QVERIFY(m_dossier.isValid()); DefinirDossierProgramme(m_dossier.path()); }
    void init();
    void cleanup();
    void tailleBornee_data();
    void tailleBornee();
    void rechargeAChaqueActivation();
    void impression();
    void fichierIllisible();
    void dialogueEcriture_data();
    void dialogueEcriture();

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
    QCOMPARE(QStringList({m_fenetre->E_ectaille->text(), m_fenetre->E_Ecnom->text(), m_fenetre->E_ecstyle->text()}),
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
    QCOMPARE(Elements(m_fenetre->ListBox1), QStringList({"Nouveau rapport élève", "dernière ligne sans fin"}));
    QCOMPARE(m_fenetre->ListBox1->font().pointSize(), 9);
    QVERIFY(!m_fenetre->ListBox1->font().underline());
}

void TstApForm::impression()
{
    auto imprimante = [this](const QString &nom) {
        auto *p = new QPrinter;
        p->setOutputFormat(QPrinter::PdfFormat);
        p->setOutputFileName(m_dossier.filePath(nom));
        m_fenetre->definirImprimante(p);
        return std::unique_ptr<QPrinter>(p);
    };
    // An empty file: no job at all.
    EcrireRapport(QByteArray());
    auto vide = imprimante(QStringLiteral("vide.pdf"));
    m_fenetre->FormActivate();
    QCOMPARE(m_fenetre->ListBox1->count(), 0);
    QTest::mouseClick(m_fenetre->BBImp, Qt::LeftButton);
    QVERIFY(!QFile::exists(vide->outputFileName()));

    EcrireRapport("3EME1\r\n");
    m_fenetre->FormActivate();
    auto pdf = imprimante(QStringLiteral("apercu.pdf"));
    QTest::mouseClick(m_fenetre->BBImp, Qt::LeftButton);
    QVERIFY(QFileInfo(pdf->outputFileName()).size() > 0);
    QVERIFY(m_repondeur->boites().isEmpty());

    // A job refused: "Erreur d'impression", and the window stays.
    auto refus = imprimante(QStringLiteral("absent/x.pdf"));
    QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
    QTest::mouseClick(m_fenetre->BBImp, Qt::LeftButton);
    QCOMPARE(m_repondeur->boites().size(), 1);
    QCOMPARE(m_repondeur->boites().first().type, TypeBoite::Erreur);
    QCOMPARE(m_repondeur->dernierTexte(), QStringLiteral("Erreur d'impression"));
    m_fenetre->definirImprimante(nullptr);
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
    QFont choisie(QStringLiteral("Liberation Mono"), 14);
    choisie.setBold(effets & 1);
    choisie.setItalic(effets & 2);
    choisie.setUnderline(effets & 4);
    bool vu = false;
    QTimer::singleShot(0, this, [&] {
        vu = m_fenetre->FontDialog1->isVisible();
        m_fenetre->FontDialog1->setCurrentFont(choisie);
        confirme ? m_fenetre->FontDialog1->accept() : m_fenetre->FontDialog1->reject();
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

QTEST_MAIN(TstApForm)
#include "tst_apform.moc"
