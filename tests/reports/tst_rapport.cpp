// The report text, byte for byte against expected files, and the behaviour
// around it: printer-only effects, refusal while a report is being written,
// the ending, the file sink.
#include "classetest.h"
#include "cp1252.h"
#include "horloge.h"
#include "rapport.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

namespace {

QString Attendu(const QString &nom) { return QStringLiteral(ATTENDU_DIR "/") + nom + QStringLiteral(".txt"); }

// Records what a printer would be asked besides the text.
class SortieEnregistreuse : public SortieTexte {
public:
    bool imprimante = true;
    int lignesAvantErreur = -1;
    QStringList lignes;
    QStringList evenements;
    QString courante;
    std::function<void()> aChaqueLigne;

    void ecrire(const QString &t) override
    {
        courante += t;
        evenements << QStringLiteral("texte:") + t;
    }
    void finLigne() override
    {
        lignes << std::exchange(courante, {});
        if (aChaqueLigne)
            aChaqueLigne();
    }
    bool estImprimante() const override { return imprimante; }
    void definirGras(bool g) override { evenements << (g ? QStringLiteral("gras") : QStringLiteral("maigre")); }
    void changerTaille(int d) override { evenements << QStringLiteral("taille%1").arg(d); }
    bool enErreur() const override { return lignesAvantErreur >= 0 && lignes.size() >= lignesAvantErreur; }
    QString messageErreur() const override { return enErreur() ? QStringLiteral("Disque plein") : QString(); }
};

QString Rapport(Vue vue, int span, Selecteur sel)
{
    SortieMemoire s;
    const bool ok = ImprimeVue(s, EntreesDepuisClasse(vue, span, sel));
    return ok ? s.texte() : QStringLiteral("<refusé>");
}

// Columns where a character stands in a line.
QList<int> Positions(const QString &ligne, QChar c)
{
    QList<int> p;
    for (int i = 0; i < ligne.size(); ++i)
        if (ligne.at(i) == c)
            p << i;
    return p;
}

} // namespace

class TstRapport : public QObject {
    Q_OBJECT
private slots:
    void texte_data();
    void texte();
    void colonnesAlignees_data();
    void colonnesAlignees();
    void effetsImprimanteSeulement();
    void refuseUnDeuxiemeRapport();
    void erreurDeSortieArreteLeRapport();
    void finDuRapport();
    void sortieFichier();
};

