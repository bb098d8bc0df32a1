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

Q_DECLARE_METATYPE(Vue)
Q_DECLARE_METATYPE(Selecteur)

class TstApForm : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { DefinirDossierProgramme(m_dossier.path()); }
    void init()
    {
        m_repondeur = new RepondeurScripte;
        m_fenetre = new TApForm;
    }

    void cleanup()
    {
        FixerHorloge(QDateTime());
        delete m_fenetre;
        delete m_repondeur;
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
        const QString pdf = m_dossier.filePath(u"apercu.pdf"_s);
        m_repondeur->prevoirImpression(pdf);
        QTest::mouseClick(m_fenetre->BBImp, Qt::LeftButton);
        QVERIFY(QFileInfo(pdf).size() > 0);
        QCOMPARE(m_repondeur->boites().size(), 1);

        // A job refused, or no printer at all: "Erreur d'impression", and the window stays.
        QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
        for (int fois = 0; fois < 2; ++fois) {
            m_repondeur->vider();
            fois ? m_repondeur->prevoir(BoutonAnnuler)
                 : m_repondeur->prevoirImpression(m_dossier.filePath(u"absent/x.pdf"_s));
            QTest::mouseClick(m_fenetre->BBImp, Qt::LeftButton);
            QCOMPARE(m_repondeur->boites().last().type, TypeBoite::Erreur);
            QCOMPARE(m_repondeur->dernierTexte(), u"Erreur d'impression"_s);
        }
    }

    void fichierIllisible()
    {
        QFile::remove(CheminRapportApercu());
        m_fenetre->FormActivate();
        m_fenetre->FormActivate(); // the box gives the focus back: reported once only
        QCOMPARE(m_fenetre->ListBox1->count(), 0);
        QCOMPARE(m_repondeur->boites().size(), 1);
        QVERIFY(m_repondeur->dernierTexte().contains(u"Fichier introuvable"_s));
    }

    void rapportSurImprimantePdf_data()
    {
        QTest::addColumn<QString>("classe");
        QTest::addColumn<Vue>("vue");
        QTest::addColumn<Selecteur>("sel");
        QTest::addColumn<int>("pages");
        QTest::newRow("liste en gras") << "une" << Vue::Liste << Selecteur::Mat1 << 1;
        QTest::newRow("période ensemble, plus petite") << "deux" << Vue::Notes << Selecteur::Ensemble << 1;
        QTest::newRow("cent élèves, pages pleines") << "cent" << Vue::Liste << Selecteur::Mat1 << 3;
    }

    // The print command on a printer writing a PDF file gives the non-empty
    // lines of the report file the preview reads, on as many pages as needed.
    void rapportSurImprimantePdf()
    {
        QFETCH(QString, classe);
        QFETCH(Vue, vue);
        QFETCH(Selecteur, sel);
        if (!PdftotextPresent())
            QSKIP("pdftotext (poppler-utils) is not installed");
        FixerHorloge(QDateTime(QDate(2024, 12, 5), QTime(14, 3, 7)));
        QVERIFY(ClasseEssai::Preparer(classe));
        Gras = vue == Vue::Liste;
        const EntreesRapport e = EntreesDepuisClasse(vue, 1, sel);
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
