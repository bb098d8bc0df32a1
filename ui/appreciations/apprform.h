#pragma once
// The appreciation expert: phrase libraries chosen by a student profile.
#include <QDialog>

class TApprForm : public QDialog {
    Q_OBJECT
public:
    explicit TApprForm(QWidget *parent = nullptr);
    // Inputs, set before exec(): the student's display name, his mark
    // (NO_MARK for none), the period shown (1..3 or Annee); DeuxPeriodes is read
    // from the class settings.
    void preparer(const QString &nomEleve, double note, int span);
    // After exec(): the chosen appreciation (at most 80 characters), empty when
    // none was chosen.
    QString appreciationChoisie() const;
};

extern TApprForm *ApprForm;
