// cmake --install into a temporary DESTDIR, then the installed programs run
// as a teacher's first start would: a fresh home, nothing but the install.
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

namespace {

const QString PREFIXE = QStringLiteral("/usr");

struct Resultat {
    int code = -1;
    QString sortie, erreurs;
};

// Every file under a folder, with its size and time: what a run may not change.
QMap<QString, QString> releve(const QString &dossier)
{
    QMap<QString, QString> r;
    QDirIterator it(dossier, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo f(it.next());
        r.insert(f.filePath(),
                 QStringLiteral("%1 %2").arg(f.size()).arg(f.lastModified().toMSecsSinceEpoch()));
    }
    return r;
}

} // namespace

class TstInstallation : public QObject {
    Q_OBJECT

    QTemporaryDir m_tmp;
    QString m_racine; // DESTDIR
    QMap<QString, QString> m_installe;

    QString installe(const QString &chemin) const { return m_racine + PREFIXE + QLatin1Char('/') + chemin; }
    QString bin(const char *nom) const { return installe(QStringLiteral(BINDIR "/") + QLatin1String(nom)); }

    // A first start: an empty home, the desktop's usual variables only.
    QProcessEnvironment environnement(const QString &maison) const
    {
        QDir().mkpath(maison);
        QProcessEnvironment env;
        env.insert(QStringLiteral("HOME"), maison);
        env.insert(QStringLiteral("PATH"), QStringLiteral("/usr/bin:/bin"));
        env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("TMPDIR"), m_tmp.filePath(QStringLiteral("tmp")));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_tmp.filePath(QStringLiteral("tmp")));
        env.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
        return env;
    }

    Resultat lancer(const QString &programme, const QStringList &arguments, const QString &maison)
    {
        QProcess p;
        p.setProcessEnvironment(environnement(maison));
        p.setWorkingDirectory(maison);
        p.start(programme, arguments);
        if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit)
            return {};
        return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
                QString::fromUtf8(p.readAllStandardError())};
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_tmp.isValid());
        QDir().mkpath(m_tmp.filePath(QStringLiteral("tmp")));
        m_racine = m_tmp.filePath(QStringLiteral("racine"));
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DESTDIR"), m_racine);
        p.setProcessEnvironment(env);
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.start(
            QStringLiteral(CMAKE_EXE),
            {QStringLiteral("--install"), QStringLiteral(CONSTRUCTION), QStringLiteral("--prefix"), PREFIXE});
        QVERIFY(p.waitForFinished(120000));
        QVERIFY2(p.exitCode() == 0, p.readAll().constData());
        m_installe = releve(m_racine);
    }

    // The GNU layout, and nothing of the portable copy.
    void disposition_data()
    {
        QTest::addColumn<QString>("chemin");
        QTest::newRow("programme") << BINDIR "/vestrel";
        QTest::newRow("outil") << BINDIR "/vestrel-cli";
        QTest::newRow("guide") << DOCDIR "/Vestdoc.htm";
        QTest::newRow("entrée de bureau") << DATADIR "/applications/" ID_BUREAU ".desktop";
        QTest::newRow("icône vectorielle") << DATADIR "/icons/hicolor/scalable/apps/vestrel.svg";
        QTest::newRow("icône 48") << DATADIR "/icons/hicolor/48x48/apps/vestrel.png";
        QTest::newRow("icône 256") << DATADIR "/icons/hicolor/256x256/apps/vestrel.png";
        QTest::newRow("type de fichier") << DATADIR "/mime/packages/vestrel.xml";
        QTest::newRow("catalogue") << DATADIR "/metainfo/" ID_BUREAU ".metainfo.xml";
        QTest::newRow("page de manuel") << MANDIR "/man1/vestrel-cli.1";
    }

    void disposition()
    {
        QFETCH(QString, chemin);
        QVERIFY2(QFileInfo(installe(chemin)).isFile(), qPrintable(chemin));
        for (const char *portable : {"vestrel.desktop", "Vestdoc.htm", "vestrel.png", "vestrel"})
            QVERIFY(!QFileInfo::exists(m_racine + PREFIXE + QLatin1Char('/') + QLatin1String(portable)));
    }

    void icones()
    {
        for (int taille : {48, 256}) {
            QFile f(installe(QStringLiteral(DATADIR "/icons/hicolor/%1x%1/apps/vestrel.png").arg(taille)));
            QVERIFY(f.open(QIODevice::ReadOnly));
            const QByteArray entete = f.read(24);
            QVERIFY(entete.startsWith("\x89PNG"));
            QCOMPARE(qFromBigEndian<quint32>(entete.constData() + 16), quint32(taille));
            QCOMPARE(qFromBigEndian<quint32>(entete.constData() + 20), quint32(taille));
        }
    }

    // vestrel-cli at the first start: the documents folder the desktop names,
    // the sample class in it, read at once.
    void outilPremierDemarrage()
    {
        const QString maison = m_tmp.filePath(QStringLiteral("maison-outil"));
        QDir().mkpath(maison + QStringLiteral("/.config"));
        QFile dossiers(maison + QStringLiteral("/.config/user-dirs.dirs"));
        QVERIFY(dossiers.open(QIODevice::WriteOnly));
        dossiers.write("XDG_DOCUMENTS_DIR=\"$HOME/Mes documents\"\n");
        dossiers.close();

        const Resultat r =
            lancer(bin("vestrel-cli"), {QStringLiteral("moyennes"), QStringLiteral("EXEMPLE")}, maison);
        QVERIFY2(r.code == 0, qPrintable(r.erreurs));
        QVERIFY(r.sortie.contains(QStringLiteral("ARNAUD Léa")));
        const QString donnees = maison + QStringLiteral("/Mes documents/Vestrel");
        QCOMPARE(QDir(donnees).entryList(QDir::Files, QDir::Name),
                 (QStringList{"EXEMPLE.INI", "EXEMPLE.VTC"}));
        QCOMPARE(releve(m_racine), m_installe);
    }

    // Asking for the sample at the first start is no error: it is there.
    void outilExemplePremierDemarrage()
    {
        const QString maison = m_tmp.filePath(QStringLiteral("maison-exemple"));
        const Resultat r = lancer(bin("vestrel-cli"), {QStringLiteral("exemple")}, maison);
        QVERIFY2(r.code == 0, qPrintable(r.erreurs));
        QCOMPARE(r.sortie,
                 QStringLiteral("Classe EXEMPLE écrite : 25 élèves dans ") + maison
                     + QStringLiteral("/Documents/Vestrel.\n"));
        const Resultat encore = lancer(bin("vestrel-cli"), {QStringLiteral("exemple")}, maison);
        QCOMPARE(encore.code, 1);
        QVERIFY(encore.erreurs.contains(QStringLiteral("existe déjà")));
    }

    // The program: same folder rule, the installed guide for "Aide".
    void programmeEmplacements()
    {
        const QString maison = m_tmp.filePath(QStringLiteral("maison-emplacements"));
        const Resultat r = lancer(bin("vestrel"), {QStringLiteral("--emplacements")}, maison);
        QVERIFY2(r.code == 0, qPrintable(r.erreurs));
        QVERIFY2(r.sortie.contains(QStringLiteral("Dossier des classes : ") + maison
                                   + QStringLiteral("/Documents/Vestrel\n")),
                 qPrintable(r.sortie));
        QVERIFY2(
            r.sortie.contains(QStringLiteral("Guide : ") + installe(QStringLiteral(DOCDIR "/Vestdoc.htm"))),
            qPrintable(r.sortie));
        QVERIFY(QFileInfo::exists(maison + QStringLiteral("/Documents/Vestrel/EXEMPLE.VTC")));
        QCOMPARE(releve(m_racine), m_installe);
    }

    // The program started as from the menu: it creates the folder and runs.
    void programmeDemarre()
    {
        const QString maison = m_tmp.filePath(QStringLiteral("maison-programme"));
        QProcess p;
        p.setProcessEnvironment(environnement(maison));
        p.setWorkingDirectory(maison);
        p.start(bin("vestrel"), {});
        QVERIFY(p.waitForStarted());
        const QString exemple = maison + QStringLiteral("/Documents/Vestrel/EXEMPLE.VTC");
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(exemple).size() > 20 * 1578, 30000);
        QVERIFY2(p.state() == QProcess::Running, p.readAllStandardError().constData());
        p.terminate();
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(releve(m_racine), m_installe);
    }

    // An unwritable documents folder: the platform's message, no folder.
    void documentsInutilisables()
    {
        const QString maison = m_tmp.filePath(QStringLiteral("maison-fichier"));
        QDir().mkpath(maison);
        QFile f(maison + QStringLiteral("/Documents"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        const Resultat r =
            lancer(bin("vestrel-cli"), {QStringLiteral("moyennes"), QStringLiteral("EXEMPLE")}, maison);
        QCOMPARE(r.code, 1);
        QVERIFY2(r.erreurs.contains(QStringLiteral("Impossible de créer le dossier des classes ") + maison
                                    + QStringLiteral("/Documents/Vestrel : Fichier introuvable")),
                 qPrintable(r.erreurs));
        QCOMPARE(QDir(maison).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"Documents"});
    }

    // The desktop's validators accept the installed files.
    void validation_data()
    {
        QTest::addColumn<QString>("programme");
        QTest::addColumn<QStringList>("arguments");
        const QString share = m_racine + PREFIXE + QStringLiteral("/" DATADIR);
        QTest::newRow("entrée de bureau")
            << "desktop-file-validate"
            << QStringList{share + QStringLiteral("/applications/" ID_BUREAU ".desktop")};
        QTest::newRow("catalogue") << "appstreamcli"
                                   << QStringList{
                                          QStringLiteral("validate"), QStringLiteral("--no-net"),
                                          share + QStringLiteral("/metainfo/" ID_BUREAU ".metainfo.xml")};
        QTest::newRow("type de fichier")
            << "xmllint"
            << QStringList{QStringLiteral("--noout"), share + QStringLiteral("/mime/packages/vestrel.xml")};
    }

    void validation()
    {
        QFETCH(QString, programme);
        QFETCH(QStringList, arguments);
        const QString chemin = QStandardPaths::findExecutable(programme);
        if (chemin.isEmpty())
            QFAIL(qPrintable(programme + QStringLiteral(" manque : ./scripts/setup.sh l'installe")));
        QProcess p;
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.start(chemin, arguments);
        QVERIFY(p.waitForFinished(60000));
        const QByteArray sortie = p.readAll();
        QVERIFY2(p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0, sortie.constData());
        // desktop-file-validate passes hints silently with status 0: none are wanted.
        QVERIFY2(!sortie.contains("error") && !sortie.contains("warning") && !sortie.contains("hint"),
                 sortie.constData());
    }

    // The class file type, as the desktop reads it: both spellings of the
    // extension, and the desktop entry that opens it.
    void typeDeFichier()
    {
        const QString programme = QStandardPaths::findExecutable(QStringLiteral("update-mime-database"));
        if (programme.isEmpty())
            QFAIL("update-mime-database manque : ./scripts/setup.sh l'installe");
        const QString base = m_tmp.filePath(QStringLiteral("mime"));
        QDir().mkpath(base + QStringLiteral("/packages"));
        QVERIFY(QFile::copy(installe(QStringLiteral(DATADIR "/mime/packages/vestrel.xml")),
                            base + QStringLiteral("/packages/vestrel.xml")));
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_DATA_DIRS"), m_tmp.path());
        env.insert(QStringLiteral("XDG_DATA_HOME"), m_tmp.path());
        p.setProcessEnvironment(env);
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.start(programme, {base});
        QVERIFY(p.waitForFinished(60000));
        const QByteArray sortie = p.readAll();
        QVERIFY2(p.exitCode() == 0 && sortie.trimmed().isEmpty(), sortie.constData());
        QFile globs(base + QStringLiteral("/globs2"));
        QVERIFY(globs.open(QIODevice::ReadOnly));
        const QByteArray contenu = globs.readAll();
        QVERIFY(contenu.contains("application/x-vestrel-classe:*.vtc"));
        QVERIFY(contenu.contains("application/x-vestrel-classe:*.VTC"));

        QFile bureau(installe(QStringLiteral(DATADIR "/applications/" ID_BUREAU ".desktop")));
        QVERIFY(bureau.open(QIODevice::ReadOnly));
        const QByteArray entree = bureau.readAll();
        QVERIFY(entree.contains("\nMimeType=application/x-vestrel-classe;\n"));
        QVERIFY(entree.contains("\nExec=vestrel %f\n"));
    }
};

QTEST_GUILESS_MAIN(TstInstallation)
#include "tst_installation.moc"
