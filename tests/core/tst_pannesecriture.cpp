// Every writer of the core, every step of its write failing in turn: the old
// file stays byte for byte and the platform's message comes back. Loading
// refuses FIFOs, devices and oversized settings at once.
#include "classdata/classe.h"
#include "classdata/options.h"
#include "platform/dossier.h"
#include "platform/ecrituresure.h"
#include "platform/erreurs.h"
#include "platform/lecturesure.h"
#include "platform/sortietexte.h"
#include "reports/export.h"
#include "tests/core/outils.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cerrno>
#include <sys/stat.h>

namespace {

enum class Ecrivain { Classe, Reglages, ClasseEtReglages, Rapport, Export };

QList<StudentRecord> classe(int n)
{
    QList<StudentRecord> l;
    for (int i = 0; i < n; ++i) {
        StudentRecord e;
        e.Nom = QStringLiteral("NOM%1").arg(i);
        e.Prenom = QStringLiteral("Prénom");
        e.NotesMat1[1][1] = 12.5;
        l.append(e);
    }
    return l;
}

QStringList fichiersDe(const QString &dossier)
{
    return QDir(dossier).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                   QDir::Name);
}

} // namespace

class TstPannesEcriture : public QObject {
    Q_OBJECT

    QTemporaryDir m_xdg;

private slots:
    void initTestCase() { qputenv("XDG_DATA_HOME", m_xdg.path().toUtf8()); }
    void cleanup() { EssaiEcriture::remettreAZero(); }

    void chaquePas_data()
    {
        QTest::addColumn<int>("ecrivain");
        QTest::addColumn<int>("taille"); // students, or bytes of text
        QTest::newRow("classe 1 élève") << int(Ecrivain::Classe) << 1;
        QTest::newRow("classe 127 élèves") << int(Ecrivain::Classe) << 127;
        QTest::newRow("réglages") << int(Ecrivain::Reglages) << 0;
        QTest::newRow("classe et réglages 1") << int(Ecrivain::ClasseEtReglages) << 1;
        QTest::newRow("classe et réglages 127") << int(Ecrivain::ClasseEtReglages) << 127;
        QTest::newRow("rapport 2 Kio") << int(Ecrivain::Rapport) << 2048;
        QTest::newRow("rapport 40 Kio") << int(Ecrivain::Rapport) << 40 * 1024;
        QTest::newRow("export 2 Kio") << int(Ecrivain::Export) << 2048;
        QTest::newRow("export 40 Kio") << int(Ecrivain::Export) << 40 * 1024;
    }
    void chaquePas()
    {
        QFETCH(int, ecrivain);
        QFETCH(int, taille);
        const auto genre = Ecrivain(ecrivain);
        QTemporaryDir dossier;
        DefinirDossierProgramme(dossier.path());
        NomFichier = QStringLiteral("CL.VTC");
        NomClasse = QStringLiteral("CL");
        const QString vtc = dossier.filePath(QStringLiteral("CL.VTC"));
        const QString ini = dossier.filePath(QStringLiteral("CL.INI"));
        const QString txt = dossier.filePath(QStringLiteral("a_classe.txt"));
        const QByteArray vtcAvant = OctetsEleves(classe(3));
        const QByteArray iniAvant = "[Options]\r\nNombre de matières=2\r\nMat1=Hist\r\nMat2=Géo\r\n";
        const QByteArray txtAvant = "ancien rapport\r\n";
        auto remettre = [&] {
            ecrireFichier(vtc, vtcAvant);
            ecrireFichier(ini, iniAvant);
            ecrireFichier(txt, txtAvant);
        };
        OptionsAEcrire o;
        o.nomClasse = NomClasse;
        o.uneMatiere = false;
        o.mat1 = QStringLiteral("Français");
        o.mat2 = QStringLiteral("Latin");
        o.gras = true;
        auto ecrire = [&]() -> QString {
            switch (genre) {
            case Ecrivain::Classe: return EcrireEleves(vtc, classe(taille)).message;
            case Ecrivain::Reglages: return EcrireOptions(o);
            case Ecrivain::ClasseEtReglages:
                return EcrireElevesEtOptions(vtc, classe(taille), false, o).message;
            case Ecrivain::Rapport: {
                SortieFichier s(txt);
                while (s.contenu().size() < taille)
                    s.ligne(QStringLiteral("DUPONT Jean        12.50  8.00 14.25"));
                s.fermer();
                return s.messageErreur();
            }
            case Ecrivain::Export: {
                QString m;
                EcrireFichierExport(txt, QByteArray(taille, 'x'), &m);
                return m;
            }
            }
            return {};
        };
        remettre();
        EssaiEcriture::remettreAZero();
        QCOMPARE(ecrire(), QString());
        const int pas = EssaiEcriture::pasFaits();
        QVERIFY(pas >= 4);
        const QStringList attendus = fichiersDe(dossier.path());
        for (int n = 1; n <= pas; ++n) {
            remettre();
            Gras = false;
            EssaiEcriture::echouerAuPas(n, n % 2 ? ENOSPC : EIO);
            const QString m = ecrire();
            const QByteArray ici = "pas " + QByteArray::number(n) + " : " + m.toUtf8();
            // The settings speak of their file; the others give the system's reason.
            const QString attendu = genre == Ecrivain::Reglages ? MessageEcritureImpossible(ini)
                                                                : MessageErreurSysteme(n % 2 ? ENOSPC : EIO);
            QVERIFY2(m == attendu, ici);
            QVERIFY2(lireFichier(vtc) == vtcAvant, ici);
            QVERIFY2(lireFichier(ini) == iniAvant, ici);
            QVERIFY2(lireFichier(txt) == txtAvant, ici);
            QVERIFY2(fichiersDe(dossier.path()) == attendus, ici);
            if (genre == Ecrivain::ClasseEtReglages)
                QVERIFY2(!Gras, ici); // the settings in memory follow the files
        }
    }

