// The insert-EQ editor: it opens on the program's bands, every change of a
// band is stored in the program and reaches the module, reset puts all four
// bands back, and an open editor left alone does no work.

#include "TestSupport.h"
#include "WindowFixture.h"
#include "QMyParametricEqPlot.h"
#include "TProgram.h"
#include "eqDialog.h"

#include <QMouseEvent>

#include <cmath>
#include <functional>

namespace {

using User = std::function<void(eqDialog*, QMyParametricEqPlot*)>;

// Opens the editor on the current program and lets `user` act in it.
void openEditor(WindowFixture& f, const User& user)
{
    f.prompts.onExec = [&](QDialog* d) {
        auto* dialog = qobject_cast<eqDialog*>(d);
        auto* plot = d->findChild<QMyParametricEqPlot*>("eqPlot");
        if (dialog && plot)
            user(dialog, plot);
        return int(QDialog::Accepted);
    };
    f.window->onEqEditButtonClicked();
}

void setBand(int b, quint8 type, quint16 freq, quint16 gain)
{
    programPtr->insert.eqType[b] = type;
    programPtr->insert.eqFreq[b] = freq;
    programPtr->insert.eqGain[b] = gain;
}

// Shows the dialog and waits until the graph has drawn every band.
bool showDrawn(eqDialog* dialog, QMyParametricEqPlot* plot)
{
    dialog->show();
    return waitFor([&] {
        for (int i = 0; i < plot->graphCount(); ++i)
            if (plot->graph(i)->dataCount() == 0)
                return false;
        return plot->graphCount() == 4;
    });
}

void sendMouse(QWidget* w, QEvent::Type type, QPoint pos)
{
    QMouseEvent e(type, pos, w->mapToGlobal(pos), Qt::LeftButton,
                  type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &e);
}

// Counts the events of one kind that reach an object.
struct EventCounter : QObject
{
    EventCounter(QObject* target, QEvent::Type type) : type(type) { target->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* e) override { return (count += e->type() == type), false; }
    QEvent::Type type;
    int count = 0;
};

} // namespace

class TestEqDialog : public QObject
{
    Q_OBJECT
private:
    QStringList variationFrames(WindowFixture& f)
    {
        QStringList frames;
        for (const QByteArray& d : f.received(0x21))
            frames << QString(d.toHex(' '));
        return frames;
    }

private slots:
    // A drag step or a type chosen from the menu, as the graph reports it;
    // NaN and -1 stand for the band's value as the editor shows it.
    void changeStoresAndSends_data()
    {
        QTest::addColumn<int>("band");
        QTest::addColumn<quint8>("typeByte");
        QTest::addColumn<quint16>("freqWord");
        QTest::addColumn<quint16>("gainWord");
        QTest::addColumn<double>("freq");
        QTest::addColumn<double>("gain");
        QTest::addColumn<int>("type");
        QTest::addColumn<QList<int>>("stored"); // type byte, frequency word, gain word
        QTest::addColumn<QStringList>("frames");
        const double shown = std::nan("");
        const int peak = QMyParametricEq::PeakingFilter;
        QTest::newRow("1000 Hz, 0 dB") << 1 << quint8(4) << quint16(100) << quint16(0) << 1000.0 << 0.0 << peak
                                       << QList<int> { 4, 803, 8191 } << QStringList { "25 01 03 23", "27 01 1f ff" };
        QTest::newRow("bottom left end") << 3 << quint8(4) << quint16(100) << quint16(100) << 20.0 << -24.0 << peak
                                         << QList<int> { 4, 0, 0 } << QStringList { "25 03 00 00", "27 03 00 00" };
        // 1004 and 1003 are words that truncation alone turns into one less
        // on the way through the graph.
        QTest::newRow("off chosen") << 2 << quint8(4) << quint16(1004) << quint16(1003) << shown << shown
                                    << int(QMyParametricEq::NoFilter) << QList<int> { 0, 1004, 1003 }
                                    << QStringList { "24 02 00" };
        QTest::newRow("off band, nothing moved") << 2 << quint8(0) << quint16(1004) << quint16(1003) << shown << shown
                                                 << -1 << QList<int> { 0, 1004, 1003 } << QStringList();
        QTest::newRow("peak on unknown byte") << 0 << quint8(9) << quint16(500) << quint16(500) << shown << shown
                                              << peak << QList<int> { 4, 500, 500 } << QStringList { "24 00 04" };
        QTest::newRow("unknown byte dragged") << 1 << quint8(9) << quint16(500) << quint16(500) << 1000.0 << 0.0 << -1
                                              << QList<int> { 9, 803, 8191 }
                                              << QStringList { "25 01 03 23", "27 01 1f ff" };
    }

