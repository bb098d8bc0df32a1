// The six-byte real, the 1578-byte student record, loading and saving a class.
#include "classdata/classe.h"
#include "classdata/options.h"
#include "classdata/real48.h"
#include "platform/dossier.h"
#include "tests/core/outils.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QUrl>

#include <cmath>

namespace {

QByteArray octets6(const uchar o[6])
{
    return QByteArray(reinterpret_cast<const char *>(o), 6);
}

// Nearest six-byte value, ties to even, computed the plain way.
long double reference(long double x)
{
    int e;
    const long double m = std::frexp(x, &e);
    return std::ldexp(std::nearbyint(std::ldexp(m, 40)), e - 40);
}

// Random bytes everywhere, but valid lengths and marks, so that nothing in the
// record is normalised on reading.
QByteArray enregistrementAleatoire(QRandomGenerator &g)
{
    QByteArray r(TAILLE_ENREGISTREMENT, '\0');
    for (char &c : r)
        c = char(g.bounded(256));
    r[0] = char(g.bounded(CAPACITE_NOM + 1));
    r[13] = char(g.bounded(CAPACITE_NOM + 1));
    for (int i = 0; i < 96; ++i) {
        uchar *o = reinterpret_cast<uchar *>(r.data()) + 26 + 6 * i;
        if (g.bounded(4) == 0) {
            DoubleVersReal48(NO_MARK, o);
        } else {
            o[0] = uchar(g.bounded(0x7D, 0x85)); // below 16
            o[5] &= 0x7F;                        // positive
        }
    }
    for (int i = 0; i < 12; ++i)
        r[602 + 81 * i] = char(g.bounded(CAPACITE_APPRECIATION + 1));
    return r;
}

} // namespace

class TstFichierClasse : public QObject {
    Q_OBJECT

    QTemporaryDir m_dossier;
    QTemporaryDir m_xdg; // recent documents go here, not to the user's list
    QString chemin(const QString &nom) const { return m_dossier.filePath(nom); }

private slots:
    void initTestCase() { qputenv("XDG_DATA_HOME", m_xdg.path().toUtf8()); }
    void init()
    {
        DefinirDossierProgramme(m_dossier.path());
        ViderClasse();
        OptionsParDefaut();
    }

    void real48Exemples_data()
    {
        QTest::addColumn<double>("valeur");
        QTest::addColumn<QByteArray>("octets");
        QTest::newRow("-1") << -1.0 << QByteArray::fromHex("810000000080");
        QTest::newRow("0") << 0.0 << QByteArray::fromHex("000000000000");
        QTest::newRow("8") << 8.0 << QByteArray::fromHex("840000000000");
        QTest::newRow("10") << 10.0 << QByteArray::fromHex("840000000020");
        QTest::newRow("12.5") << 12.5 << QByteArray::fromHex("840000000048");
        QTest::newRow("20") << 20.0 << QByteArray::fromHex("850000000020");
    }
    void real48Exemples()
    {
        QFETCH(double, valeur);
        QFETCH(QByteArray, octets);
        uchar o[6];
        DoubleVersReal48(valeur, o);
        QCOMPARE(octets6(o), octets);
        EGAL_EXACT(Real48VersDouble(reinterpret_cast<const uchar *>(octets.constData())), valeur);
    }

    void real48Conversions()
    {
        const uchar zero[6] = {0, 0xFF, 0x12, 0x34, 0x56, 0xFF}; // exponent 0: zero
        EGAL_EXACT(Real48VersDouble(zero), 0.0);
        QRandomGenerator g(1578);
        for (int i = 0; i < 10000; ++i) { // every six-byte value survives a double
            uchar o[6], r[6];
            for (uchar &c : o)
                c = uchar(g.bounded(256));
            o[0] = qMax(o[0], uchar(1));
            DoubleVersReal48(Real48VersDouble(o), r);
            QCOMPARE(octets6(r), octets6(o));
        }
        for (int i = 0; i < 10000; ++i) { // any double to the nearest value
            const double x = std::ldexp(g.generateDouble() * 2 - 1, int(g.bounded(-120, 120)));
            EGAL_EXACT(ArrondiReal48(x), double(reference(x)));
        }
        EGAL_EXACT(ArrondiReal48(1 + std::ldexp(1.0, -40)), 1.0); // ties to even
        EGAL_EXACT(ArrondiReal48(1 + 3 * std::ldexp(1.0, -40)), 1 + std::ldexp(1.0, -38));
        EGAL_EXACT(ArrondiReal48(2 - std::ldexp(1.0, -45)), 2.0);
        EGAL_EXACT(ArrondiReal48(std::nan("")), NO_MARK);
    }

