// The report text, byte for byte against expected files, and what goes with
// it: columns lined up, printer-only effects, refusal while a report is being
// written, the ending, the file sink.
#include "platform/cp1252.h"
#include "reports/rapport.h"
#include "tests/common/classeessai.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

// Records what a printer would be asked besides the text.
class SortieEnregistreuse : public SortieMemoire {
public:
    bool imprimante = true;
    QStringList effets;
    bool estImprimante() const override { return imprimante; }
    void definirGras(bool g) override { effets << (g ? QStringLiteral("gras") : QStringLiteral("maigre")); }
    void changerTaille(int d) override { effets << QString::number(d); }
    void ecrire(const QString &t) override
    {
        if (!effets.isEmpty() && effets.last() == u"gras")
            effets << t;
        SortieMemoire::ecrire(t);
    }
};

QString Rapport(Vue vue, int span, Selecteur sel)
{
    SortieMemoire s;
    return ImprimeVue(s, EntreesDepuisClasse(vue, span, sel)) ? s.texte() : QStringLiteral("<refusé>");
}

} // namespace

class TstRapport : public QObject {
    Q_OBJECT
private slots:
    void texte_data();
    void texte();
    void colonnesAlignees_data() { texte_data(); }
    void colonnesAlignees();
    void effetsImprimanteSeulement();
    void refuseUnDeuxiemeRapport();
    void finEtFichier();
};

void TstRapport::texte_data()
{
    QTest::addColumn<QString>("classe");
    QTest::addColumn<int>("vue");
    QTest::addColumn<int>("span");
    QTest::addColumn<int>("sel");
    const int N = int(Vue::Notes), A = int(Vue::Appreciations), L = int(Vue::Liste), Y = Annee;
    const int M1 = int(Selecteur::Mat1), M2 = int(Selecteur::Mat2), E = int(Selecteur::Ensemble);
    const struct {
        const char *nom, *classe;
        int vue, span, sel;
    } cas[] = {
        {"liste_une", "une", L, 1, M1},
        {"liste_cent", "cent", L, 1, M1},
        {"liste_vide", "vide-une", L, 1, M1},
        {"appr_une_p1_mat1", "une", A, 1, M1},
        {"appr_une_annee_mat1", "une", A, Y, M1},
        {"appr_unesem_p2_mat1", "unesem", A, 2, M1},
        {"appr_deux_p2_mat2", "deux", A, 2, M2},
        {"appr_deux_p3_ensemble", "deux", A, 3, E},
        {"appr_deux_annee_ensemble", "deux", A, Y, E},
        {"appr_deuxsem_annee_mat2", "deuxsem", A, Y, M2},
        {"appr_vide", "vide-deux", A, 1, E},
        {"periode_une_p1", "une", N, 1, M1},
        {"periode_unesem_p2", "unesem", N, 2, M1},
        {"periode_deux_p1_mat1", "deux", N, 1, M1},
        {"periode_deux_p1_mat2", "deux", N, 1, M2},
        {"periode_deux_p1_ensemble", "deux", N, 1, E},
        {"periode_deux_p3_mat1", "deux", N, 3, M1},
        {"periode_deuxsem_p2_ensemble", "deuxsem", N, 2, E},
        {"periode_vide_une", "vide-une", N, 1, M1},
        {"periode_vide_ensemble", "vide-deux", N, 2, E},
        {"annee_une_mat1", "une", N, Y, M1},
        {"annee_unesem_mat1", "unesem", N, Y, M1},
        {"annee_deux_mat2", "deux", N, Y, M2},
        {"annee_deuxsem_mat1", "deuxsem", N, Y, M1},
        {"annee_deux_ensemble", "deux", N, Y, E},
        {"annee_deuxsem_ensemble", "deuxsem", N, Y, E},
        {"annee_vide_une", "vide-une", N, Y, M1},
        {"annee_vide_deuxsem_ensemble", "vide-deuxsem", N, Y, E},
        {"annee_douze", "douze", N, Y, M1},
    };
    for (const auto &c : cas)
        QTest::newRow(c.nom) << QString::fromLatin1(c.classe) << c.vue << c.span << c.sel;
}

// One expected file per case; VESTREL_REGENERER=1 writes them instead (to be read over before committing).
void TstRapport::texte()
{
    QFETCH(QString, classe);
    QFETCH(int, vue);
    QFETCH(int, span);
    QFETCH(int, sel);
    QVERIFY(ClasseEssai::Preparer(classe));
    const QByteArray obtenu = VersCp1252(Rapport(Vue(vue), span, Selecteur(sel)));
    QFile f(QStringLiteral(ATTENDU_DIR "/%1.txt").arg(QString::fromLatin1(QTest::currentDataTag())));
    if (qEnvironmentVariableIsSet("VESTREL_REGENERER")) {
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(obtenu) == obtenu.size());
        QSKIP("expected file written");
    }
    QVERIFY2(f.open(QIODevice::ReadOnly), qPrintable(f.fileName()));
    QCOMPARE(DepuisCp1252(obtenu).split(u'\n'), DepuisCp1252(f.readAll()).split(u'\n'));
}