void TstRapport::texte_data()
{
    QTest::addColumn<QString>("classe");
    QTest::addColumn<int>("vue");
    QTest::addColumn<int>("span");
    QTest::addColumn<int>("sel");
    const int N = int(Vue::Notes), A = int(Vue::Appreciations), L = int(Vue::Liste);
    const int M1 = int(Selecteur::Mat1), M2 = int(Selecteur::Mat2), E = int(Selecteur::Ensemble);

    QTest::newRow("liste_une") << "une" << L << 1 << M1;
    QTest::newRow("liste_cent") << "cent" << L << 1 << M1;
    QTest::newRow("liste_vide") << "vide-une" << L << 1 << M1;

    QTest::newRow("appr_une_p1_mat1") << "une" << A << 1 << M1;
    QTest::newRow("appr_une_annee_mat1") << "une" << A << Annee << M1;
    QTest::newRow("appr_unesem_p2_mat1") << "unesem" << A << 2 << M1;
    QTest::newRow("appr_deux_p2_mat2") << "deux" << A << 2 << M2;
    QTest::newRow("appr_deux_p3_ensemble") << "deux" << A << 3 << E;
    QTest::newRow("appr_deux_annee_ensemble") << "deux" << A << Annee << E;
    QTest::newRow("appr_deuxsem_annee_mat2") << "deuxsem" << A << Annee << M2;
    QTest::newRow("appr_vide") << "vide-deux" << A << 1 << E;

    QTest::newRow("periode_une_p1") << "une" << N << 1 << M1;
    QTest::newRow("periode_unesem_p2") << "unesem" << N << 2 << M1;
    QTest::newRow("periode_deux_p1_mat1") << "deux" << N << 1 << M1;
    QTest::newRow("periode_deux_p1_mat2") << "deux" << N << 1 << M2;
    QTest::newRow("periode_deux_p1_ensemble") << "deux" << N << 1 << E;
    QTest::newRow("periode_deux_p3_mat1") << "deux" << N << 3 << M1;
    QTest::newRow("periode_deuxsem_p2_ensemble") << "deuxsem" << N << 2 << E;
    QTest::newRow("periode_vide_une") << "vide-une" << N << 1 << M1;
    QTest::newRow("periode_vide_ensemble") << "vide-deux" << N << 2 << E;

    QTest::newRow("annee_une_mat1") << "une" << N << Annee << M1;
    QTest::newRow("annee_unesem_mat1") << "unesem" << N << Annee << M1;
    QTest::newRow("annee_deux_mat2") << "deux" << N << Annee << M2;
    QTest::newRow("annee_deuxsem_mat1") << "deuxsem" << N << Annee << M1;
    QTest::newRow("annee_deux_ensemble") << "deux" << N << Annee << E;
    QTest::newRow("annee_deuxsem_ensemble") << "deuxsem" << N << Annee << E;
    QTest::newRow("annee_vide_une") << "vide-une" << N << Annee << M1;
    QTest::newRow("annee_vide_deuxsem_ensemble") << "vide-deuxsem" << N << Annee << E;
    QTest::newRow("annee_douze") << "douze" << N << Annee << M1;
}

void TstRapport::texte()
{
    QFETCH(QString, classe);
    QFETCH(int, vue);
    QFETCH(int, span);
    QFETCH(int, sel);
    QVERIFY(ClasseTest::Preparer(classe));
    const QByteArray obtenu = VersCp1252(Rapport(Vue(vue), span, Selecteur(sel)));

    const QString chemin = Attendu(QString::fromLatin1(QTest::currentDataTag()));
    QFile f(chemin);
    if (qEnvironmentVariableIsSet("VESTREL_REGENERER")) {
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(obtenu);
        QSKIP("expected file written");
    }
    QVERIFY2(f.open(QIODevice::ReadOnly), qPrintable(chemin));
    const QByteArray attendu = f.readAll();
    if (obtenu != attendu) {
        const QList<QByteArray> lo = obtenu.split('\n'), la = attendu.split('\n');
        for (int i = 0; i < qMax(lo.size(), la.size()); ++i)
            if (lo.value(i) != la.value(i))
                QFAIL(qPrintable(QStringLiteral("line %1:\n  got      [%2]\n  expected [%3]")
                                     .arg(i + 1)
                                     .arg(DepuisCp1252(lo.value(i)), DepuisCp1252(la.value(i)))));
    }
}

void TstRapport::colonnesAlignees_data()
{
    QTest::addColumn<QString>("classe");
    QTest::addColumn<int>("span");
    QTest::addColumn<int>("sel");
    const int M1 = int(Selecteur::Mat1), M2 = int(Selecteur::Mat2), E = int(Selecteur::Ensemble);
    QTest::newRow("une p1") << "une" << 1 << M1;
    QTest::newRow("deux p1 mat1") << "deux" << 1 << M1;
    QTest::newRow("deux p1 mat2") << "deux" << 1 << M2;
    QTest::newRow("deux p1 ensemble") << "deux" << 1 << E;
    QTest::newRow("une annee") << "une" << int(Annee) << M1;
    QTest::newRow("unesem annee") << "unesem" << int(Annee) << M1;
    QTest::newRow("deux annee ensemble") << "deux" << int(Annee) << E;
    QTest::newRow("deuxsem annee ensemble") << "deuxsem" << int(Annee) << E;
}

