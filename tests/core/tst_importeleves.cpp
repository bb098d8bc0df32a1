// Reading student lists exported by school software, and how typed names are stored.
#include "classdata/importeleves.h"
#include "classdata/nomseleves.h"
#include "tests/common/classeessai.h"

using namespace Qt::StringLiterals;

class TstImportEleves : public QObject {
    Q_OBJECT

private slots:
    void prenoms()
    {
        const QList<QPair<QString, QString>> cas{{u"jean-pierre"_s, u"Jean-Pierre"_s},
                                                 {u"marie claire"_s, u"Marie Claire"_s},
                                                 {u"élodie"_s, u"Élodie"_s},
                                                 {u"mcDONALD"_s, u"McDONALD"_s},
                                                 {u"anne-"_s, u"Anne-"_s},
                                                 {u""_s, u""_s},
                                                 {u"marie-christine"_s, u"Marie-Christ"_s}};
        for (const auto &[tape, stocke] : cas)
            QCOMPARE(PrenomDepuisSaisie(tape), stocke);
    }

    // One line, its surname and first name.
    void separateurs_data()
    {
        QTest::addColumn<QString>("ligne");
        QTest::addColumn<QString>("attendu");
        QTest::newRow("point-virgule") << u"DUPONT;Jean"_s << u"DUPONT/Jean"_s;
        QTest::newRow("virgule") << u"DUPONT, Jean"_s << u"DUPONT/Jean"_s;
        QTest::newRow("tabulation") << u"DUPONT\tJean Marc"_s << u"DUPONT/Jean Marc"_s;
        QTest::newRow("point-virgule avant virgule")
            << u"DUPONT;Jean, dit Jeannot"_s << u"DUPONT/Jean, dit Jeannot"_s;
        QTest::newRow("guillemets") << u"\"DE LA FONTAINE\";\"Jean\""_s << u"DE LA FONTAINE/Jean"_s;
        QTest::newRow("séparateur entre guillemets") << u"\"DUPONT, fils\",Jean"_s << u"DUPONT, fils/Jean"_s;
        QTest::newRow("guillemets et espace") << u"\"DE LA FONTAINE\" Jean"_s << u"DE LA FONTAINE/Jean"_s;
        // Spaces only: the surname is the run of words in capitals.
        QTest::newRow("nom composé") << u"DE LA FONTAINE Jean"_s << u"DE LA FONTAINE/Jean"_s;
        QTest::newRow("capitales accentuées") << u"ÉLU LE BRUN Émile"_s << u"ÉLU LE BRUN/Émile"_s;
        QTest::newRow("apostrophe") << u"D'ARTAGNAN Charles"_s << u"D'ARTAGNAN/Charles"_s;
        QTest::newRow("espaces en trop") << u"  DE  LA  TOUR   Jean Marc "_s << u"DE LA TOUR/Jean Marc"_s;
        QTest::newRow("colonnes en plus") << u"DUPONT;Jean;12/03/2010;3A"_s << u"DUPONT/Jean"_s;
    }
    void separateurs()
    {
        QFETCH(QString, ligne);
        QFETCH(QString, attendu);
        const ListeLue l = AnalyserListeEleves(ligne + u"\r\n"_s);
        QVERIFY(l.incomprises.isEmpty() && l.eleves.size() == 1 && l.eleves[0].ligne == 1);
        QCOMPARE(l.eleves[0].nom + u'/' + l.eleves[0].prenom, attendu);
    }

    // A header line is recognised at the top only, its columns followed.
    void entetes()
    {
        const QList<std::tuple<QString, bool, QString>> cas{
            {u"Nom;Prénom\nDUPONT;Jean\n"_s, true, u"DUPONT/Jean"_s},
            {u"NOM,PRENOM\nDUPONT,Jean\n"_s, true, u"DUPONT/Jean"_s},
            {u"Classe;Prénom;Nom;Né le\n3A;Jean;DUPONT;2010\n"_s, true, u"DUPONT/Jean"_s},
            {u"Prénom;Nom\nJean;DUPONT\n"_s, true, u"DUPONT/Jean"_s},
            {u"NOMBRET;Jean\n"_s, false, u"NOMBRET/Jean"_s},
            {u"DUPONT;Jean\nNom;Prénom\n"_s, false, u"DUPONT/Jean"_s}};
        for (const auto &[texte, entete, premier] : cas) {
            const ListeLue l = AnalyserListeEleves(texte);
            QVERIFY2(l.entete == entete && !l.eleves.isEmpty(), qPrintable(texte));
            QCOMPARE(l.eleves[0].nom + u'/' + l.eleves[0].prenom, premier);
        }
    }

