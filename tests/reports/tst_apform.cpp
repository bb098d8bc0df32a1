// The print preview window, offscreen; printing a report, checked on PDF
// output, and the report file the preview reads.
#include "classdata/parametres.h"
#include "platform/cp1252.h"
#include "platform/dossier.h"
#include "platform/horloge.h"
#include "tests/common/classeessai.h"
#include "tests/common/pdf.h"
#include "tests/common/repondeurscripte.h"
#include "ui/preview/apform.h"
#include "ui/preview/dialogueecriture.h"
#include "ui/preview/impression.h"

#include <QtTest>
#include <QtWidgets>

namespace {

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
    void initTestCase() { DefinirDossierProgramme(m_dossier.path()); }
    void init()
    {
        EcriturePourApercu = QStringLiteral("Courier New");
        TailleEcriturePourApercu = 8;
        StyleEcriturePourApercu = QStringLiteral("Normal");
        QVERIFY(Essai::ecrire(CheminRapportApercu(), "3EME1\r\n------\r\n\r\n05/12/2024   14:03:07\r\n"));
        m_repondeur = new RepondeurScripte;
        m_fenetre = new TApForm;
    }

    void cleanup()
    {
        FixerHorloge(QDateTime());
        delete m_fenetre;
        delete m_repondeur;
    }

