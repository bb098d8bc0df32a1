// The mark-entry window alone, for the crash test: opens a class of a folder,
// types marks, says "pret" once the recovery journal holds them, then waits
// to be killed. Arguments: folder, class file, then cells as col:row:keys
// (X: Backspace).
#include "classdata/journal.h"
#include "platform/dossier.h"
#include "platform/horloge.h"
#include "tests/marks/saisie.h"
#include "ui/components/messages.h"
#include "ui/marks/gardeclasse.h"

#include <QApplication>

#include <cstdio>

namespace {
class PasDeBoite : public Repondeur {
public:
    Reponse repondre(const Boite &b) override
    {
        std::fprintf(stderr, "boite inattendue : %s\n", qPrintable(b.texte));
        return {BoutonNon, {}};
    }
};
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
    if (!Montrer(&f))
        return 4;
    for (int i = 3; i < args.size(); ++i) {
        const QStringList c = args.at(i).split(u':');
        Grille(f)->setCourante(c.at(0).toInt(), c.at(1).toInt());
        Grille(f)->setFocus();
        for (QChar ch : c.at(2))
            if (ch == u'X')
                QTest::keyClick(Cible(f), Qt::Key_Backspace);
            else
                Taper(f, ch);
        Entree(f);
    }
    const QList<StudentRecord> attendu = ListeEleves;
    const bool ecrit = QTest::qWaitFor(
        [&] {
            Journal j;
            return LireJournal(CheminProgramme(NomFichier), j) && j.eleves.size() == attendu.size()
                && CompterDifferences(attendu, j).vide();
        },
        20000);
    if (!ecrit)
        return 5;
    std::printf("pret\n");
    std::fflush(stdout);
    return app.exec();
}
