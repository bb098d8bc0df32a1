// Reading student lists exported by school software, and how typed names are stored.
#include "classdata/importeleves.h"
#include "classdata/nomseleves.h"

#include <QTest>

class TstImportEleves : public QObject {
    Q_OBJECT
private slots:
    void prenoms_data();
    void prenoms();
    void separateurs_data();
    void separateurs();
    void entetes_data();
    void entetes();
    void encodages_data();
    void encodages();
    void lignesIncomprises();
    void preparation();
    void limite();
    void bilan();
    void tri_data();
    void tri();
};

void TstImportEleves::prenoms_data()
{
    QTest::addColumn<QString>("tape");
    QTest::addColumn<QString>("stocke");
    QTest::newRow("trait d'union") << "jean-pierre"
                                   << "Jean-Pierre";
    QTest::newRow("espace") << "marie claire"
                            << "Marie Claire";
    QTest::newRow("accent") << "élodie"
                            << "Élodie";
    QTest::newRow("reste tel quel") << "mcDONALD"
                                    << "McDONALD";
    QTest::newRow("séparateur final") << "anne-"
                                      << "Anne-";
    QTest::newRow("vide") << ""
                          << "";
    QTest::newRow("coupé à 12") << "marie-christine"
                                << "Marie-Christ";
}

void TstImportEleves::prenoms()
{
    QFETCH(QString, tape);
    QFETCH(QString, stocke);
    QCOMPARE(PrenomDepuisSaisie(tape), stocke);
}

void TstImportEleves::separateurs_data()
{
    QTest::addColumn<QString>("ligne");
    QTest::addColumn<QString>("nom");
    QTest::addColumn<QString>("prenom");
    QTest::newRow("point-virgule") << "DUPONT;Jean"
                                   << "DUPONT"
                                   << "Jean";
    QTest::newRow("virgule") << "DUPONT, Jean"
                             << "DUPONT"
                             << "Jean";
    QTest::newRow("tabulation") << "DUPONT\tJean Marc"
                                << "DUPONT"
                                << "Jean Marc";
    QTest::newRow("premier espace") << "  DUPONT Jean Marc "
                                    << "DUPONT"
                                    << "Jean Marc";
    QTest::newRow("point-virgule avant virgule") << "DUPONT;Jean, dit Jeannot"
                                                 << "DUPONT"
                                                 << "Jean, dit Jeannot";
    QTest::newRow("guillemets") << "\"DE LA FONTAINE\";\"Jean\""
                                << "DE LA FONTAINE"
                                << "Jean";
    QTest::newRow("séparateur entre guillemets") << "\"DUPONT, fils\",Jean"
                                                 << "DUPONT, fils"
                                                 << "Jean";
    QTest::newRow("guillemets et espace") << "\"DE LA FONTAINE\" Jean"
                                          << "DE LA FONTAINE"
                                          << "Jean";
    // Spaces only: the surname is the run of words in capitals.
    QTest::newRow("nom composé") << "DE LA FONTAINE Jean"
                                 << "DE LA FONTAINE"
                                 << "Jean";
    QTest::newRow("nom et prénom composés") << "VAN DER BERG Anne-Marie"
                                            << "VAN DER BERG"
                                            << "Anne-Marie";
    QTest::newRow("capitales accentuées") << "ÉLU LE BRUN Émile"
                                          << "ÉLU LE BRUN"
                                          << "Émile";
    QTest::newRow("apostrophe") << "D'ARTAGNAN Charles"
                                << "D'ARTAGNAN"
                                << "Charles";
    QTest::newRow("espaces en trop") << "  DE  LA  TOUR   Jean Marc "
                                     << "DE LA TOUR"
                                     << "Jean Marc";
    QTest::newRow("colonnes en plus") << "DUPONT;Jean;12/03/2010;3A"
                                      << "DUPONT"
                                      << "Jean";
}

void TstImportEleves::separateurs()
{
    QFETCH(QString, ligne);
    QFETCH(QString, nom);
    QFETCH(QString, prenom);
    const ListeLue l = AnalyserListeEleves(ligne + QStringLiteral("\r\n"));
    QCOMPARE(l.incomprises, QList<int>());
    QCOMPARE(l.eleves.size(), 1);
    QCOMPARE(l.eleves[0].nom, nom);
    QCOMPARE(l.eleves[0].prenom, prenom);
    QCOMPARE(l.eleves[0].ligne, 1);
}

