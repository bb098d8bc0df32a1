// Printing through the printer sink, checked on PDF output, and the report
// file the preview reads.
#include "classetest.h"
#include "cp1252.h"
#include "dossier.h"
#include "horloge.h"
#include "impression.h"
#include "texte.h"

#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// The lines of a PDF drawn in a fixed-pitch font, each word put back at its
// column: its distance from the left edge over the width of a character of
// its line (pdftotext gives each word with its box).
QStringList LignesDuPdf(const QString &chemin, int *pages)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), chemin, QStringLiteral("-")});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return {QStringLiteral("<pdftotext a échoué>")};
    static const QRegularExpression balise(QStringLiteral(
        R"re(<page |<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="[\d.]+">([^<]*)</word>)re"));
    struct Mot { int page; double y, x, largeur; QString texte; };
    QList<Mot> mots;
    *pages = 0;
    for (auto it = balise.globalMatch(QString::fromUtf8(p.readAllStandardOutput())); it.hasNext();) {
        const auto m = it.next();
        if (m.captured(4).isEmpty()) {
            ++*pages;
            continue;
        }
        const double x = m.captured(1).toDouble();
        QString t = m.captured(4);
        t.replace(QStringLiteral("&amp;"), QStringLiteral("&")).replace(QStringLiteral("&lt;"), QStringLiteral("<"));
        mots.append({*pages, m.captured(2).toDouble(), x, m.captured(3).toDouble() - x, t});
    }
    // Words come block by block: back to lines, left to right.
    std::stable_sort(mots.begin(), mots.end(), [](const Mot &a, const Mot &b) {
        return std::tuple(a.page, qRound(a.y * 10), a.x) < std::tuple(b.page, qRound(b.y * 10), b.x);
    });
    double gauche = 1e9;
    for (const Mot &m : mots)
        gauche = qMin(gauche, m.x);
    QStringList lignes;
    for (int debut = 0, fin; debut < mots.size(); debut = fin) {
        const Mot *plusLong = &mots[debut];
        for (fin = debut; fin < mots.size() && mots[fin].page == mots[debut].page
                          && qRound(mots[fin].y * 10) == qRound(mots[debut].y * 10); ++fin)
            if (mots[fin].texte.size() > plusLong->texte.size())
                plusLong = &mots[fin];
        QString l;
        for (int i = debut; i < fin; ++i) {
            const int colonne = qRound((mots[i].x - gauche) / (plusLong->largeur / plusLong->texte.size()));
            l = CadrerAGauche(l, colonne).left(colonne) + mots[i].texte;
        }
        lignes << l;
    }
    return lignes;
}

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
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
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
    QTest::newRow("période ensemble, plus petite") << "deux" << int(Vue::Notes) << 1 << int(Selecteur::Ensemble) << 1;
    QTest::newRow("année") << "une" << int(Vue::Notes) << int(Annee) << int(Selecteur::Mat1) << 1;
    QTest::newRow("cent élèves, pages pleines") << "cent" << int(Vue::Liste) << 1 << int(Selecteur::Mat1) << 3;
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
    QVERIFY(ClasseTest::Preparer(classe));
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
    ClasseTest::UneMatiereFran(false);
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
