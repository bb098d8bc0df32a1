#pragma once
// A destination for report text, line by line: a file or the printer used as
// a text device. Lines are single-byte Windows-1252 text ended by CR LF.
#include <QString>

class SortieTexte {
public:
    virtual ~SortieTexte() = default;
    // Appends text to the current line.
    virtual void ecrire(const QString &texte) = 0;
    // Ends the current line.
    virtual void finLigne() = 0;
    void ligne(const QString &texte)
    {
        ecrire(texte);
        finLigne();
    }

    // Only the printer honours these: bold names in the list, a smaller font
    // for the widest table.
    virtual bool estImprimante() const { return false; }
    virtual void definirGras(bool) { }
    virtual void changerTaille(int /*deltaPoints*/) { }

    // False once a write has failed; the rest is then discarded.
    virtual bool enErreur() const = 0;
    virtual QString messageErreur() const = 0;
};

// Text file sink: collects the lines and writes them through a temporary file
// renamed into place by fermer().
class SortieFichier : public SortieTexte {
public:
    explicit SortieFichier(const QString &chemin);
    void ecrire(const QString &texte) override;
    void finLigne() override;
    bool enErreur() const override { return !m_message.isEmpty(); }
    QString messageErreur() const override { return m_message; }
    // Writes the file; false with messageErreur() set on failure.
    bool fermer();
    const QByteArray &contenu() const { return m_contenu; }

private:
    QString m_chemin;
    QByteArray m_contenu;
    QString m_message;
};

// Memory sink, for the command-line tool and tests.
class SortieMemoire : public SortieTexte {
public:
    void ecrire(const QString &texte) override { m_texte += texte; }
    void finLigne() override { m_texte += QStringLiteral("\r\n"); }
    bool enErreur() const override { return false; }
    QString messageErreur() const override { return {}; }
    const QString &texte() const { return m_texte; }

private:
    QString m_texte;
};
