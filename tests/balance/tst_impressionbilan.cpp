// The pie gauge and the printed balance page.
#include "platform/horloge.h"
#include "reports/bilan.h"
#include "tests/common/classeessai.h"
#include "tests/common/pdf.h"
#include "ui/balance/impressionbilan.h"
#include "ui/balance/jauge.h"

#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

class TstImpressionBilan : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void jauge_data();
    void jauge();
    void deuxCopiesDeuxTravaux();
    void listeTropLongue();
};

void TstImpressionBilan::initTestCase()
{
    FixerHorloge(QDateTime(QDate(2024, 3, 15), QTime(10, 0)));
    if (!PdftotextPresent())
        qWarning("pdftotext absent: the printed pages are not read back");
}

void TstImpressionBilan::jauge_data()
{
    QTest::addColumn<int>("valeur");
    QTest::addColumn<bool>("hautDroit");  // filled at the top right
    QTest::addColumn<bool>("basDroit");   // filled at the bottom right
    QTest::addColumn<bool>("hautGauche"); // filled at the top left
    QTest::newRow("0") << 0 << false << false << false;
    QTest::newRow("25") << 25 << true << false << false;
    QTest::newRow("50") << 50 << true << true << false;
    QTest::newRow("100") << 100 << true << true << true;
}

void TstImpressionBilan::jauge()
{
    // Drawn large, as on paper; the sector starts at the top and runs clockwise.
    QFETCH(int, valeur);
    QFETCH(bool, hautDroit);
    QFETCH(bool, basDroit);
    QFETCH(bool, hautGauche);
    const QColor fond(Qt::yellow), remplissage(Qt::red);
    QImage img(400, 400, QImage::Format_RGB32);
    img.fill(Qt::white);
    {
        QPainter p(&img);
        JaugeCirculaire::dessiner(p, QRectF(0, 0, 400, 400), valeur, fond, remplissage, Qt::white);
    }
    auto couleur = [&](int x, int y) { return QColor(img.pixel(x, y)); };
    QCOMPARE(couleur(300, 80) == remplissage, hautDroit);
    QCOMPARE(couleur(300, 320) == remplissage, basDroit);
    QCOMPARE(couleur(100, 80) == remplissage, hautGauche);
    QCOMPARE(couleur(100, 80) == fond, !hautGauche);

    // The value in the centre, in the inverse of what lies beneath it.
    int inverseFond = 0, inverseRemplissage = 0;
    for (int y = 150; y < 250; ++y)
        for (int x = 100; x < 300; ++x) {
            const QColor c = couleur(x, y);
            inverseFond += c == QColor(0, 0, 255);
            inverseRemplissage += c == QColor(0, 255, 255);
        }
    QCOMPARE(inverseFond > 50, valeur < 100);
    QCOMPARE(inverseRemplissage > 50, valeur > 0);

    JaugeCirculaire g;
    g.definirValeur(valeur);
    QCOMPARE(g.texte(), QStringLiteral("%1%").arg(valeur));
    g.definirValeur(150);
    QCOMPARE(g.valeur(), 100);
}

void TstImpressionBilan::deuxCopiesDeuxTravaux()
{
    ClasseEssai::ChargerNotes({{"MARTIN", "Luc", 15}, {"ABEL", "Eva", 5}, {"BON", "Lou", 10}});
    const DonneesBilan d = CalculerBilan(Selecteur::Mat1);
    QTemporaryDir dossier;
    QPrinter imp(QPrinter::HighResolution);
    imp.setOutputFormat(QPrinter::PdfFormat);
    imp.setOutputFileName(dossier.filePath(QStringLiteral("bilan.pdf")));
    imp.setPageOrientation(QPageLayout::Landscape);
    QString erreur;
    QVERIFY(ImprimerBilan(imp, d, 2, erreur));
    QCOMPARE(imp.pageLayout().orientation(), QPageLayout::Portrait);
    QCOMPARE(imp.outputFileName(), dossier.filePath(QStringLiteral("bilan.pdf")));
    QVERIFY(!QFile::exists(dossier.filePath(QStringLiteral("bilan-3.pdf"))));
    for (const QString &nom : {QStringLiteral("bilan.pdf"), QStringLiteral("bilan-2.pdf")}) {
        const QString f = dossier.filePath(nom);
        QVERIFY2(QFile::exists(f), qPrintable(nom));
        if (!PdftotextPresent())
            continue;
        QCOMPARE(PagesDuPdf(f), 1);
        // Word spacing is pdftotext's guess: compare with single spaces.
        const QString texte = TexteDuPdf(f).simplified();
        for (const QString &attendu :
             {QStringLiteral("3EME1 Maths Bilan au 15/03/2024"), QStringLiteral("Moins de 8"),
              QStringLiteral("Entre 8 et 12"), QStringLiteral("12 ou plus"), QStringLiteral("(33.33 %)"),
              QStringLiteral("Min : 5.00"), QStringLiteral("Moy : 10.00"), QStringLiteral("Max : 15.00"),
              QStringLiteral("ABEL Eva 5.00"), QStringLiteral("BON Lou 10.00"),
              QStringLiteral("MARTIN Luc 15.00")})
            QVERIFY2(texte.contains(attendu), qPrintable(attendu + QStringLiteral(" absent de :\n") + texte));
    }
}

void TstImpressionBilan::listeTropLongue()
{
    // 120 students below 8: the list stops at the bottom of the one page.
    QList<ClasseEssai::EleveNotes> l;
    static QByteArray noms[120];
    for (int i = 0; i < 120; ++i) {
        noms[i] = "E" + QByteArray::number(1000 + i);
        l.append({noms[i].constData(), "Jean", 3});
    }
    ClasseEssai::ChargerNotes(l);
    const DonneesBilan d = CalculerBilan(Selecteur::Mat1);
    QTemporaryDir dossier;
    QPrinter imp(QPrinter::HighResolution);
    imp.setOutputFormat(QPrinter::PdfFormat);
    imp.setOutputFileName(dossier.filePath(QStringLiteral("long.pdf")));
    QString erreur;
    QVERIFY(ImprimerBilan(imp, d, 1, erreur));
    if (!PdftotextPresent())
        QSKIP("pdftotext absent");
    QCOMPARE(PagesDuPdf(imp.outputFileName()), 1);
    const QString texte = TexteDuPdf(imp.outputFileName());
    QVERIFY(texte.contains(QStringLiteral("E1000 Jean")));
    QVERIFY(texte.contains(QStringLiteral("E1020 Jean")));
    QVERIFY(!texte.contains(QStringLiteral("E1119 Jean")));
}

QTEST_MAIN(TstImpressionBilan)
#include "tst_impressionbilan.moc"
