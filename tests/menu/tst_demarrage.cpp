// The program's start: its command line, run as a process, and the folder
// of the classes in the main window's title.
#include "platform/dossier.h"
#include "tests/common/repondeurscripte.h"
#include "ui/menu/menuform.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class TstDemarrage : public QObject {
    Q_OBJECT

    QTemporaryDir m_tmp;

private slots:
    void cleanup() { DefinirDossierProgramme(QString()); }

    void ligneDeCommande_data()
    {
        QTest::addColumn<QStringList>("arguments"); // @T: the temporary folder
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("sortie");  // expected in stdout
        QTest::addColumn<QString>("erreurs"); // expected in stderr

        const QString bin = QFileInfo(QStringLiteral(VESTREL)).absolutePath();
        QTest::newRow("--dossier") << QStringList{"--dossier", "@T", "--emplacements"} << 0
                                   << "Dossier des classes : @T\n"
                                   << "";
        QTest::newRow("--dossier=") << QStringList{"--emplacements", "--dossier=@T/"} << 0
                                    << "Dossier des classes : @T\n"
                                    << "";
        QTest::newRow("copie portable, comme avant")
            << QStringList{"--emplacements"} << 0 << "Dossier des classes : " + bin + "\n"
            << "";
        QTest::newRow("une classe double-cliquée") << QStringList{"@T/ailleurs/4B.VTC", "--emplacements"} << 0
                                                   << "Dossier des classes : @T/ailleurs\n"
                                                   << "";
        QTest::newRow("dossier absent") << QStringList{"--dossier", "@T/absent", "--emplacements"} << 1 << ""
                                        << "Dossier introuvable : @T/absent";
        QTest::newRow("--dossier sans dossier") << QStringList{"--dossier"} << 2 << ""
                                                << "l'option --dossier attend un dossier";
        QTest::newRow("option inconnue") << QStringList{"--dosier", "@T"} << 2 << ""
                                         << "option inconnue : --dosier";
        QTest::newRow("aide") << QStringList{"--help"} << 0 << "Usage : vestrel [--dossier DIR] [CLASSE.VTC]"
                              << "";
    }

    void ligneDeCommande()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, code);
        QFETCH(QString, sortie);
        QFETCH(QString, erreurs);
        QDir().mkpath(m_tmp.filePath(QStringLiteral("ailleurs")));
        QFile f(m_tmp.filePath(QStringLiteral("ailleurs/4B.VTC")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        for (QString &a : arguments)
            a.replace(QLatin1String("@T"), m_tmp.path());
        sortie.replace(QLatin1String("@T"), m_tmp.path());
        erreurs.replace(QLatin1String("@T"), m_tmp.path());

        QProcess p;
        p.start(QStringLiteral(VESTREL), arguments);
        QVERIFY(p.waitForFinished(30000));
        const QString so = QString::fromUtf8(p.readAllStandardOutput());
        const QString se = QString::fromUtf8(p.readAllStandardError());
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), code);
        QVERIFY2(so.contains(sortie), qPrintable(so));
        QVERIFY2(se.contains(erreurs), qPrintable(se));
        // Only the documents rule creates a folder; none of these reach it.
        QCOMPARE(QDir(m_tmp.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList{"ailleurs"});
    }

    // The teacher always sees where the classes are: the home folder as "~".
    void titre_data()
    {
        QTest::addColumn<QString>("dossier"); // under the temporary folder; the home is "maison"
        QTest::addColumn<QString>("titre");
        QTest::newRow("documents") << "maison/Documents/Vestrel"
                                   << "Vestrel 1.5 - Classes dans ~/Documents/Vestrel";
        QTest::newRow("clé") << "cle/Vestrel"
                             << "Vestrel 1.5 - Classes dans @T/cle/Vestrel";
    }

    void titre()
    {
        QFETCH(QString, dossier);
        QFETCH(QString, titre);
        const QByteArray maison = qgetenv("HOME");
        qputenv("HOME", QFile::encodeName(m_tmp.filePath(QStringLiteral("maison"))));
        QDir().mkpath(m_tmp.filePath(dossier));
        DefinirDossierProgramme(m_tmp.filePath(dossier));
        RepondeurScripte repondeur;
        TMenuForm menu;
        menu.show();
        QVERIFY(QTest::qWaitForWindowExposed(&menu));
        qputenv("HOME", maison);
        QCOMPARE(menu.windowTitle(), QString(titre).replace(QLatin1String("@T"), m_tmp.path()));
    }
};

QTEST_MAIN(TstDemarrage)
#include "tst_demarrage.moc"
