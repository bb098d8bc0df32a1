#pragma once
#include <QString>

// Adds a file to the desktop's recently used documents (the freedesktop
// recently-used.xbel that GTK and KDE share). Failures are ignored.
void AjouterDocumentRecent(const QString &cheminComplet);

// The command-line tool does not record what it reads.
void ActiverDocumentsRecents(bool actif);
