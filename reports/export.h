#pragma once
// The text export of the grid, for a word processor or a database.
#include "reports/grille.h"

#include <QByteArray>
#include <QDateTime>

// Tabs and line breaks (from a damaged or hostile file) each become a space,
// so that a name or an appreciation cannot break the columns of an output.
QString SurUneLigne(QString texte);

// "Aucun" gives the empty separator, "Tab" a tab, else the item itself.
QString SeparateurChamps(const QString &item);

// Windows-1252 bytes, CR LF line ends. table: as the grid shows it, columns in
// their current order. decimalVirgule: "." becomes "," in student rows.
QByteArray TexteExport(const TableGrille &table, const QString &nomClasse, const QDateTime &instant,
                       const QString &separateur, bool decimalVirgule);

// The export file name proposed: Notes view: first 4 characters of the class
// name + day and month on two digits; other views: the class name. At most
// 8 characters, what the name field holds.
QString NomExportPropose(Vue vue, const QString &nomClasse, const QDate &jour);

// Writes the export through the safe writer: a failure leaves the old file
// and no half file. False with the platform's message on failure.
bool EcrireFichierExport(const QString &chemin, const QByteArray &octets, QString *message = nullptr);