// Every bar of a student row stands on a bar of the rule, and every figure
// of the footer stands under the same column of the students' figures.
void TstRapport::colonnesAlignees()
{
    QFETCH(QString, classe);
    QFETCH(int, span);
    QFETCH(int, sel);
    QVERIFY(ClasseTest::Preparer(classe));
    // A student with every figure set, so that each column has its point.
    StudentRecord plein = ClasseTest::Eleve(QStringLiteral("PLEIN"), QStringLiteral("Max"));
    for (int p = 1; p <= 3; ++p)
        for (int a = 1; a <= 16; ++a) {
            plein.NotesMat1[p][a] = 10.5;
            plein.NotesMat2[p][a] = UneMatiere ? NO_MARK : 11.25;
        }
    ListeEleves.prepend(plein);

    const QStringList lignes = Rapport(Vue::Notes, span, Selecteur(sel)).split(QStringLiteral("\r\n"));
    const QString regle = lignes.at(1);
    const QString ligneEleve = lignes.at(2);
    QCOMPARE(lignes.at(3), regle);
    for (int p : Positions(ligneEleve, u'|'))
        QVERIFY2(regle.at(p) == u'|' || regle.at(p) == u'+', qPrintable(QString::number(p)));

    const QList<int> points = Positions(ligneEleve, u'.');
    int pieds = 0;
    for (const QString &l : lignes) {
        if (!l.startsWith(QStringLiteral("Minimum :")) && !l.startsWith(QStringLiteral("Moyenne :"))
            && !l.startsWith(QStringLiteral("Maximum :")))
            continue;
        ++pieds;
        const QList<int> p = Positions(l, u'.');
        QVERIFY(!p.isEmpty());
        for (int x : p)
            QVERIFY2(points.contains(x), qPrintable(l));
        // Under the student's averages: the last figure ends where the row ends.
        QCOMPARE(l.size(), ligneEleve.size());
    }
    if (span == Annee || sel == int(Selecteur::Ensemble))
        QCOMPARE(pieds, 3);
}

void TstRapport::effetsImprimanteSeulement()
{
    ClasseTest::UneMatiereFran(false);
    Gras = true; // the names stay the only bold text after the first one

    SortieEnregistreuse s;
    QVERIFY(ImprimeVue(s, EntreesDepuisClasse(Vue::Liste, 1, Selecteur::Mat1)));
    const int gras = int(s.evenements.count(QStringLiteral("gras")));
    QCOMPARE(gras, NbEleves());
    QCOMPARE(int(s.evenements.count(QStringLiteral("maigre"))), NbEleves());
    // Exactly the name part between the two switches.
    const int i = int(s.evenements.indexOf(QStringLiteral("gras")));
    QCOMPARE(s.evenements.at(i + 1), QStringLiteral("texte:DUPONT jean              "));
    QCOMPARE(s.evenements.at(i + 2), QStringLiteral("maigre"));

    // The widest table is one point smaller, and only that table.
    ClasseTest::DeuxMatieres(false);
    for (int sel : {int(Selecteur::Mat1), int(Selecteur::Ensemble)}) {
        SortieEnregistreuse t;
        QVERIFY(ImprimeVue(t, EntreesDepuisClasse(Vue::Notes, 1, Selecteur(sel))));
        const QStringList tailles = t.evenements.filter(QStringLiteral("taille"));
        if (sel == int(Selecteur::Ensemble)) {
            QCOMPARE(tailles, QStringList({QStringLiteral("taille-1"), QStringLiteral("taille1")}));
            QVERIFY(t.evenements.first() == QStringLiteral("taille-1"));
            QVERIFY(t.evenements.last() == QStringLiteral("taille1"));
        } else {
            QVERIFY(tailles.isEmpty());
        }
    }

    // A file gets neither.
    SortieEnregistreuse f;
    f.imprimante = false;
    QVERIFY(ImprimeVue(f, EntreesDepuisClasse(Vue::Notes, 1, Selecteur::Ensemble)));
    QVERIFY(ImprimeVue(f, EntreesDepuisClasse(Vue::Liste, 1, Selecteur::Mat1)));
    QVERIFY(f.evenements.filter(QRegularExpression(QStringLiteral("^(gras|maigre|taille)"))).isEmpty());
}

