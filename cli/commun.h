#pragma once
// What the subcommands of vestrel-cli share: option parsing, output, loading.
#include <QHash>
#include <QString>
#include <QStringList>

namespace Cli {

constexpr int OK = 0;
constexpr int ECHEC = 1;
constexpr int USAGE = 2;

// Text to standard output / standard error, in UTF-8.
void sortie(const QString &texte);
void erreur(const QString &texte);
// A message of the program as a sentence: a full stop added unless it ends with one.
void erreurPhrase(const QString &texte);
// A usage error: the message, the short usage, then a pointer to --help.
// Returns USAGE.
int erreurUsage(const QString &texte);

// Options of a subcommand, gathered as "--name value" or "--name=value";
// the other arguments are positional.
class Arguments {
public:
    // avecValeur: options taking a value; drapeaux: options without.
    Arguments(const QStringList &arguments, const QStringList &avecValeur, const QStringList &drapeaux);

    bool valide() const { return m_erreur.isEmpty(); }
    QString erreur() const { return m_erreur; }
    const QStringList &positionnels() const { return m_positionnels; }
    bool contient(const QString &option) const { return m_valeurs.contains(option); }
    QString valeur(const QString &option, const QString &defaut = {}) const
    {
        return m_valeurs.value(option, defaut);
    }

private:
    QStringList m_positionnels;
    QHash<QString, QString> m_valeurs;
    QString m_erreur;
};

// Chooses the program folder as the program does: --dossier when given, else
// the portable copy's folder, else the documents folder's "Vestrel", created
// with the sample class the first time. False (message on stderr) when that
// folder does not exist or cannot be created.
// cree: set when the folder was created just now, with the sample class.
bool appliquerDossier(const Arguments &a, bool *cree = nullptr);

// Only the file-name part of a class marks file argument is used; ".VTC" is
// added when the name has no extension.
QString nomFichierClasse(const QString &argument);

// Loads the class; on failure prints the program's message and returns false.
bool chargerClasse(const QString &argument);

} // namespace Cli
