// Printing through the printer sink, checked on PDF output, and the report
// file the preview reads.
#include "classdata/texte.h"
#include "platform/cp1252.h"
#include "platform/dossier.h"
#include "platform/horloge.h"
#include "tests/common/classeessai.h"
#include "tests/common/pdf.h"
#include "ui/preview/impression.h"

#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Non-empty lines, trailing spaces dropped: what a PDF shows of a text.
QStringList Visibles(const QString &texte)
{
    QStringList r;
    for (QString l : texte.split(QStringLiteral("\r\n"))) {
        l.remove(QRegularExpression(QStringLiteral(" +$")));
        if (!l.isEmpty())
            r << l;
    }
    return r;
}

} // namespace

class TstImpression : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void rapportSurImprimantePdf_data();
    void rapportSurImprimantePdf();
    void sansImprimanteEtEchecs();

private:
    QTemporaryDir m_dossier;
};

void TstImpression::initTestCase()
{
    QVERIFY(m_dossier.isValid());
    if (!PdftotextPresent())
        QSKIP("pdftotext (poppler-utils) is not installed");
    DefinirDossierProgramme(m_dossier.path());
    FixerHorloge(QDateTime(QDate(2024, 12, 5), QTime(14, 3, 7)));
}

void TstImpression::rapportSurImprimantePdf_data()
{
    QTest::addColumn<QString>("classe");
    QTest::addColumn<int>("vue");
    QTest::addColumn<int>("span");
    QTest::addColumn<int>("sel");
    QTest::addColumn<int>("pages");
    QTest::newRow("liste en gras") << "une" << int(Vue::Liste) << 1 << int(Selecteur::Mat1) << 1;
    QTest::newRow("période ensemble, plus petite")
        << "deux" << int(Vue::Notes) << 1 << int(Selecteur::Ensemble) << 1;
    QTest::newRow("année") << "une" << int(Vue::Notes) << int(Annee) << int(Selecteur::Mat1) << 1;
    QTest::newRow("cent élèves, pages pleines")
        << "cent" << int(Vue::Liste) << 1 << int(Selecteur::Mat1) << 3;
}

// The print command on a printer writing a PDF file (what the print dialog
// offers without any printer installed) gives the lines of the report file.
void TstImpression::rapportSurImprimantePdf()
{
    QFETCH(QString, classe);
    QFETCH(int, vue);
    QFETCH(int, span);
    QFETCH(int, sel);
    QFETCH(int, pages);
    QVERIFY(ClasseEssai::Preparer(classe));
    Gras = vue == int(Vue::Liste);
    const EntreesRapport e = EntreesDepuisClasse(Vue(vue), span, Selecteur(sel));
    QPrinter imprimante(QPrinter::HighResolution);
    imprimante.setOutputFormat(QPrinter::PdfFormat);
    imprimante.setOutputFileName(m_dossier.filePath(QStringLiteral("rapport.pdf")));
    QVERIFY(ImprimerRapport(e, &imprimante));

    QVERIFY(EcrireRapportApercu(e));
    QFile f(CheminRapportApercu());
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QStringList attendu = Visibles(DepuisCp1252(f.readAll()));
    QCOMPARE(attendu.last(), QStringLiteral("05/12/2024   14:03:07"));
    int obtenues = 0;
    QCOMPARE(LignesDuPdf(imprimante.outputFileName(), &obtenues), attendu);
    QCOMPARE(obtenues, pages);
}

void TstImpression::sansImprimanteEtEchecs()
{
    ClasseEssai::UneMatiereFran(false);
    const EntreesRapport e = EntreesDepuisClasse(Vue::Liste, 1, Selecteur::Mat1);
    if (QPrinterInfo::defaultPrinter().isNull())
        QVERIFY(!ImprimerRapport(e));
    QVERIFY(EcrireRapportApercu(e));
    QFile f(CheminRapportApercu());
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray avant = f.readAll();

    // A program folder that cannot be written: a message, the old file kept.
    DefinirDossierProgramme(m_dossier.filePath(QStringLiteral("absent")));
    QString message;
    QVERIFY(!EcrireRapportApercu(e, &message) && !message.isEmpty());
    DefinirDossierProgramme(m_dossier.path());
    QVERIFY(f.seek(0));
    QCOMPARE(f.readAll(), avant);
}

QTEST_MAIN(TstImpression)
#include "tst_impression.moc"
