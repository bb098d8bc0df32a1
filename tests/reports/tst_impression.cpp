// Printing through the printer sink, checked on PDF output with pdftotext,
// and the report file the preview reads.
#include "classetest.h"
#include "cp1252.h"
#include "dossier.h"
#include "horloge.h"
#include "impression.h"
#include "rapport.h"
#include "sortieimprimante.h"
#include "texte.h"

#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Mot {
    int page;
    double x, y, largeur;
    QString texte;
};

// The words pdftotext finds in a PDF, with their boxes.
QList<Mot> MotsDuPdf(const QString &chemin, int *pages = nullptr)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), chemin, QStringLiteral("-")});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return {};
    const QString html = QString::fromUtf8(p.readAllStandardOutput());
    static const QRegularExpression balise(QStringLiteral(
        R"re(<page |<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="[\d.]+">([^<]*)</word>)re"));
    QList<Mot> mots;
    int page = 0;
    for (auto it = balise.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        if (m.captured(0).startsWith(QStringLiteral("<page"))) {
            ++page;
            continue;
        }
        QString t = m.captured(4);
        t.replace(QStringLiteral("&lt;"), QStringLiteral("<")).replace(QStringLiteral("&gt;"), QStringLiteral(">"))
            .replace(QStringLiteral("&quot;"), QStringLiteral("\"")).replace(QStringLiteral("&amp;"), QStringLiteral("&"));
        const double x = m.captured(1).toDouble();
        mots.append({page, x, m.captured(2).toDouble(), m.captured(3).toDouble() - x, t});
    }
    if (pages)
        *pages = page;
    return mots;
}

// The lines of a PDF drawn in a fixed-pitch font, each word put back at its
// column: the column is the word's distance from the left edge of the text
// divided by the width of one character of its line.
QStringList LignesDuPdf(const QString &chemin, int *pages = nullptr)
{
    QList<Mot> mots = MotsDuPdf(chemin, pages);
    // pdftotext gives the words block by block: back to lines, left to right.
    std::stable_sort(mots.begin(), mots.end(), [](const Mot &a, const Mot &b) {
        return std::tuple(a.page, qRound(a.y * 10), a.x) < std::tuple(b.page, qRound(b.y * 10), b.x);
    });
    double gauche = 1e9;
    for (const Mot &m : mots)
        gauche = qMin(gauche, m.x);
    QList<QList<Mot>> lignes;
    for (const Mot &m : mots) {
        if (lignes.isEmpty() || lignes.last().first().page != m.page
            || qAbs(lignes.last().first().y - m.y) > 0.5)
            lignes.append(QList<Mot>());
        lignes.last().append(m);
    }
    QStringList r;
    for (const QList<Mot> &l : lignes) {
        const Mot *plusLong = &l.first();
        for (const Mot &m : l)
            if (m.texte.size() > plusLong->texte.size())
                plusLong = &m;
        const double pas = plusLong->largeur / plusLong->texte.size();
        QString texte;
        for (const Mot &m : l) {
            const int colonne = qRound((m.x - gauche) / pas);
            texte = CadrerAGauche(texte, colonne).left(colonne) + m.texte;
        }
        r << texte;
    }
    return r;
}

