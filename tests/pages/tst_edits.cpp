// Edits end to end: a user changes a control, the program (or the setup
// bytes) takes the value, the pages show it, and the module receives the
// command. Built twice: in process, and over JACK (LYR_OVER_JACK), where only
// the rows marked for it run.

#include "PageProbe.h"
#include "TestSupport.h"
#include "WindowFixture.h"

#include "TPrograms.h"
#include "ui_LyrForm.h"

#include <QLineEdit>
#include <QSignalSpy>

#include <memory>

namespace {

#ifdef LYR_OVER_JACK
constexpr bool OverJack = true;
#else
constexpr bool OverJack = false;
#endif

// Every edit signal of the window, with the value each carried.
struct EditSignals
{
    explicit EditSignals(LyrForm* w)
        : voice(w, &LyrForm::voiceVariation)
        , voice16(w, &LyrForm::voiceVariation16)
        , setup(w, &LyrForm::setupVariation)
        , organ(w, &LyrForm::organVariation)
        , change(w, &LyrForm::voiceChanged)
    {
    }
    int count() const { return int(voice.size() + voice16.size() + setup.size() + organ.size() + change.size()); }
    QList<int> values() const
    {
        QList<int> v;
        for (const auto& s : voice)
            v << s.at(2).toInt();
        for (const auto& s : voice16)
            v << s.at(2).toInt();
        for (const auto& s : setup)
            v << s.at(1).toInt();
        for (const auto& s : organ)
            v << s.at(2).toInt();
        return v;
    }
    QSignalSpy voice, voice16, setup, organ, change;
};

// Widgets whose shown values move together because their bytes do: a range
// slider with its two edits, and each sustain with its sustain toggle.
QStringList coupled(const QString& name)
{
    QList<QStringList> groups = {
        { "morphingSustainCheckBox", "morphingSustainToggleCheckBox" },
        { "organRotarySustainCheckBox", "organRotarySustainToggleCheckBox" },
    };
    for (int l = 1; l <= 3; ++l) {
        groups << QStringList { QString("rangeSlider%1").arg(l), QString("rangeLowLineEdit%1").arg(l),
                                QString("rangeHighLineEdit%1").arg(l) };
        groups << QStringList { QString("veloRangeSlider%1").arg(l), QString("veloLowLineEdit%1").arg(l),
                                QString("veloHighLineEdit%1").arg(l) };
    }
    for (const QStringList& g : groups) {
        if (g.contains(name))
            return g;
    }
    return { name };
}

// An edit signal carries what was stored: a changed byte, the 16-bit word at
// a changed byte, a single flag bit that changed, or the organ volume above
// its on flag.
bool carriesStored(int value, const QByteArray& before, const QByteArray& after, const QList<int>& changed)
{
    for (int o : changed) {
        const int b = quint8(after[o]);
        const int low = o > 0 ? quint8(after[o - 1]) | b << 8 : -1;
        const int high = o + 1 < after.size() ? b | quint8(after[o + 1]) << 8 : -1;
        const int flip = b ^ quint8(before[o]);
        const bool oneBit = flip && !(flip & (flip - 1));
        const bool organVolume = o == 453 && value == b >> 1;   // program 0
        if (value == b || value == low || value == high || (oneBit && value == ((b & flip) ? 1 : 0)) || organVolume)
            return true;
    }
    return false;
}

} // namespace

class TestEdits : public QObject
{
    Q_OBJECT
    std::unique_ptr<WindowFixture> f;

    void fresh()
    {
        initPrograms();
        loadProgram(0);
        f->window->updateAll();
        QTest::qWait(OverJack ? 100 : 5);
        f->module.clearLog();
    }

    // Turns the event loop until the module has decoded n frames, then a
    // little longer for any it should not have had.
    void settle(int n)
    {
        waitFor([&] { return f->module.log().size() >= n; }, 3000);
        QTest::qWait(OverJack ? 300 : 10);
    }

private slots:
    void initTestCase()
    {
        f = std::make_unique<WindowFixture>(OverJack ? WindowFixture::Transport::Jack
                                                     : WindowFixture::Transport::InProcess);
        QVERIFY(f->connect());
        QVERIFY(f->link.isConnected());
        f->window->initEqPlot();
    }

    void cleanupTestCase() { f.reset(); }

