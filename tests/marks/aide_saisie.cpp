// A copy of the program reduced to the mark-entry window, for the crash test:
// opens a class of a folder, types marks, says "pret" once the recovery
// journal holds them, then waits to be killed.
// Arguments: folder, class file, then cells as col:row:keys (X: Backspace).
#include "classdata/classe.h"
#include "classdata/journal.h"
#include "classdata/verrouclasse.h"
#include "platform/dossier.h"
#include "platform/horloge.h"
#include "ui/components/messages.h"
#include "ui/marks/gardeclasse.h"
#include "ui/marks/grillevue.h"
#include "ui/marks/noteform.h"

#include <QApplication>
#include <QFileInfo>
#include <QLineEdit>
#include <QTest>

#include <cstdio>

namespace {

// A control of the window by its designer name.
template <class T> T *Ctl(const QObject &f, const char *nom)
{
    T *c = f.findChild<T *>(QLatin1String(nom));
    if (!c)
        qFatal("no control %s", nom);
    return c;
}

class PasDeBoite : public Repondeur {
public:
    Reponse repondre(const Boite &b) override
    {
        std::fprintf(stderr, "boite inattendue : %s\n", qPrintable(b.texte));
        return {BoutonNon, {}};
    }
};

QLineEdit *Editeur(TNoteForm &f)
{
    for (QLineEdit *e : Ctl<TStringGrid>(f, "StringGrid1")->findChildren<QLineEdit *>())
        if (e->isVisible())
            return e;
    return nullptr;
}
} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3)
        return 2;
    DefinirDossierProgramme(args.at(1));
    DefinirCheminParametresAppli(args.at(1) + QStringLiteral("/Vestrel.INI"));
    FixerHorloge(QDateTime(QDate(2026, 12, 7), QTime(10, 42)));
    PasDeBoite repondeur;
    Messages::installerRepondeur(&repondeur);
    if (!charger(args.at(2)).ok)
        return 3;
    GardeClasse::DelaiJournal = 10;
    TNoteForm f;
    f.show();
    if (!QTest::qWaitForWindowExposed(&f))
        return 4;
    for (int i = 3; i < args.size(); ++i) {
        const QStringList c = args.at(i).split(u':');
        Ctl<TStringGrid>(f, "StringGrid1")->setCourante(c.at(0).toInt(), c.at(1).toInt());
        Ctl<TStringGrid>(f, "StringGrid1")->setFocus();
        for (QChar ch : c.at(2)) {
            QWidget *cible = Editeur(f);
            QWidget *w = cible ? cible : static_cast<QWidget *>(Ctl<TStringGrid>(f, "StringGrid1"));
            if (ch == u'X')
                QTest::keyClick(w, Qt::Key_Backspace);
            else
                QTest::keyClick(w, ch.toLatin1());
        }
        QWidget *cible = Editeur(f);
        QTest::keyClick(cible ? cible : static_cast<QWidget *>(Ctl<TStringGrid>(f, "StringGrid1")),
                        Qt::Key_Return);
    }
    const QString chemin = CheminProgramme(NomFichier);
    const QList<StudentRecord> attendu = ListeEleves;
    const bool ecrit = QTest::qWaitFor(
        [&] {
            Journal j;
            if (!LireJournal(chemin, j) || j.eleves.size() != attendu.size())
                return false;
            return CompterDifferences(attendu, j).vide();
        },
        20000);
    if (!ecrit)
        return 5;
    std::printf("pret\n");
    std::fflush(stdout);
    return app.exec();
}
