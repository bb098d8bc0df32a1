// Random and damaged marks files and settings files fed to the loaders.
#include "classe.h"
#include "dossier.h"
#include "moyennes.h"
#include "options.h"
#include "parametres.h"
#include "real48.h"
#include "recents.h"
#include "texte.h"

#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

void ecrire(const QString &chemin, const QByteArray &contenu)
{
    QFile f(chemin);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(contenu) != contenu.size())
        qFatal("écriture impossible");
}

QByteArray aleatoire(QRandomGenerator &g, int taille)
{
    QByteArray r(taille, Qt::Uninitialized);
    for (char &c : r)
        c = char(g.bounded(256));
    return r;
}

// Flips, overwrites, cuts or extends a valid file.
QByteArray muter(QRandomGenerator &g, QByteArray b)
{
    const int n = 1 + int(g.bounded(8));
    for (int i = 0; i < n; ++i) {
        switch (g.bounded(5)) {
        case 0:
            if (!b.isEmpty())
                b[g.bounded(int(b.size()))] = char(g.bounded(256));
            break;
        case 1:
            if (!b.isEmpty())
                b[g.bounded(int(b.size()))] ^= char(1 << g.bounded(8));
            break;
        case 2:
            b.truncate(g.bounded(int(b.size()) + 1));
            break;
        case 3:
            b.insert(g.bounded(int(b.size()) + 1), aleatoire(g, int(g.bounded(40))));
            break;
        default:
            if (!b.isEmpty())
                b.insert(g.bounded(int(b.size()) + 1), b.mid(g.bounded(int(b.size())), 30));
        }
    }
    return b;
}

QByteArray reglagesValides()
{
    return "[Options]\r\nNombre de p\xE9riodes=3\r\nNombre de mati\xE8res=2\r\nMat1=Hist\r\nMat2=G\xE9o\r\n"
           "Coefficients p\xE9riode 1=1213111121211111\r\nDates p\xE9riode 1=19/0903/10--/----/----/--"
           "--/----/----/--26/09--/----/----/----/----/----/--\r\nEcriture=1\r\nTaille de l'\xE9" "criture=9\r\n";
}

QByteArray classeValide(int eleves)
{
    QByteArray b;
    for (int i = 0; i < eleves; ++i) {
        StudentRecord e;
        e.Nom = QStringLiteral("NOM%1").arg(i);
        e.Prenom = QStringLiteral("Prénom");
        for (int p = 1; p <= 3; ++p)
            for (int d = 1; d <= 16; ++d)
                e.NotesMat1[p][d] = e.NotesMat2[p][d] = (i * 7 + d * 3 + p) % 21;
        e.Appreciations[3][1] = QStringLiteral("Bon travail.");
        b += CoderEleve(e);
    }
    return b;
}

} // namespace

class TstFuzz : public QObject {
    Q_OBJECT

    QTemporaryDir m_dossier;
    QTemporaryDir m_xdg;

    void verifierMessage(const ResultatChargement &r)
    {
        static const QStringList definis = {
            QStringLiteral("Fichier introuvable"), QStringLiteral("Accès au fichier refusé"),
            QStringLiteral("Lecture au-delà de la fin de fichier"), QStringLiteral("Disque plein"),
            QStringLiteral("Nom de fichier incorrect"), QStringLiteral("Trop de fichiers ouverts")};
        static const QRegularExpression trop(
            QStringLiteral("^Ce fichier contient \\d+ élèves : une classe en compte au plus 127\\.$"));
        if (!definis.contains(r.message) && !trop.match(r.message).hasMatch())
            QFAIL(qPrintable(QStringLiteral("message inattendu : ") + r.message));
        QCOMPARE(NbEleves(), 0);
    }

