#pragma once
// Interface state shared by every window.
#include <QLabel>

// The screen's colour bits per pixel, measured by the main window when it
// first becomes active; above 8 the windows use their full-colour scheme.
extern int ProfondeurCouleurs;
inline bool CouleursCompletes()
{
    return ProfondeurCouleurs > 8;
}

// The status line at the bottom of a window: shows the hint of the control
// under the pointer. A window places one, named "StatusLine".
class LigneEtat : public QLabel {
    Q_OBJECT
public:
    explicit LigneEtat(QWidget *parent = nullptr);
};

// Makes a status line that sits outside any layout show long hints whole: it
// stays at the bottom of its parent and grows upwards over it as the hint needs.
void LigneEtatExtensible(LigneEtat *ligne);

// Installs, once, the application-wide hint handling: the hint (tool tip) of
// the control under the pointer goes to the LigneEtat of its window, and tool
// tips are shown only while AfficherBulles is set.
void InstallerBulles();

// Marks a widget whose tool tips show its own content (a name cut by its
// column): they are shown even while help hints are off.
void BullesDeContenu(QWidget *w);
