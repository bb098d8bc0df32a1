// The class balance window and the page it prints.
#include "tests/common/classeessai.h"
#include "tests/common/pdf.h"
#include "tests/common/repondeurscripte.h"
#include "ui/balance/impressionbilan.h"
#include "ui/balance/jauge.h"
#include "ui/balance/pourcentform.h"
#include "ui/components/etatui.h"

#include <QListWidget>
#include <QPrinter>
#include <QPushButton>

using namespace Qt::StringLiterals;

class TstPourcentForm : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        FixerHorloge(QDateTime(QDate(2024, 3, 5), QTime(9, 0)));
        ProfondeurCouleurs = 32;
    }

    // Computed again at every opening, from the subject chosen; nothing for
    // a subject without marks.
    void affichage()
    {
        ClasseEssai::ChargerNotes({{"MARTIN", "Luc", 15, 15}, {"ABEL", "Eva", 5}, {"BON", "Lou", 10, 10}});
        TPourcentForm f;
        f.preparer(Selecteur::Ensemble);
        f.show();
        QCOMPARE(f.windowTitle(), u"Bilan au 05/03/2024"_s);
        QCOMPARE(f.Label10->text(), u"3EME1  Moyenne générale"_s);
        const QLabel *textes[] = {f.Label4, f.Label5, f.Label6, f.Label7, f.Label8, f.Label9};
        for (int i = 0; i < 6; ++i)
            QCOMPARE(textes[i]->text(), i < 3 ? u"(1)"_s : u"(33.33 %)"_s);
        for (const JaugeCirculaire *g : {f.Gauge1, f.Gauge2, f.Gauge3})
            QCOMPARE(g->texte(), u"33%"_s);
        QCOMPARE(f.LB1->item(0)->text(), u"ABEL Eva"_s.leftJustified(45) + u" 5.00"_s);
        QCOMPARE(f.LabelMin->text() + f.LabelMoy->text() + f.LabelMax->text(),
                 u"Min :  5.00Moy : 10.00Max : 15.00"_s);
        f.hide();
        ListeEleves[1].NotesMat1[1][1] = 18;
        ListeEleves[2].NotesMat2[1][1] = NO_MARK;
        ListeEleves[0].NotesMat2[1][1] = NO_MARK;
        f.preparer(Selecteur::Mat2);
        f.show();
        QCOMPARE(f.Label10->text(), u"3EME1  Physique"_s);
        QCOMPARE(f.Label4->text() + f.Label7->text() + f.LabelMin->text(), u"(0)(0.00 %)Min : "_s);
        QCOMPARE(f.LB1->count() + f.LB2->count() + f.LB3->count(), 0);
        f.hide();
        f.preparer(Selecteur::Mat1);
        f.show();
        QCOMPARE(f.LB3->count(), 2);
        QCOMPARE(f.LB1->count(), 0);
    }

    void impression_data()
    {
        QTest::addColumn<bool>("accepte");
        QTest::addColumn<QString>("dossierPdf"); // empty: the temporary folder
        QTest::addColumn<int>("copies");
        QTest::newRow("annulé") << false << QString() << 2;
        QTest::newRow("une copie") << true << QString() << 1;
        QTest::newRow("deux copies") << true << QString() << 2;
        QTest::newRow("échec") << true << u"/nonexistent-folder"_s << 1;
    }

    // Through the window's print dialog: one file per copy, each one page
    // holding the three bands and their students; a failure is said.
    void impression()
    {
        QFETCH(bool, accepte);
        QFETCH(QString, dossierPdf);
        QFETCH(int, copies);
        const int fichiers = accepte && dossierPdf.isEmpty() ? copies : 0;
        ClasseEssai::ChargerNotes({{"MARTIN", "Luc", 15}, {"ABEL", "Eva", 5}, {"BON", "Lou", 10}});
        QTemporaryDir dossier;
        const QString pdf = (dossierPdf.isEmpty() ? dossier.path() : dossierPdf) + u"/bilan.pdf"_s;
        RepondeurScripte rep;
        if (accepte)
            rep.prevoirImpression(pdf, copies);
        else
            rep.prevoir(BoutonAnnuler);
        TPourcentForm f;
        f.preparer(Selecteur::Mat1);
        f.show();
        f.BitBtn2->click();
        QCOMPARE(rep.boites().first().type, TypeBoite::Impression);
        QCOMPARE(rep.boites().first().titre, u"Imprimer le bilan"_s);
        QCOMPARE(rep.textes().mid(1),
                 dossierPdf.isEmpty() ? QStringList() : QStringList{u"Erreur d'impression"_s});
        const QStringList noms = {u"bilan.pdf"_s, u"bilan-2.pdf"_s, u"bilan-3.pdf"_s};
        for (int i = 0; i < 3; ++i) {
            const QString fichier = dossier.filePath(noms[i]);
            QCOMPARE(QFile::exists(fichier), i < fichiers);
            if (i >= fichiers || !PdftotextPresent())
                continue;
            QCOMPARE(PagesDuPdf(fichier), 1);
            const QString texte = TexteDuPdf(fichier).simplified(); // pdftotext guesses the spacing
            for (const QString &attendu :
                 {u"3EME1 Maths Bilan au 05/03/2024"_s, u"Moins de 8"_s, u"Entre 8 et 12"_s, u"12 ou plus"_s,
                  u"(33.33 %)"_s, u"Min : 5.00"_s, u"Moy : 10.00"_s, u"Max : 15.00"_s, u"ABEL Eva 5.00"_s,
                  u"BON Lou 10.00"_s, u"MARTIN Luc 15.00"_s})
                QVERIFY2(texte.contains(attendu), qPrintable(attendu + u" absent de :\n"_s + texte));
        }
    }

    // 120 students below 8 on a printer left in landscape: one portrait page,
    // the list stopping at its bottom.
    void listeTropLongue()
    {
        ClasseEssai::ChargerNotes({});
        for (int i = 0; i < 120; ++i)
            ListeEleves.append(ClasseEssai::Eleve(u"E%1"_s.arg(1000 + i), u"Jean"_s, {{1, 1, 1, 3}}));
        QTemporaryDir dossier;
        QPrinter imp(QPrinter::HighResolution);
        imp.setOutputFormat(QPrinter::PdfFormat);
        imp.setOutputFileName(dossier.filePath(u"long.pdf"_s));
        imp.setPageOrientation(QPageLayout::Landscape);
        QString erreur;
        QVERIFY(ImprimerBilan(imp, CalculerBilan(Selecteur::Mat1), 1, erreur));
        QCOMPARE(imp.pageLayout().orientation(), QPageLayout::Portrait);
        if (!PdftotextPresent())
            QSKIP("pdftotext absent");
        QCOMPARE(PagesDuPdf(imp.outputFileName()), 1);
        const QString texte = TexteDuPdf(imp.outputFileName());
        QVERIFY(texte.contains(u"E1000 Jean"_s) && texte.contains(u"E1020 Jean"_s));
        QVERIFY(!texte.contains(u"E1119 Jean"_s));
    }
};

QTEST_MAIN(TstPourcentForm)
#include "tst_pourcentform.moc"
