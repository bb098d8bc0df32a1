#include "classdata/journal.h"

#include "classdata/verrouclasse.h"
#include "platform/dossier.h"
#include "platform/ecrituresure.h"
#include "platform/lecturesure.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QHash>

namespace {

const QByteArray Entete = QByteArrayLiteral("VESTREL-JOURNAL 1\n");

// Index in j of each record of fichier, -1 when the student is not in the journal.
QList<int> Correspondances(const QList<StudentRecord> &fichier, const QList<StudentRecord> &journal)
{
    QHash<QString, QList<int>> places;
    for (int i = 0; i < journal.size(); ++i)
        places[journal.at(i).Nom + u'\n' + journal.at(i).Prenom].append(i);
    QHash<QString, int> vus;
    QList<int> r;
    r.reserve(fichier.size());
    for (const StudentRecord &e : fichier) {
        const QString cle = e.Nom + u'\n' + e.Prenom;
        const int n = vus[cle]++;
        const QList<int> &p = places[cle];
        r.append(n < p.size() ? p.at(n) : -1);
    }
    return r;
}

template <typename F> void PourChaqueCase(F f)
{
    for (int m = 1; m <= 2; ++m)
        for (int p = 1; p <= NB_PERIODES_MAX; ++p)
            for (int d = 1; d <= NB_DEVOIRS; ++d)
                f(m, p, d);
}

QString Pluriel(int n, const QString &mot)
{
    return QString::number(n) + u' ' + mot + (n > 1 ? QStringLiteral("s") : QString());
}

} // namespace

QByteArray CoderJournal(const Journal &j)
{
    QByteArray corps;
    corps.reserve(j.eleves.size() * TAILLE_ENREGISTREMENT);
    for (const StudentRecord &e : j.eleves)
        corps += CoderEleve(e);
    QByteArray o = Entete;
    o += "classe=" + j.nomFichier.toUtf8() + '\n';
    o += "instant=" + j.instant.toString(Qt::ISODate).toLatin1() + '\n';
    o += "eleves=" + QByteArray::number(j.eleves.size()) + '\n';
    if (j.coefsDeplaces()) {
        o += "coefs=" + (j.coefs[1] + u'|' + j.coefs[2] + u'|' + j.coefs[3]).toUtf8() + '\n';
        o += "dates=" + (j.dates[1] + u'|' + j.dates[2] + u'|' + j.dates[3]).toUtf8() + '\n';
    }
    o += "controle=" + QCryptographicHash::hash(corps, QCryptographicHash::Sha256).toHex() + '\n';
    o += '\n';
    o += corps;
    return o;
}

bool DecoderJournal(const QByteArray &octets, Journal &j)
{
    j = Journal();
    if (!octets.startsWith(Entete))
        return false;
    const qsizetype fin = octets.indexOf("\n\n");
    if (fin < 0)
        return false;
    QHash<QByteArray, QByteArray> champs;
    for (const QByteArray &l : octets.mid(Entete.size(), fin - Entete.size()).split('\n')) {
        const qsizetype egal = l.indexOf('=');
        if (egal > 0)
            champs.insert(l.left(egal), l.mid(egal + 1));
    }
    bool ok = false;
    const qint64 nombre = champs.value("eleves").toLongLong(&ok);
    if (!ok || nombre < 0 || nombre > NB_ELEVES_MAX)
        return false;
    const QByteArray corps = octets.mid(fin + 2);
    if (corps.size() != nombre * TAILLE_ENREGISTREMENT)
        return false;
    if (QCryptographicHash::hash(corps, QCryptographicHash::Sha256).toHex() != champs.value("controle"))
        return false;
    j.instant = QDateTime::fromString(QString::fromLatin1(champs.value("instant")), Qt::ISODate);
    j.nomFichier = QString::fromUtf8(champs.value("classe"));
    if (!j.instant.isValid())
        return false;
    if (champs.contains("coefs")) {
        const QStringList c = QString::fromUtf8(champs.value("coefs")).split(u'|');
        const QStringList d = QString::fromUtf8(champs.value("dates")).split(u'|');
        if (c.size() != 3 || d.size() != 3)
            return false;
        for (int p = 1; p <= 3; ++p) {
            j.coefs[p] = c.at(p - 1);
            j.dates[p] = d.at(p - 1);
        }
    }
    for (qint64 n = 0; n < nombre; ++n)
        j.eleves.append(DecoderEleve(corps.mid(n * TAILLE_ENREGISTREMENT, TAILLE_ENREGISTREMENT)));
    return true;
}

