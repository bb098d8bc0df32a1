#pragma once
// The mark-entry window driven by its designer names and by the keyboard.
#include "classdata/classe.h"
#include "tests/common/classeessai.h"
#include "tests/common/repondeurscripte.h"
#include "ui/components/fenetres.h"
#include "ui/marks/grillevue.h"
#include "ui/marks/noteform.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QTest>

using namespace Qt::StringLiterals;

const QStringList TroisEleves{u"DUPONT Jean"_s, u"MARTIN Paul"_s, u"ZOLA Emile"_s};

// The students of a class file, none if it cannot be read.
inline QList<StudentRecord> LireClasse(const QString &chemin)
{
    QList<StudentRecord> l;
    return LireEleves(chemin, l).ok ? l : QList<StudentRecord>();
}

template <class T = QWidget> T *Ctl(const QObject &f, const char *nom)
{
    T *c = f.findChild<T *>(QLatin1String(nom));
    if (!c)
        qFatal("no control %s", nom);
    return c;
}

inline TStringGrid *Grille(const QObject &f)
{
    return Ctl<TStringGrid>(f, "StringGrid1");
}

inline QString Cell(const QObject &f, int col, int row)
{
    return Grille(f)->Cells(col, row);
}

inline void Clic(const QObject &f, const char *bouton)
{
    Ctl<QAbstractButton>(f, bouton)->click();
}

inline QLineEdit *Editeur(const QObject &f)
{
    for (QLineEdit *e : Grille(f)->findChildren<QLineEdit *>())
        if (e->isVisible())
            return e;
    return nullptr;
}

// What a key typed now reaches: the open cell editor, else the grid.
inline QWidget *Cible(const QObject &f)
{
    return Editeur(f) ? static_cast<QWidget *>(Editeur(f)) : Grille(f);
}

inline void Taper(const QObject &f, const QString &touches)
{
    for (QChar c : touches)
        QTest::keyClick(Cible(f), c.toLatin1());
}

inline void Entree(const QObject &f)
{
    QTest::keyClick(Cible(f), Qt::Key_Return);
}

// A mark typed in a cell, then Enter.
inline void Saisir(const QObject &f, int col, int row, const QString &texte)
{
    Grille(f)->setCourante(col, row);
    Taper(f, texte);
    Entree(f);
}

// Shown as the main menu shows it, the grid holding the keyboard.
inline bool Montrer(TNoteForm *f)
{
    f->show();
    if (!QTest::qWaitForWindowExposed(f))
        return false;
    f->activateWindow();
    Grille(*f)->setFocus();
    return true;
}

// Three students, the boxes answered by script; the window opened, and those it
// opened, go with it.
struct BancNotes {
    ClasseEssai classe;
    RepondeurScripte rep;
    std::unique_ptr<TNoteForm> f;

    BancNotes() { ClasseEssai::construire(false, true, TroisEleves); }
    ~BancNotes()
    {
        f.reset();
        Fenetres::detruireTout();
    }
    TNoteForm &ouvrir()
    {
        f = std::make_unique<TNoteForm>();
        if (!Montrer(f.get()))
            qFatal("window not shown");
        return *f;
    }
};
