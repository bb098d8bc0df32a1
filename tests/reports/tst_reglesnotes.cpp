// Rules that need no widget: reading typed marks, coefficients after a
// column move, the ranking, the class balance figures.
#include "averages/classement.h"
#include "averages/moyennes.h"
#include "classdata/options.h"
#include "classdata/real48.h"
#include "platform/horloge.h"
#include "reports/bilan.h"
#include "reports/reglesnotes.h"
#include "tests/common/classeessai.h"

#include <QTest>

using namespace Qt::StringLiterals;

struct TexteSaisi {
    const char *texte;
    bool valide;
    const char *stocke = "-";
    int delta = 0;
    const char *decalee = "", *parties = "";
};
Q_DECLARE_METATYPE(TexteSaisi)

// The columns of periods premiere..derniere in their order, then column de moved to vers.
struct Deplacement {
    const char *nom;
    bool mat2;
    int span;
    bool deuxPeriodes, uneMatiere;
    int premiere = 0, derniere = 0, de = 0, vers = 0;
    const char *p1 = nullptr, *p2 = nullptr, *p3 = nullptr;
};
Q_DECLARE_METATYPE(Deplacement)

class TestReglesNotes : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { FixerHorloge(QDateTime(QDate(2024, 3, 15), QTime(10, 0))); }
    void periodeDuMois()
    {
        QByteArray trimestres, semestres;
        for (int m = 1; m <= 12; ++m) {
            trimestres += char('0' + PeriodeDuMois(false, m));
            semestres += char('0' + PeriodeDuMois(true, m));
        }
        QCOMPARE(trimestres + ' ' + semestres, "222333311111 122222211111");
    }

    // A typed text: whether it is a mark, what reaches the model ("-": not
    // checked), one point more or less, its two painted halves (entier|fraction).
    void texteSaisi_data()
    {
        QTest::addColumn<TexteSaisi>("cas");
        const auto ligne = [](const char *nom, const TexteSaisi &c) { QTest::newRow(nom) << c; };
        ligne("12.5", {"12.5", true, "-", 0, "", "12|.50"});
        ligne("en cours", {"12.", true, "12.0"});
        ligne("sans zéro", {".5", true, "0.5"});
        ligne("point seul", {".", false});
        ligne("deux points", {"1.2.3", false, ""});
        ligne("comme la grille l'écrit", {" 8.00", true, " 8.00"});
        ligne("21", {"21", false, "21"});
        ligne("20.01", {"20.01", false});
        ligne("12.345", {"12.345", true, "-", 0, "", "12|.345"});
        ligne("écrit 7", {" 7.00", true, "-", 0, "", " 7|.00"});
        ligne("vide", {"", false, "-", 0, "", "|"});
        ligne("19.5 + 1", {"19.50", true, "-", 1, "20.00"});
        ligne("saisi 8 + 1", {"8", true, "-", 1, "9.00"});
        ligne("invalide 25 + 1", {"25", false, "-", 1, "20.00"});
        ligne("0.5 - 1", {" 0.50", true, "-", -1, "0.00"});
    }

    void texteSaisi()
    {
        QFETCH(TexteSaisi, cas);
        const QString texte = QString::fromUtf8(cas.texte);
        QCOMPARE(TexteNoteValide(texte), cas.valide);
        QCOMPARE(NoteDeTexte(texte) != NO_MARK, cas.valide);
        if (QByteArray(cas.stocke) != "-")
            QCOMPARE(TexteAStocker(texte), QString::fromUtf8(cas.stocke));
        if (cas.delta)
            QCOMPARE(NoteDecalee(texte, cas.delta), QString::fromUtf8(cas.decalee));
        if (*cas.parties) {
            const PartiesNote p = DecouperNote(texte);
            QCOMPARE(p.entier + u'|' + p.fraction, QString::fromUtf8(cas.parties));
        }
    }

    void coefsApresDeplacement_data()
    {
        QTest::addColumn<QStringList>("titres");
        QTest::addColumn<Deplacement>("cas");
        QTest::addColumn<QStringList>("attendu"); // periods 1..3; empty: the titles are refused
        const Deplacement cas[] = {
            {"period 2, 5 to the front", false, 2, false, true, 2, 2, 4, 0, "", "5123467890123456", ""},
            {"two subjects, subject 2", true, 1, false, false, 1, 1, 1, 0, "1234567809123456", "", ""},
            {"semester year across periods", false, Annee, true, true, 1, 2, 16, 15, "1234567890123451",
             "6234567890123456", nullptr},
            {"two subjects, year", false, Annee, false, false, 1, 3, 16, 0, "1123456790123456",
             "8123456790123456", "8234567890123456"},
        };
        const QString base = u"1234567890123456"_s;
        for (const auto &c : cas) {
            QStringList t;
            for (int p = c.premiere; p <= c.derniere; ++p)
                for (int a = 1; a <= (c.uneMatiere ? 16 : 8); ++a)
                    t << (c.uneMatiere ? u"Fran%1-%2"_s.arg(p).arg(a, 2, 10, QChar(u'0'))
                                       : u"Hist %1-%2"_s.arg(p).arg(a));
            t.move(c.de, c.vers);
            QStringList attendu;
            for (const char *chaine : {c.p1, c.p2, c.p3})
                attendu << (!chaine ? QString() : *chaine ? QString::fromLatin1(chaine) : base);
            QTest::newRow(c.nom) << t << c << attendu;
        }
        QTest::newRow("unreadable title")
            << QStringList{"Fran1-01", "Moy"} << Deplacement{"", false, 1, false, true} << QStringList();
    }

    void coefsApresDeplacement()
    {
        QFETCH(QStringList, titres);
        QFETCH(Deplacement, cas);
        QFETCH(QStringList, attendu);
        const bool mat2 = cas.mat2, deuxPeriodes = cas.deuxPeriodes, uneMatiere = cas.uneMatiere;
        const int span = cas.span;
        const QString base = u"1234567890123456"_s;
        QString origine[4] = {{}, base, base, base};
        qint32 c1[4][17] = {}, c2[4][17] = {};
        DecoderCoefs(origine, uneMatiere, c1, c2);
        QString resultat[4] = {{}, u"x"_s, u"y"_s, u"z"_s};
        QCOMPARE(CoefsApresDeplacement(titres, mat2, span, mat2 ? c2 : c1, origine, deuxPeriodes, uneMatiere,
                                       resultat),
                 !attendu.isEmpty());
        if (attendu.isEmpty()) { // left untouched
            QCOMPARE(resultat[1], u"x"_s);
            return;
        }
        QCOMPARE((QStringList{resultat[1], resultat[2], resultat[3]}), attendu);

        // Dates follow their columns as the coefficients do: each date spells its coefficient.
        const auto dates = [](const QString &coefs) {
            QString d;
            for (QChar c : coefs)
                d += u"%1%1/0%1"_s.arg(c);
            return d;
        };
        QString datesOrigine[4] = {{}, dates(base), dates(base), dates(base)};
        QString d1[4][17], d2[4][17], datesResultat[4];
        DecoderDates(datesOrigine, uneMatiere, d1, d2);
        QVERIFY(DatesApresDeplacement(titres, mat2, span, mat2 ? d2 : d1, datesOrigine, deuxPeriodes,
                                      uneMatiere, datesResultat));
        QCOMPARE((QStringList{datesResultat[1], datesResultat[2], datesResultat[3]}),
                 (QStringList{dates(attendu.at(0)), dates(attendu.at(1)), dates(attendu.at(2))}));
    }

    // Ties keep the class order, students without an average go last, and two
    // students of the same name are both kept, each once.
    void classement()
    {
        // "NAME average" pairs, "-": none; given back in the ranked order.
        const auto classer = [](const QString &classe) {
            const QStringList mots = classe.split(u' ', Qt::SkipEmptyParts);
            QList<StudentRecord> l(mots.size() / 2);
            for (int i = 0; i < l.size(); ++i) {
                l[i].Nom = mots[2 * i];
                l[i].NotesMat1[1][1] = mots[2 * i + 1] == u"-" ? NO_MARK : mots[2 * i + 1].toDouble();
            }
            QStringList r;
            for (const auto &e : Classer(l, [](const StudentRecord &e) { return e.NotesMat1[1][1]; }))
                r << e.Nom << (e.NotesMat1[1][1] == NO_MARK ? u"-"_s : QString::number(e.NotesMat1[1][1]));
            return r.join(u' ');
        };
        QCOMPARE(classer("A 12 B - C 12"), "A 12 C 12 B -");
        QCOMPARE(classer("DUPONT 9 MARTIN - DUPONT 15 ZOE 0"), "DUPONT 15 DUPONT 9 ZOE 0 MARTIN -");
        QCOMPARE(classer(""), "");
    }

    void bandes_data()
    {
        // Year averages ("-": none); per band: count, percentage, gauge.
        QTest::addColumn<QString>("notes");
        QTest::addColumn<QString>("bandes");
        const char *cas[][3] = {
            {"5 10 15", "5 10 15", "1 33.33 33|1 33.33 33|1 33.33 33"},
            {"8 et 12 exactement", "8 12", "0 0.00 0|1 50.00 50|1 50.00 50"},
            {"moitiés au voisin pair", "1 9 9 9 13 13 13 13", "1 12.50 12|3 37.50 38|4 50.00 50"},
            {"deux tiers", "20 0 0", "2 66.67 67|0 0.00 0|1 33.33 33"},
            {"sans moyenne", "- -", "0 0.00 0|0 0.00 0|0 0.00 0"},
            {"classe vide", "", "0 0.00 0|0 0.00 0|0 0.00 0"},
        };
        for (const auto &c : cas)
            QTest::newRow(c[0]) << c[1] << c[2];
    }

    void bandes()
    {
        QFETCH(QString, notes);
        QFETCH(QString, bandes);
        QList<ClasseEssai::EleveNotes> eleves;
        for (const QString &n : notes.split(u' ', Qt::SkipEmptyParts))
            eleves.append({"NOM", "Jean", n == u"-" ? NO_MARK : n.toDouble()});
        ClasseEssai::ChargerNotes(eleves);
        const DonneesBilan d = CalculerBilan(Selecteur::Mat1);
        for (int b = 0; b < 3; ++b) {
            const QStringList attendu = bandes.split(u'|').at(b).split(u' ');
            QCOMPARE(d.texteEffectif(b), "(" + attendu[0] + ")");
            QCOMPARE(d.listes[b].size(), attendu[0].toInt());
            QCOMPARE(d.textePourcentage(b), "(" + attendu[1] + " %)");
            QCOMPARE(d.jauge(b), attendu[2].toInt());
        }
    }

    void listesEtChiffres()
    {
        ClasseEssai::ChargerNotes({{"MARTIN", "Luc", 15, 14},
                                   {"ABEL", "Eva", 5},
                                   {"ZOLA", "Emile", 16},
                                   {"NOEL", "Ana", NO_MARK},
                                   {"BON", "Lou", 10}});
        const DonneesBilan d = CalculerBilan(Selecteur::Mat1);
        QCOMPARE(d.total, 4);
        QCOMPARE(d.listes[0], QStringList{u"ABEL Eva"_s.leftJustified(45) + u" 5.00"_s});
        // Class order, not alphabetical.
        QCOMPARE(d.listes[2],
                 (QStringList{u"MARTIN Luc"_s.leftJustified(45) + u"15.00"_s,
                              u"ZOLA Emile"_s.leftJustified(45) + u"16.00"_s}));
        QCOMPARE(QStringList({d.min, d.moy, d.max, d.date, d.entete, d.motTitre}),
                 QStringList({" 5.00", "11.50", "16.00", "15/03/2024", "3EME1  Maths", "Maths"}));
        QCOMPARE(CalculerBilan(Selecteur::Mat2).entete, u"3EME1  Physique"_s);
        const DonneesBilan ensemble = CalculerBilan(Selecteur::Ensemble);
        QCOMPARE(ensemble.entete + u'|' + ensemble.motTitre, u"3EME1  Moyenne générale|Ensemble"_s);

        ClasseEssai::ChargerNotes({{"NOEL", "Ana", NO_MARK}});
        const DonneesBilan vide = CalculerBilan(Selecteur::Mat1);
        QVERIFY(vide.min.isEmpty() && vide.moy.isEmpty() && vide.max.isEmpty());
        ClasseEssai::ChargerNotes({});
        QCOMPARE(CalculerBilan(Selecteur::Mat1).entete, u"3EME1  Maths"_s);
    }
};

QTEST_GUILESS_MAIN(TestReglesNotes)
#include "tst_reglesnotes.moc"