    void edit_data()
    {
        QTest::addColumn<bool>("jack");          // also over JACK
        QTest::addColumn<QString>("pokes");      // program bytes before, then a refresh
        QTest::addColumn<QString>("record");     // record override of the widget
        QTest::addColumn<QString>("widget");
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("changes");    // every byte that changed
        QTest::addColumn<QStringList>("frames"); // what the module decoded, in order
        QTest::addColumn<QString>("view");       // after the edit and after a full refresh
        QTest::addColumn<QString>("raw");        // the last frame as sent, when given

        // The four acceptance edits, with what each needs switched on first.
        QTest::newRow("master volume")
            << true << "" << "" << "mainVolDial" << "set" << "100" << "@65412=100" << QStringList { "21:15 04 64" }
            << "mainVolDial=100" << "f0 03 00 21 5e 7f 01 08 15 04 64 00 f7";
        QTest::newRow("attack of layer 2")
            << true << "17=1" << "" << "attackDial2" << "set" << "100" << "75=100" << QStringList { "21:0b 01 64" }
            << "adrWidget2=100,127 attackDial2=100" << "";
        QTest::newRow("drawbar 4")
            << true << "453=201" << "" << "drawbar4Slider" << "set" << "90" << "457=90" << QStringList { "29:02 03 5a" }
            << "drawbar4Label=90 drawbar4Slider=90" << "";
        QTest::newRow("velocity high of layer 3")
            << true << "18=1" << "" << "veloHighLineEdit3" << "type" << "100" << "63=100" << QStringList { "21:0a 02 64" }
            << "veloHighLineEdit3=100 veloRangeSlider3=0-100" << "";

        // Insert slots: choosing an effect switches the slot's others off and
        // sends only what changed; the slot byte itself is not sent.
        QTest::newRow("slot 1 to distorsor turns the compressor off")
            << false << "302=1" << "" << "insertSlot1ComboBox" << "set" << "1" << "302=0 313=1 416=1"
            << QStringList { "21:16 ff 00", "21:1c ff 01" } << "groupBoxDistorsor:visible groupBoxCompressor:hidden" << "";
        QTest::newRow("slot 1 to a distorsor already on sends nothing")
            << false << "313=1" << "" << "insertSlot1ComboBox" << "set" << "1" << "416=1" << QStringList {}
            << "distorsorOnOffCheckBox=1" << "";
        QTest::newRow("slot 2 to tremolo turns modulation and wah off")
            << false << "352=1 375=1" << "" << "insertSlot2ComboBox" << "set" << "2" << "352=0 375=0 390=1 416=32"
            << QStringList { "21:28 ff 00", "21:36 ff 00", "21:3f ff 01" }
            << "groupBoxTremolo:visible groupBoxModulation:hidden groupBoxWah:hidden tremoloDepthDial:enabled" << "";
        QTest::newRow("modulation off turns the wah off first")
            << false << "352=1 375=1" << "" << "modOnOffCheckBox" << "set" << "0" << "352=0 375=0"
            << QStringList { "21:36 ff 00", "21:28 ff 00" } << "wahOnOffCheckBox=0 modDepthDial:disabled" << "";
        QTest::newRow("compressor on turns the distorsor off")
            << false << "313=1" << "" << "compressorOnOffCheckBox" << "set" << "1" << "302=1 313=0"
            << QStringList { "21:1c ff 00", "21:16 ff 01" } << "compressorAttackDial:enabled distorsorOnOffCheckBox=0" << "";

        // Control sources: sustain and its toggle exclude each other, and the
        // whole mask byte is sent.
        QTest::newRow("morphing sustain toggle clears sustain")
            << false << "67=3" << "" << "morphingSustainToggleCheckBox" << "set" << "1" << "67=10"
            << QStringList { "21:6d ff 0a" } << "morphingSustainCheckBox=0 morphingModWheelCheckBox=1" << "";
        QTest::newRow("rotary sustain clears its toggle")
            << false << "453=201 464=8" << "" << "organRotarySustainCheckBox" << "set" << "1" << "464=1"
            << QStringList { "29:27 ff 01" } << "organRotarySustainToggleCheckBox=0" << "";
        QTest::newRow("morphing on sets all three layers")
            << false << "" << "" << "morphingOnOffCheckBox" << "set" << "1" << "68=1 69=2"
            << QStringList { "21:11 00 01", "21:11 01 02", "21:11 02 00" } << "voice2MorphingComboBox=2" << "";

        // The colour tags the program only; the module does not keep it.
        QTest::newRow("colour")
            << false << "" << "" << "colorComboBox" << "set" << "Red" << "292=7" << QStringList {}
            << "marker0=rgba(255,0,0,255)" << "";

        // The equaliser: a band's type decides which of its dials mean anything.
        QTest::newRow("eq band type low shelf")
            << false << "323=1" << "" << "eqMidLowBandComboBox" << "set" << "3" << "325=3" << QStringList { "21:24 01 03" }
            << "eqMidLowBandQDial:disabled eqMidLowBandGainDial:enabled eqType1=3" << "";
        QTest::newRow("eq band type off")
            << false << "323=1" << "" << "eqLowBandComboBox" << "set" << "0" << "324=0" << QStringList { "21:24 00 00" }
            << "eqLowBandFreqDial:disabled eqType0=10" << "";
        QTest::newRow("eq frequency at the top")
            << false << "323=1" << "" << "eqHighBandFreqDial" << "set" << "16383" << "334=255 335=63"
            << QStringList { "21:25 03 3f ff" } << "eqFreq3=20000" << "";

        // The organ volume shares its byte with the organ's on flag.
        QTest::newRow("organ volume keeps the on flag")
            << false << "453=201" << "" << "organVolumeDial" << "set" << "50" << "453=101" << QStringList { "29:01 ff 32" }
            << "organOnOffCheckBox=1 organVolumeDial=50" << "";
        QTest::newRow("organ off keeps the volume")
            << false << "453=201" << "" << "organOnOffCheckBox" << "set" << "0" << "453=200" << QStringList { "29:00 ff 00" }
            << "organVolumeDial=100 organVolumeDial:disabled groupBoxRotary:disabled" << "";
        QTest::newRow("vibrato type shows what was chosen")
            << false << "453=201" << "" << "organVibratoChorusTypeComboBox" << "set" << "5" << "465=127"
            << QStringList { "29:08 ff 7f" } << "organVibratoChorusTypeComboBox=5" << "";

        // Records out of range, and entries the range edits refuse.
        QTest::newRow("a dial record past the third layer")
            << false << "" << "part=255" << "volDial1" << "set" << "10" << "" << QStringList {} << "" << "";
        QTest::newRow("a range record past the third layer")
            << false << "" << "part=255" << "rangeSlider1" << "set" << "low:10" << "" << QStringList {}
            << "rangeSlider1=0-127" << "";
        QTest::newRow("a setup item other than the two volumes")
            << false << "" << "index=3" << "mainVolDial" << "set" << "100" << "" << QStringList {} << "" << "";
        QTest::newRow("velocity low may equal high")
            << false << "" << "" << "veloLowLineEdit1" << "type" << "127" << "58=127" << QStringList { "21:09 00 7f" }
            << "veloLowLineEdit1=127" << "";
        QTest::newRow("velocity low past high is refused")
            << false << "59=40" << "" << "veloLowLineEdit1" << "type" << "60" << "" << QStringList {}
            << "veloLowLineEdit1=0" << "";
        QTest::newRow("note high below low is refused")
            << false << "52=60" << "" << "rangeHighLineEdit1" << "type" << "50" << "" << QStringList {}
            << "rangeHighLineEdit1=127" << "";
        QTest::newRow("a number past 127 is refused")
            << false << "" << "" << "veloLowLineEdit1" << "return" << "200" << "" << QStringList {}
            << "veloLowLineEdit1=0" << "";
        QTest::newRow("leaving an edit without Return restores it")
            << false << "17=1" << "" << "veloLowLineEdit2" << "focusout" << "99" << "" << QStringList {}
            << "veloLowLineEdit2=0" << "";
    }

