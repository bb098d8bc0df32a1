#pragma once
// The small pictures of the window's picture buttons and of the unsaved-changes
// indicator, drawn in code.
#include <QIcon>
#include <QPixmap>

QIcon GlypheImprimer();
QIcon GlypheApercu();
QIcon GlypheConfigurer();
QIcon GlypheTailleNormale();
QPixmap ImageEnregistrement(); // a diskette with a red mark
