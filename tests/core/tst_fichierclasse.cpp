// The six-byte real, the 1578-byte student record, loading and saving a class.
#include "tests/common/classeessai.h"

#include <QRandomGenerator>
#include <QUrl>

#include <cmath>

using namespace Essai;
using namespace Qt::StringLiterals;

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

    DossierEssai m_xdg; // recent documents go here, not to the user's list
    std::unique_ptr<ClasseEssai> m_classe;
    QString chemin(const QString &nom) const { return m_classe->chemin(nom); }

private slots:
    void initTestCase() { qputenv("XDG_DATA_HOME", m_xdg.path().toUtf8()); }
    void init() { m_classe = std::make_unique<ClasseEssai>(); }

    void real48Conversions()
    {
        const QList<QPair<double, QByteArray>> exemples{{-1, "810000000080"},   {0, "000000000000"},
                                                        {8, "840000000000"},    {10, "840000000020"},
                                                        {12.5, "840000000048"}, {20, "850000000020"}};
        for (const auto &[valeur, hexa] : exemples) {
            uchar o[6];
            DoubleVersReal48(valeur, o);
            QCOMPARE(octets6(o), QByteArray::fromHex(hexa));
            EGAL_EXACT(Real48VersDouble(o), valeur);
        }
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
        StudentRecord e = ClasseEssai::Eleve(u"DURAND"_s, u"Héloïse"_s, {{1, 2, 3, 12.5}, {2, 3, 16, 20}});
        e.Appreciations[2][4] = u"Très bien"_s;
        e.Lien = 0x01020304;
        QByteArray b = CoderEleve(e);
        QCOMPARE(b.size(), 1578);
        QCOMPARE(b.mid(0, 7),
                 "\x06"
                 "DURAND"_ba);
        QCOMPARE(b.mid(13, 8), "\x07H\xE9lo\xEFse"_ba);
        QCOMPARE(b.mid(26, 6).toHex(), "810000000080"); // a new student has no mark
        QCOMPARE(b.mid(26 + 96 + 12, 6).toHex(), "840000000048");
        QCOMPARE(b.mid(314 + 192 + 90, 6).toHex(), "850000000020");
        QCOMPARE(b.mid(602 + 324 + 243, 10), "\x09Tr\xE8s bien"_ba);
        QCOMPARE(b.mid(1574, 4), "\x04\x03\x02\x01"_ba);

        // Overlong texts are cut to their capacity, a length byte beyond it
        // is never read past; outside 0..20 is no mark, written back as a
        // plain -1, and 0 is a mark.
        e.Nom = u"ABCDEFGHIJKLMNOP"_s;
        e.Appreciations[1][1] = QString(100, u'x');
        b = CoderEleve(e);
        QCOMPARE(uchar(b[0]), uchar(12));
        QCOMPARE(uchar(b[602]), uchar(80));
        b[0] = char(200);
        b[602 + 81 * 11] = char(255);
        uchar *o = reinterpret_cast<uchar *>(b.data());
        DoubleVersReal48(20.5, o + 26);
        DoubleVersReal48(-2, o + 32);
        DoubleVersReal48(0, o + 38);
        const StudentRecord d = DecoderEleve(b);
        QCOMPARE(d.Nom, u"ABCDEFGHIJKL"_s);
        QCOMPARE(d.Prenom, e.Prenom);
        QCOMPARE(d.Appreciations[3][4].size(), 80);
        EGAL_EXACT(d.NotesMat1[1][1], NO_MARK);
        EGAL_EXACT(d.NotesMat1[1][2], NO_MARK);
        EGAL_EXACT(d.NotesMat1[1][3], 0.0);
        EGAL_EXACT(d.NotesMat2[3][16], 20.0);
        QCOMPARE(CoderEleve(d).mid(26, 6).toHex(), "810000000080");
    }

    // Every byte survives, also those after the texts and in the link.
    void allerRetourOctetParOctet()
    {
        QRandomGenerator g(42);
        QByteArray fichier;
        for (int i = 0; i < 40; ++i)
            fichier += enregistrementAleatoire(g);
        ecrire(chemin(u"ALEA.VTC"_s), fichier);
        QVERIFY(charger(u"ALEA.VTC"_s).ok);
        QCOMPARE(NbEleves(), 40);
        QCOMPARE(EcrireClasse().etat, EtatEcriture::Ecrit);
        QCOMPARE(lire(chemin(u"ALEA.VTC"_s)), fichier);

        // An edited name and mark: the new values, every other byte unchanged.
        ListeEleves[3].Nom = u"AB"_s;
        ListeEleves[3].NotesMat1[1][1] = 13.5;
        QCOMPARE(EcrireClasse().etat, EtatEcriture::Ecrit);
        const QByteArray apres = lire(chemin(u"ALEA.VTC"_s));
        const int debut = 3 * 1578;
        QCOMPARE(apres.mid(debut, 3),
                 "\x02"
                 "AB"_ba);
        QCOMPARE(apres.mid(debut + 26, 6).toHex(), "840000000058");
        QCOMPARE(apres.left(debut), fichier.left(debut));
        QCOMPARE(apres.mid(debut + 3, 23), fichier.mid(debut + 3, 23));
        QCOMPARE(apres.mid(debut + 32), fichier.mid(debut + 32));
    }

    void viderLesNotesDeLaCopie()
    {
        QList<StudentRecord> eleves{ClasseEssai::Eleve(u"ÉLÈVE"_s, {}),
                                    ClasseEssai::Eleve({}, {}, {{2, 2, 8, 7.25}})};
        eleves[1].Appreciations[3][4] = u"Année réussie."_s;
        QCOMPARE(EcrireEleves(chemin(u"V.VTC"_s), eleves, true).etat, EtatEcriture::Ecrit);
        QList<StudentRecord> relus;
        QVERIFY(LireEleves(chemin(u"V.VTC"_s), relus).ok);
        QCOMPARE(relus[0].Nom, u"ÉLÈVE"_s);
        EGAL_EXACT(relus[1].NotesMat2[2][8], NO_MARK);
        QVERIFY(relus[1].Appreciations[3][4].isEmpty());
        EGAL_EXACT(eleves[1].NotesMat2[2][8], 7.25);
    }

    // A failed load leaves no class; the settings are read before the marks.
    void echecsDeChargement()
    {
        const QString fin = u"Lecture au-delà de la fin de fichier"_s;
        const QList<QPair<int, QString>> tailles{
            {3 * 1578 + 100, fin},
            {1577, fin},
            {128 * 1578, u"Ce fichier contient 128 élèves : une classe en compte au plus 127."_s}};
        for (const auto &[taille, message] : tailles) {
            ecrire(chemin(u"BON.VTC"_s), QByteArray(2 * 1578, '\0'));
            QVERIFY(charger(u"BON.VTC"_s).ok);
            ecrire(chemin(u"MAUVAIS.VTC"_s), QByteArray(taille, '\0'));
            const ResultatChargement r = charger(u"MAUVAIS.VTC"_s);
            QVERIFY(!r.ok);
            QCOMPARE(r.message, message);
            QCOMPARE(NbEleves(), 0);
        }
        ecrire(chemin(u"ABSENT.INI"_s), "[Options]\r\nMat1=Fran\r\n");
        QCOMPARE(charger(u"ABSENT.VTC"_s).message, u"Fichier introuvable"_s);
        QCOMPARE(LibelleMat1, u"Fran"_s);
        QVERIFY(QDir(m_classe->path()).mkdir(u"DOSSIER.VTC"_s));
        QCOMPARE(charger(u"DOSSIER.VTC"_s).message, u"Accès au fichier refusé"_s);
    }

    // A save that would give an unreadable or empty file is refused, the file kept.
    void ecrituresRefusees()
    {
        ecrire(chemin(u"PLEINE.VTC"_s), QByteArray(127 * 1578, '\0'));
        QVERIFY(charger(u"PLEINE.VTC"_s).ok);
        QVERIFY(!PeutAjouterEleve());
        QVERIFY(MessageClassePleine().contains(u"127"_s));
        ListeEleves.append(StudentRecord());
        QCOMPARE(EcrireClasse().etat, EtatEcriture::Echec); // it could not be read back
        QCOMPARE(QFileInfo(chemin(u"PLEINE.VTC"_s)).size(), 127 * 1578);

        ecrire(chemin(u"VIDE.VTC"_s), QByteArray());
        QVERIFY(charger(u"VIDE.VTC"_s).ok);
        ResultatEcriture r = EcrireClasse();
        QCOMPARE(r.etat, EtatEcriture::Vide);
        QCOMPARE(r.message, u"Fichier vide !"_s);
        QCOMPARE(lire(chemin(u"VIDE.VTC"_s)), QByteArray());

        ecrire(chemin(u"GARDE.VTC"_s), QByteArray(1578, '\0'));
        QVERIFY(charger(u"GARDE.VTC"_s).ok);
        DefinirDossierProgramme(chemin(u"inexistant"_s));
        r = EcrireClasse();
        QCOMPARE(r.etat, EtatEcriture::Echec);
        QCOMPARE(r.message, u"Fichier introuvable"_s);
    }

    void nomsCasseEtRecents()
    {
        ecrire(chemin(u"3eme1.vtc"_s), QByteArray(1578, '\0'));
        ecrire(chemin(u"3eme1.ini"_s), "[Options]\r\nNombre de mati\xE8res=2\r\n");
        // Only the file name of an argument counts, in any letter case.
        QVERIFY(charger(u"C:\\Autre\\3EME1.VTC"_s).ok);
        QCOMPARE(NomFichier, u"3eme1.vtc"_s);
        QCOMPARE(NomClasse, u"3eme1"_s);
        QVERIFY(!UneMatiere);
        QCOMPARE(NomDepuisArgument(u"/tmp/x/4A.VTC"_s), u"4A.VTC"_s);
        QCOMPARE(NomDepuisArgument(u"D:4A.VTC"_s), u"4A.VTC"_s);
        // Recorded by the file's real path, in the program folder.
        QVERIFY(lire(m_xdg.chemin(u"recently-used.xbel"_s))
                    .contains(QUrl::fromLocalFile(chemin(u"3eme1.vtc"_s)).toEncoded()));
    }
};

QTEST_GUILESS_MAIN(TstFichierClasse)
#include "tst_fichierclasse.moc"