// Pending events run between two students; a report asked for meanwhile is refused.
void TstRapport::refuseUnDeuxiemeRapport()
{
    ClasseTest::UneMatiereFran(false);
    bool dedans = false, refuse = false;
    QTimer minuterie;
    minuterie.setSingleShot(true);
    connect(&minuterie, &QTimer::timeout, this, [&] {
        dedans = RapportEnCours();
        SortieMemoire autre;
        refuse = !ImprimeVue(autre, EntreesDepuisClasse(Vue::Liste, 1, Selecteur::Mat1))
            && !RapportComplet(autre, EntreesDepuisClasse(Vue::Liste, 1, Selecteur::Mat1), QDateTime::currentDateTime())
            && autre.texte().isEmpty();
    });
    minuterie.start(0);
    SortieMemoire s;
    QVERIFY(ImprimeVue(s, EntreesDepuisClasse(Vue::Notes, 1, Selecteur::Mat1)));
    QVERIFY(dedans);
    QVERIFY(refuse);
    QVERIFY(!RapportEnCours());
    // And the next one is accepted.
    SortieMemoire t;
    QVERIFY(ImprimeVue(t, EntreesDepuisClasse(Vue::Notes, 1, Selecteur::Mat1)));
    QCOMPARE(t.texte(), s.texte());
}

void TstRapport::erreurDeSortieArreteLeRapport()
{
    ClasseTest::Cent();
    SortieEnregistreuse s;
    s.imprimante = false;
    s.lignesAvantErreur = 5;
    QVERIFY(!ImprimeVue(s, EntreesDepuisClasse(Vue::Liste, 1, Selecteur::Mat1)));
    QVERIFY(s.lignes.size() < 10);
    QVERIFY(!RapportEnCours());
}

void TstRapport::finDuRapport()
{
    ClasseTest::DeuxMatieres(true);
    const QDateTime instant(QDate(2024, 12, 5), QTime(14, 3, 7));
    SortieMemoire s, vue;
    QVERIFY(RapportComplet(s, EntreesDepuisClasse(Vue::Appreciations, 2, Selecteur::Mat2), instant));
    QVERIFY(ImprimeVue(vue, EntreesDepuisClasse(Vue::Appreciations, 2, Selecteur::Mat2)));
    QCOMPARE(s.texte(), vue.texte() + QStringLiteral("\r\n05/12/2024   14:03:07\r\n"));
}

void TstRapport::sortieFichier()
{
    QTemporaryDir dossier;
    const QString chemin = dossier.filePath(QStringLiteral("a_classe.txt"));
    {
        QFile ancien(chemin);
        QVERIFY(ancien.open(QIODevice::WriteOnly));
        ancien.write("ancien contenu bien plus long que le nouveau\r\n");
    }
    SortieFichier f(chemin);
    f.ligne(QStringLiteral("Élève"));
    f.ecrire(QStringLiteral("a"));
    f.ecrire(QStringLiteral("b"));
    f.finLigne();
    QVERIFY(f.fermer());
    QFile lu(chemin);
    QVERIFY(lu.open(QIODevice::ReadOnly));
    QCOMPARE(lu.readAll(), QByteArray("\xC9l\xE8ve\r\nab\r\n"));

    // A folder that does not exist: a French message, nothing created.
    SortieFichier g(dossier.filePath(QStringLiteral("absent/a_classe.txt")));
    g.ligne(QStringLiteral("x"));
    QVERIFY(!g.fermer());
    QVERIFY(g.enErreur());
    QVERIFY(!g.messageErreur().isEmpty());
    QVERIFY(!QFile::exists(dossier.filePath(QStringLiteral("absent"))));
}

QTEST_GUILESS_MAIN(TstRapport)
#include "tst_rapport.moc"
