#include "reports/export.h"

#include "classdata/texte.h"
#include "platform/cp1252.h"
#include "platform/ecrituresure.h"
#include "platform/horloge.h"

QString SurUneLigne(QString texte)
{
    for (QChar &c : texte) {
        if (c == u'\t' || c == u'\r' || c == u'\n')
            c = u' ';
    }
    return texte;
}

QString SeparateurChamps(const QString &item)
{
    if (item == QStringLiteral("Aucun"))
        return {};
    if (item == QStringLiteral("Tab"))
        return QStringLiteral("\t");
    return item;
}

QByteArray TexteExport(const TableGrille &table, const QString &nomClasse, const QDateTime &instant,
                       const QString &separateur, bool decimalVirgule)
{
    const QString &s = separateur;
    const QString finLigne = QStringLiteral("\r\n");
    auto decimal = [decimalVirgule](QString t) {
        if (decimalVirgule)
            t.replace(u'.', u',');
        return t;
    };
    const int colonnes = table.colonnes();

    QString texte = SurUneLigne(nomClasse) + QStringLiteral("  ") + DateCourte(instant.date()) + u' '
        + HeureCourte(instant.time()) + s;
    for (int c = 1; c < colonnes; ++c)
        texte += QString(10, u' ') + s;
    texte += finLigne;

    for (int r = 0; r < table.lignes.size(); ++r) {
        const QStringList &ligne = table.lignes.at(r);
        texte += CadrerAGauche(SurUneLigne(ligne.value(0)), 26) + s;
        for (int c = 1; c < colonnes; ++c) {
            const QString cellule = SurUneLigne(ligne.value(c));
            if (r == 0)
                texte += CadrerAGauche(CadrerADroite(cellule, 8), 10);
            else if (s.isEmpty())
                texte += decimal(CadrerAGauche(CadrerADroite(cellule, 7), 10));
            else
                texte += decimal(cellule);
            texte += s;
        }
        texte += finLigne;
        if (r == 0)
            texte += finLigne;
    }
    return VersCp1252(texte);
}

QString NomExportPropose(Vue vue, const QString &nomClasse, const QDate &jour)
{
    QString nom = nomClasse;
    if (vue == Vue::Notes)
        nom = nomClasse.left(4) + DeuxChiffres(QString::number(jour.day()))
            + DeuxChiffres(QString::number(jour.month()));
    // The name field holds 8 characters at most.
    return nom.left(8);
}

bool EcrireFichierExport(const QString &chemin, const QByteArray &octets, QString *message)
{
    const QString m = EcrireFichierSur(chemin, octets);
    if (message)
        *message = m;
    return m.isEmpty();
}