    // Each addition rounded once from the exact result: checked against
    // 64-bit-mantissa arithmetic, which holds these sums exactly.
    void sommesAuFormatDesNotes()
    {
        QRandomGenerator g(2024);
        for (int serie = 0; serie < 3000; ++serie) {
            SommeReal48 somme;
            long double attendu = 0;
            for (int i = 1 + int(g.bounded(96)); i > 0; --i) {
                const double note = ArrondiReal48(1 + g.generateDouble() * 19);
                const int coef = int(g.bounded(10));
                somme.ajouter(note * coef);
                attendu = reference(attendu + (long double)note * coef);
                EGAL_EXACT(somme.valeur(), double(attendu));
            }
            const int poids = 1 + int(g.bounded(200));
            EGAL_EXACT(somme.diviseePar(poids), double(reference(attendu / poids)));
        }
        // A double sum exactly halfway between two six-byte values: what
        // rounding to a double left out decides.
        SommeReal48 dessus, dessous;
        dessus.ajouter(16384);
        dessus.ajouter(std::ldexp(1.0, -26) + std::ldexp(1.0, -39));
        EGAL_EXACT(dessus.valeur(), 16384 + std::ldexp(1.0, -25));
        dessous.ajouter(16384 + std::ldexp(1.0, -25));
        dessous.ajouter(std::ldexp(1.0, -26) - std::ldexp(1.0, -39));
        EGAL_EXACT(dessous.valeur(), 16384 + std::ldexp(1.0, -25));
    }

    void disposition()
    {
        StudentRecord e;
        e.Nom = QStringLiteral("DURAND");
        e.Prenom = QStringLiteral("Héloïse");
        e.NotesMat1[2][3] = 12.5;
        e.NotesMat2[3][16] = 20;
        e.Appreciations[2][4] = QStringLiteral("Très bien");
        e.Lien = 0x01020304;
        const QByteArray b = CoderEleve(e);
        QCOMPARE(b.size(), 1578);
        QCOMPARE(b.mid(0, 7),
                 QByteArray("\x06"
                            "DURAND"));
        QCOMPARE(b.mid(13, 8), QByteArray("\x07H\xE9lo\xEFse"));
        QCOMPARE(b.mid(26, 6), QByteArray::fromHex("810000000080")); // a new student has no mark
        QCOMPARE(b.mid(26 + 96 + 12, 6), QByteArray::fromHex("840000000048"));
        QCOMPARE(b.mid(314 + 192 + 90, 6), QByteArray::fromHex("850000000020"));
        QCOMPARE(b.mid(602 + 324 + 243, 10), QByteArray("\x09Tr\xE8s bien"));
        QCOMPARE(b.mid(1574, 4), QByteArray("\x04\x03\x02\x01"));
        const StudentRecord d = DecoderEleve(b);
        QCOMPARE(d.Prenom, e.Prenom);
        EGAL_EXACT(d.NotesMat2[3][16], 20.0);
        QCOMPARE(d.Appreciations[2][4], e.Appreciations[2][4]);
    }

