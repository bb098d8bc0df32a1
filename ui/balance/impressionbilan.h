#pragma once
// The class balance on one printed page: title, three gauges with their
// percentages, the class figures and the three student lists.
#include "reports/bilan.h"

#include <QColor>
#include <QString>

class QPainter;
class QPrinter;

// Fill colour of each band's gauge (red, blue, green), on screen and on paper.
QColor CouleurJauge(int bande);

// Draws the page on a painter whose device is W x H pixels. Lines of the lists
// that would go past the bottom are left out: everything stays on this page.
void DessinerBilan(QPainter &p, const DonneesBilan &d, int W, int H);

// One print job of one page per copy. A printer writing to a PDF file writes
// one file per copy: the first under its own name, the next ones with "-2",
// "-3"... before the extension. False with erreur set when a job fails.
// The printer's orientation is set back to portrait at the end.
bool ImprimerBilan(QPrinter &imprimante, const DonneesBilan &d, int copies, QString &erreur);