    // A marks or settings path that is no ordinary file: refused at once,
    // with a message, the model left empty.
    void chargementRefuse_data()
    {
        QTest::addColumn<QString>("fichier");
        QTest::addColumn<QString>("genre");
        QTest::newRow("classe FIFO") << "CL.VTC"
                                     << "fifo";
        QTest::newRow("classe /dev/zero") << "CL.VTC"
                                          << "zero";
        QTest::newRow("réglages FIFO") << "CL.INI"
                                       << "fifo";
        QTest::newRow("réglages /dev/zero") << "CL.INI"
                                            << "zero";
        QTest::newRow("réglages dossier") << "CL.INI"
                                          << "dossier";
        QTest::newRow("réglages trop grands") << "CL.INI"
                                              << "grand";
    }
    void chargementRefuse()
    {
        QFETCH(QString, fichier);
        QFETCH(QString, genre);
        QTemporaryDir dossier;
        DefinirDossierProgramme(dossier.path());
        ecrireFichier(dossier.filePath(QStringLiteral("CL.VTC")), OctetsEleves(classe(2)));
        const QString chemin = dossier.filePath(fichier);
        QFile::remove(chemin);
        QString attendu = MessagePasFichierOrdinaire(chemin);
        if (genre == QLatin1String("fifo")) {
            QVERIFY(::mkfifo(QFile::encodeName(chemin).constData(), 0600) == 0);
        } else if (genre == QLatin1String("zero")) {
            QVERIFY(QFile::link(QStringLiteral("/dev/zero"), chemin));
        } else if (genre == QLatin1String("dossier")) {
            QVERIFY(QDir().mkdir(chemin));
            attendu = MessageErreurSysteme(EISDIR);
        } else {
            ecrireFichier(chemin, "[Options]\r\n" + QByteArray(TAILLE_MAX_REGLAGES, ' '));
            attendu = MessageFichierTropGrand(chemin, TAILLE_MAX_REGLAGES);
        }
        QElapsedTimer t;
        t.start();
        const ResultatChargement r = charger(QStringLiteral("CL.VTC"));
        QVERIFY(t.elapsed() < 5000);
        QVERIFY(!r.ok);
        QCOMPARE(r.message, attendu);
        QCOMPARE(NbEleves(), 0);
        // And a save through it never replaces it.
        if (genre != QLatin1String("grand")) {
            ListeEleves = classe(1);
            NomFichier = fichier == QLatin1String("CL.VTC") ? fichier : QStringLiteral("CL.VTC");
            const QString m = fichier == QLatin1String("CL.VTC") ? EcrireClasse().message
                                                                 : EcrireCoefDatesAvec(CoefPeriode);
            QVERIFY(!m.isEmpty());
            struct stat st { };
            QVERIFY(::lstat(QFile::encodeName(chemin).constData(), &st) == 0);
            QVERIFY(!S_ISREG(st.st_mode));
        }
    }

    void sortieSurUneLigne()
    {
        QCOMPARE(SurUneLigne(QStringLiteral("A\tB\r\nC")), QStringLiteral("A B  C"));
        TableGrille t;
        t.lignes = {{QStringLiteral("Élève"), QStringLiteral("D1")},
                    {QStringLiteral("NOM\tPré\nnom"), QStringLiteral("12.00")}};
        const QByteArray o =
            TexteExport(t, QStringLiteral("C\tL"), QDateTime(QDate(2026, 12, 7), QTime(10, 42)),
                        QStringLiteral(";"), false);
        QCOMPARE(o.count('\t'), 0);
        QCOMPARE(o.count('\n'), 4); // header, blank, title row, one student
    }
};

QTEST_GUILESS_MAIN(TstPannesEcriture)
#include "tst_pannesecriture.moc"
