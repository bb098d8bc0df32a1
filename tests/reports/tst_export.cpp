// The text export of the grid, byte for byte.
#include "classetest.h"
#include "export.h"

#include <QtTest>

namespace {

const QDateTime Instant(QDate(2024, 12, 5), QTime(9, 7, 3));

// Two marks around an empty cell, and a typed text that is not a mark.
TableGrille Petite()
{
    TableGrille t;
    t.lignes = {{"", "Fran1-01", "Fran1-02", "Fran1-03"},
                {"DUPONT jean", "12.50", "", " 8.00"},
                {"ST. MARTIN Élodie", "abc", "20.00", "1.5"}};
    return t;
}

QByteArray Lignes(std::initializer_list<const char *> lignes)
{
    QByteArray b;
    for (const char *l : lignes)
        b += QByteArray(l) + "\r\n";
    return b;
}

} // namespace

class TstExport : public QObject {
    Q_OBJECT
private slots:
    void separateurs();
    void pointVirgule();
    void aucun();
    void tabEtPoint();
    void appreciationsEtListe();
    void nomPropose();
};

void TstExport::separateurs()
{
    QCOMPARE(SeparateurChamps(QStringLiteral("Aucun")), QString());
    QCOMPARE(SeparateurChamps(QStringLiteral("Tab")), QStringLiteral("\t"));
    for (const char *c : {";", "#", "!", "/", "&", "%", "~", "@"})
        QCOMPARE(SeparateurChamps(QString::fromLatin1(c)), QString::fromLatin1(c));
}

void TstExport::pointVirgule()
{
    const QByteArray attendu = Lignes({
        "3EME1  05/12/2024 09:07:03;          ;          ;          ;",
        "                          ;Fran1-01  ;Fran1-02  ;Fran1-03  ;",
        "",
        "DUPONT jean               ;12,50;; 8,00;",
        "ST. MARTIN \xC9lodie         ;abc;20,00;1,5;",
    });
    QCOMPARE(TexteExport(Petite(), QStringLiteral("3EME1"), Instant, QStringLiteral(";"), true), attendu);
}

void TstExport::aucun()
{
    const QByteArray attendu = Lignes({
        "3EME1  05/12/2024 09:07:03                              ",
        "                          Fran1-01  Fran1-02  Fran1-03  ",
        "",
        "DUPONT jean                 12,50                8,00   ",
        "ST. MARTIN \xC9lodie             abc     20,00       1,5   ",
    });
    QCOMPARE(TexteExport(Petite(), QStringLiteral("3EME1"), Instant, QString(), true), attendu);
}

void TstExport::tabEtPoint()
{
    const QByteArray attendu = Lignes({
        "3EME1  05/12/2024 09:07:03\t          \t          \t          \t",
        "                          \tFran1-01  \tFran1-02  \tFran1-03  \t",
        "",
        "DUPONT jean               \t12.50\t\t 8.00\t",
        "ST. MARTIN \xC9lodie         \tabc\t20.00\t1.5\t",
    });
    QCOMPARE(TexteExport(Petite(), QStringLiteral("3EME1"), Instant, QStringLiteral("\t"), false), attendu);
}

void TstExport::appreciationsEtListe()
{
    ClasseTest::UneMatiereFran(false);
    ListeEleves = {ListeEleves.at(0)};
    const QByteArray appr = TexteExport(ConstruireGrille(Vue::Appreciations, 1, Selecteur::Mat1),
                                        NomClasse, Instant, QStringLiteral("#"), true);
    const QList<QByteArray> l = appr.split('\n');
    // The title keeps its points; the appreciation text gets commas too.
    QCOMPARE(l.at(1), QByteArray("                          #     Moy  #                    Appr\xE9"
                                 "ciation    Fran     1 er trimestre#\r"));
    QCOMPARE(l.at(3), QByteArray("DUPONT jean               #10,94#Bon trimestre, \xE9l\xE8ve s\xE9rieux,#\r"));

    const QByteArray liste = TexteExport(ConstruireGrille(Vue::Liste, 1, Selecteur::Mat1), NomClasse,
                                         Instant, QString(), true);
    QCOMPARE(liste, Lignes({"3EME1  05/12/2024 09:07:03          ",
                            "                                    ",
                            "",
                            "DUPONT jean                         "}));

    // An empty class in the Notes view: the titles alone.
    ClasseTest::Vide(QStringLiteral("V.VTC"), true, false);
    const QByteArray vide = TexteExport(ConstruireGrille(Vue::Notes, 1, Selecteur::Mat1), NomClasse,
                                        Instant, QStringLiteral(";"), true);
    QCOMPARE(vide.count("\r\n"), 3);
    QVERIFY(vide.contains("Mat1 1-8  ;\r\n\r\n"));
}

void TstExport::nomPropose()
{
    const QDate jour(2024, 12, 5);
    QCOMPARE(NomExportPropose(Vue::Notes, QStringLiteral("3EME1"), jour), QStringLiteral("3EME0512"));
    QCOMPARE(NomExportPropose(Vue::Notes, QStringLiteral("6A"), QDate(2025, 1, 9)), QStringLiteral("6A0901"));
    QCOMPARE(NomExportPropose(Vue::Appreciations, QStringLiteral("3EME1"), jour), QStringLiteral("3EME1"));
    QCOMPARE(NomExportPropose(Vue::Liste, QStringLiteral("TERMINALE"), jour), QStringLiteral("TERMINAL"));
}

QTEST_GUILESS_MAIN(TstExport)
#include "tst_export.moc"