    void valeursAbimees()
    {
        StudentRecord e;
        e.Nom = QStringLiteral("ABCDEFGHIJKLMNOP");
        e.Appreciations[1][1] = QString(100, QLatin1Char('x'));
        QByteArray b = CoderEleve(e);
        QCOMPARE(uchar(b[0]), uchar(12)); // cut to the capacity
        QCOMPARE(uchar(b[602]), uchar(80));
        // A length byte beyond the capacity is cut, never read past.
        b[0] = char(200);
        b[602 + 81 * 11] = char(255);
        uchar *o = reinterpret_cast<uchar *>(b.data());
        DoubleVersReal48(20.5, o + 26);
        DoubleVersReal48(-2, o + 32);
        DoubleVersReal48(0, o + 38);
        const StudentRecord d = DecoderEleve(b);
        QCOMPARE(d.Nom, QStringLiteral("ABCDEFGHIJKL"));
        QCOMPARE(d.Appreciations[3][4].size(), 80);
        // Outside 0..20 is no mark, written back as a plain -1; 0 is a mark.
        EGAL_EXACT(d.NotesMat1[1][1], NO_MARK);
        EGAL_EXACT(d.NotesMat1[1][2], NO_MARK);
        EGAL_EXACT(d.NotesMat1[1][3], 0.0);
        QCOMPARE(CoderEleve(d).mid(26, 6), QByteArray::fromHex("810000000080"));
    }

    // Every byte survives, also those after the texts and in the link.
    void allerRetourOctetParOctet()
    {
        QRandomGenerator g(42);
        QByteArray fichier;
        for (int i = 0; i < 40; ++i)
            fichier += enregistrementAleatoire(g);
        ecrireFichier(chemin(QStringLiteral("ALEA.VTC")), fichier);
        QVERIFY(charger(QStringLiteral("ALEA.VTC")).ok);
        QCOMPARE(NbEleves(), 40);
        QCOMPARE(EcrireClasse().etat, EtatEcriture::Ecrit);
        QCOMPARE(lireFichier(chemin(QStringLiteral("ALEA.VTC"))), fichier);

        // An edited name and mark: the new values, every other byte unchanged.
        ListeEleves[3].Nom = QStringLiteral("AB");
        ListeEleves[3].NotesMat1[1][1] = 13.5;
        QCOMPARE(EcrireClasse().etat, EtatEcriture::Ecrit);
        const QByteArray apres = lireFichier(chemin(QStringLiteral("ALEA.VTC")));
        const int debut = 3 * 1578;
        QCOMPARE(apres.mid(debut, 3),
                 QByteArray("\x02"
                            "AB"));
        QCOMPARE(apres.mid(debut + 26, 6), QByteArray::fromHex("840000000058"));
        QCOMPARE(apres.left(debut), fichier.left(debut));
        QCOMPARE(apres.mid(debut + 3, 23), fichier.mid(debut + 3, 23));
        QCOMPARE(apres.mid(debut + 32), fichier.mid(debut + 32));
    }

    void viderLesNotesDeLaCopie()
    {
        QList<StudentRecord> eleves(2);
        eleves[0].Nom = QStringLiteral("ÉLÈVE");
        eleves[1].NotesMat2[2][8] = 7.25;
        eleves[1].Appreciations[3][4] = QStringLiteral("Année réussie.");
        QCOMPARE(EcrireEleves(chemin(QStringLiteral("V.VTC")), eleves, true).etat, EtatEcriture::Ecrit);
        QList<StudentRecord> relus;
        QVERIFY(LireEleves(chemin(QStringLiteral("V.VTC")), relus).ok);
        QCOMPARE(relus[0].Nom, QStringLiteral("ÉLÈVE"));
        EGAL_EXACT(relus[1].NotesMat2[2][8], NO_MARK);
        QVERIFY(relus[1].Appreciations[3][4].isEmpty());
        EGAL_EXACT(eleves[1].NotesMat2[2][8], 7.25);
    }

    void echecsDeChargement_data()
    {
        QTest::addColumn<int>("taille");
        QTest::addColumn<QString>("message");
        QTest::newRow("partiel") << 3 * 1578 + 100 << QStringLiteral("Lecture au-delà de la fin de fichier");
        QTest::newRow("moins d'un") << 1577 << QStringLiteral("Lecture au-delà de la fin de fichier");
        QTest::newRow("128 eleves")
            << 128 * 1578
            << QStringLiteral("Ce fichier contient 128 élèves : une classe en compte au plus 127.");
    }
    void echecsDeChargement()
    {
        QFETCH(int, taille);
        QFETCH(QString, message);
        ecrireFichier(chemin(QStringLiteral("BON.VTC")), QByteArray(2 * 1578, '\0'));
        QVERIFY(charger(QStringLiteral("BON.VTC")).ok);
        ecrireFichier(chemin(QStringLiteral("MAUVAIS.VTC")), QByteArray(taille, '\0'));
        const ResultatChargement r = charger(QStringLiteral("MAUVAIS.VTC"));
        QVERIFY(!r.ok);
        QCOMPARE(r.message, message);
        QCOMPARE(NbEleves(), 0);
    }

