#pragma once
// The subcommands of vestrel-cli. Each takes the arguments after its name and
// returns the exit status: 0 done, 1 failure (message on stderr), 2 bad usage.
#include <QStringList>

int commandeMoyennes(const QStringList &arguments);
int commandeExemple(const QStringList &arguments);
int commandeRapport(const QStringList &arguments);
int commandeExporter(const QStringList &arguments);
