#pragma once
// The small pictures of the window's picture buttons, drawn in code.
#include <QIcon>
#include <QPixmap>

QIcon GlypheImprimer();
QIcon GlypheApercu();
QIcon GlypheConfigurer();
QIcon GlypheTailleNormale();