    void edit()
    {
        QFETCH(bool, jack);
        QFETCH(QString, pokes);
        QFETCH(QString, record);
        QFETCH(QString, widget);
        QFETCH(QString, action);
        QFETCH(QString, value);
        QFETCH(QString, changes);
        QFETCH(QStringList, frames);
        QFETCH(QString, view);
        QFETCH(QString, raw);
        if (OverJack && !jack)
            QSKIP("in process only");

        fresh();
        probe::poke(pokes);
        f->window->updateAll();
        QWidget* w = f->window->findChild<QWidget*>(widget);
        QVERIFY2(w && w->isEnabled(), qPrintable(widget + " cannot be used"));
        TControl* rec = probe::record(*f->window, w);
        QVERIFY(rec);
        const TControl kept = *rec;
        if (record.startsWith("part="))
            rec->part = quint8(record.mid(5).toInt());
        else if (record.startsWith("index="))
            rec->index = quint8(record.mid(6).toInt());

        QSignalSpy nameEdits(f->ui()->programLineEdit, &QLineEdit::textChanged);
        const QByteArray before = probe::block();
        probe::act(*f->window, widget, action, value);
        settle(int(frames.size()));
        *rec = kept;

        QCOMPARE(probe::changes(before), changes);
        QCOMPARE(f->frames(), frames);
        if (!raw.isEmpty())
            QCOMPARE(QString(f->module.log().constLast().message.toHex(' ')), raw);
        VERIFY_SHOWN(*f->window, view);
        f->window->updateAll();
        VERIFY_SHOWN(*f->window, view);
        QCOMPARE(nameEdits.size(), 0);
    }

