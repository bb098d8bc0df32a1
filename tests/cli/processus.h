// Runs a program to its end: its exit code and what it wrote.
#pragma once

#include <QProcess>

struct Resultat {
    int code = -1; // -1: it did not end, or crashed
    QString sortie, erreurs;
};

inline Resultat Executer(const QString &programme, const QStringList &arguments,
                         const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment(),
                         bool fusionner = false, const QString &dossier = QString())
{
    QProcess p;
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(dossier);
    p.setProcessChannelMode(fusionner ? QProcess::MergedChannels : QProcess::SeparateChannels);
    p.start(programme, arguments);
    if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit)
        return {};
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
            fusionner ? QString() : QString::fromUtf8(p.readAllStandardError())};
}
