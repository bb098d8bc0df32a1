#pragma once
// The ranking of the class by average.
#include "classdata/eleve.h"

#include <QList>
#include <functional>

// Highest key first; equal keys keep their former order; students without an
// average (a key outside 0..20) come last, in their former order.
QList<StudentRecord> Classer(const QList<StudentRecord> &eleves,
                             const std::function<double(const StudentRecord &)> &cle);
