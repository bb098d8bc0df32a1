#pragma once
// Answers the program's boxes in tests: records every box, answers boxes that
// have a single OK button by themselves, and takes the scripted answers in
// order for every box that asks something. A question nobody scripted fails
// the running test (and is answered with No / Cancel); so do scripted answers
// still unused when the responder goes or when verifier() is called. The
// gestures ToucheEchap, ToucheEntree and CaseFermeture can be scripted too: a
// box that refuses one stays open, the refusal is counted and the next
// scripted answer is taken.
#include "ui/components/messages.h"

#include <QList>
#include <QPair>
#include <QQueue>
#include <QTest>

class RepondeurScripte : public Repondeur {
public:
    RepondeurScripte() { Messages::installerRepondeur(this); }
    ~RepondeurScripte() override
    {
        verifier();
        Messages::installerRepondeur(nullptr);
    }

    // Fails the running test if scripted answers are left; forgets them.
    void verifier()
    {
        if (!m_reponses.isEmpty())
            echec(QStringLiteral("%1 réponse(s) prévue(s) non utilisée(s)").arg(m_reponses.size()));
        m_reponses.clear();
    }

    // Next answer to a question box (Oui, Non, ...) or to an input box / file chooser.
    void prevoir(int bouton, const QString &texte = QString()) { m_reponses.enqueue({bouton, texte}); }
    // Next answer to a print dialog or a request for the default printer:
    // print into this PDF file (Annuler: prevoir(BoutonAnnuler)).
    void prevoirImpression(const QString &pdf, int copies = 1)
    {
        m_reponses.enqueue({BoutonOk, pdf, copies});
    }

    Reponse repondre(const Boite &b) override
    {
        m_boites.append(b);
        const bool question =
            b.type == TypeBoite::Saisie || b.type == TypeBoite::Fichier || (b.boutons & ~BoutonOk) != 0;
        if (!m_reponses.isEmpty() && question)
            return m_reponses.dequeue();
        if (!question)
            return {BoutonOk, {}};
        m_imprevues.append(b.texte);
        echec(QStringLiteral("boîte non prévue : ") + b.texte);
        return {(b.boutons & BoutonAnnuler) ? int(BoutonAnnuler) : int(BoutonNon), {}};
    }
    void bip() override { ++m_bips; }
    void refuse(const Boite &b, int geste) override { m_refus.append({b.texte, geste}); }

    const QList<Boite> &boites() const { return m_boites; }
    QString dernierTexte() const { return m_boites.isEmpty() ? QString() : m_boites.last().texte; }
    QStringList textes() const
    {
        QStringList l;
        for (const auto &b : m_boites)
            l << b.texte;
        return l;
    }
    int bips() const { return m_bips; }
    // Gestures a box refused (Escape or the close box on a Oui/Non question).
    int refus() const { return int(m_refus.size()); }
    QStringList imprevues() const { return m_imprevues; }
    int reponsesRestantes() const { return int(m_reponses.size()); }
    void vider()
    {
        m_boites.clear();
        m_bips = 0;
        m_imprevues.clear();
        m_reponses.clear();
        m_refus.clear();
    }

private:
    static void echec(const QString &pourquoi)
    {
        if (QTest::currentTestFunction())
            QTest::qFail(qPrintable(pourquoi), __FILE__, __LINE__);
        else
            qWarning("%s", qPrintable(pourquoi));
    }

    QQueue<Reponse> m_reponses;
    QList<Boite> m_boites;
    QStringList m_imprevues;
    QList<QPair<QString, int>> m_refus;
    int m_bips = 0;
};