    // Another window activated, then this one again: the file is read again and
    // the list goes back to the stored preview font.
    void rechargeAChaqueActivation()
    {
        m_fenetre->show();
        QVERIFY(QTest::qWaitForWindowActive(m_fenetre));
        QCOMPARE(Elements(m_fenetre->ListBox1),
                 QStringList({"3EME1", "------", "", "05/12/2024   14:03:07"}));
        QTest::mouseClick(m_fenetre->Bplus, Qt::LeftButton);
        QFont autre = m_fenetre->ListBox1->font();
        autre.setUnderline(true);
        m_fenetre->ListBox1->setFont(autre);
        QVERIFY(Essai::ecrire(CheminRapportApercu(),
                              "Nouveau rapport \xE9l\xE8ve\r\nderni\xE8re ligne sans fin"));

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

    void impression()
    {
        // An empty file: no job at all, the printer not even asked for.
        QVERIFY(Essai::ecrire(CheminRapportApercu(), QByteArray()));
        m_fenetre->FormActivate();
        QTest::mouseClick(m_fenetre->BBImp, Qt::LeftButton);
        QVERIFY(m_repondeur->boites().isEmpty());

        QVERIFY(Essai::ecrire(CheminRapportApercu(), "3EME1\r\n"));
        m_fenetre->FormActivate();
        const QString pdf = m_dossier.filePath(QStringLiteral("apercu.pdf"));
        m_repondeur->prevoirImpression(pdf);
        QTest::mouseClick(m_fenetre->BBImp, Qt::LeftButton);
        QVERIFY(QFileInfo(pdf).size() > 0);
        QCOMPARE(m_repondeur->boites().size(), 1);

        // A job refused, or no printer at all: "Erreur d'impression", and the window stays.
        for (int fois = 0; fois < 2; ++fois) {
            m_repondeur->vider();
            if (fois == 0) {
                m_repondeur->prevoirImpression(m_dossier.filePath(QStringLiteral("absent/x.pdf")));
                QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
            } else
                m_repondeur->prevoir(BoutonAnnuler);
            QTest::mouseClick(m_fenetre->BBImp, Qt::LeftButton);
            QCOMPARE(m_repondeur->boites().last().type, TypeBoite::Erreur);
            QCOMPARE(m_repondeur->dernierTexte(), QStringLiteral("Erreur d'impression"));
        }
    }

    void fichierIllisible()
    {
        QFile::remove(CheminRapportApercu());
        m_fenetre->FormActivate();
        m_fenetre->FormActivate(); // the box gives the focus back: reported once only
        QCOMPARE(m_fenetre->ListBox1->count(), 0);
        QCOMPARE(m_repondeur->boites().size(), 1);
        QVERIFY(m_repondeur->dernierTexte().contains(QStringLiteral("Fichier introuvable")));
    }

    // The dialog opens on the preview font; a family that is not installed gives
    // its substitute in the regular style, so that a plain OK changes nothing but
    // the family name. Effects: 1 bold, 2 italic, 4 underline; -1 a plain OK.
    void dialogueEcriture_data()
    {
        const QString absente = QStringLiteral("Police Absente Vestrel");
        const QString installee = DialogueEcriture::FamilleInstallee(QFont(absente));
        QTest::addColumn<QString>("famille");
        QTest::addColumn<int>("taille");
        QTest::addColumn<QString>("style");
        QTest::addColumn<QString>("styleVu"); // what the dialog shows at first
        QTest::addColumn<int>("effets");
        QTest::addColumn<bool>("confirme");
        QTest::addColumn<QString>("styleFinal");
        QTest::addColumn<int>("tailleFinale");
        const QString N = QStringLiteral("Normal"), GI = QStringLiteral("Gras italique");
        QTest::newRow("gras italique") << absente << 8 << N << N << 3 << true << GI << 14;
        QTest::newRow("gras souligné") << absente << 8 << N << N << 5 << true << N << 14;
        QTest::newRow("abandon") << absente << 8 << N << N << 3 << false << N << 8;
        QTest::newRow("absente, grasse") << absente << 10 << "Gras" << N << -1 << true << N << 10;
        QTest::newRow("installée, italique") << installee << 72 << "Italique"
                                             << "Italique" << -1 << true << "Italique" << 72;
    }

    void dialogueEcriture()
    {
        QFETCH(QString, famille);
        QFETCH(int, taille);
        QFETCH(QString, style);
        QFETCH(QString, styleVu);
        QFETCH(int, effets);
        QFETCH(bool, confirme);
        QFETCH(QString, styleFinal);
        EcriturePourApercu = famille;
        TailleEcriturePourApercu = taille;
        StyleEcriturePourApercu = style;
        const QString familleVue = DialogueEcriture::FamilleInstallee(TApForm::PoliceApercu());
        QVERIFY(!familleVue.isEmpty());
        m_fenetre->FormActivate();
        QVERIFY(!m_fenetre->FontDialog1); // built on the first "Ecriture" only
        QString vu;                       // the style the dialog opens on
        QTimer::singleShot(0, this, [&] {
            DialogueEcriture *d = m_fenetre->FontDialog1;
            if (!d || !d->isVisible())
                return;
            vu = d->ListeStyles->currentItem() ? d->ListeStyles->currentItem()->text() : QStringLiteral("?");
            if (effets >= 0) {
                d->Taille->setValue(14);
                d->ListeStyles->setCurrentRow(effets & 3);
                d->Souligne->setChecked(effets & 4);
            }
            confirme ? QTest::keyClick(d, Qt::Key_Return) : d->reject();
        });
        QTest::mouseClick(m_fenetre->BBFonte, Qt::LeftButton);
        QCOMPARE(vu, styleVu);
        QCOMPARE(StyleEcriturePourApercu, styleFinal);
        QTEST(TailleEcriturePourApercu, "tailleFinale");
        QCOMPARE(EcriturePourApercu, confirme ? familleVue : famille);
        QCOMPARE(QStringList({m_fenetre->E_Ecnom->text(), m_fenetre->E_ecstyle->text(),
                              m_fenetre->E_ectaille->text()}),
                 QStringList({EcriturePourApercu, styleFinal, QString::number(TailleEcriturePourApercu)}));
        QCOMPARE(m_fenetre->ListBox1->font().underline(), confirme && effets >= 0 && (effets & 4));
        QCOMPARE(m_fenetre->ListBox1->font().italic(), styleFinal.contains(QStringLiteral("talique")));
    }

    void rapportSurImprimantePdf_data()
    {
        QTest::addColumn<QString>("classe");
        QTest::addColumn<int>("vue");
        QTest::addColumn<int>("span");
        QTest::addColumn<int>("sel");
        QTest::addColumn<int>("pages");
        QTest::newRow("liste en gras") << "une" << int(Vue::Liste) << 1 << int(Selecteur::Mat1) << 1;
        QTest::newRow("période ensemble, plus petite")
            << "deux" << int(Vue::Notes) << 1 << int(Selecteur::Ensemble) << 1;
        QTest::newRow("cent élèves, pages pleines")
            << "cent" << int(Vue::Liste) << 1 << int(Selecteur::Mat1) << 3;
    }

    // The print command on a printer writing a PDF file gives the non-empty
    // lines of the report file the preview reads, on as many pages as needed.
    void rapportSurImprimantePdf()
    {
        QFETCH(QString, classe);
        QFETCH(int, vue);
        QFETCH(int, span);
        QFETCH(int, sel);
        if (!PdftotextPresent())
            QSKIP("pdftotext (poppler-utils) is not installed");
        FixerHorloge(QDateTime(QDate(2024, 12, 5), QTime(14, 3, 7)));
        QVERIFY(ClasseEssai::Preparer(classe));
        Gras = vue == int(Vue::Liste);
        const EntreesRapport e = EntreesDepuisClasse(Vue(vue), span, Selecteur(sel));
        const QString pdf = m_dossier.filePath("rapport.pdf");
        m_repondeur->prevoirImpression(pdf);
        QVERIFY(ImprimerRapport(e));
        QVERIFY(EcrireRapportApercu(e));
        QStringList attendu;
        for (QString l : DepuisCp1252(Essai::lire(CheminRapportApercu())).split("\r\n"))
            if (!l.remove(QRegularExpression(" +$")).isEmpty())
                attendu << l;
        QCOMPARE(attendu.last(), "05/12/2024   14:03:07");
        int pages = 0;
        QCOMPARE(LignesDuPdf(pdf, &pages), attendu);
        QTEST(pages, "pages");
    }

    // A program folder that cannot be written: a message, the old report file kept.
    void ecritureApercuImpossible()
    {
        ClasseEssai::UneMatiereFran(false);
        const EntreesRapport e = EntreesDepuisClasse(Vue::Liste, 1, Selecteur::Mat1);
        QVERIFY(EcrireRapportApercu(e));
        const QByteArray avant = Essai::lire(CheminRapportApercu());
        DefinirDossierProgramme(m_dossier.filePath("absent"));
        QString message;
        QVERIFY(!EcrireRapportApercu(e, &message) && !message.isEmpty());
        DefinirDossierProgramme(m_dossier.path());
        QCOMPARE(Essai::lire(CheminRapportApercu()), avant);
    }

private:
    QTemporaryDir m_dossier;
    TApForm *m_fenetre = nullptr;
    RepondeurScripte *m_repondeur = nullptr;
};

QTEST_MAIN(TstApForm)
#include "tst_apform.moc"
