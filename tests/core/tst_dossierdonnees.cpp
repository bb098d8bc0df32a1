// The folder of the classes: which one is chosen, and its first creation.
#include "classdata/classe.h"
#include "classdata/exemple.h"
#include "platform/dossier.h"
#include "platform/dossierdonnees.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

namespace {

void toucher(const QString &chemin)
{
    QFile f(chemin);
    QVERIFY(f.open(QIODevice::WriteOnly));
}

QStringList contenu(const QString &dossier)
{
    return QDir(dossier).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

} // namespace

class TstDossierDonnees : public QObject {
    Q_OBJECT

    QTemporaryDir m_racine;
    QString chemin(const QString &nom) const { return m_racine.filePath(nom); }
    QString mkdir(const QString &nom) const
    {
        QDir().mkpath(chemin(nom));
        return chemin(nom);
    }

private slots:
    void cleanup()
    {
        DefinirDossierProgramme(QString());
        for (const QString &e : contenu(m_racine.path())) {
            QFile::setPermissions(chemin(e), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            if (QFileInfo(chemin(e)).isDir())
                QDir(chemin(e)).removeRecursively();
            else
                QFile::remove(chemin(e));
        }
    }

    // Which rule wins, for each kind of executable folder and command line.
    void choix_data()
    {
        QTest::addColumn<QString>("executable");   // under the temporary root; "" for none
        QTest::addColumn<QStringList>("fichiers"); // put in the executable's folder first
        QTest::addColumn<bool>("avecOption");
        QTest::addColumn<QString>("classe"); // the class file given, under the root
        QTest::addColumn<int>("origine");
        QTest::addColumn<QString>("attendu"); // the folder chosen, under the root

        const int option = int(OrigineDossier::Option), fichier = int(OrigineDossier::FichierDonne),
                  portable = int(OrigineDossier::Portable), documents = int(OrigineDossier::Documents);
        QTest::newRow("copie portable")
            << "cle/Vestrel" << QStringList() << false << "" << portable << "cle/Vestrel";
        QTest::newRow("--dossier d'abord")
            << "cle/Vestrel" << QStringList() << true << "" << option << "choisi";
        QTest::newRow("installée à côté d'une entrée de bureau")
            << "usr/bin" << QStringList{"../share/applications/org.example.vestrel.desktop"} << false << ""
            << documents << "Documents/Vestrel";
        QTest::newRow("installée mais avec ses réglages")
            << "usr/bin" << QStringList{"../share/applications/org.example.vestrel.desktop", "REGLAGES"}
            << false << "" << portable << "usr/bin";
        QTest::newRow("installée mais avec une classe")
            << "usr/bin" << QStringList{"../share/applications/org.example.vestrel.desktop", "3eme1.Vtc"}
            << false << "" << portable << "usr/bin";
        QTest::newRow("une classe donnée ouvre son dossier")
            << "cle/Vestrel" << QStringList() << false << "ailleurs/4B.VTC" << fichier << "ailleurs";
        QTest::newRow("une classe absente ne change rien")
            << "cle/Vestrel" << QStringList() << false << "ailleurs/ABSENT.VTC" << portable << "cle/Vestrel";
        QTest::newRow("un nom sans dossier reste un nom")
            << "cle/Vestrel" << QStringList() << false << "4B.VTC" << portable << "cle/Vestrel";
        QTest::newRow("--dossier avant la classe donnée")
            << "cle/Vestrel" << QStringList() << true << "ailleurs/4B.VTC" << option << "choisi";
        QTest::newRow("sans dossier du programme")
            << "" << QStringList() << false << "" << documents << "Documents/Vestrel";
    }

    void choix()
    {
        QFETCH(QString, executable);
        QFETCH(QStringList, fichiers);
        QFETCH(bool, avecOption);
        QFETCH(QString, classe);
        QFETCH(int, origine);
        QFETCH(QString, attendu);

        EntreesDossier e;
        if (!executable.isEmpty()) {
            e.dossierExecutable = mkdir(executable);
            for (QString f : fichiers) {
                // The settings file is named after the executable.
                f.replace(QLatin1String("REGLAGES"),
                          QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName().toLower()
                              + QStringLiteral(".ini"));
                QDir().mkpath(QFileInfo(e.dossierExecutable + QLatin1Char('/') + f).path());
                toucher(e.dossierExecutable + QLatin1Char('/') + f);
            }
        }
        if (avecOption)
            e.option = mkdir(QStringLiteral("choisi"));
        if (!classe.isEmpty()) {
            mkdir(QStringLiteral("ailleurs"));
            toucher(chemin(QStringLiteral("ailleurs/4B.VTC")));
            e.fichierClasse = classe.contains(QLatin1Char('/')) ? chemin(classe) : classe;
        }
        e.documents = chemin(QStringLiteral("Documents"));
        int remplissages = 0;
        const DossierDonnees d = ChoisirDossierDonnees(e, [&] {
            ++remplissages;
            return QString();
        });
        QVERIFY2(d.message.isEmpty(), qPrintable(d.message));
        QCOMPARE(int(d.origine), origine);
        QCOMPARE(d.dossier, chemin(attendu));
        QCOMPARE(DossierProgramme(), chemin(attendu));
        QCOMPARE(d.cree, origine == int(OrigineDossier::Documents));
        QCOMPARE(remplissages, d.cree ? 1 : 0);
        // Only the documents rule creates anything.
        QCOMPARE(QFileInfo::exists(chemin(QStringLiteral("Documents"))), d.cree);
    }

    void optionIntrouvable()
    {
        EntreesDossier e;
        e.dossierExecutable = mkdir(QStringLiteral("cle"));
        for (const QString &option : {chemin(QStringLiteral("absent")), QString()}) {
            e.option = option;
            const DossierDonnees d = ChoisirDossierDonnees(e, {});
            QVERIFY(d.dossier.isEmpty());
            QCOMPARE(d.message, QStringLiteral("Dossier introuvable : ") + option);
        }
    }

    void portableSousLePrefixeDuSysteme()
    {
        QVERIFY(!EstCopiePortable(QStringLiteral("/usr/bin")));
        QVERIFY(!EstCopiePortable(QStringLiteral("/opt/vestrel")));
        QVERIFY(!EstCopiePortable(QString()));
        QVERIFY(EstCopiePortable(mkdir(QStringLiteral("cle"))));
    }

    // The first start: the sample class, loadable; the next start adds nothing.
    void premierDemarrage()
    {
        EntreesDossier e;
        e.documents = chemin(QStringLiteral("Mes documents"));
        DossierDonnees d = ChoisirDossierDonnees(e, [] { return EcrireClasseExemple(); });
        QVERIFY2(d.message.isEmpty(), qPrintable(d.message));
        const QString dossier = chemin(QStringLiteral("Mes documents/Vestrel"));
        QCOMPARE(d.dossier, dossier);
        QVERIFY(d.cree);
        QCOMPARE(contenu(dossier), (QStringList{"EXEMPLE.INI", "EXEMPLE.VTC"}));
        QVERIFY(charger(QStringLiteral("EXEMPLE.VTC")).ok);
        QCOMPARE(NbEleves(), 25);
        ViderClasse();

        // The teacher deletes the sample: it does not come back.
        QVERIFY(QFile::remove(dossier + QStringLiteral("/EXEMPLE.VTC")));
        d = ChoisirDossierDonnees(e, [] { return EcrireClasseExemple(); });
        QVERIFY(d.message.isEmpty() && !d.cree);
        QCOMPARE(contenu(dossier), QStringList{"EXEMPLE.INI"});
    }

    // A folder that cannot be made or filled: the platform's message and
    // nothing left behind, not even the levels created on the way.
    void creationImpossible_data()
    {
        QTest::addColumn<QString>("documents");
        QTest::addColumn<QString>("remplissage"); // message of a failing fill; "" fills fine
        QTest::addColumn<QString>("message");
        QTest::addColumn<QStringList>("reste"); // what the root holds afterwards

        QTest::newRow("documents sous un fichier") << "fichier/Documents"
                                                   << ""
                                                   << "Fichier introuvable" << QStringList{"fichier"};
        QTest::newRow("documents en lecture seule")
            << "lecture seule/Documents"
            << ""
            << "Accès au fichier refusé" << QStringList{"lecture seule"};
        QTest::newRow("disque plein à l'exemple") << "a/b/Documents"
                                                  << "Disque plein"
                                                  << "Disque plein" << QStringList();
        QTest::newRow("Vestrel est un fichier") << "docs"
                                                << ""
                                                << "Fichier introuvable" << QStringList{"docs"};
    }

    void creationImpossible()
    {
        QFETCH(QString, documents);
        QFETCH(QString, remplissage);
        QFETCH(QString, message);
        QFETCH(QStringList, reste);

        if (reste.contains(QStringLiteral("fichier")))
            toucher(chemin(QStringLiteral("fichier")));
        if (reste.contains(QStringLiteral("docs"))) {
            mkdir(QStringLiteral("docs"));
            toucher(chemin(QStringLiteral("docs/Vestrel")));
        }
        if (reste.contains(QStringLiteral("lecture seule"))) {
            mkdir(QStringLiteral("lecture seule"));
            QFile::setPermissions(chemin(QStringLiteral("lecture seule")),
                                  QFile::ReadOwner | QFile::ExeOwner);
        }

        EntreesDossier e;
        e.documents = chemin(documents);
        if (documents.startsWith(QLatin1String("lecture seule")) && ::geteuid() == 0) {
            // Permissions do not stop the superuser: a read-only system folder does.
            e.documents = QStringLiteral("/sys/Documents");
            if (::access("/sys", W_OK) == 0)
                QSKIP("nothing is read-only here");
        }
        const QString avant = DossierProgramme();
        const DossierDonnees d = ChoisirDossierDonnees(e, [&] {
            toucher(DossierProgramme() + QStringLiteral("/EXEMPLE.VTC")); // written before the failure
            return remplissage;
        });
        QVERIFY(d.dossier.isEmpty());
        QVERIFY2(d.message.contains(message), qPrintable(d.message));
        if (remplissage.isEmpty())
            QVERIFY(d.message.contains(QDir::toNativeSeparators(e.documents + QStringLiteral("/Vestrel"))));
        QCOMPARE(contenu(m_racine.path()).join(QLatin1Char('|')), reste.join(QLatin1Char('|')));
        QCOMPARE(DossierProgramme(), avant);
    }

    // "Aide": the program folder's guide, else the executable's, else the
    // installed one; nothing when there is none.
    void guide()
    {
        const QString dossier = mkdir(QStringLiteral("classes"));
        DefinirDossierProgramme(dossier);
        const QString aCote = QCoreApplication::applicationDirPath() + QStringLiteral("/Vestdoc.htm");
        QVERIFY(!QFileInfo::exists(aCote)); // the tests' folder holds none
        QCOMPARE(CheminGuide(), QString());
        toucher(dossier + QStringLiteral("/vestdoc.HTM"));
        QCOMPARE(CheminGuide(), dossier + QStringLiteral("/vestdoc.HTM"));
    }

    void dossierLisible()
    {
        QCOMPARE(DossierLisible(QDir::homePath() + QStringLiteral("/Documents/Vestrel")),
                 QStringLiteral("~/Documents/Vestrel"));
        QCOMPARE(DossierLisible(QStringLiteral("/media/cle/Vestrel/")), QStringLiteral("/media/cle/Vestrel"));
    }
};

QTEST_GUILESS_MAIN(TstDossierDonnees)
#include "tst_dossierdonnees.moc"
