#include "ui/marks/panneauresultats.h"

#include "classdata/texte.h"

#include <QLabel>

TPanneauResultats::TPanneauResultats(const QString &nom, const QStringList &noms, const QString &bulle, int x,
                                     QWidget *parent)
    : QFrame(parent)
{
    setObjectName(nom);
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setGeometry(x, 5, 248, 33);
    setToolTip(bulle);
    QFont gras = font();
    gras.setBold(true);
    m_libelle = new QLabel(this);
    m_libelle->setObjectName(noms.value(0));
    m_libelle->setGeometry(6, 9, 62, 16);
    m_libelle->setFont(gras);
    const QString titres[3] = {QStringLiteral("Min"), QStringLiteral("Moy"), QStringLiteral("Max")};
    const QColor encres[3] = {Qt::red, Qt::blue, QColor(0, 128, 0)};
    for (int i = 0; i < 3; ++i) {
        auto *t = new QLabel(titres[i], this);
        t->setGeometry(72 + i * 58, 2, 54, 13);
        t->setAlignment(Qt::AlignCenter);
        m_valeurs[i] = new QLabel(this);
        m_valeurs[i]->setObjectName(noms.value(i + 1));
        m_valeurs[i]->setGeometry(72 + i * 58, 15, 54, 15);
        m_valeurs[i]->setAlignment(Qt::AlignCenter);
        m_valeurs[i]->setFont(gras);
        QPalette pal = m_valeurs[i]->palette();
        pal.setColor(QPalette::WindowText, encres[i]);
        m_valeurs[i]->setPalette(pal);
    }
}

void TPanneauResultats::setLibelle(const QString &libelle)
{
    m_libelle->setText(libelle);
}

void TPanneauResultats::afficher(double mini, double moyenne, double maxi)
{
    m_valeurs[0]->setText(NoteEnTexte(mini));
    m_valeurs[1]->setText(NoteEnTexte(moyenne));
    m_valeurs[2]->setText(NoteEnTexte(maxi));
}
