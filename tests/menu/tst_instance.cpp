// The single-instance guard with real processes.
#include "platform/gui/instance.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>

#include <csignal>

class TestInstance : public QObject {
    Q_OBJECT

    // A title of its own, so that a running program is never disturbed.
    const QString m_titre = QStringLiteral("Essai%1").arg(QCoreApplication::applicationPid());
    QList<QProcess *> m_processus;

    QProcess *lancer()
    {
        auto *p = new QProcess(this);
        m_processus << p;
        p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p->start(AIDE_INSTANCE, {m_titre, "-platform", "offscreen"});
        return p;
    }

    // The next line the helper says ("premier", "autre", "activee restauree").
    static QByteArray ligne(QProcess *p)
    {
        for (int fois = 0; fois < 100 && !p->canReadLine(); ++fois)
            p->waitForReadyRead(100); // at once when the helper has ended
        return p->readLine().trimmed();
    }

private slots:
    void cleanup()
    {
        for (QProcess *p : std::as_const(m_processus)) {
            p->kill();
            p->waitForFinished(5000);
        }
        qDeleteAll(m_processus);
        m_processus.clear();
        QFile::remove(QDir::tempPath() + u'/' + TOnlyOne::nomPour(m_titre));
    }

    // Free after a normal end; after a copy is killed its name is left behind
    // with nobody answering: the next copy takes over. A second copy brings
    // the first back and ends.
    void secondeCopieRameneLaPremiere()
    {
        {
            TOnlyOne garde(m_titre);
            QVERIFY(!garde.autreCopie());
        }
        QProcess *tue = lancer();
        QCOMPARE(ligne(tue), QByteArray("premier"));
        ::kill(pid_t(tue->processId()), SIGKILL);
        QVERIFY(tue->waitForFinished(5000));

        QProcess *premier = lancer();
        QCOMPARE(ligne(premier), QByteArray("premier"));
        QProcess *second = lancer();
        QCOMPARE(ligne(second), QByteArray("autre"));
        QVERIFY(second->waitForFinished(5000));
        QCOMPARE(second->exitStatus(), QProcess::NormalExit);
        QCOMPARE(second->exitCode(), 0);
        QCOMPARE(ligne(premier), QByteArray("activee restauree"));
        QCOMPARE(premier->state(), QProcess::Running);
    }
};

QTEST_MAIN(TestInstance)
#include "tst_instance.moc"
