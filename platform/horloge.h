#pragma once
// "Today" and "now" for the whole program; tests fix them.
#include <QDateTime>

QDateTime Maintenant();
QDate Aujourdhui();
void FixerHorloge(const QDateTime &instant); // invalid instant: back to the real clock

// Short date format "dd/MM/yyyy" and time "hh:mm:ss", as the program writes them.
QString DateCourte(const QDate &d);
QString HeureCourte(const QTime &t);