    void encodages()
    {
        const QString texte = u"ÉLU;Émile\nZOLA;Zoé\n"_s;
        QByteArray utf16("\xFF\xFE");
        for (QChar c : texte)
            utf16 += char(c.unicode() & 0xFF), utf16 += char(c.unicode() >> 8);
        for (const QByteArray &octets :
             {texte.toUtf8(), "\xEF\xBB\xBF" + texte.toUtf8(), "\xC9LU;\xC9mile\nZOLA;Zo\xE9\n"_ba, utf16}) {
            const ListeLue l = AnalyserListeEleves(DecoderTexteImporte(octets));
            QCOMPARE(l.eleves.size(), 2);
            QCOMPARE(l.eleves[0].nom + u'/' + l.eleves[0].prenom + u'/' + l.eleves[1].prenom,
                     u"ÉLU/Émile/Zoé"_s);
        }
    }

    void lignesIncomprises()
    {
        // Line numbers count blank lines too. Without a separator, a surname not
        // in capitals or nothing after it cannot be read safely.
        const ListeLue l = AnalyserListeEleves(
            u"Nom;Prénom\r\nDUPONT;Jean\r\n\r\nSEUL\r\n;Paul\r\nMARTIN;\r\n;;\r\nDURAND Luc\r\n"
            "Jean Dupont\r\nDUPONT JEAN\r\nMcDONALD Ronald"_s);
        QCOMPARE(l.incomprises, (QList<int>{4, 9, 10, 11}));
        QCOMPARE(l.nomManquant, (QList<int>{5, 6}));
        QVERIFY(l.eleves.size() == 2 && l.eleves[1].nom == u"DURAND"_s && l.eleves[1].ligne == 8);
    }

    // What is added, what is refused and why, in the teacher's words.
    void preparationEtBilan()
    {
        ListeLue l;
        l.eleves = {{u"de la fontaine"_s, u"jean"_s, 1},   {u"dupont"_s, u"jean-pierre"_s, 2},
                    {u"DUPONT"_s, u"Jean-Pierre"_s, 3}, // twice in the file
                    {u"MARTIN"_s, u"Paul"_s, 4},        // already in the class
                    {u"WAŁĘSA"_s, u"Lech"_s, 5},        // not storable
                    {u"SCHWARZENEGGERS"_s, u"arnold"_s, 6}};
        for (int i = 1; i <= 3; ++i)
            l.eleves.append({u"NOM%1"_s.arg(i), u"Prénom"_s, 19 + i}); // beyond the room left
        l.incomprises = {7, 8, 9, 10};
        l.nomManquant = {11};
        const BilanImport b = PreparerImport(l, {u"MARTIN Paul"_s}, 3);
        QCOMPARE(b.aAjouter,
                 (QList<QPair<QString, QString>>{{u"DE_LA_FONTAI"_s, u"Jean"_s},
                                                 {u"DUPONT"_s, u"Jean-Pierre"_s},
                                                 {u"SCHWARZENEGG"_s, u"Arnold"_s}}));
        QCOMPARE(TexteBilanImport(b),
                 u"3 élèves ajoutés.\r\n"
                 "Lignes 3, 4 : élève déjà dans la liste.\r\n"
                 "Ligne 11 : nom ou prénom manquant.\r\n"
                 "Lignes 7 à 10 : nom et prénom impossibles à distinguer (attendu : NOM en majuscules puis "
                 "Prénom).\r\n"
                 "Ligne 5 : caractère impossible à enregistrer dans un fichier de classe.\r\n"
                 "Lignes 20 à 22 : classe complète, une classe compte au plus 127 élèves.\r\n"
                 "Coupés à 12 caractères : de la fontaine jean → DE_LA_FONTAI Jean ; "
                 "SCHWARZENEGGERS arnold → SCHWARZENEGG Arnold."_s);
        QCOMPARE(PreparerImport(l, {}, 0).aAjouter.size(), 0);
        BilanImport un;
        un.aAjouter = {{u"A"_s, u"B"_s}};
        QCOMPARE(TexteBilanImport(un), u"1 élève ajouté."_s);
    }

    // Accents folded, the first name breaks ties, equal keys keep their
    // order: the sort may be run twice without a change.
    void tri()
    {
        QList<StudentRecord> eleves =
            ClasseEssai::Eleves({u"ZOLA Zoé"_s, u"ÉTÉ Léa"_s, u"MARTIN Zoé"_s, u"ETE Lea"_s, u"ARTHUR Anne"_s,
                                 u"ETÉ Léa"_s, u"EMERY Luc"_s, u"MARTIN Anne"_s, u"ÉLU Émile"_s});
        TrierListeEleves(eleves);
        QStringList lus;
        for (const StudentRecord &r : eleves)
            lus << EntreeEleve(r.Nom, r.Prenom);
        QCOMPARE(lus,
                 (QStringList{u"ARTHUR Anne"_s, u"ÉLU Émile"_s, u"EMERY Luc"_s, u"ÉTÉ Léa"_s, u"ETE Lea"_s,
                              u"ETÉ Léa"_s, u"MARTIN Anne"_s, u"MARTIN Zoé"_s, u"ZOLA Zoé"_s}));
    }
};

QTEST_GUILESS_MAIN(TstImportEleves)
#include "tst_importeleves.moc"
