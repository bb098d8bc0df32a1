// The six-byte real, the 1578-byte student record, loading and saving a class.
#include "classe.h"
#include "dossier.h"
#include "eleve.h"
#include "options.h"
#include "real48.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

// QCOMPARE on doubles forgives the last digits; the six-byte format is about them.
#define EGAL_EXACT(a, b)                                                                           \
    do {                                                                                           \
        const double gauche_ = (a), droite_ = (b);                                                  \
        if (!(gauche_ == droite_))                                                                  \
            QFAIL(qPrintable(QString::number(gauche_, 'g', 20) + QStringLiteral(" au lieu de ")      \
                             + QString::number(droite_, 'g', 20)));                                \
    } while (false)

namespace {

QByteArray octets6(const uchar o[6])
{
    return QByteArray(reinterpret_cast<const char *>(o), 6);
}

QByteArray lire(const QString &chemin)
{
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void ecrire(const QString &chemin, const QByteArray &contenu)
{
    QFile f(chemin);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(contenu), contenu.size());
}

// A record whose every byte is random, but whose marks are valid marks, so
// that nothing in it is normalised on reading.
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
            o[0] = uchar(g.bounded(0x7D, 0x85)); // up to 2^3 times 1.x
            o[5] &= 0x7F;                       // positive
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
    void init()
    {
        DefinirDossierProgramme(m_dossier.path());
        ViderClasse();
        OptionsParDefaut();
    }
    void initTestCase() { qputenv("XDG_DATA_HOME", m_xdg.path().toUtf8()); }
    void cleanupTestCase() { DefinirDossierProgramme(QString()); }

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
        QCOMPARE(Real48VersDouble(reinterpret_cast<const uchar *>(octets.constData())), valeur);
    }

    void real48Cas()
    {
        // Exponent 0 is zero whatever the other bytes hold.
        const uchar zero[6] = {0, 0xFF, 0x12, 0x34, 0x56, 0xFF};
        QCOMPARE(Real48VersDouble(zero), 0.0);
        // Every six-byte value survives the double and back.
        QRandomGenerator g(1578);
        for (int i = 0; i < 10000; ++i) {
            uchar o[6], r[6];
            for (uchar &c : o)
                c = uchar(g.bounded(256));
            if (o[0] == 0)
                o[0] = 1;
            DoubleVersReal48(Real48VersDouble(o), r);
            QCOMPARE(octets6(r), octets6(o));
        }
        // Nearest value, ties to even: the format keeps 39 fraction bits.
        EGAL_EXACT(ArrondiReal48(1 + std::ldexp(1.0, -40)), 1.0);
        EGAL_EXACT(ArrondiReal48(1 + 3 * std::ldexp(1.0, -40)), 1 + std::ldexp(1.0, -38));
        EGAL_EXACT(ArrondiReal48(1 + std::ldexp(1.0, -39)), 1 + std::ldexp(1.0, -39));
        QVERIFY(qAbs(ArrondiReal48(0.1) - 0.1) < std::ldexp(1.0, -43));
        QVERIFY(ArrondiReal48(0.1) != 0.1);
        // Rounding up across a power of two.
        EGAL_EXACT(ArrondiReal48(2 - std::ldexp(1.0, -45)), 2.0);
        // Nothing sensible to store: no mark.
        EGAL_EXACT(ArrondiReal48(std::nan("")), NO_MARK);
        // Any double, against a plain reference: nearest, ties to even.
        for (int i = 0; i < 20000; ++i) {
            const double x = std::ldexp(g.generateDouble() * 2 - 1, int(g.bounded(-120, 120)));
            int e;
            const double m = std::frexp(x, &e);
            EGAL_EXACT(ArrondiReal48(x), std::ldexp(std::nearbyint(std::ldexp(m, 40)), e - 40));
        }
    }

    // Sums and quotients rounded once from the exact result, checked against
    // 64-bit-mantissa arithmetic, which holds these sums exactly.
    void sommesAuFormatDesNotes()
    {
        auto reference = [](long double x) {
            int e;
            const long double m = std::frexp(x, &e);
            return std::ldexp(std::nearbyint(std::ldexp(m, 40)), e - 40);
        };
        QRandomGenerator g(2024);
        for (int serie = 0; serie < 3000; ++serie) {
            SommeReal48 somme;
            long double attendu = 0;
            const int n = 1 + int(g.bounded(96));
            for (int i = 0; i < n; ++i) {
                const double note = ArrondiReal48(1 + g.generateDouble() * 19);
                const int coef = int(g.bounded(10));
                somme.ajouter(note * coef);
                attendu = reference(attendu + (long double)note * coef);
                EGAL_EXACT(somme.valeur(), double(attendu));
            }
            const int poids = 1 + int(g.bounded(200));
            EGAL_EXACT(somme.diviseePar(poids), double(reference(attendu / poids)));
        }

        // A double sum lying exactly halfway between two six-byte values:
        // what rounding to a double left out decides.
        const double p14 = 16384;
        SommeReal48 dessus;
        dessus.ajouter(p14);
        dessus.ajouter(std::ldexp(1.0, -26) + std::ldexp(1.0, -39));
        EGAL_EXACT(dessus.valeur(), p14 + std::ldexp(1.0, -25));
        SommeReal48 dessous;
        dessous.ajouter(p14 + std::ldexp(1.0, -25));
        dessous.ajouter(std::ldexp(1.0, -26) - std::ldexp(1.0, -39));
        EGAL_EXACT(dessous.valeur(), p14 + std::ldexp(1.0, -25));
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
        QCOMPARE(b.mid(0, 7), QByteArray("\x06" "DURAND"));
        QCOMPARE(b.mid(13, 8), QByteArray("\x07H\xE9lo\xEFse"));
        QCOMPARE(b.mid(26 + 96 + 12, 6), QByteArray::fromHex("840000000048"));
        QCOMPARE(b.mid(314 + 192 + 90, 6), QByteArray::fromHex("850000000020"));
        QCOMPARE(b.mid(26, 6), QByteArray::fromHex("810000000080")); // a new student has no mark
        QCOMPARE(b.mid(602 + 324 + 243, 10), QByteArray("\x09Tr\xE8s bien"));
        QCOMPARE(b.mid(1574, 4), QByteArray("\x04\x03\x02\x01"));

        const StudentRecord d = DecoderEleve(b);
        QCOMPARE(d.Nom, e.Nom);
        QCOMPARE(d.Prenom, e.Prenom);
        QCOMPARE(d.NotesMat1[2][3], 12.5);
        QCOMPARE(d.NotesMat2[3][16], 20.0);
        QCOMPARE(d.NotesMat1[1][1], NO_MARK);
        QCOMPARE(d.Appreciations[2][4], e.Appreciations[2][4]);
        QCOMPARE(d.Lien, e.Lien);
    }

    void textesCoupes()
    {
        StudentRecord e;
        e.Nom = QStringLiteral("ABCDEFGHIJKLMNOP");
        e.Appreciations[1][1] = QString(100, QLatin1Char('x'));
        QByteArray b = CoderEleve(e);
        QCOMPARE(uchar(b[0]), uchar(12));
        QCOMPARE(uchar(b[602]), uchar(80));
        // A length byte beyond the capacity is cut, never read past.
        b[0] = char(200);
        b[602 + 81 * 11] = char(255);
        const StudentRecord d = DecoderEleve(b);
        QCOMPARE(d.Nom, QStringLiteral("ABCDEFGHIJKL"));
        QCOMPARE(d.Appreciations[3][4].size(), 80);
    }

    void hors20SansNote()
    {
        StudentRecord e;
        QByteArray b = CoderEleve(e);
        uchar *o = reinterpret_cast<uchar *>(b.data());
        DoubleVersReal48(20.5, o + 26);
        DoubleVersReal48(-2, o + 32);
        DoubleVersReal48(0, o + 38);
        DoubleVersReal48(20, o + 44);
        StudentRecord d = DecoderEleve(b);
        QCOMPARE(d.NotesMat1[1][1], NO_MARK);
        QCOMPARE(d.NotesMat1[1][2], NO_MARK);
        QCOMPARE(d.NotesMat1[1][3], 0.0);
        QCOMPARE(d.NotesMat1[1][4], 20.0);
        // Written back as a plain no mark.
        QCOMPARE(CoderEleve(d).mid(26, 6), QByteArray::fromHex("810000000080"));
    }

    // Every byte survives, also those after the texts and in the link.
    void allerRetourOctetParOctet()
    {
        QRandomGenerator g(42);
        QByteArray fichier;
        for (int i = 0; i < 40; ++i)
            fichier += enregistrementAleatoire(g);
        ecrire(chemin(QStringLiteral("ALEA.VTC")), fichier);
        QVERIFY(charger(QStringLiteral("ALEA.VTC")).ok);
        QCOMPARE(NbEleves(), 40);
        QCOMPARE(EcrireClasse().etat, EtatEcriture::Ecrit);
        QCOMPARE(lire(chemin(QStringLiteral("ALEA.VTC"))), fichier);

        // Edited texts and marks: the new values, the rest unchanged.
        ListeEleves[3].Nom = QStringLiteral("AB");
        ListeEleves[3].NotesMat1[1][1] = 13.5;
        QCOMPARE(EcrireClasse().etat, EtatEcriture::Ecrit);
        QList<StudentRecord> relus;
        QVERIFY(LireEleves(chemin(QStringLiteral("ALEA.VTC")), relus).ok);
        QCOMPARE(relus[3].Nom, QStringLiteral("AB"));
        QCOMPARE(relus[3].NotesMat1[1][1], 13.5);
        const QByteArray apres = lire(chemin(QStringLiteral("ALEA.VTC")));
        const int debut = 3 * 1578;
        QCOMPARE(apres.left(debut), fichier.left(debut));
        QCOMPARE(apres.mid(debut + 3, 23), fichier.mid(debut + 3, 23));
        QCOMPARE(apres.mid(debut + 32), fichier.mid(debut + 32));
    }

    void nouveauxEleves()
    {
        QList<StudentRecord> eleves(3);
        eleves[0].Nom = QStringLiteral("ÉLÈVE");
        eleves[1].NotesMat2[2][8] = 7.25;
        eleves[2].Appreciations[3][4] = QStringLiteral("Année réussie.");
        QCOMPARE(EcrireEleves(chemin(QStringLiteral("N.VTC")), eleves).etat, EtatEcriture::Ecrit);
        QList<StudentRecord> relus;
        QVERIFY(LireEleves(chemin(QStringLiteral("N.VTC")), relus).ok);
        QCOMPARE(relus.size(), 3);
        QCOMPARE(relus[0].Nom, QStringLiteral("ÉLÈVE"));
        QCOMPARE(relus[1].NotesMat2[2][8], 7.25);
        QCOMPARE(relus[2].Appreciations[3][4], QStringLiteral("Année réussie."));

        // Clearing marks and appreciations in the copy written only.
        QCOMPARE(EcrireEleves(chemin(QStringLiteral("V.VTC")), eleves, true).etat, EtatEcriture::Ecrit);
        QVERIFY(LireEleves(chemin(QStringLiteral("V.VTC")), relus).ok);
        QCOMPARE(relus[1].NotesMat2[2][8], NO_MARK);
        QVERIFY(relus[2].Appreciations[3][4].isEmpty());
        QCOMPARE(relus[0].Nom, QStringLiteral("ÉLÈVE"));
        QCOMPARE(eleves[1].NotesMat2[2][8], 7.25);
    }

    void echecsDeChargement_data()
    {
        QTest::addColumn<int>("taille");
        QTest::addColumn<QString>("message");
        QTest::newRow("partiel") << 3 * 1578 + 100 << QStringLiteral("Lecture au-delà de la fin de fichier");
        QTest::newRow("moins d'un") << 1577 << QStringLiteral("Lecture au-delà de la fin de fichier");
        QTest::newRow("128 eleves") << 128 * 1578
                                    << QStringLiteral("Ce fichier contient 128 élèves : une classe en compte au plus 127.");
    }
    void echecsDeChargement()
    {
        QFETCH(int, taille);
        QFETCH(QString, message);
        ecrire(chemin(QStringLiteral("BON.VTC")), QByteArray(2 * 1578, '\0'));
        QVERIFY(charger(QStringLiteral("BON.VTC")).ok);
        QCOMPARE(NbEleves(), 2);

        ecrire(chemin(QStringLiteral("MAUVAIS.VTC")), QByteArray(taille, '\0'));
        const ResultatChargement r = charger(QStringLiteral("MAUVAIS.VTC"));
        QVERIFY(!r.ok);
        QCOMPARE(r.message, message);
        QCOMPARE(NbEleves(), 0);
    }

    void maximum127()
    {
        ecrire(chemin(QStringLiteral("PLEINE.VTC")), QByteArray(127 * 1578, '\0'));
        QVERIFY(charger(QStringLiteral("PLEINE.VTC")).ok);
        QCOMPARE(NbEleves(), 127);
        QVERIFY(!PeutAjouterEleve());
        QVERIFY(MessageClassePleine().contains(QLatin1String("127")));
        ListeEleves.append(StudentRecord());
        const ResultatEcriture r = EcrireClasse();
        QCOMPARE(r.etat, EtatEcriture::Echec);
        QCOMPARE(lire(chemin(QStringLiteral("PLEINE.VTC"))).size(), 127 * 1578);
        ListeEleves.removeLast();
        ListeEleves.removeLast();
        QVERIFY(PeutAjouterEleve());
    }

    void fichierAbsentEtReglagesLusAvant()
    {
        ecrire(chemin(QStringLiteral("ABSENT.INI")), "[Options]\r\nMat1=Fran\r\n");
        const ResultatChargement r = charger(QStringLiteral("ABSENT.VTC"));
        QVERIFY(!r.ok);
        QCOMPARE(r.message, QStringLiteral("Fichier introuvable"));
        QCOMPARE(LibelleMat1, QStringLiteral("Fran"));
        QCOMPARE(NomClasse, QStringLiteral("ABSENT"));
        QCOMPARE(NbEleves(), 0);

        QVERIFY(QDir(m_dossier.path()).mkdir(QStringLiteral("DOSSIER.VTC")));
        QCOMPARE(charger(QStringLiteral("DOSSIER.VTC")).message, QStringLiteral("Accès au fichier refusé"));
    }

    void nomsEtCasse()
    {
        ecrire(chemin(QStringLiteral("3eme1.vtc")), QByteArray(1578, '\0'));
        ecrire(chemin(QStringLiteral("3eme1.ini")), "[Options]\r\nNombre de mati\xE8res=2\r\n");
        // Only the file name of an argument counts, in any letter case.
        QVERIFY(charger(QStringLiteral("C:\\Autre\\3EME1.VTC")).ok);
        QCOMPARE(NomFichier, QStringLiteral("3eme1.vtc"));
        QCOMPARE(NomClasse, QStringLiteral("3eme1"));
        QVERIFY(!UneMatiere);
        QCOMPARE(NomDepuisArgument(QStringLiteral("/tmp/x/4A.VTC")), QStringLiteral("4A.VTC"));
        QCOMPARE(NomDepuisArgument(QStringLiteral("D:4A.VTC")), QStringLiteral("4A.VTC"));
        QCOMPARE(NomDepuisArgument(QStringLiteral("4A.VTC")), QStringLiteral("4A.VTC"));
    }

    void classeVide()
    {
        ecrire(chemin(QStringLiteral("VIDE.VTC")), QByteArray());
        QVERIFY(charger(QStringLiteral("VIDE.VTC")).ok);
        QCOMPARE(NbEleves(), 0);
        const ResultatEcriture r = EcrireClasse();
        QCOMPARE(r.etat, EtatEcriture::Vide);
        QCOMPARE(r.message, QStringLiteral("Fichier vide !"));
        QVERIFY(QFile::exists(chemin(QStringLiteral("VIDE.VTC"))));
        QCOMPARE(QFileInfo(chemin(QStringLiteral("VIDE.VTC"))).size(), 0);
    }

    void echecDEcritureGardeLAncien()
    {
        ecrire(chemin(QStringLiteral("GARDE.VTC")), QByteArray(1578, '\0'));
        QVERIFY(charger(QStringLiteral("GARDE.VTC")).ok);
        // The folder is gone: nothing can be written, and it is said.
        DefinirDossierProgramme(chemin(QStringLiteral("inexistant")));
        const ResultatEcriture r = EcrireClasse();
        QCOMPARE(r.etat, EtatEcriture::Echec);
        QCOMPARE(r.message, QStringLiteral("Fichier introuvable"));
        DefinirDossierProgramme(m_dossier.path());
        QCOMPARE(lire(chemin(QStringLiteral("GARDE.VTC"))), QByteArray(1578, '\0'));
    }

    void documentRecentAuChargement()
    {
        ecrire(chemin(QStringLiteral("RECENT.VTC")), QByteArray());
        QVERIFY(charger(QStringLiteral("RECENT.VTC")).ok);
        QVERIFY(lire(m_xdg.filePath(QStringLiteral("recently-used.xbel"))).contains("/RECENT.VTC"));
    }
};

QTEST_GUILESS_MAIN(TstFichierClasse)
#include "tst_fichierclasse.moc"
