#pragma once
// The class catalogue: the class marks files of a folder.
#include <QListWidget>
#include <QStringList>

// The extension of a name: the text from its last "." on, provided that no
// folder separator follows it; empty when there is none.
QString ExtensionDe(const QString &nom);

// True when the extension, upper-cased for a to z only, is ".VTC".
bool EstNomDeClasse(const QString &nom);

// Every entry of the folder (files and folders, hidden ones too) that bears a
// class name, sorted ignoring letter case.
QStringList ListerClasses(const QString &dossier);

// The list box of the catalogue. Its drags carry the entry's name and the
// identity of this very list, so that a drop can tell where it came from.
class ListeCatalogue : public QListWidget {
    Q_OBJECT
public:
    explicit ListeCatalogue(QWidget *parent = nullptr);

    static QString formatMime();
    // The entry named by a drag from this list; empty for any other drag.
    QString entreeGlissee(const class QMimeData *donnees) const;

protected:
    QMimeData *mimeData(const QList<QListWidgetItem *> &items) const override;
    Qt::DropActions supportedDropActions() const override;

private:
    QByteArray identite() const;
};