    void classePleine()
    {
        ecrireFichier(chemin(QStringLiteral("PLEINE.VTC")), QByteArray(127 * 1578, '\0'));
        QVERIFY(charger(QStringLiteral("PLEINE.VTC")).ok);
        QVERIFY(!PeutAjouterEleve());
        QVERIFY(MessageClassePleine().contains(QLatin1String("127")));
        ListeEleves.append(StudentRecord());
        QCOMPARE(EcrireClasse().etat, EtatEcriture::Echec); // it could not be read back
        QCOMPARE(QFileInfo(chemin(QStringLiteral("PLEINE.VTC"))).size(), 127 * 1578);
    }

    void fichierAbsentReglagesLusAvant()
    {
        ecrireFichier(chemin(QStringLiteral("ABSENT.INI")), "[Options]\r\nMat1=Fran\r\n");
        const ResultatChargement r = charger(QStringLiteral("ABSENT.VTC"));
        QCOMPARE(r.message, QStringLiteral("Fichier introuvable"));
        QCOMPARE(LibelleMat1, QStringLiteral("Fran"));
        QVERIFY(QDir(m_dossier.path()).mkdir(QStringLiteral("DOSSIER.VTC")));
        QCOMPARE(charger(QStringLiteral("DOSSIER.VTC")).message, QStringLiteral("Accès au fichier refusé"));
    }

    void nomsCasseEtRecents()
    {
        ecrireFichier(chemin(QStringLiteral("3eme1.vtc")), QByteArray(1578, '\0'));
        ecrireFichier(chemin(QStringLiteral("3eme1.ini")), "[Options]\r\nNombre de mati\xE8res=2\r\n");
        // Only the file name of an argument counts, in any letter case.
        QVERIFY(charger(QStringLiteral("C:\\Autre\\3EME1.VTC")).ok);
        QCOMPARE(NomFichier, QStringLiteral("3eme1.vtc"));
        QCOMPARE(NomClasse, QStringLiteral("3eme1"));
        QVERIFY(!UneMatiere);
        QCOMPARE(NomDepuisArgument(QStringLiteral("/tmp/x/4A.VTC")), QStringLiteral("4A.VTC"));
        QCOMPARE(NomDepuisArgument(QStringLiteral("D:4A.VTC")), QStringLiteral("4A.VTC"));
        // Recorded by the file's real path, in the program folder.
        QVERIFY(lireFichier(m_xdg.filePath(QStringLiteral("recently-used.xbel")))
                    .contains(QUrl::fromLocalFile(chemin(QStringLiteral("3eme1.vtc"))).toEncoded()));
    }

    void classeVide()
    {
        ecrireFichier(chemin(QStringLiteral("VIDE.VTC")), QByteArray());
        QVERIFY(charger(QStringLiteral("VIDE.VTC")).ok);
        QCOMPARE(NbEleves(), 0);
        const ResultatEcriture r = EcrireClasse();
        QCOMPARE(r.etat, EtatEcriture::Vide);
        QCOMPARE(r.message, QStringLiteral("Fichier vide !"));
        QCOMPARE(lireFichier(chemin(QStringLiteral("VIDE.VTC"))), QByteArray());
    }

    void echecDEcritureSignale()
    {
        ecrireFichier(chemin(QStringLiteral("GARDE.VTC")), QByteArray(1578, '\0'));
        QVERIFY(charger(QStringLiteral("GARDE.VTC")).ok);
        DefinirDossierProgramme(chemin(QStringLiteral("inexistant")));
        const ResultatEcriture r = EcrireClasse();
        QCOMPARE(r.etat, EtatEcriture::Echec);
        QCOMPARE(r.message, QStringLiteral("Fichier introuvable"));
    }
};

QTEST_GUILESS_MAIN(TstFichierClasse)
#include "tst_fichierclasse.moc"
