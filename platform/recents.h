#pragma once
#include <QString>

// Adds a file to the desktop's recently used documents (the freedesktop
// recently-used.xbel that GTK and KDE share). Failures are ignored.
void AjouterDocumentRecent(const QString &cheminComplet);

// The command-line tool does not record what it reads.
void ActiverDocumentsRecents(bool actif);

// The program with windows records a moment later, once the event loop runs:
// rewriting the shared list (often hundreds of kilobytes) must not delay the
// first paint of the window that opens the class. What waits is recorded by
// EcrireDocumentsRecentsEnAttente() at the end at the latest.
void DiffererDocumentsRecents(bool oui);
void EcrireDocumentsRecentsEnAttente();
