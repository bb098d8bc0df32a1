// cmake --install into a temporary DESTDIR, then the installed programs run
// as a teacher's first start would: a fresh home, nothing but the install.
#include "tests/cli/processus.h"
#include "tests/common/fichiersessai.h"

#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

const QString PREFIXE = u"/usr"_s;

// Every file under a folder, with its size and time: what a run may not change.
QMap<QString, QString> releve(const QString &dossier)
{
    QMap<QString, QString> r;
    QDirIterator it(dossier, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo f(it.next());
        r.insert(f.filePath(), u"%1 %2"_s.arg(f.size()).arg(f.lastModified().toMSecsSinceEpoch()));
    }
    return r;
}

} // namespace

class TstInstallation : public QObject {
    Q_OBJECT

    QTemporaryDir m_tmp;
    QString m_racine; // DESTDIR
    QMap<QString, QString> m_installe;

    QString installe(const QString &chemin) const { return m_racine + PREFIXE + '/' + chemin; }

    // A first start: an empty home, the desktop's usual variables only.
    QProcessEnvironment environnement(const QString &maison) const
    {
        QDir().mkpath(maison);
        QProcessEnvironment env;
        for (const auto &[cle, valeur] : {std::pair{"HOME", maison},
                                          {"PATH", "/usr/bin:/bin"},
                                          {"LC_ALL", "C.UTF-8"},
                                          {"QT_QPA_PLATFORM", "offscreen"},
                                          {"TMPDIR", m_tmp.filePath("tmp")},
                                          {"XDG_RUNTIME_DIR", m_tmp.filePath("tmp")},
                                          {"ASAN_OPTIONS", "detect_leaks=0"}})
            env.insert(cle, valeur);
        return env;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_tmp.isValid() && QDir().mkpath(m_tmp.filePath("tmp")));
        m_racine = m_tmp.filePath("racine");
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DESTDIR", m_racine);
        const Resultat r = Executer(CMAKE_EXE, {"--install", CONSTRUCTION, "--prefix", PREFIXE}, env, true);
        QVERIFY2(r.code == 0, qPrintable(r.sortie));
        m_installe = releve(m_racine);
    }

    // The GNU layout, the icons at their size, and nothing of the portable copy.
    void disposition()
    {
        for (const char *chemin :
             {BINDIR "/vestrel", BINDIR "/vestrel-cli", DOCDIR "/Vestdoc.htm",
              DATADIR "/applications/" ID_BUREAU ".desktop",
              DATADIR "/icons/hicolor/scalable/apps/vestrel.svg", DATADIR "/mime/packages/vestrel.xml",
              DATADIR "/metainfo/" ID_BUREAU ".metainfo.xml", MANDIR "/man1/vestrel-cli.1"})
            QVERIFY2(QFileInfo(installe(chemin)).isFile(), chemin);
        for (int taille : {48, 256}) {
            const QByteArray entete = Essai::lire(
                installe(QStringLiteral(DATADIR "/icons/hicolor/%1x%1/apps/vestrel.png").arg(taille)));
            QVERIFY(entete.startsWith("\x89PNG")
                    && qFromBigEndian<quint32>(entete.constData() + 16) == quint32(taille)
                    && qFromBigEndian<quint32>(entete.constData() + 20) == quint32(taille));
        }
        for (const char *portable : {"vestrel.desktop", "Vestdoc.htm", "vestrel.png", "vestrel"})
            QVERIFY(!QFileInfo::exists(installe(portable)));
    }

    // A first start in a fresh home: the documents folder the desktop names
    // (if any), the sample class in it, read at once; the program finds its
    // installed guide; a documents folder that cannot be made gives the
    // platform's message and nothing is created. The install is never changed.
    void premierDemarrage_data()
    {
        QTest::addColumn<QString>("commande");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("documents");   // "": the usual "Documents"; "-": a file of that name
        QTest::addColumn<QStringList>("sorties"); // each in stdout (code 0) or stderr; @: the home
        const QString classes = "@/Documents/Vestrel";
        QTest::newRow("outil, dossier nommé")
            << "vestrel-cli moyennes EXEMPLE" << 0 << "Mes documents" << QStringList{"ARNAUD Léa"};
        QTest::newRow("outil, exemple")
            << "vestrel-cli exemple" << 0 << ""
            << QStringList{"Classe EXEMPLE écrite : 25 élèves dans " + classes + ".\n"};
        QTest::newRow("programme") << "vestrel --emplacements" << 0 << ""
                                   << QStringList{"Dossier des classes : " + classes + '\n',
                                                  "Guide : " + installe(DOCDIR "/Vestdoc.htm")};
        QTest::newRow("documents inutilisables") << "vestrel-cli moyennes EXEMPLE" << 1 << "-"
                                                 << QStringList{"Impossible de créer le dossier des classes "
                                                                + classes + " : Fichier introuvable"};
    }

    void premierDemarrage()
    {
        QFETCH(QString, commande);
        QFETCH(QString, documents);
        QFETCH(int, code);
        QFETCH(QStringList, sorties);
        const QStringList mots = commande.split(u' ');
        const QString maison = m_tmp.filePath("maison-" + QString::fromUtf8(QTest::currentDataTag()));
        QDir().mkpath(maison + "/.config");
        if (!documents.isEmpty()) // "-": a file where the folder should be
            QVERIFY(Essai::ecrire(
                maison + (documents == "-" ? "/Documents" : "/.config/user-dirs.dirs"),
                documents == "-" ? "" : "XDG_DOCUMENTS_DIR=\"$HOME/" + documents.toUtf8() + "\"\n"));
        const Resultat r =
            Executer(installe(BINDIR "/" + mots.first()), mots.mid(1), environnement(maison), false, maison);
        QCOMPARE(r.code, code);
        for (const QString &attendu : sorties)
            QVERIFY2((code ? r.erreurs : r.sortie).contains(QString(attendu).replace("@", maison)),
                     qPrintable(r.sortie + r.erreurs));
        const QString dossier =
            maison + '/' + (documents.isEmpty() || code ? "Documents" : documents) + "/Vestrel";
        QCOMPARE(QFileInfo::exists(dossier + "/EXEMPLE.VTC") && QFileInfo::exists(dossier + "/EXEMPLE.INI"),
                 !code);
        QVERIFY(!QFileInfo::exists(maison + "/Documents/Vestrel") || !code);
        QCOMPARE(releve(m_racine), m_installe);
    }

    // The desktop's validators accept the installed files (desktop-file-validate
    // passes hints silently with status 0: none are wanted); the class file
    // type, as the desktop reads it: both spellings of the extension, and the
    // desktop entry that opens it.
    void validation()
    {
        const QString share = installe(DATADIR), mime = m_tmp.filePath("mime");
        const QString bureau = share + "/applications/" ID_BUREAU ".desktop";
        QVERIFY(QDir().mkpath(mime + "/packages"));
        QVERIFY(QFile::copy(share + "/mime/packages/vestrel.xml", mime + "/packages/vestrel.xml"));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_DATA_DIRS", m_tmp.path());
        env.insert("XDG_DATA_HOME", m_tmp.path());
        for (const QStringList &c :
             {QStringList{"desktop-file-validate", bureau},
              {"appstreamcli", "validate", "--no-net", share + "/metainfo/" ID_BUREAU ".metainfo.xml"},
              {"xmllint", "--noout", share + "/mime/packages/vestrel.xml"},
              {"update-mime-database", mime}}) {
            const QString chemin = QStandardPaths::findExecutable(c.first());
            QVERIFY2(!chemin.isEmpty(), qPrintable(c.first() + " manque : ./scripts/setup.sh l'installe"));
            const Resultat r = Executer(chemin, c.mid(1), env, true);
            const QString sortie = r.sortie.toLower();
            QVERIFY2(r.code == 0 && !sortie.contains("error") && !sortie.contains("warning")
                         && !sortie.contains("hint"),
                     qPrintable(c.first() + ": " + r.sortie));
        }
        const QByteArray types = Essai::lire(mime + "/globs2"), entree = Essai::lire(bureau);
        QVERIFY(types.contains("application/x-vestrel-classe:*.vtc")
                && types.contains("application/x-vestrel-classe:*.VTC"));
        QVERIFY(entree.contains("\nMimeType=application/x-vestrel-classe;\n")
                && entree.contains("\nExec=vestrel %f\n"));
    }
};

QTEST_GUILESS_MAIN(TstInstallation)
#include "tst_installation.moc"
