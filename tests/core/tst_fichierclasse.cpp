// The six-byte real, the 1578-byte student record, loading and saving a class
// and its settings; the application settings; the class lock, the fingerprint
// of a loaded class and the recovery journal.
#include "classdata/empreinte.h"
#include "classdata/journal.h"
#include "classdata/parametres.h"
#include "classdata/verrouclasse.h"
#include "tests/common/classeessai.h"

#include <QCoreApplication>
#include <QProcess>
#include <QRandomGenerator>
#include <QSysInfo>
#include <QUrl>

#include <cmath>

using namespace Essai;
using namespace Qt::StringLiterals;

namespace {

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

Journal JournalDe(const QStringList &noms)
{
    Journal j;
    j.instant = QDateTime(QDate(2026, 12, 7), QTime(10, 42, 13));
    j.nomFichier = u"3B.VTC"_s;
    j.eleves = ClasseEssai::Eleves(noms);
    return j;
}

// A lock file as another copy of the program would have left it.
void EcrireVerrou(const QString &chemin, qint64 pid, const QByteArray &machine, const QByteArray &idMachine)
{
    ecrire(chemin,
           QByteArray::number(pid) + "\nvestrel\n" + machine + '\n' + idMachine
               + "\nboot\nmdurand\n2026-12-07T08:15:00\n");
}

} // namespace

class TstFichierClasse : public QObject {
    Q_OBJECT

    DossierEssai m_xdg; // recent documents go here, not to the user's list
    std::unique_ptr<ClasseEssai> m_classe;
    QString m_3b; // the class the lock and journal tests use
    QString chemin(const QString &nom) const { return m_classe->chemin(nom); }
    QString ini() const { return chemin(u"C.INI"_s); }
    QString appli() const { return chemin(u"Vestrel.INI"_s); }
    void relire(const QByteArray &contenu)
    {
        QFile::remove(ini());
        if (!contenu.isNull())
            ecrire(ini(), contenu);
        NomClasse = u"C"_s;
        LireOptions();
        DecoderCoefDates();
    }
    // The lock file names this very process.
    bool ici() const
    {
        DetenteurVerrou d;
        return VerrouClasse::LireDetenteur(CheminVerrou(m_3b), d)
            && d.pid == QCoreApplication::applicationPid() && d.machine == QSysInfo::machineHostName();
    }

private slots:
    void initTestCase() { qputenv("XDG_DATA_HOME", m_xdg.path().toUtf8()); }
    void init()
    {
        m_classe = std::make_unique<ClasseEssai>();
        m_3b = m_classe->chemin(u"3B.VTC"_s);
    }