    // Everything a window would compute from what was loaded.
    static void toutCalculer()
    {
        for (int p = 1; p <= 3; ++p) {
            for (int i = 1; i <= 16; ++i) {
                JourDeDate(DateMat1[p][i]);
                MoisDeDate(DateMat2[p][i]);
            }
        }
        for (Selecteur s : {Selecteur::Mat1, Selecteur::Mat2, Selecteur::Ensemble}) {
            for (int span : {1, 2, 3, int(Annee)}) {
                const double m = MoyClasse(s, span);
                QVERIFY(m == NO_MARK || EstNote(m));
                QVERIFY(MinClasse(s, span) <= MaxClasse(s, span) || MinClasse(s, span) == NO_MARK);
                NoteEnTexte(m);
                for (const StudentRecord &e : std::as_const(ListeEleves))
                    QVERIFY(EstNote(MoyEleve(e, s, span)) || MoyEleve(e, s, span) == NO_MARK);
            }
        }
    }

private slots:
    void initTestCase()
    {
        qputenv("XDG_DATA_HOME", m_xdg.path().toUtf8());
        ActiverDocumentsRecents(false); // tested elsewhere; slow here
        DefinirDossierProgramme(m_dossier.path());
        DefinirCheminParametresAppli(m_dossier.filePath(QStringLiteral("Vestrel.INI")));
    }

    void fichiersDeNotes()
    {
        QRandomGenerator g(20241205);
        const QByteArray base = classeValide(5);
        const QString vtc = m_dossier.filePath(QStringLiteral("F.VTC"));
        ecrire(m_dossier.filePath(QStringLiteral("F.INI")), reglagesValides());
        QElapsedTimer t;
        t.start();
        int charges = 0;
        for (int i = 0; i < 3000; ++i) {
            QByteArray contenu;
            switch (i % 4) {
            case 0:
                contenu = aleatoire(g, int(g.bounded(6 * 1578)));
                break;
            case 1: // whole records of random bytes: always loads
                contenu = aleatoire(g, 1578 * int(g.bounded(4)));
                break;
            default:
                contenu = muter(g, base);
            }
            ecrire(vtc, contenu);
            const ResultatChargement r = charger(QStringLiteral("F.VTC"));
            if (!r.ok) {
                verifierMessage(r);
                continue;
            }
            ++charges;
            QCOMPARE(qint64(NbEleves()) * 1578, contenu.size());
            toutCalculer();
            if (!ListeEleves.isEmpty() && i % 10 == 1) {
                QCOMPARE(EcrireClasse().etat, EtatEcriture::Ecrit);
                QList<StudentRecord> relus;
                QVERIFY(LireEleves(vtc, relus).ok);
                QCOMPARE(relus.size(), ListeEleves.size());
            }
        }
        QVERIFY(charges > 500);
        qInfo("3000 fichiers de notes en %lld ms", t.elapsed());
    }

    void fichiersDeReglages()
    {
        QRandomGenerator g(1578);
        ecrire(m_dossier.filePath(QStringLiteral("R.VTC")), classeValide(3));
        const QString ini = m_dossier.filePath(QStringLiteral("R.INI"));
        const QString appli = m_dossier.filePath(QStringLiteral("Vestrel.INI"));
        const QByteArray parametres = "[Param\xE8tres]\r\nGauche=10\r\nLargeur=800\r\nMaxi=1\r\n"
                                      "Ecriture pour l'aper\xE7u=Courier New\r\n[Sauvegarde]\r\nChemin=/x\r\n";
        for (int i = 0; i < 2000; ++i) {
            const bool auHasard = i % 3 == 0;
            ecrire(ini, auHasard ? aleatoire(g, int(g.bounded(2000))) : muter(g, reglagesValides()));
            ecrire(appli, auHasard ? aleatoire(g, int(g.bounded(2000))) : muter(g, parametres));
            const ResultatChargement r = charger(QStringLiteral("R.VTC"));
            QVERIFY(r.ok);
            QVERIFY(CoefPeriode[1].size() <= 16);
            QVERIFY(DatePeriode[1].size() <= 80);
            for (int p = 1; p <= 3; ++p)
                for (int d = 1; d <= 16; ++d)
                    QVERIFY(CoefMat1[p][d] >= 0 && CoefMat1[p][d] <= 9);
            toutCalculer();
            LireParametres();
            LireSauvegarde();
            QVERIFY(EcriturePourApercu.size() <= 255);
            if (i % 100 == 0) { // writing into a damaged file keeps it readable
                QCOMPARE(EcrireCoefDates(), QString());
                RelireCoefDates();
                QCOMPARE(EcrireParametres({1, 2, 3, 4, false}), QString());
                QCOMPARE(LireParametres().largeur, 3);
            }
        }
    }
};

QTEST_GUILESS_MAIN(TstFuzz)
#include "tst_fuzz.moc"
