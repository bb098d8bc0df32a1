#pragma once
// Opening a document or a web page with the desktop's associated program.
#include <QString>
#include <QUrl>

#include <functional>

// False when the desktop could not open it. A missing local file is not opened.
bool OuvrirDocument(const QString &chemin);
bool OuvrirAdresse(const QString &adresse);

// Tests record what would be opened instead of starting a program; an empty
// function goes back to the desktop.
void DefinirOuvreur(std::function<bool(const QUrl &)> ouvreur);
