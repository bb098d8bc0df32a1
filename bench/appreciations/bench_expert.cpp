// The appreciation expert on large bases: opening on a 10 MB base and on one
// of 100,000 phrases (as the expert saves them, in order, and shuffled), and
// a click on a profile whose base was already read. Also the phrase order
// and the text of a mark against the routines they replaced.
#include "appreciations/baseappreciations.h"
#include "classdata/real48.h"
#include "classdata/texte.h"
#include "platform/dossier.h"
#include "ui/appreciations/apprform.h"
#include "ui/appreciations/listephrases.h"
#include "ui/components/radiogroupe.h"

#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <random>

namespace {

QStringList Phrases(int n, int longueurMoyenne)
{
    const QStringList mots =
        QString::fromUtf8(
            "élève sérieux travail régulier résultats très encourageants doit poursuivre ses efforts "
            "ensemble satisfaisant participation orale écrit méthode leçons apprises Ça progrès "
            "trimestre bilan inégal Bon Excellent attention dispersée appliqué à l'oral")
            .split(u' ');
    QRandomGenerator gen(42);
    QStringList r;
    r.reserve(n);
    for (int i = 0; i < n; ++i) {
        QString p;
        const int cible = longueurMoyenne / 2 + int(gen.bounded(longueurMoyenne));
        while (p.size() < cible)
            p += mots.at(int(gen.bounded(mots.size()))) + u' ';
        r << p.left(80).trimmed();
    }
    return r;
}

} // namespace

class BenchExpert : public QObject {
    Q_OBJECT
    QTemporaryDir m_dossier;
    TApprForm *m_form = nullptr;

    void ecrireBase(const QString &nom, QStringList phrases, bool enOrdre)
    {
        if (enOrdre)
            TrierPhrases(phrases);
        else
            std::shuffle(phrases.begin(), phrases.end(), std::mt19937(7));
        QFile f(CheminProgramme(nom));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(CoderBase(phrases));
    }

private slots:
    void initTestCase()
    {
        DefinirDossierProgramme(m_dossier.path());
        m_form = new TApprForm;
    }
    void cleanupTestCase() { delete m_form; }

    // Opening the expert (mark 12, trimester 1: base 12120002.VAP), list filled.
    void ouverture_data()
    {
        QTest::addColumn<int>("nombre");
        QTest::addColumn<int>("longueur");
        QTest::addColumn<bool>("enOrdre");
        QTest::newRow("10 Mo (178 500 phrases), en ordre") << 178500 << 56 << true;
        QTest::newRow("10 Mo (178 500 phrases), mélangée") << 178500 << 56 << false;
        QTest::newRow("100 000 phrases, en ordre") << 100000 << 56 << true;
        QTest::newRow("100 000 phrases, mélangée") << 100000 << 56 << false;
    }
    void ouverture()
    {
        QFETCH(int, nombre);
        QFETCH(int, longueur);
        QFETCH(bool, enOrdre);
        ecrireBase(QStringLiteral("12120002.VAP"), Phrases(nombre, longueur), enOrdre);
        // Median of 11 openings; the closing, which forgets the bases read, is
        // not counted.
        QList<double> ms;
        for (int i = 0; i < 11; ++i) {
            QElapsedTimer t;
            t.start();
            m_form->preparer(QStringLiteral("DUPONT Jean"), 12, 1);
            m_form->show();
            ms << t.nsecsElapsed() / 1e6;
            QCOMPARE(m_form->CB1->count(), nombre);
            m_form->BQuitterClick();
        }
        std::sort(ms.begin(), ms.end());
        QTest::setBenchmarkResult(ms.at(ms.size() / 2), QTest::WalltimeMilliseconds);
    }

    // A click on a profile whose base was read since the window opened.
    void clicProfilDejaLu()
    {
        ecrireBase(QStringLiteral("12120002.VAP"), Phrases(178500, 56), true);
        ecrireBase(QStringLiteral("12120003.VAP"), Phrases(100000, 40), true);
        m_form->preparer(QStringLiteral("DUPONT Jean"), 12, 1);
        m_form->show();
        int cote = 2;
        for (int i = 0; i < 2; ++i) { // both bases read once
            cote = cote == 2 ? 3 : 2;
            m_form->RG8->setItemIndex(cote);
            m_form->RG1Click();
        }
        QBENCHMARK {
            cote = cote == 2 ? 3 : 2;
            m_form->RG8->setItemIndex(cote);
            m_form->RG1Click();
        }
        QVERIFY(m_form->CB1->count() == 178500 || m_form->CB1->count() == 100000);
        m_form->BQuitterClick();
    }

    // The order of a 10 MB base: the routine of the list against sorting by
    // whole keys built once (what the list did before).
    void ordre_data()
    {
        QTest::addColumn<bool>("ancienne");
        QTest::addColumn<bool>("enOrdre");
        QTest::newRow("avant, en ordre") << true << true;
        QTest::newRow("maintenant, en ordre") << false << true;
        QTest::newRow("avant, mélangée") << true << false;
        QTest::newRow("maintenant, mélangée") << false << false;
    }
    void ordre()
    {
        QFETCH(bool, ancienne);
        QFETCH(bool, enOrdre);
        QStringList depart = Phrases(178500, 56);
        if (enOrdre)
            TrierPhrases(depart);
        QBENCHMARK {
            QStringList l = depart;
            if (ancienne)
                std::sort(l.begin(), l.end(), PhraseAvant);
            else
                TrierPhrases(l);
        }
    }

    // One million marks as text (2 decimals, then 1): today's routine against
    // the general one it replaced.
    void noteEnTexte_data()
    {
        QTest::addColumn<bool>("ancienne");
        QTest::newRow("avant") << true;
        QTest::newRow("maintenant") << false;
    }
    void noteEnTexte()
    {
        QFETCH(bool, ancienne);
        QList<double> notes;
        for (int i = 0; i < 500000; ++i)
            notes << ArrondiReal48((i % 8001) / 400.0);
        qsizetype total = 0;
        QBENCHMARK {
            for (double x : notes) {
                if (ancienne)
                    total += CadrerADroite(FormatDecimal(ArrondiReal48(x), 2), 5).size()
                        + FormatDecimal(ArrondiReal48(x), 1).size();
                else
                    total += NoteEnTexte(x).size() + NoteEnTexteCourt(x).size();
            }
        }
        QVERIFY(total > 0);
    }
};

QTEST_MAIN(BenchExpert)
#include "bench_expert.moc"