    void real48Conversions()
    {
        const QList<QPair<double, QByteArray>> exemples{{-1, "810000000080"},   {0, "000000000000"},
                                                        {8, "840000000000"},    {10, "840000000020"},
                                                        {12.5, "840000000048"}, {20, "850000000020"}};
        for (const auto &[valeur, hexa] : exemples) {
            uchar o[6];
            DoubleVersReal48(valeur, o);
            QCOMPARE(QByteArray(reinterpret_cast<char *>(o), 6).toHex(), hexa);
            EGAL_EXACT(Real48VersDouble(o), valeur);
        }
        const uchar zero[6] = {0, 0xFF, 0x12, 0x34, 0x56, 0xFF}; // exponent 0: zero
        EGAL_EXACT(Real48VersDouble(zero), 0.0);
        QRandomGenerator g(1578);
        for (int i = 0; i < 10000; ++i) { // every six-byte value survives a double
            uchar o[6], r[6];
            const quint64 a = g.generate64() | 1; // exponent byte not 0
            memcpy(o, &a, 6);
            DoubleVersReal48(Real48VersDouble(o), r);
            QVERIFY(memcmp(r, o, 6) == 0);
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
        QCOMPARE(b.mid(0, 7), "\6DURAND"_ba);
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
        QVERIFY(uchar(b[0]) == 12 && uchar(b[602]) == 80);
        b[0] = char(200);
        b[602 + 81 * 11] = char(255);
        uchar *o = reinterpret_cast<uchar *>(b.data());
        DoubleVersReal48(20.5, o + 26);
        DoubleVersReal48(-2, o + 32);
        DoubleVersReal48(0, o + 38);
        const StudentRecord d = DecoderEleve(b);
        QCOMPARE(d.Nom, u"ABCDEFGHIJKL"_s);
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
        QCOMPARE(EcrireClasse().etat, EtatEcriture::Ecrit);
        QCOMPARE(lire(chemin(u"ALEA.VTC"_s)), fichier);
        // An edited name and mark: the new values, every other byte unchanged.
        ListeEleves[3].Nom = u"AB"_s;
        ListeEleves[3].NotesMat1[1][1] = 13.5;
        QCOMPARE(EcrireClasse().etat, EtatEcriture::Ecrit);
        fichier.replace(3 * 1578, 3, "\2AB").replace(3 * 1578 + 26, 6, QByteArray::fromHex("840000000058"));
        QCOMPARE(lire(chemin(u"ALEA.VTC"_s)), fichier);
    }

    // A failed load leaves no class; the settings are read before the marks.
    void echecsDeChargement()
    {
        for (const auto &[taille, message] : QList<QPair<int, QString>>{
                 {1577, u"Lecture au-delà de la fin de fichier"_s},
                 {128 * 1578, u"Ce fichier contient 128 élèves : une classe en compte au plus 127."_s}}) {
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
        QVERIFY(r.etat == EtatEcriture::Vide && r.message == u"Fichier vide !"_s);
        QCOMPARE(lire(chemin(u"VIDE.VTC"_s)), QByteArray());
        ecrire(chemin(u"GARDE.VTC"_s), QByteArray(1578, '\0'));
        QVERIFY(charger(u"GARDE.VTC"_s).ok);
        DefinirDossierProgramme(chemin(u"inexistant"_s));
        r = EcrireClasse();
        QVERIFY(r.etat == EtatEcriture::Echec && r.message == u"Fichier introuvable"_s);
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
        // Recorded by the file's real path, in the program folder.
        QVERIFY(lire(m_xdg.chemin(u"recently-used.xbel"_s))
                    .contains(QUrl::fromLocalFile(chemin(u"3eme1.vtc"_s)).toEncoded()));
    }

    // Periods and subjects: {file, two periods, one subject}; what was there before is not kept.
    void nombres()
    {
        const QByteArray p = "[Options]\r\nNombre de p\xE9riodes=", m = "\r\nNombre de mati\xE8res=";
        const QList<std::tuple<QByteArray, bool, bool>> cas{{{}, false, true},
                                                            {p + "2" + m + "1", true, true},
                                                            {p + "3" + m + "2", false, false},
                                                            {p + "1" + m + "0", false, false},
                                                            {p + "deux" + m, false, true}};
        for (const auto &[fichier, deuxPeriodes, uneMatiere] : cas) {
            DeuxPeriodes = !deuxPeriodes;
            UneMatiere = !uneMatiere;
            relire(fichier);
            QVERIFY2(DeuxPeriodes == deuxPeriodes && UneMatiere == uneMatiere, fichier);
        }
    }

    void coefficientsEtDates()
    {
        relire(
            "[Options]\r\nCoefficients p\xE9riode 1=2301\r\nCoefficients p\xE9riode 2=12x4567890123456789\r\n"
            "Dates p\xE9riode 1=05/11--/--\r\nEcriture=1\r\nMat1=\r\n");
        QCOMPARE((QList<int>{CoefMat1[1][1], CoefMat1[1][2], CoefMat1[1][3], CoefMat1[1][4], CoefMat1[1][5]}),
                 (QList<int>{2, 3, 0, 1, 1})); // 1 beyond a short string
        QCOMPARE(CoefMat1[2][3], 1);           // not a digit
        QCOMPARE(CoefPeriode[2].size(), 16);   // cut to its capacity
        QCOMPARE(DateMat1[1][1] + u'|' + DateMat1[1][3] + u'|' + DateMat1[2][16], u"05/11||--/--"_s);
        QVERIFY(Gras);
        QCOMPARE(LibelleMat1, QString()); // present but empty: not the default
        // Two subjects: 9..16 go to subject 2; slots 9..16 of the tables stay.
        CoefMat1[2][12] = 7;
        relire("[Options]\r\nNombre de mati\xE8res=2\r\nCoefficients p\xE9riode 2=1234567898765432\r\n");
        for (int i = 1; i <= 8; ++i)
            QVERIFY(CoefMat1[2][i] == i && CoefMat2[2][i] == 10 - i);
        QCOMPARE(CoefMat1[2][12], 7);
        // Two periods: period 3 keeps its defaults whatever the file says.
        relire(
            "[Options]\r\nNombre de p\xE9riodes=2\r\nCoefficients p\xE9riode 3=\r\nDates p\xE9riode 3=\r\n");
        QCOMPARE(CoefPeriode[3], u"1111111111111111"_s);
        QCOMPARE(DatePeriode[3], u"--/--"_s.repeated(16));
    }

    void ecrireOptions()
    {
        CoefPeriode[1] = u"2222222222222222"_s;
        DatePeriode[2] = u"01/09"_s + u"--/--"_s.repeated(15);
        OptionsAEcrire o;
        o.nomClasse = u"C"_s;
        o.trimestre = false;
        o.mat1 = u"Fran"_s;
        o.mat2 = u"Ignoré"_s;
        o.gras = true;
        o.taille = 12;
        QCOMPARE(EcrireOptions(o), QString());
        const QByteArray d = QByteArray("--/--").repeated(16);
        QCOMPARE(
            lire(ini()),
            "[Options]\r\nNombre de p\xE9riodes=2\r\nNombre de mati\xE8res=1\r\nMat1=Fran\r\nMat2=\r\n"
            "Coefficients p\xE9riode 1=2222222222222222\r\nCoefficients p\xE9riode 2=1111111111111111\r\n"
            "Dates p\xE9riode 1="
                + d + "\r\nDates p\xE9riode 2=01/09" + d.mid(5)
                + "\r\nCoefficients p\xE9riode 3=\r\nDates p\xE9riode 3=\r\nEcriture=1\r\n"
                  "Taille de l'\351criture=12\r\n");
        // Duplicating with everything cleared; the file's other sections stay.
        ecrire(ini(), lire(ini()) + "[Perso]\r\nx=1\r\n");
        o.trimestre = true;
        o.uneMatiere = false;
        o.viderCoefDates = true;
        QCOMPARE(EcrireOptions(o), QString());
        relire(lire(ini()));
        QCOMPARE(LibelleMat2, u"Ignoré"_s);
        QCOMPARE(CoefPeriode[1], u"1111111111111111"_s);
        QCOMPARE(DatePeriode[2], QString::fromLatin1(d));
        QVERIFY(!DeuxPeriodes && !UneMatiere);
        QVERIFY(lire(ini()).endsWith("[Perso]\r\nx=1\r\n"));
    }

    void coefDates()
    {
        relire("[Options]\r\nNombre de p\xE9riodes=2\r\n");
        CoefPeriode[1] = u"9999999999999999"_s;
        QCOMPARE(EcrireCoefDates(), QString());
        CoefPeriode[1].clear();
        RelireCoefDates();
        QCOMPARE(CoefPeriode[1], u"9999999999999999"_s);
        // All three periods are written, also for two periods.
        QVERIFY(lire(ini()).contains("Coefficients p\xE9riode 3=1111111111111111\r\n"));
        const QString grille[4] = {{}, u"3"_s, u"4"_s, u"5"_s};
        QCOMPARE(EcrireCoefDatesAvec(grille), QString());
        RelireCoefDates();
        QCOMPARE(CoefPeriode[2], u"4"_s);
        QCOMPARE(CoefPeriode[3], u"1111111111111111"_s); // two periods: not read
        // A settings file that cannot be read leaves the values in memory as they are.
        QVERIFY(QFile::remove(ini()));
        QVERIFY(QFile::link(u"/dev/zero"_s, ini()));
        RelireCoefDates();
        QCOMPARE(CoefPeriode[2], u"4"_s);
        QVERIFY(!LireOptions().isEmpty());
        QVERIFY(QFile::remove(ini()));
        DefinirDossierProgramme(chemin(u"absent"_s));
        QCOMPARE(EcrireCoefDates(), u"Impossible d'écrire dans %1"_s.arg(CheminOptions(NomClasse)));
        QVERIFY(!QFileInfo::exists(chemin(u"absent"_s))); // no folder made on the way
    }

    void parametresAppli()
    {
        ParametresFenetre f = LireParametres();
        QVERIFY(f.gauche == 0 && f.haut == 0 && f.largeur == 634 && f.hauteur == 456 && !f.maxi);
        QVERIFY(LireSauvegarde().chemin.isEmpty() && LireSauvegarde().date.isEmpty());
        f = {10, 20, 800, 600, true};
        StyleEcriturePourApercu = u"Souligné"_s;
        AfficherBulles = false;
        QCOMPARE(EcrireParametres(f), QString());
        QCOMPARE(EcrireSauvegarde({u"/media/clé"_s, u"05/12/2024 08:03:09"_s}), QString());
        QCOMPARE(lire(appli()),
                 "[Param\xE8tres]\r\nGauche=10\r\nHaut=20\r\nLargeur=800\r\nHauteur=600\r\nMaxi=1\r\n"
                 "Ecriture pour l'aper\xE7u=Courier New\r\nTaille de l'\351criture pour l'aper\xE7u=8\r\n"
                 "Style de l'\351criture pour l'aper\xE7u=Soulign\xE9\r\nAfficher les bulles d'aide=0\r\n"
                 "[Sauvegarde]\r\nChemin=/media/cl\xE9\r\nDate=05/12/2024 08:03:09\r\n");
        AfficherBulles = true;
        StyleEcriturePourApercu.clear();
        QVERIFY(LireParametres().maxi);
        QCOMPARE(StyleEcriturePourApercu, u"Souligné"_s); // read unchanged
        QVERIFY(!AfficherBulles);
        const QString absent = chemin(u"absent/V.INI"_s);
        DefinirCheminParametresAppli(absent);
        QCOMPARE(EcrireParametres(f), u"Impossible d'écrire dans %1"_s.arg(absent));
    }

    void verrouPrisEtRendu()
    {
        QVERIFY(EstFichierAnnexe(u"3B.VTC.lock"_s) && EstFichierAnnexe(u"3b.vtc.journal"_s));
        QVERIFY(!EstFichierAnnexe(u"3B.VTC"_s) && !EstFichierAnnexe(u"3B.INI.lock"_s)
                && !EstFichierAnnexe(u".lock"_s));
        FixerHorloge(QDateTime(QDate(2026, 12, 7), QTime(10, 42)));
        {
            VerrouClasse a(m_3b);
            QCOMPARE(a.prendre(), VerrouClasse::Etat::Pris);
            QCOMPARE(CheminVerrou(m_3b), m_classe->chemin(u"3B.VTC.lock"_s));
            QVERIFY(ici());
            DetenteurVerrou d;
            QVERIFY(VerrouClasse::LireDetenteur(CheminVerrou(m_3b), d));
            QVERIFY(d.utilisateur == UtilisateurCourant() && d.memeMachine);
            QCOMPARE(d.depuis, QDateTime(QDate(2026, 12, 7), QTime(10, 42)));
            // A second copy on this computer, alive: it may not take it.
            VerrouClasse b(m_3b);
            QCOMPARE(b.prendre(), VerrouClasse::Etat::TenuIci);
            QVERIFY(b.detenteur().utilisateur == UtilisateurCourant() && !b.tenu() && a.tenu());
        }
        QVERIFY(!QFileInfo::exists(CheminVerrou(m_3b)));
        // Left by a copy of this computer that no longer runs: taken over at once.
        QProcess fini;
        fini.start(u"true"_s, {});
        QVERIFY(fini.waitForStarted());
        const qint64 pidFini = fini.processId();
        fini.waitForFinished();
        EcrireVerrou(CheminVerrou(m_3b), pidFini, QSysInfo::machineHostName().toUtf8(),
                     QSysInfo::machineUniqueId());
        VerrouClasse c(m_3b);
        QCOMPARE(c.prendre(), VerrouClasse::Etat::Pris);
        QVERIFY(ici());
        // No lock can be made where the class is said to be: the platform's reason.
        VerrouClasse v(m_classe->chemin(u"absent/3B.VTC"_s));
        QCOMPARE(v.prendre(), VerrouClasse::Etat::Impossible);
        QVERIFY(v.erreur() == u"Fichier introuvable"_s && !v.tenu());
    }

    void verrouAutreMachine()
    {
        EcrireVerrou(CheminVerrou(m_3b), 4242, "salle-prof-2", "0123456789abcdef0123456789abcdef");
        VerrouClasse v(m_3b);
        QCOMPARE(v.prendre(), VerrouClasse::Etat::TenuAilleurs);
        QVERIFY(v.detenteur().machine == u"salle-prof-2" && v.detenteur().utilisateur == u"mdurand"
                && !v.detenteur().memeMachine);
        // Whatever its age, it stays until the teacher says that copy is gone.
        QCOMPARE(v.prendre(), VerrouClasse::Etat::TenuAilleurs);
        QVERIFY(v.forcer() && v.tenu() && ici());
    }

    // The texts the windows' lock tests do not reach: a lock from another day, no user name, one mark.
    void textes()
    {
        DetenteurVerrou d;
        d.machine = u"poste-2"_s;
        d.utilisateur = u"mdurand"_s;
        d.depuis = QDateTime(QDate(2026, 12, 4), QTime(17, 30));
        const QString debut = u"La classe 3B est ouverte par "_s;
        const QDate aujourdhui(2026, 12, 7);
        QCOMPARE(TexteDetenteur(u"3B"_s, d, aujourdhui),
                 debut + u"mdurand sur poste-2 depuis le 04/12 à 17:30."_s);
        d.utilisateur.clear();
        QVERIFY(TexteDetenteur(u"3B"_s, d, aujourdhui).startsWith(debut + u"un autre utilisateur sur"_s));
        QVERIFY(TexteRecuperation(JournalDe({}), {1, 2})
                    .endsWith(u"1 note et 2 appréciations diffèrent de la classe enregistrée."_s));
    }

    void empreinte()
    {
        const QList<StudentRecord> eleves = ClasseEssai::Eleves({u"DUPONT Jean"_s, u"MARTIN Paul"_s});
        QCOMPARE(EcrireEleves(m_3b, eleves).etat, EtatEcriture::Ecrit);
        QVERIFY(charger(u"3B.VTC"_s).ok);
        QVERIFY(!FichierChangeDepuisChargement(m_3b));
        // Rewritten with the same bytes: nothing to lose.
        QCOMPARE(EcrireEleves(m_3b, eleves).etat, EtatEcriture::Ecrit);
        QVERIFY(!FichierChangeDepuisChargement(m_3b));
        // One mark changed by another copy: same size, other bytes.
        QList<StudentRecord> autre = eleves;
        autre[1].NotesMat1[1][1] = ArrondiReal48(15);
        QCOMPARE(EcrireEleves(m_3b, autre).etat, EtatEcriture::Ecrit);
        QVERIFY(FichierChangeDepuisChargement(m_3b));
        MemoriserEmpreinte(m_3b);
        QVERIFY(!FichierChangeDepuisChargement(m_3b));
        QVERIFY(QFile::remove(m_3b));
        QVERIFY(FichierChangeDepuisChargement(m_3b));
        // Another path than the loaded one: nothing known, nothing asked.
        QVERIFY(!FichierChangeDepuisChargement(m_classe->chemin(u"AUTRE.VTC"_s)));
    }

    void journalAllerRetour()
    {
        Journal j = JournalDe({u"DUPONT Jean"_s, u"ÉLU Zoé"_s});
        j.eleves[0].NotesMat1[2][3] = ArrondiReal48(12.5);
        j.eleves[1].NotesMat2[1][16] = 0;
        j.eleves[1].Appreciations[1][4] = u"Très bon trimestre, à poursuivre."_s;
        // Columns moved: the coefficient strings travel with the marks.
        j.coefs[1] = u"2111111111111113"_s;
        j.coefs[2] = j.coefs[3] = u"1111111111111111"_s;
        for (int p = 1; p <= 3; ++p)
            j.dates[p] = DatesParDefaut();
        j.dates[1].replace(0, 10, u"05/1106/11"_s);
        QCOMPARE(EcrireJournal(j), QString());
        QVERIFY(QFileInfo::exists(m_classe->chemin(u"3B.VTC.journal"_s)));
        Journal lu;
        QVERIFY(LireJournal(m_3b, lu));
        QVERIFY(lu.instant == j.instant && lu.nomFichier == j.nomFichier && lu.coefs[1] == j.coefs[1]
                && lu.dates[1] == j.dates[1]);
        QCOMPARE(OctetsEleves(lu.eleves), OctetsEleves(j.eleves));
        const QString coefsFichier[4] = {{}, j.coefs[1], j.coefs[2], j.coefs[3]};
        QVERIFY(CompterDifferences(lu.eleves, lu, coefsFichier).vide());
        const QString autres[4] = {{}, u"1111111111111111"_s, j.coefs[2], j.coefs[3]};
        QVERIFY(CompterDifferences(lu.eleves, lu, autres).coefs);
        QVERIFY(SupprimerJournal(m_3b));
        QVERIFY(!LireJournal(m_3b, lu));
        QVERIFY(SupprimerJournal(m_3b));
        // Cut in the header, cut in a record, one byte short, a mark altered.
        const QByteArray o = CoderJournal(JournalDe({u"DUPONT Jean"_s}));
        QVERIFY(DecoderJournal(o, lu));
        QByteArray altere = o;
        altere[o.size() - 700] = char(altere[o.size() - 700] ^ 0x55);
        for (const QByteArray &abime : {o.left(20), o.left(800), o.chopped(1), altere})
            QVERIFY(!DecoderJournal(abime, lu));
    }

    void differencesParNom()
    {
        // The saved class, and the journal of a window that ranked the students
        // (other order) and changed marks and an appreciation.
        QList<StudentRecord> fichier =
            ClasseEssai::Eleves({u"ARTHUR Anne"_s, u"DUPONT Jean"_s, u"DUPONT Jean"_s, u"ZOLA Emile"_s});
        fichier[1].NotesMat1[1][1] = 8;
        fichier[2].NotesMat1[1][1] = 9;
        Journal j;
        j.eleves = {fichier[3], fichier[1], fichier[2], fichier[0]};
        j.eleves[0].NotesMat1[3][16] = 17.5; // ZOLA
        j.eleves[2].NotesMat1[1][1] = 19;    // the second DUPONT
        j.eleves[3].Appreciations[2][1] = u"Bien"_s;
        const DifferencesJournal d = CompterDifferences(fichier, j);
        QCOMPARE(d.notes, 2);
        QCOMPARE(d.appreciations, 1);
        // The journal's values in the file's order.
        const QList<StudentRecord> r = AppliquerJournal(fichier, j);
        QCOMPARE(OctetsEleves(r), OctetsEleves({j.eleves[3], j.eleves[1], j.eleves[2], j.eleves[0]}));
        QVERIFY(CompterDifferences(r, j).vide());
        // A student who is not in the journal any more is left as saved.
        fichier.append(ClasseEssai::Eleve(u"NOUVEAU"_s, u"Léa"_s, {{2, 2, 2, 11}}));
        EGAL_EXACT(AppliquerJournal(fichier, j)[4].NotesMat2[2][2], 11.0);
    }

    void journalPlusRecent()
    {
        QVERIFY(!JournalPlusRecent(m_3b));
        QCOMPARE(EcrireEleves(m_3b, ClasseEssai::Eleves({u"DUPONT Jean"_s})).etat, EtatEcriture::Ecrit);
        QCOMPARE(EcrireJournal(JournalDe({})), QString());
        const QDateTime t = modifie(m_3b);
        QFile journal(CheminJournal(m_3b));
        QVERIFY(journal.open(QIODevice::ReadWrite));
        // Later, or in the same tick of the file clock: the newer one; earlier: old news.
        for (const auto &[decalage, plusRecent] :
             QList<QPair<int, bool>>{{60, true}, {0, true}, {-60, false}}) {
            QVERIFY(journal.setFileTime(t.addSecs(decalage), QFileDevice::FileModificationTime));
            QVERIFY2(JournalPlusRecent(m_3b) == plusRecent, qPrintable(QString::number(decalage)));
        }
    }
};

QTEST_GUILESS_MAIN(TstFichierClasse)
#include "tst_fichierclasse.moc"
