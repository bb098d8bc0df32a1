#pragma once
// The printer used as a text device: lines drawn top to bottom in a
// fixed-pitch font, a new page when the next line does not fit. Any paged
// device will do (a printer, or a PDF writer in tests).
#include "platform/sortietexte.h"

#include <QColor>
#include <QFont>
#include <QList>
#include <QPainter>

class QPagedPaintDevice;

class SortieImprimante : public SortieTexte {
public:
    // appareil must outlive the sink. police: the report's font; bold and a
    // smaller size are applied on top of it while the report asks for them.
    SortieImprimante(QPagedPaintDevice *appareil, const QFont &police, const QColor &couleur = Qt::black);
    ~SortieImprimante() override;

    // Starts the job; false (and enErreur()) when the device refuses it.
    bool ouvrir();
    // Ends the job; false when something failed on the way. Safe to call twice.
    bool fermer();

    void ecrire(const QString &texte) override;
    void finLigne() override;
    bool estImprimante() const override { return true; }
    void definirGras(bool gras) override { m_gras = gras; }
    void changerTaille(int deltaPoints) override { m_deltaTaille += deltaPoints; }
    bool enErreur() const override { return !m_message.isEmpty(); }
    QString messageErreur() const override { return m_message; }

    int pages() const { return m_pages; }

    // The report font as the print command sets it: Courier New at the class's
    // size, bold or not.
    static QFont PoliceRapport(int taille, bool gras);

private:
    struct Morceau {
        QString texte;
        QFont police;
    };
    QFont policeCourante() const;
    void echouer(const QString &message);

    QPagedPaintDevice *m_appareil;
    QFont m_police;
    QColor m_couleur;
    QPainter m_peintre;
    QList<Morceau> m_ligne;
    bool m_gras = false;
    int m_deltaTaille = 0;
    qreal m_y = 0;
    int m_pages = 0;
    bool m_ouvert = false;
    QString m_message;
};
