#include "platform/inifile.h"

#include "platform/cp1252.h"
#include "platform/ecrituresure.h"
#include "platform/lecturesure.h"

#include <QFile>
#include <QList>

#include <climits>

namespace Ini {
namespace {

struct Ligne {
    QByteArray texte; // without its line end
    QByteArray fin;   // "\r\n", "\n" or empty for a last line without one
};

QList<Ligne> decouper(const QByteArray &octets)
{
    QList<Ligne> lignes;
    qsizetype debut = 0;
    while (debut < octets.size()) {
        const qsizetype lf = octets.indexOf('\n', debut);
        if (lf < 0) {
            lignes.append({octets.mid(debut), {}});
            break;
        }
        qsizetype finTexte = lf;
        if (finTexte > debut && octets[finTexte - 1] == '\r')
            --finTexte;
        lignes.append({octets.mid(debut, finTexte - debut), octets.mid(finTexte, lf + 1 - finTexte)});
        debut = lf + 1;
    }
    return lignes;
}

// Only blanks and tabs surround names and values; other bytes are kept.
QString rogner(const QString &s)
{
    qsizetype d = 0, f = s.size();
    auto blanc = [](QChar c) {
        return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\r');
    };
    while (d < f && blanc(s[d]))
        ++d;
    while (f > d && blanc(s[f - 1]))
        --f;
    return s.mid(d, f - d);
}

enum class Genre { Autre, Section, Cle };
struct Analyse {
    Genre genre = Genre::Autre;
    QString nom;
    QString valeur;
};

Analyse analyser(const QByteArray &texte)
{
    const QString s = rogner(DepuisCp1252(texte));
    Analyse a;
    if (s.startsWith(QLatin1Char('['))) {
        a.genre = Genre::Section;
        qsizetype fin = s.indexOf(QLatin1Char(']'));
        a.nom = rogner(s.mid(1, fin < 0 ? -1 : fin - 1));
        return a;
    }
    const qsizetype egal = s.indexOf(QLatin1Char('='));
    if (egal > 0) {
        a.genre = Genre::Cle;
        a.nom = rogner(s.left(egal));
        a.valeur = rogner(s.mid(egal + 1));
    }
    return a;
}

bool memeNom(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Index of the first line of the section, or -1.
qsizetype chercherSection(const QList<Ligne> &lignes, const QString &section)
{
    for (qsizetype i = 0; i < lignes.size(); ++i) {
        const Analyse a = analyser(lignes[i].texte);
        if (a.genre == Genre::Section && memeNom(a.nom, section))
            return i;
    }
    return -1;
}

// false only when the file exists but cannot be read (a FIFO, a device or
// a file too large for settings included), with the platform's message.
bool lireFichier(const QString &chemin, QByteArray &octets, QString &message)
{
    bool absent = false;
    if (LireFichierBorne(chemin, TAILLE_MAX_REGLAGES, octets, message, &absent))
        return true;
    octets.clear();
    if (absent) {
        message.clear();
        return true;
    }
    return false;
}

QByteArray ligneCle(const QString &cle, const QString &valeur)
{
    QString v = valeur;
    // A line break in a value would start a new key.
    v.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    return VersCp1252(cle) + '=' + VersCp1252(v);
}

} // namespace

Fichier::Fichier(const QString &chemin)
{
    QByteArray octets;
    if (!lireFichier(chemin, octets, m_erreur))
        return; // unreadable: every key takes its default, erreur() says why
    for (const Ligne &l : decouper(octets)) {
        Analyse a = analyser(l.texte);
        if (a.genre == Genre::Section)
            m_sections.append({a.nom, {}});
        else if (a.genre == Genre::Cle && !m_sections.isEmpty())
            m_sections.last().cles.append({a.nom, a.valeur});
    }
}

QString Fichier::lireTexte(const QString &section, const QString &cle, const QString &defaut) const
{
    // Only the first section of that name counts, and in it the first key.
    for (const Section &s : m_sections) {
        if (!memeNom(s.nom, section))
            continue;
        for (const auto &[nom, valeur] : s.cles) {
            if (memeNom(nom, cle))
                return valeur;
        }
        return defaut;
    }
    return defaut;
}

int Fichier::lireEntier(const QString &section, const QString &cle, int defaut) const
{
    QString chiffres = lireTexte(section, cle, QString());
    bool negatif = false;
    if (chiffres.startsWith(QLatin1Char('-')) || chiffres.startsWith(QLatin1Char('+'))) {
        negatif = chiffres[0] == QLatin1Char('-');
        chiffres.remove(0, 1);
    }
    int base = 10;
    if (chiffres.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        base = 16;
        chiffres.remove(0, 2);
    } else if (chiffres.startsWith(QLatin1Char('$'))) {
        base = 16;
        chiffres.remove(0, 1);
    }
    if (chiffres.isEmpty())
        return defaut;
    qint64 n = 0;
    for (QChar c : chiffres) {
        const char16_t u = c.unicode();
        int chiffre = (u >= '0' && u <= '9') ? int(u - '0') : -1;
        if (base == 16 && chiffre < 0)
            chiffre = ((u | 0x20) >= 'a' && (u | 0x20) <= 'f') ? int((u | 0x20) - 'a' + 10) : -1;
        if (chiffre < 0)
            return defaut;
        n = n * base + chiffre;
        if (n > qint64(0xFFFFFFFF))
            return defaut;
    }
    if (base == 16 && !negatif)
        return int(quint32(n)); // 0xFFFFFFFF reads as -1, like a 32-bit value
    if (negatif)
        n = -n;
    if (n < INT_MIN || n > INT_MAX)
        return defaut;
    return int(n);
}

QString lireTexte(const QString &chemin, const QString &section, const QString &cle, const QString &defaut)
{
    return Fichier(chemin).lireTexte(section, cle, defaut);
}

int lireEntier(const QString &chemin, const QString &section, const QString &cle, int defaut)
{
    return Fichier(chemin).lireEntier(section, cle, defaut);
}

namespace {
QByteArray remplacerCles(const QByteArray &avant, const QString &section,
                         const QList<std::pair<QString, QString>> &cles)
{
    QList<Ligne> lignes = decouper(avant);
    const QByteArray crlf("\r\n");
    auto terminer = [&](qsizetype i) {
        if (lignes[i].fin.isEmpty())
            lignes[i].fin = crlf;
    };

    for (const auto &[cle, valeur] : cles) {
        const QByteArray nouvelle = ligneCle(cle, valeur);
        const qsizetype s = chercherSection(lignes, section);
        if (s < 0) {
            if (!lignes.isEmpty())
                terminer(lignes.size() - 1);
            lignes.append({'[' + VersCp1252(section) + ']', crlf});
            lignes.append({nouvelle, crlf});
            continue;
        }
        qsizetype derniere = s; // last non-blank line of the section
        bool remplacee = false;
        for (qsizetype i = s + 1; i < lignes.size(); ++i) {
            const Analyse a = analyser(lignes[i].texte);
            if (a.genre == Genre::Section)
                break;
            if (a.genre == Genre::Cle && memeNom(a.nom, cle)) {
                lignes[i].texte = nouvelle;
                terminer(i);
                remplacee = true;
                break;
            }
            if (!rogner(DepuisCp1252(lignes[i].texte)).isEmpty())
                derniere = i;
        }
        if (!remplacee) {
            terminer(derniere);
            lignes.insert(derniere + 1, {nouvelle, crlf});
        }
    }

    QByteArray apres;
    apres.reserve(avant.size() + 64 * cles.size());
    for (const Ligne &l : lignes)
        apres += l.texte + l.fin;
    return apres;
}

bool calculer(const QString &chemin, const QString &section, const QList<std::pair<QString, QString>> &cles,
              QByteArray &avant, QByteArray &apres, QString &message)
{
    if (!lireFichier(chemin, avant, message))
        return false;
    apres = remplacerCles(avant, section, cles);
    return true;
}
} // namespace

QByteArray contenuNeuf(const QString &section, const QList<std::pair<QString, QString>> &cles)
{
    return remplacerCles({}, section, cles);
}

bool contenuAvecCles(const QString &chemin, const QString &section,
                     const QList<std::pair<QString, QString>> &cles, QByteArray &apres, QString &message)
{
    QByteArray avant;
    return calculer(chemin, section, cles, avant, apres, message);
}

QString ecrireTextes(const QString &chemin, const QString &section,
                     const QList<std::pair<QString, QString>> &cles)
{
    QByteArray avant, apres;
    QString message;
    if (!calculer(chemin, section, cles, avant, apres, message))
        return MessageEcritureImpossible(chemin);
    if (apres == avant && QFile::exists(chemin))
        return {};
    return EcrireFichierSur(chemin, apres).isEmpty() ? QString() : MessageEcritureImpossible(chemin);
}

bool ecrireTexte(const QString &chemin, const QString &section, const QString &cle, const QString &valeur)
{
    return ecrireTextes(chemin, section, {{cle, valeur}}).isEmpty();
}

bool ecrireEntier(const QString &chemin, const QString &section, const QString &cle, int valeur)
{
    return ecrireTexte(chemin, section, cle, QString::number(valeur));
}

} // namespace Ini
