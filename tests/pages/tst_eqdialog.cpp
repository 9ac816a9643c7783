// The insert-EQ editor: every change of a band is stored in the program and
// reaches the module, reset puts all four bands back, and an open editor
// left alone does no work.

#include "TestSupport.h"
#include "WindowFixture.h"
#include "QMyParametricEqPlot.h"
#include "TProgram.h"
#include "eqDialog.h"

#include <QSignalSpy>

#include <cmath>

namespace {

// Opens the editor on the current program and lets `user` act in it.
void openEditor(WindowFixture& f, const std::function<void(eqDialog*, QMyParametricEqPlot*)>& user)
{
    f.prompts.onExec = [&](QDialog* d) {
        user(qobject_cast<eqDialog*>(d), d->findChild<QMyParametricEqPlot*>("eqPlot"));
        return int(QDialog::Accepted);
    };
    f.window->onEqEditButtonClicked();
}

} // namespace

class TestEqDialog : public QObject
{
    Q_OBJECT
private slots:
    // A drag step or a type chosen from the menu, as the graph reports it,
    // on a band of frequency word 1004 and gain word 1003 (words that
    // truncation alone would turn into one less on the way through the
    // graph); NaN and -1 stand for the band's value as the editor shows it.
    void changeStoresAndSends_data()
    {
        QTest::addColumn<int>("band");
        QTest::addColumn<int>("typeByte");
        QTest::addColumn<double>("freq");
        QTest::addColumn<double>("gain");
        QTest::addColumn<int>("type");
        QTest::addColumn<QList<int>>("stored"); // type byte, frequency word, gain word
        QTest::addColumn<QStringList>("frames");
        const double shown = std::nan("");
        const int peak = QMyParametricEq::PeakingFilter, off = QMyParametricEq::NoFilter;
        QTest::newRow("1000 Hz, 0 dB") << 1 << 4 << 1000.0 << 0.0 << peak << QList<int> { 4, 803, 8191 }
                                       << QStringList { "21:25 01 03 23", "21:27 01 1f ff" };
        QTest::newRow("top right end") << 3 << 4 << 20000.0 << 24.0 << peak << QList<int> { 4, 16383, 16383 }
                                       << QStringList { "21:25 03 3f ff", "21:27 03 3f ff" };
        QTest::newRow("off chosen") << 2 << 4 << shown << shown << off << QList<int> { 0, 1004, 1003 }
                                    << QStringList { "21:24 02 00" };
        QTest::newRow("nothing moved") << 2 << 0 << shown << shown << -1 << QList<int> { 0, 1004, 1003 }
                                       << QStringList();
        // A byte the graph has no type for stays when the band is only dragged.
        QTest::newRow("unknown byte dragged") << 1 << 9 << 1000.0 << 0.0 << -1 << QList<int> { 9, 803, 8191 }
                                              << QStringList { "21:25 01 03 23", "21:27 01 1f ff" };
    }

    void changeStoresAndSends()
    {
        QFETCH(int, band);
        QFETCH(int, typeByte);
        QFETCH(double, freq);
        QFETCH(double, gain);
        QFETCH(int, type);
        QFETCH(QStringList, frames);
        WindowFixture f;
        QVERIFY(f.connect());
        TInsert& eq = programPtr->insert;
        eq.eqType[band] = quint8(typeByte);
        eq.eqFreq[band] = 1004;
        eq.eqGain[band] = 1003;
        f.module.clearLog();
        openEditor(f, [&](eqDialog*, QMyParametricEqPlot* plot) {
            const QMyParametricEq* b = plot->band(band);
            emit plot->eqChanged(band, std::isnan(freq) ? b->getFrequency() : freq,
                                 std::isnan(gain) ? b->getGain() : gain, b->getQ(),
                                 type < 0 ? b->getType() : QMyParametricEq::Type(type));
        });
        QTEST((QList<int> { eq.eqType[band], eq.eqFreq[band], eq.eqGain[band] }), "stored");
        waitFor([&] { return f.frames().size() >= frames.size(); }, 2000);
        QTest::qWait(50);
        QCOMPARE(f.frames(), frames);
    }

    // The graph is drawn once it is shown and then left alone: no drawing
    // asks for the next.
    void idleEditorDoesNoWork()
    {
        WindowFixture f;
        bool drawn = false;
        qsizetype replots = -1;
        openEditor(f, [&](eqDialog* dialog, QMyParametricEqPlot* plot) {
            dialog->show();
            drawn = waitFor([&] { return plot->graphCount() == 4 && plot->graph(3)->dataCount() > 0; });
            QTest::qWait(100);
            QSignalSpy spy(plot, &QCustomPlot::afterReplot);
            QTest::qWait(1000);
            replots = spy.size();
        });
        QVERIFY(drawn);
        QVERIFY2(replots <= 1, qPrintable(QString("%1 replots").arg(replots)));
    }

    // Peak, about 996 Hz, Q 1.0 and 0 dB, stored and sent band by band.
    void resetSendsEveryBand()
    {
        WindowFixture f;
        QVERIFY(f.connect());
        TInsert& eq = programPtr->insert;
        for (int b = 0; b < 4; ++b) {
            eq.eqType[b] = quint8(b);
            eq.eqFreq[b] = eq.eqQ[b] = eq.eqGain[b] = quint16(100 * b);
        }
        f.module.clearLog();
        f.window->onEqResetButtonClicked();

        QStringList expected;
        for (int b = 0; b < 4; ++b) {
            expected << QString::asprintf("21:24 %02x 04", b) << QString::asprintf("21:25 %02x 03 20", b)
                     << QString::asprintf("21:26 %02x 03 a6", b) << QString::asprintf("21:27 %02x 1f ff", b);
            QCOMPARE((QList<int> { eq.eqType[b], eq.eqFreq[b], eq.eqQ[b], eq.eqGain[b] }),
                     (QList<int> { 4, 800, 934, 8191 }));
        }
        QVERIFY(waitFor([&] { return f.frames().size() >= 16; }, 2000));
        QCOMPARE(f.frames(), expected);
    }
};

LYR_TEST_MAIN(TestEqDialog)
#include "tst_eqdialog.moc"