// With a student who has every figure: each bar of a row stands on a bar of
// the rule, each figure of a footer under a figure of the row.
void TstRapport::colonnesAlignees()
{
    QFETCH(QString, classe);
    QFETCH(int, vue);
    QFETCH(int, span);
    QFETCH(int, sel);
    if (vue != int(Vue::Notes) || classe.startsWith(u"vide"))
        QSKIP("not a marks table of a class with students");
    QVERIFY(ClasseEssai::Preparer(classe));
    StudentRecord plein = ClasseEssai::Eleve(QStringLiteral("PLEIN"), QStringLiteral("Max"));
    for (int p = 1; p <= 3; ++p)
        for (int a = 1; a <= 16; ++a) {
            plein.NotesMat1[p][a] = 10.5;
            plein.NotesMat2[p][a] = UneMatiere ? NO_MARK : 11.25;
        }
    ListeEleves.prepend(plein);
    const QStringList lignes = Rapport(Vue::Notes, span, Selecteur(sel)).split(QStringLiteral("\r\n"));
    const QString &regle = lignes.at(1), &ligne = lignes.at(2);
    QCOMPARE(lignes.at(3), regle);
    for (int i = 0; i < ligne.size(); ++i) {
        if (ligne.at(i) == u'|')
            QVERIFY2(regle.at(i) == u'|' || regle.at(i) == u'+', qPrintable(QString::number(i)));
        for (const QString &l : lignes)
            if (i < l.size() && l.at(i) == u'.'
                && l.contains(QRegularExpression(QStringLiteral("^(Minimum|Moyenne|Maximum) :"))))
                QVERIFY2(ligne.at(i) == u'.', qPrintable(l));
    }
}

void TstRapport::effetsImprimanteSeulement()
{
    // The names are bold, and only they, even when the class prints in bold.
    ClasseEssai::UneMatiereFran(false);
    Gras = true;
    SortieEnregistreuse liste;
    QVERIFY(ImprimeVue(liste, EntreesDepuisClasse(Vue::Liste, 1, Selecteur::Mat1)));
    QCOMPARE(liste.effets.mid(0, 6),
             QStringList({"gras", "DUPONT jean              ", "maigre", "gras", "MARTIN Élodie            ",
                          "maigre"}));
    QCOMPARE(liste.effets.size(), 3 * NbEleves());

    // The widest table one point smaller, from its title to its footer.
    ClasseEssai::DeuxMatieres(false);
    for (Selecteur sel : {Selecteur::Mat1, Selecteur::Mat2, Selecteur::Ensemble}) {
        SortieEnregistreuse s;
        QVERIFY(ImprimeVue(s, EntreesDepuisClasse(Vue::Notes, 2, sel)));
        QCOMPARE(s.effets, sel == Selecteur::Ensemble ? QStringList({"-1", "1"}) : QStringList());
    }
    // A file gets neither.
    SortieEnregistreuse f;
    f.imprimante = false;
    QVERIFY(ImprimeVue(f, EntreesDepuisClasse(Vue::Notes, 1, Selecteur::Ensemble)));
    QVERIFY(ImprimeVue(f, EntreesDepuisClasse(Vue::Liste, 1, Selecteur::Mat1)));
    QVERIFY(f.effets.isEmpty());
}

// Pending events may run between students; a report asked for then is refused.
void TstRapport::refuseUnDeuxiemeRapport()
{
    ClasseEssai::UneMatiereFran(false);
    bool dedans = false, refuse = false;
    QTimer minuterie;
    minuterie.setSingleShot(true);
    connect(&minuterie, &QTimer::timeout, this, [&] {
        dedans = RapportEnCours();
        SortieMemoire autre;
        const EntreesRapport e = EntreesDepuisClasse(Vue::Liste, 1, Selecteur::Mat1);
        refuse = !ImprimeVue(autre, e) && !RapportComplet(autre, e, QDateTime()) && autre.texte().isEmpty();
    });
    minuterie.start(0);
    SortieMemoire sortie;
    EntreesRapport e = EntreesDepuisClasse(Vue::Notes, 1, Selecteur::Mat1);
    e.entreEleves = [] { QCoreApplication::processEvents(); };
    QVERIFY(ImprimeVue(sortie, e));
    const QString premier = sortie.texte();
    QVERIFY(dedans && refuse && !RapportEnCours());
    QCOMPARE(Rapport(Vue::Notes, 1, Selecteur::Mat1), premier); // the next one is accepted
}

void TstRapport::finEtFichier()
{
    ClasseEssai::DeuxMatieres(true);
    const EntreesRapport e = EntreesDepuisClasse(Vue::Appreciations, 2, Selecteur::Mat2);
    QTemporaryDir dossier;
    const QString chemin = dossier.filePath(QStringLiteral("a_classe.txt"));
    SortieFichier f(chemin);
    QVERIFY(RapportComplet(f, e, QDateTime(QDate(2024, 12, 5), QTime(14, 3, 7))));
    QVERIFY(f.fermer());
    QFile lu(chemin);
    QVERIFY(lu.open(QIODevice::ReadOnly));
    QCOMPARE(lu.readAll(),
             VersCp1252(Rapport(Vue::Appreciations, 2, Selecteur::Mat2)) + "\r\n05/12/2024   14:03:07\r\n");

    // A folder that does not exist: a message, nothing created.
    SortieFichier g(dossier.filePath(QStringLiteral("absent/a_classe.txt")));
    g.ligne(QStringLiteral("x"));
    QVERIFY(!g.fermer() && g.enErreur() && !g.messageErreur().isEmpty());
    QVERIFY(!QFile::exists(dossier.filePath(QStringLiteral("absent"))));
}

QTEST_GUILESS_MAIN(TstRapport)
#include "tst_rapport.moc"
