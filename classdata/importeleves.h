#pragma once
// Reading a class list exported as text or CSV by the school's software.
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// UTF-8 (with or without its mark), UTF-16 with its mark, otherwise Windows-1252.
QString DecoderTexteImporte(const QByteArray &octets);

struct EleveLu {
    QString nom; // as written in the file, quotes and outer spaces removed
    QString prenom;
    int ligne = 0; // 1-based line of the file
};

struct ListeLue {
    QList<EleveLu> eleves;
    QList<int> incomprises; // lines whose surname and first name cannot be told apart
    QList<int> nomManquant; // lines with a separator but no surname or no first name
    bool entete = false;    // the first line was a header and was skipped
};

// One student per line: surname and first name separated by ";", "," or a
// tab. With spaces only ("DE LA FONTAINE Jean"), the surname is the run of
// leading words written wholly in capitals and the first name the rest; a
// line without such a run, or with nothing after it, is not understood.
// A header line (Nom, Prénom...) is skipped, and names its columns when the
// list has more than two.
ListeLue AnalyserListeEleves(const QString &texte);

// What adding the list to a class would do.
struct BilanImport {
    QList<QPair<QString, QString>> aAjouter; // stored names, in file order
    int dejaPresents = 0;                    // already in the class or twice in the file
    int horsLimite = 0;                      // not added: the class would exceed its size
    QList<int> incomprises;                  // line numbers
    // The line numbers behind each refusal, for the summary.
    QList<int> lignesDejaPresentes;
    QList<int> lignesHorsLimite;
    QList<int> nomManquant;
    QList<int> caracteresInterdits; // a character the class file cannot hold
    QStringList coupes;             // "as written -> as stored", cut to 12 characters
};

// existantes: the entries of the student list ("NOM Prénom"); places: how
// many students may still be added. Names go through the same rules as typed ones.
BilanImport PreparerImport(const ListeLue &lue, const QStringList &existantes, int places);

// The information box that sums an import up.
QString TexteBilanImport(const BilanImport &b);