void TstImportEleves::entetes_data()
{
    QTest::addColumn<QString>("texte");
    QTest::addColumn<bool>("entete");
    QTest::addColumn<QString>("premier"); // "NOM/Prénom" of the first student
    QTest::newRow("Nom;Prénom") << "Nom;Prénom\nDUPONT;Jean\n" << true << "DUPONT/Jean";
    QTest::newRow("majuscules sans accent") << "NOM,PRENOM\nDUPONT,Jean\n" << true << "DUPONT/Jean";
    QTest::newRow("colonnes nommées") << "Classe;Prénom;Nom;Né le\n3A;Jean;DUPONT;2010\n"
                                      << true << "DUPONT/Jean";
    QTest::newRow("prénom d'abord") << "Prénom;Nom\nJean;DUPONT\n" << true << "DUPONT/Jean";
    QTest::newRow("pas d'en-tête") << "NOMBRET;Jean\n" << false << "NOMBRET/Jean";
    QTest::newRow("en-tête seulement en tête") << "DUPONT;Jean\nNom;Prénom\n" << false << "DUPONT/Jean";
}

void TstImportEleves::entetes()
{
    QFETCH(QString, texte);
    QFETCH(bool, entete);
    QFETCH(QString, premier);
    const ListeLue l = AnalyserListeEleves(texte);
    QCOMPARE(l.entete, entete);
    QVERIFY(!l.eleves.isEmpty());
    QCOMPARE(l.eleves[0].nom + QLatin1Char('/') + l.eleves[0].prenom, premier);
}

void TstImportEleves::encodages_data()
{
    QTest::addColumn<QByteArray>("octets");
    const QString texte = QStringLiteral("ÉLU;Émile\nZOLA;Zoé\n");
    QTest::newRow("utf-8") << texte.toUtf8();
    QTest::newRow("utf-8 avec BOM") << QByteArray("\xEF\xBB\xBF") + texte.toUtf8();
    QTest::newRow("windows-1252") << QByteArray("\xC9LU;\xC9mile\nZOLA;Zo\xE9\n");
    QByteArray utf16("\xFF\xFE");
    for (QChar c : texte)
        utf16 += char(c.unicode() & 0xFF), utf16 += char(c.unicode() >> 8);
    QTest::newRow("utf-16 avec BOM") << utf16;
}

void TstImportEleves::encodages()
{
    QFETCH(QByteArray, octets);
    const ListeLue l = AnalyserListeEleves(DecoderTexteImporte(octets));
    QCOMPARE(l.eleves.size(), 2);
    QCOMPARE(l.eleves[0].nom, QStringLiteral("ÉLU"));
    QCOMPARE(l.eleves[0].prenom, QStringLiteral("Émile"));
    QCOMPARE(l.eleves[1].prenom, QStringLiteral("Zoé"));
}

void TstImportEleves::lignesIncomprises()
{
    // Line numbers count every line, blank ones included.
    // Without a separator, a line whose surname is not in capitals, or that
    // has nothing after it, cannot be read safely.
    const ListeLue l = AnalyserListeEleves(
        QStringLiteral("Nom;Prénom\r\nDUPONT;Jean\r\n\r\nSEUL\r\n;Paul\r\nMARTIN;\r\n;;\r\nDURAND Luc\r\n"
                       "Jean Dupont\r\nDUPONT JEAN\r\nMcDONALD Ronald"));
    QCOMPARE(l.incomprises, (QList<int>{4, 9, 10, 11}));
    QCOMPARE(l.nomManquant, (QList<int>{5, 6}));
    QCOMPARE(l.eleves.size(), 2);
    QCOMPARE(l.eleves[1].nom, QStringLiteral("DURAND"));
    QCOMPARE(l.eleves[1].ligne, 8);
}

void TstImportEleves::preparation()
{
    ListeLue l;
    l.eleves = {{QStringLiteral("de la fontaine"), QStringLiteral("jean"), 1},
                {QStringLiteral("dupont"), QStringLiteral("jean-pierre"), 2},
                {QStringLiteral("DUPONT"), QStringLiteral("Jean-Pierre"), 3}, // twice in the file
                {QStringLiteral("MARTIN"), QStringLiteral("Paul"), 4},        // already in the class
                {QStringLiteral("WAŁĘSA"), QStringLiteral("Lech"), 5},        // not storable
                {QStringLiteral("SCHWARZENEGGERS"), QStringLiteral("arnold"), 6}};
    l.incomprises = {7};
    l.nomManquant = {8};
    const BilanImport b = PreparerImport(l, {QStringLiteral("MARTIN Paul")}, 10);
    QCOMPARE(b.aAjouter.size(), 3);
    QCOMPARE(b.aAjouter[0], qMakePair(QStringLiteral("DE_LA_FONTAI"), QStringLiteral("Jean")));
    QCOMPARE(b.aAjouter[1], qMakePair(QStringLiteral("DUPONT"), QStringLiteral("Jean-Pierre")));
    QCOMPARE(b.aAjouter[2], qMakePair(QStringLiteral("SCHWARZENEGG"), QStringLiteral("Arnold")));
    QCOMPARE(b.dejaPresents, 2);
    QCOMPARE(b.lignesDejaPresentes, (QList<int>{3, 4}));
    QCOMPARE(b.incomprises, QList<int>{7});
    QCOMPARE(b.nomManquant, QList<int>{8});
    QCOMPARE(b.caracteresInterdits, QList<int>{5});
    QCOMPARE(b.horsLimite, 0);
    QCOMPARE(b.coupes,
             (QStringList{QStringLiteral("de la fontaine jean → DE_LA_FONTAI Jean"),
                          QStringLiteral("SCHWARZENEGGERS arnold → SCHWARZENEGG Arnold")}));
}