QString EcrireJournal(const Journal &j)
{
    return EcrireFichierSur(CheminJournal(CheminProgramme(j.nomFichier)), CoderJournal(j));
}

bool LireJournal(const QString &cheminClasse, Journal &j)
{
    // A whole class is below 200 KiB: anything far larger is not a journal.
    QByteArray octets;
    QString message;
    if (!LireFichierBorne(CheminJournal(cheminClasse), 1024 * 1024, octets, message))
        return false;
    return DecoderJournal(octets, j);
}

bool SupprimerJournal(const QString &cheminClasse)
{
    const QString chemin = CheminJournal(cheminClasse);
    return !QFileInfo::exists(chemin) || QFile::remove(chemin);
}

bool JournalPlusRecent(const QString &cheminClasse)
{
    const QFileInfo journal(CheminJournal(cheminClasse));
    if (!journal.isFile())
        return false;
    const QFileInfo classe(cheminClasse);
    // File times tick coarsely: a journal written in the same tick as the class
    // still came after it (a save removes the journal).
    return !classe.exists() || journal.lastModified() >= classe.lastModified();
}

DifferencesJournal CompterDifferences(const QList<StudentRecord> &fichier, const Journal &j,
                                      const QString coefsFichier[4])
{
    DifferencesJournal d;
    if (j.coefsDeplaces())
        for (int p = 1; p <= 3; ++p)
            d.coefs = d.coefs || !coefsFichier || j.coefs[p] != coefsFichier[p];
    const QList<int> c = Correspondances(fichier, j.eleves);
    for (int i = 0; i < fichier.size(); ++i) {
        if (c.at(i) < 0)
            continue;
        const StudentRecord &x = fichier.at(i);
        const StudentRecord &y = j.eleves.at(c.at(i));
        PourChaqueCase([&](int m, int p, int s) {
            if (x.note(m, p, s) != y.note(m, p, s))
                ++d.notes;
        });
        for (int v = 1; v <= 3; ++v)
            for (int p = 1; p <= 4; ++p)
                if (x.Appreciations[v][p] != y.Appreciations[v][p])
                    ++d.appreciations;
    }
    return d;
}

QList<StudentRecord> AppliquerJournal(const QList<StudentRecord> &fichier, const Journal &j)
{
    QList<StudentRecord> r = fichier;
    const QList<int> c = Correspondances(fichier, j.eleves);
    for (int i = 0; i < r.size(); ++i) {
        if (c.at(i) < 0)
            continue;
        StudentRecord &x = r[i];
        const StudentRecord &y = j.eleves.at(c.at(i));
        PourChaqueCase([&](int m, int p, int s) { x.note(m, p, s) = y.note(m, p, s); });
        for (int v = 1; v <= 3; ++v)
            for (int p = 1; p <= 4; ++p)
                x.Appreciations[v][p] = y.Appreciations[v][p];
    }
    return r;
}

QString TexteRecuperation(const Journal &j, const DifferencesJournal &d)
{
    const QDateTime t = j.instant.toLocalTime();
    QString texte =
        QStringLiteral("Des modifications non enregistrées du %1 à %2 ont été retrouvées. "
                       "Voulez-vous les récupérer ?\r\n\r\n%3 et %4 diffèrent de la classe enregistrée.")
            .arg(t.toString(QStringLiteral("dd/MM")), t.toString(QStringLiteral("HH:mm")),
                 Pluriel(d.notes, QStringLiteral("note")),
                 Pluriel(d.appreciations, QStringLiteral("appréciation")));
    if (d.coefs)
        texte += QStringLiteral(
            "\r\nDes colonnes de devoirs avaient été déplacées : leurs coefficients le seront aussi.");
    return texte;
}
