#include "platform/horloge.h"

namespace {
QDateTime g_fixe;
}

QDateTime Maintenant()
{
    return g_fixe.isValid() ? g_fixe : QDateTime::currentDateTime();
}

QDate Aujourdhui()
{
    return Maintenant().date();
}

void FixerHorloge(const QDateTime &instant)
{
    g_fixe = instant;
}

QString DateCourte(const QDate &d)
{
    return d.toString(QStringLiteral("dd/MM/yyyy"));
}

QString HeureCourte(const QTime &t)
{
    return t.toString(QStringLiteral("hh:mm:ss"));
}