    // Every control with a record, driven through its own signal: exactly one
    // edit signal carrying what was stored, only that control's bytes
    // changed, one command reached the module, and a full refresh shows the
    // new value with no other control moved.
    void everyControlRoundTrip()
    {
        if (OverJack)
            QSKIP("in process only");
        int checked = 0;
        for (QWidget* w : probe::mappedWidgets(*f->window)) {
            const TControl rec = *probe::record(*f->window, w);
            if (rec.command == 0xFF)
                continue;   // recognised by identity: the edit cases above
            QStringList drives;
            if (qobject_cast<QMyRangeSlider*>(w))
                drives << "low:10" << "high:100";
            else if (qobject_cast<QLineEdit*>(w))
                drives << (w->objectName().contains("Low") ? "10" : "100");
            else
                drives << "";
            for (const QString& drive : drives) {
                const QString name = w->objectName();
                fresh();
                // Every layer and the organ on, so that each edit can be typed into.
                probe::poke("17=1 18=1 453=201");
                f->window->updateAll();
                QHash<QWidget*, QString> shownBefore;
                for (QWidget* other : probe::mappedWidgets(*f->window))
                    shownBefore.insert(other, probe::shown(other));

                // A new value inside the widget's range, not at either end.
                QString action = "set";
                QString value = drive;
                QString expected;
                if (auto* dial = qobject_cast<QMyAbstractSlider*>(w)) {
                    int v = dial->getMin() + (dial->getMax() - dial->getMin()) * 2 / 3;
                    v += v == dial->getValue() ? 1 : 0;
                    value = expected = QString::number(v);
                } else if (auto* slider = qobject_cast<QSlider*>(w)) {
                    value = expected = QString::number(slider->value() == 100 ? 50 : 100);
                } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
                    value = expected = QString::number((combo->currentIndex() + 1) % combo->count());
                } else if (auto* box = qobject_cast<QCheckBox*>(w)) {
                    value = expected = box->isChecked() ? "0" : "1";
                } else if (qobject_cast<QLineEdit*>(w)) {
                    action = "type";
                    expected = drive;
                } else {
                    expected = drive.startsWith("low") ? "10-127" : "0-100";
                }

                const QByteArray before = probe::block();
                EditSignals edits(f->window.get());
                probe::act(*f->window, name, action, value);
                const QByteArray after = probe::block();
                const QString what = name + " " + drive;

                const int expectedSignals = name == "morphingOnOffCheckBox" ? 3 : 1;
                QVERIFY2(edits.count() == expectedSignals, qPrintable(what + QString(": %1 signals").arg(edits.count())));
                QList<int> changed;
                for (int i = 0; i < after.size(); ++i) {
                    if (after[i] != before[i])
                        changed << i;
                }
                QVERIFY2(!changed.isEmpty(), qPrintable(what + ": nothing stored"));
                QVERIFY2(changed.last() - changed.first() < expectedSignals + 1,
                         qPrintable(what + ": changed " + probe::changes(before)));
                // Several signals send neighbouring bytes, changed or not.
                QList<int> sent = changed;
                for (int o = changed.first(); o < changed.first() + expectedSignals; ++o)
                    sent << o;
                for (int v : edits.values())
                    QVERIFY2(carriesStored(v, before, after, sent),
                             qPrintable(what + QString(": sent %1, stored ").arg(v) + probe::changes(before)));
                settle(expectedSignals);
                QVERIFY2(f->module.log().size() == expectedSignals, qPrintable(what + ": " + f->frames().join(", ")));

                f->window->updateAll();
                QVERIFY2(probe::shown(w) == expected, qPrintable(what + " shows " + probe::shown(w)));
                const QStringList together = coupled(name);
                for (auto it = shownBefore.cbegin(); it != shownBefore.cend(); ++it) {
                    if (!together.contains(it.key()->objectName()) && probe::shown(it.key()) != it.value())
                        QFAIL(qPrintable(what + " moved " + it.key()->objectName() + " to " + probe::shown(it.key())));
                }
                ++checked;
            }
        }
        // Every dial, combo box, check box, edit and slider with a command.
        QVERIFY2(checked > 200, qPrintable(QString("%1 checked").arg(checked)));
    }
};

LYR_TEST_MAIN(TestEdits)
#include "tst_edits.moc"
