#pragma once
// Single-byte Windows-1252 texts, as every file of the program stores them.
#include <QByteArray>
#include <QString>

// Every byte maps to one character; the five bytes Windows-1252 leaves
// undefined map to the C1 controls of the same value, so that any byte
// sequence survives a decode and encode unchanged.
QString DepuisCp1252(const QByteArray &octets);
QString DepuisCp1252(const char *octets, qsizetype n);

// A character Windows-1252 cannot hold becomes "?".
QByteArray VersCp1252(const QString &texte);

bool EstCp1252(QChar c);

// French upper-casing of one character, kept only when the result exists in
// Windows-1252 (so "µ" stays "µ", "é" becomes "É", "ÿ" becomes "Ÿ").
QChar MajusculeCp1252(QChar c);
QString MajusculesCp1252(const QString &texte);
