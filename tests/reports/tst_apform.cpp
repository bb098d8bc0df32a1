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
#include "ui/preview/impression.h"

#include <QtTest>
#include <QtWidgets>

using namespace Qt::StringLiterals;

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
        QCOMPARE(m_fenetre->ListBox1->count(), 4);
        QTest::mouseClick(m_fenetre->Bplus, Qt::LeftButton);
        m_fenetre->ListBox1->setFont(QFont("Serif", 20));
        QVERIFY(Essai::ecrire(CheminRapportApercu(), "Nouveau rapport \xE9l\xE8ve\r\nderni\xE8re ligne"));
        QWidget ailleurs;
        ailleurs.show();
        ailleurs.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&ailleurs));
        QCOMPARE(m_fenetre->ListBox1->count(), 4); // nothing read while inactive
        m_fenetre->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_fenetre));
        QCOMPARE(m_fenetre->ListBox1->count(), 2);
        QCOMPARE(m_fenetre->ListBox1->item(0)->text(), "Nouveau rapport élève");
        QCOMPARE(m_fenetre->ListBox1->font(), TApForm::PoliceApercu());
        QCOMPARE(TailleEcriturePourApercu, 9);
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