void TstImportEleves::limite()
{
    ListeLue l;
    for (int i = 0; i < 5; ++i)
        l.eleves.append({QStringLiteral("NOM%1").arg(i), QStringLiteral("Prénom"), i + 1});
    const BilanImport b = PreparerImport(l, {}, 2);
    QCOMPARE(b.aAjouter.size(), 2);
    QCOMPARE(b.horsLimite, 3);
    QCOMPARE(b.lignesHorsLimite, (QList<int>{3, 4, 5}));
    QCOMPARE(PreparerImport(l, {}, 0).aAjouter.size(), 0);
}

void TstImportEleves::bilan()
{
    BilanImport b;
    b.aAjouter = {{QStringLiteral("A"), QStringLiteral("B")}};
    QCOMPARE(TexteBilanImport(b), QStringLiteral("1 élève ajouté."));
    b.aAjouter.append({QStringLiteral("C"), QStringLiteral("D")});
    b.dejaPresents = 2;
    b.lignesDejaPresentes = {14, 3};
    b.horsLimite = 3;
    b.lignesHorsLimite = {20, 21, 22};
    for (int i = 5; i <= 12; ++i)
        b.incomprises << i;
    b.nomManquant = {13};
    b.caracteresInterdits = {1, 2};
    b.coupes = {QStringLiteral("SCHWARZENEGGERS Arnold → SCHWARZENEGG Arnold")};
    // Every refused line with its reason, every cut name.
    QCOMPARE(TexteBilanImport(b),
             QStringLiteral("2 élèves ajoutés.\r\n"
                            "Lignes 3, 14 : élève déjà dans la liste.\r\n"
                            "Ligne 13 : nom ou prénom manquant.\r\n"
                            "Lignes 5 à 12 : nom et prénom impossibles à distinguer (attendu : NOM en "
                            "majuscules puis Prénom).\r\n"
                            "Lignes 1, 2 : caractère impossible à enregistrer dans un fichier de classe.\r\n"
                            "Lignes 20 à 22 : classe complète, une classe compte au plus 127 élèves.\r\n"
                            "Coupé à 12 caractères : SCHWARZENEGGERS Arnold → SCHWARZENEGG Arnold."));
}

void TstImportEleves::tri_data()
{
    // "NOM Prénom" entries before the sort, and the order wanted.
    QTest::addColumn<QStringList>("avant");
    QTest::addColumn<QStringList>("apres");
    QTest::newRow("accents pliés") << QStringList{"ZOLA Zoé", "ÉLU Émile", "ARTHUR Anne", "EMERY Luc"}
                                   << QStringList{"ARTHUR Anne", "ÉLU Émile", "EMERY Luc", "ZOLA Zoé"};
    // Equal keys keep their order: the sort may be run twice without a change.
    QTest::newRow("stable") << QStringList{"ÉTÉ Léa", "ETE Lea", "ETÉ Léa"}
                            << QStringList{"ÉTÉ Léa", "ETE Lea", "ETÉ Léa"};
    QTest::newRow("prénom départage")
        << QStringList{"MARTIN Zoé", "MARTIN Anne"} << QStringList{"MARTIN Anne", "MARTIN Zoé"};
    QTest::newRow("vide") << QStringList{} << QStringList{};
}

void TstImportEleves::tri()
{
    QFETCH(QStringList, avant);
    QFETCH(QStringList, apres);
    QList<StudentRecord> eleves;
    for (const QString &e : avant) {
        StudentRecord r;
        r.Nom = e.section(u' ', 0, 0);
        r.Prenom = e.section(u' ', 1);
        eleves.append(r);
    }
    TrierListeEleves(eleves);
    QStringList lus;
    for (const StudentRecord &r : eleves)
        lus << EntreeEleve(r.Nom, r.Prenom);
    QCOMPARE(lus, apres);
}

QTEST_APPLESS_MAIN(TstImportEleves)
#include "tst_importeleves.moc"
