// The single-instance guard with real processes.
#include "platform/gui/instance.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>

#include <csignal>

class TestInstance : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void nomDuVerrou();
    void secondeCopieRameneLaPremiere();
    void copieArreteeBrutalement();
    void apresFinNormale();

private:
    QProcess *lancer(const QString &titre);
    QByteArray ligne(QProcess *p, int attente = 10000);

    QString m_titre;
    QList<QProcess *> m_processus;
};

void TestInstance::init()
{
    // A title of its own, so that a running program is never disturbed.
    m_titre =
        QStringLiteral("Essai%1%2").arg(QCoreApplication::applicationPid()).arg(QTest::currentTestFunction());
}

void TestInstance::cleanup()
{
    for (QProcess *p : std::as_const(m_processus)) {
        if (p->state() != QProcess::NotRunning) {
            p->kill();
            p->waitForFinished(5000);
        }
        delete p;
    }
    m_processus.clear();
    QFile::remove(QDir::tempPath() + QLatin1Char('/') + TOnlyOne::nomPour(m_titre));
}

QProcess *TestInstance::lancer(const QString &titre)
{
    auto *p = new QProcess;
    m_processus << p;
    p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p->start(QStringLiteral(AIDE_INSTANCE),
             {titre, QStringLiteral("-platform"), QStringLiteral("offscreen")});
    return p;
}

QByteArray TestInstance::ligne(QProcess *p, int attente)
{
    QElapsedTimer t;
    t.start();
    while (!p->canReadLine()) {
        if (t.elapsed() > attente || (p->state() == QProcess::NotRunning && !p->bytesAvailable()))
            return {};
        p->waitForReadyRead(100);
    }
    return p->readLine().trimmed();
}

void TestInstance::nomDuVerrou()
{
    const QString nom = TOnlyOne::nomPour(QStringLiteral("Vestrel"));
    QVERIFY(nom.startsWith(QStringLiteral("OnlyOneVestrel-")));
    QVERIFY(nom.size() > QStringLiteral("OnlyOneVestrel-").size());
    // Only the first 20 characters of the title count.
    QCOMPARE(TOnlyOne::nomPour(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ")),
             TOnlyOne::nomPour(QStringLiteral("ABCDEFGHIJKLMNOPQRST")));
    QVERIFY(TOnlyOne::nomPour(QStringLiteral("A")) != TOnlyOne::nomPour(QStringLiteral("B")));
}

void TestInstance::secondeCopieRameneLaPremiere()
{
    QProcess *premier = lancer(m_titre);
    QCOMPARE(ligne(premier), QByteArray("premier"));

    QProcess *second = lancer(m_titre);
    QCOMPARE(ligne(second), QByteArray("autre"));
    QVERIFY(second->waitForFinished(5000));
    QCOMPARE(second->exitStatus(), QProcess::NormalExit);
    QCOMPARE(second->exitCode(), 0);

    QCOMPARE(ligne(premier), QByteArray("activee restauree"));
    QCOMPARE(premier->state(), QProcess::Running);
}

void TestInstance::copieArreteeBrutalement()
{
    QProcess *premier = lancer(m_titre);
    QCOMPARE(ligne(premier), QByteArray("premier"));
    ::kill(pid_t(premier->processId()), SIGKILL);
    QVERIFY(premier->waitForFinished(5000));

    // The name is left behind; nobody answers on it: the next copy takes over.
    QProcess *suivant = lancer(m_titre);
    QCOMPARE(ligne(suivant), QByteArray("premier"));
    QProcess *encore = lancer(m_titre);
    QCOMPARE(ligne(encore), QByteArray("autre"));
    QCOMPARE(ligne(suivant), QByteArray("activee restauree"));
}

void TestInstance::apresFinNormale()
{
    {
        TOnlyOne garde(m_titre);
        QVERIFY(!garde.autreCopie());
    }
    QProcess *p = lancer(m_titre);
    QCOMPARE(ligne(p), QByteArray("premier"));
}

QTEST_MAIN(TestInstance)
#include "tst_instance.moc"