// Non-empty lines, trailing spaces dropped.
QStringList Lignes(const QString &texte)
{
    QStringList r;
    for (QString l : texte.split(QStringLiteral("\r\n"))) {
        while (l.endsWith(u' '))
            l.chop(1);
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
    void lignesEtPages();
    void rapportSurImprimantePdf_data();
    void rapportSurImprimantePdf();
    void sansImprimante();
    void rapportApercu();

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

// Lines keep their order and their columns; a new page when one is full.
void TstImpression::lignesEtPages()
{
    const QString chemin = m_dossier.filePath(QStringLiteral("lignes.pdf"));
    QStringList attendu;
    int pagesImprimees = 0;
    {
        QPdfWriter pdf(chemin);
        pdf.setPageSize(QPageSize(QPageSize::A4));
        SortieImprimante s(&pdf, SortieImprimante::PoliceRapport(10, false));
        QVERIFY(s.ouvrir());
        for (int i = 1; i <= 150; ++i) {
            const QString l = QStringLiteral("l%1 |%2| fin").arg(i, 3).arg(QString(i % 7, u'x'), 7);
            s.ecrire(l.left(5));
            s.definirGras(i % 2);
            s.ecrire(l.mid(5));
            s.definirGras(false);
            s.finLigne();
            attendu << l;
        }
        QVERIFY(s.fermer());
        pagesImprimees = s.pages();
        QVERIFY(pagesImprimees >= 2);
    }
    int pages = 0;
    QCOMPARE(LignesDuPdf(chemin, &pages), attendu);
    QCOMPARE(pages, pagesImprimees);
}

void TstImpression::rapportSurImprimantePdf_data()
{
    QTest::addColumn<QString>("classe");
    QTest::addColumn<int>("vue");
    QTest::addColumn<int>("span");
    QTest::addColumn<int>("sel");
    QTest::addColumn<bool>("gras");
    QTest::newRow("liste en gras") << "une" << int(Vue::Liste) << 1 << int(Selecteur::Mat1) << true;
    QTest::newRow("période ensemble") << "deux" << int(Vue::Notes) << 1 << int(Selecteur::Ensemble) << false;
    QTest::newRow("année") << "une" << int(Vue::Notes) << int(Annee) << int(Selecteur::Mat1) << false;
    QTest::newRow("cent élèves") << "cent" << int(Vue::Liste) << 1 << int(Selecteur::Mat1) << false;
}

// The print command on a printer writing a PDF file (what the print dialog
// offers without any printer installed) gives the lines of the report file.
void TstImpression::rapportSurImprimantePdf()
{
    QFETCH(QString, classe);
    QFETCH(int, vue);
    QFETCH(int, span);
    QFETCH(int, sel);
    QFETCH(bool, gras);
    QVERIFY(ClasseTest::Preparer(classe));
    Gras = gras;
    const EntreesRapport e = EntreesDepuisClasse(Vue(vue), span, Selecteur(sel));

    const QString chemin = m_dossier.filePath(QStringLiteral("rapport.pdf"));
    QPrinter imprimante(QPrinter::HighResolution);
    imprimante.setOutputFormat(QPrinter::PdfFormat);
    imprimante.setOutputFileName(chemin);
    QVERIFY(ImprimerRapport(e, &imprimante));

    QString message;
    QVERIFY(EcrireRapportApercu(e, &message));
    QFile f(CheminRapportApercu());
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QStringList attendu = Lignes(DepuisCp1252(f.readAll()));
    QCOMPARE(attendu.last(), QStringLiteral("05/12/2024   14:03:07"));
    int pages = 0;
    QCOMPARE(LignesDuPdf(chemin, &pages), attendu);
    QCOMPARE(pages, classe == u"cent" ? 3 : 1);
}

void TstImpression::sansImprimante()
{
    if (!QPrinterInfo::defaultPrinter().isNull())
        QSKIP("a printer is installed here");
    ClasseTest::UneMatiereFran(false);
    QVERIFY(!ImprimerRapport(EntreesDepuisClasse(Vue::Liste, 1, Selecteur::Mat1)));
    QVERIFY(!RapportEnCours());
}

void TstImpression::rapportApercu()
{
    ClasseTest::DeuxMatieres(false);
    const EntreesRapport e = EntreesDepuisClasse(Vue::Notes, Annee, Selecteur::Ensemble);
    QVERIFY(EcrireRapportApercu(e));
    SortieMemoire m;
    QVERIFY(RapportComplet(m, e, Maintenant()));
    QFile f(CheminRapportApercu());
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), VersCp1252(m.texte()));
    f.close();

    // A program folder that cannot be written: false, a message, the old file kept.
    DefinirDossierProgramme(m_dossier.filePath(QStringLiteral("absent")));
    QString message;
    QVERIFY(!EcrireRapportApercu(e, &message));
    QVERIFY(!message.isEmpty());
    DefinirDossierProgramme(m_dossier.path());
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), VersCp1252(m.texte()));
}

QTEST_MAIN(TstImpression)
#include "tst_impression.moc"
