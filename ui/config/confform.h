#pragma once
// Creating, modifying and duplicating a class.
#include <QDialog>

// Exactly one is set by the main menu before the dialog opens.
extern bool ModeCreation;
extern bool ModeModification;
extern bool ModeDuplication;

class TConfForm : public QDialog {
    Q_OBJECT
public:
    explicit TConfForm(QWidget *parent = nullptr);
    // exec(): works on the loaded class (modify, duplicate) or an empty one (create).
};

extern TConfForm *ConfForm;
