#pragma once
// Every printer the program prints on comes from here: the default printer,
// asked for only when something is printed (loading the print plugin and
// reaching the print server take time), and the print dialog. Tests answer
// both through the message-box responder (messages.h): Ok with the path of a
// PDF file (and, for the dialog, a number of copies), or Annuler.
#include <QtGlobal>

#include <memory>

class QPrinter;
class QString;
class QWidget;

namespace Imprimantes {

// The default printer in high resolution; nullptr when there is none.
std::unique_ptr<QPrinter> parDefaut();

// The print dialog, set up from and into the printer; false when cancelled.
bool dialogue(QPrinter &imprimante, const QString &titre, QWidget *parent);

// Printable width of the default printer's page, in inches; that of an A4
// page with 5 mm margins when there is no printer (and in tests).
qreal largeurPage();

// The file of copy n (from 1) of a PDF output: copy 1 the file itself, the
// next ones with "-2", "-3"... before the extension, since a second job would
// overwrite the first.
QString fichierDeCopie(const QString &fichier, int n);

} // namespace Imprimantes
