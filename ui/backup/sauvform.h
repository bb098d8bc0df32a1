#pragma once
// Backup and restore of class and phrase library files.
#include <QDialog>

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QRadioButton;
class LigneEtat;
class ListeDossiers;
class ListeEmplacements;

// Copies chosen files from the program folder to a backup folder (backup),
// or from a backup folder back to the program folder (restore). The folder
// and date of the last complete backup are kept in the application settings.
class TSauvForm : public QDialog {
    Q_OBJECT
public:
    explicit TSauvForm(QWidget *parent = nullptr);

    enum Mode { Sauvegarde = 0, Restauration = 1 };
    Mode mode() const { return m_mode; }
    QString dossierSource() const { return m_source; }
    QString dossierDestination() const { return m_destination; }
    QString dossierSauvegarde() const { return m_dossierSauvegarde; }
    QString dateSauvegarde() const { return m_dateSauvegarde; }

    QGroupBox *RadioGroup1;
    QRadioButton *RBSauvegarde;
    QRadioButton *RBRestauration;
    QLabel *Label1;
    QComboBox *FilterComboBox1;
    QListWidget *FileListBox1;
    QLabel *Label2;
    QListWidget *ListBox1;
    QPushButton *BBTout;
    QPushButton *BBEffacer;
    QPushButton *BBCopier;
    QPushButton *BBRep;
    QPushButton *BitBtn1;
    ListeEmplacements *DriveComboBox1;
    ListeDossiers *DirectoryListBox1;
    QLabel *Panel1;
    QLabel *Panel2;
    QLabel *Panel3;
    QLabel *Panel4;
    QLabel *Panel5;
    LigneEtat *StatusLine;

public slots:
    void FormActivate();
    void FormDeactivate();
    void RadioGroup1Click();
    void FilterComboBox1Change();
    void FileListBox1Click(QListWidgetItem *item);
    void BBToutClick();
    void BBEffacerClick();
    void BBRepClick();
    void DriveComboBox1Change();
    void DirectoryListBox1Change();
    void DirectoryListBox1Click();
    void BBCopierClick();

    void done(int r) override;

protected:
    void showEvent(QShowEvent *e) override;

private:
    void construire();
    void entrerSauvegarde();
    void entrerRestauration();
    void finirEntree();
    void montrerDossier(const QString &dossier);
    void ajouter(const QString &chemin);
    void activerCopie(bool oui);
    void afficherDossiers();
    void montrerListesDossiers(bool oui);
    bool copierEntree(int ligne);

    Mode m_mode = Sauvegarde;
    QButtonGroup *m_groupe = nullptr;
    QWidget *m_cadreDossiers = nullptr;
    QString m_dossierProgramme;
    QString m_dossierSauvegarde;
    QString m_dateSauvegarde;
    QString m_source;
    QString m_destination;
    QString m_dossierListe;
    bool m_aEnregistrer = false;
};

extern TSauvForm *SauvForm;

// The date as the dialog shows and keeps it: "dd/MM/yyyy hh:mm:ss", the
// time left out at midnight exactly.
QString DateEtHeureSauvegarde(const QDateTime &instant);
