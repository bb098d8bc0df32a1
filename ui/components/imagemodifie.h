#pragma once
// The unsaved-changes sign every window shows: a diskette with a red mark.
#include <QPixmap>

QPixmap ImageModifie(int cote = 32);