    void changeStoresAndSends()
    {
        QFETCH(int, band);
        QFETCH(quint8, typeByte);
        QFETCH(quint16, freqWord);
        QFETCH(quint16, gainWord);
        QFETCH(double, freq);
        QFETCH(double, gain);
        QFETCH(int, type);
        QFETCH(QList<int>, stored);
        QFETCH(QStringList, frames);
        WindowFixture f;
        QVERIFY(f.connect());
        setBand(band, typeByte, freqWord, gainWord);
        f.module.clearLog();
        openEditor(f, [&](eqDialog*, QMyParametricEqPlot* plot) {
            const QMyParametricEq* b = plot->band(band);
            emit plot->eqChanged(band, std::isnan(freq) ? b->getFrequency() : freq,
                                 std::isnan(gain) ? b->getGain() : gain, b->getQ(),
                                 type < 0 ? b->getType() : QMyParametricEq::Type(type));
        });
        const TInsert& eq = programPtr->insert;
        QCOMPARE((QList<int> { eq.eqType[band], eq.eqFreq[band], eq.eqGain[band] }), stored);
        QVERIFY(waitFor([&] { return variationFrames(f).size() >= frames.size(); }, 2000));
        QTest::qWait(50);
        QCOMPARE(variationFrames(f), frames);
    }

    // The handle taken by the mouse and pulled far past the top right.
    void dragByMouse()
    {
        WindowFixture f;
        QVERIFY(f.connect());
        for (int b = 0; b < 4; ++b)
            setBand(b, 4, quint16(2000 + 4000 * b), 8191); // handles apart
        f.module.clearLog();
        bool drawn = false;
        openEditor(f, [&](eqDialog* dialog, QMyParametricEqPlot* plot) {
            drawn = showDrawn(dialog, plot);
            const QMyParametricEq* b = plot->band(1);
            const QPoint handle(plot->xAxis->coordToPixel(b->getFrequency()), plot->yAxis->coordToPixel(b->getGain()));
            const QPoint far(plot->width() + 200, -200);
            sendMouse(plot, QEvent::MouseButtonPress, handle);
            sendMouse(plot, QEvent::MouseMove, far);
            sendMouse(plot, QEvent::MouseButtonRelease, far);
        });
        QVERIFY(drawn);
        const TInsert& eq = programPtr->insert;
        QCOMPARE((QList<int> { eq.eqType[1], eq.eqFreq[1], eq.eqGain[1] }), (QList<int> { 4, 16383, 16383 }));
        QVERIFY(waitFor([&] { return variationFrames(f).size() >= 2; }, 2000));
        QTest::qWait(50);
        QCOMPARE(variationFrames(f), (QStringList { "25 01 3f ff", "27 01 3f ff" }));
    }

    // The graph is drawn once it is shown and then left alone: no paint
    // asks for the next.
    void idleEditorDoesNoWork()
    {
        WindowFixture f;
        bool drawn = false;
        int paints = -1, updates = -1;
        openEditor(f, [&](eqDialog* dialog, QMyParametricEqPlot* plot) {
            drawn = showDrawn(dialog, plot);
            QTest::qWait(100);
            EventCounter paint(plot, QEvent::Paint);
            EventCounter update(dialog, QEvent::UpdateRequest);
            QTest::qWait(1000);
            paints = paint.count;
            updates = update.count;
        });
        QVERIFY(drawn);
        QVERIFY2(paints <= 1 && updates <= 1, qPrintable(QString("%1 paints, %2 update requests").arg(paints).arg(updates)));
    }

    void resetSendsEveryBand()
    {
        WindowFixture f;
        QVERIFY(f.connect());
        for (int b = 0; b < 4; ++b) {
            setBand(b, quint8(b), quint16(100 * b), quint16(16383 - b));
            programPtr->insert.eqQ[b] = 0;
        }
        f.module.clearLog();
        f.window->onEqResetButtonClicked();

        // Peak, about 996 Hz, Q 1.0 and 0 dB, sent band by band.
        QStringList expected;
        for (int b = 0; b < 4; ++b) {
            const QString n = QString::asprintf("%02x", b);
            expected << "24 " + n + " 04" << "25 " + n + " 03 20" << "26 " + n + " 03 a6" << "27 " + n + " 1f ff";
            const TInsert& eq = programPtr->insert;
            QCOMPARE((QList<int> { eq.eqType[b], eq.eqFreq[b], eq.eqQ[b], eq.eqGain[b] }),
                     (QList<int> { 4, 800, 934, 8191 }));
        }
        QVERIFY(waitFor([&] { return variationFrames(f).size() >= 16; }, 2000));
        QCOMPARE(variationFrames(f), expected);
    }
};

LYR_TEST_MAIN(TestEqDialog)
#include "tst_eqdialog.moc"
