// Starts the program again and again and measures, from the process start,
// the time until its main window has been painted (the program says so on
// its standard output when VESTREL_BENCH_DEMARRAGE is set, then leaves).
// Run it on the display to measure: under xvfb-run, or with
// QT_QPA_PLATFORM=offscreen.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>

#include <algorithm>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    // Arguments: the number of starts (20), another build of the program.
    const int tours = argc > 1 ? std::max(1, atoi(argv[1])) : 20;
    const QString programme = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral(PROGRAMME);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("VESTREL_BENCH_DEMARRAGE"), QStringLiteral("1"));

    QList<double> mesures;
    for (int i = 0; i < tours; ++i) {
        QProcess p;
        p.setProcessEnvironment(env);
        p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QElapsedTimer t;
        t.start();
        p.start(programme, {});
        QByteArray sortie;
        double ms = -1;
        while (p.state() != QProcess::NotRunning || p.bytesAvailable()) {
            p.waitForReadyRead(50);
            sortie += p.readAllStandardOutput();
            if (sortie.contains("fenetre affichee")) {
                ms = t.nsecsElapsed() / 1e6;
                break;
            }
            if (t.elapsed() > 20000)
                break;
        }
        p.waitForFinished(10000);
        if (ms < 0) {
            std::fprintf(stderr, "tour %d : la fenêtre principale ne s'est pas affichée\n", i + 1);
            return 1;
        }
        mesures << ms;
    }
    std::sort(mesures.begin(), mesures.end());
    const double mediane = mesures.at(mesures.size() / 2);
    std::printf("démarrage jusqu'à la fenêtre principale affichée, %d tours : "
                "médiane %.1f ms, min %.1f ms, max %.1f ms (objectif < 300 ms)\n",
                tours, mediane, mesures.first(), mesures.last());
    return mediane < 300 ? 0 : 2;
}
