#pragma once
// Answers the program's boxes in tests: records every box, answers boxes that
// have a single OK button by themselves, and takes the scripted answers in
// order for every box that asks something. A question nobody scripted is
// recorded as a fault and answered with No / Cancel.
#include "messages.h"

#include <QList>
#include <QQueue>

class RepondeurScripte : public Repondeur {
public:
    RepondeurScripte() { Messages::installerRepondeur(this); }
    ~RepondeurScripte() override { Messages::installerRepondeur(nullptr); }

    // Next answer to a question box (Oui, Non, ...) or to an input box / file chooser.
    void prevoir(int bouton, const QString &texte = QString()) { m_reponses.enqueue({bouton, texte}); }
    // Next answer to a print dialog or a request for the default printer:
    // print into this PDF file (Annuler: prevoir(BoutonAnnuler)).
    void prevoirImpression(const QString &pdf, int copies = 1) { m_reponses.enqueue({BoutonOk, pdf, copies}); }

    Reponse repondre(const Boite &b) override
    {
        m_boites.append(b);
        const bool question = b.type == TypeBoite::Saisie || b.type == TypeBoite::Fichier
            || (b.boutons & ~BoutonOk) != 0;
        if (!m_reponses.isEmpty() && (question || m_reponsesPourOk))
            return m_reponses.dequeue();
        if (!question)
            return {BoutonOk, {}};
        m_imprevues.append(b.texte);
        return {(b.boutons & BoutonAnnuler) ? int(BoutonAnnuler) : int(BoutonNon), {}};
    }
    void bip() override { ++m_bips; }

    const QList<Boite> &boites() const { return m_boites; }
    QString dernierTexte() const { return m_boites.isEmpty() ? QString() : m_boites.last().texte; }
    QStringList textes() const
    {
        QStringList l;
        for (const auto &b : m_boites) l << b.texte;
        return l;
    }
    int bips() const { return m_bips; }
    QStringList imprevues() const { return m_imprevues; }
    int reponsesRestantes() const { return int(m_reponses.size()); }
    void vider() { m_boites.clear(); m_bips = 0; m_imprevues.clear(); m_reponses.clear(); }
    // Let scripted answers apply to OK-only boxes too (rarely needed).
    void reponsesPourOk(bool v) { m_reponsesPourOk = v; }

private:
    QQueue<Reponse> m_reponses;
    QList<Boite> m_boites;
    QStringList m_imprevues;
    int m_bips = 0;
    bool m_reponsesPourOk = false;
};
