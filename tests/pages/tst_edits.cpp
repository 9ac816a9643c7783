// The main window's pages and their edits: every editing widget bound to one
// control record that addresses a real parameter, the developer-only parts
// present only beside the marker; a user changes a control or a band in the
// insert-EQ editor, the program (or the setup bytes) takes the value, the
// pages show it, and the module receives the command; showing any program
// writes and sends nothing, and an idle EQ editor does no work. Built twice:
// in process, and over JACK, where only the acceptance edits run.

#include "PageProbe.h"
#include "QMyParametricEqPlot.h"
#include "TestSupport.h"
#include "WindowFixture.h"
#include "eqDialog.h"

#include <QDir>
#include <QRandomGenerator>
#include <QScrollArea>
#include <QScrollBar>
#include <QScopeGuard>
#include <QSignalSpy>

#include <cstring>

namespace {

// A value v sent is what was stored at one of the offsets sent: the byte,
// the 16-bit word at it, a single flag bit that changed there, or the organ
// volume above its on flag (byte 453).
[[maybe_unused]] bool carriesStored(int v, const QByteArray& before, const QByteArray& after, const QList<int>& sent)
{
    for (int o : sent) {
        const int b = quint8(after[o]), flip = b ^ quint8(before[o]);
        const int prev = o > 0 ? quint8(after[o - 1]) : -1, next = o + 1 < after.size() ? quint8(after[o + 1]) : -1;
        const bool oneBit = flip && !(flip & (flip - 1));
        if (v == b || v == (prev | b << 8) || v == (b | next << 8)
            || (oneBit && v == ((b & flip) ? 1 : 0)) || (o == 453 && v == b >> 1))
            return true;
    }
    return false;
}

} // namespace

class TestEdits : public QObject
{
    Q_OBJECT
    std::unique_ptr<WindowFixture> f;

    // Program 0 of fresh programs with pokes, shown, the module's log empty.
    void fresh(const QString& pokes)
    {
        initPrograms();
        loadProgram(0);
        probe::poke(*f->window, pokes);
        QTest::qWait(OverJack ? 100 : 2);
        f->module.clearLog();
    }

    // Opens the insert-EQ editor on the current program and lets user act in it.
    void openEditor(const std::function<void(eqDialog*, QMyParametricEqPlot*)>& user)
    {
        f->prompts.onExec = [&](QDialog* d) {
            user(qobject_cast<eqDialog*>(d), d->findChild<QMyParametricEqPlot*>("eqPlot"));
            return int(QDialog::Accepted);
        };
        f->window->onEqEditButtonClicked();
    }

private slots:
    void initTestCase()
    {
        // The Debug page's slots are found by name: a misspelt object name
        // would leave a tool silently dead, and warn.
        QTest::failOnWarning(QRegularExpression("connectSlotsByName"));
        f = std::make_unique<WindowFixture>();
        QVERIFY(f->connect());
        f->window->initEqPlot();
    }

    void cleanupTestCase() { f.reset(); }

    void edit_data()
    {
        QTest::addColumn<bool>("jack");          // also over JACK
        QTest::addColumn<QString>("pokes");      // program bytes before
        QTest::addColumn<QString>("record");     // field=value put into the widget's record
        QTest::addColumn<QString>("does");       // widget, what the user does to it; none
        QTest::addColumn<QString>("changes");    // every byte that changed
        QTest::addColumn<QStringList>("frames"); // what the module decoded, in order
        QTest::addColumn<QString>("view");       // after the edit and after a full refresh
        QTest::addColumn<QString>("raw");        // the last frame as sent, when given

        // The four acceptance edits, with what each needs switched on first.
        QTest::newRow("master volume") << true << "" << "" << "mainVolDial set 100" << "65412=100"
            << QStringList { "21:15 04 64" } << "mainVolDial=100" << "f0 03 00 21 5e 7f 01 08 15 04 64 00 f7";
        QTest::newRow("attack of layer 2") << true << "17=1" << "" << "attackDial2 set 100" << "75=100"
            << QStringList { "21:0b 01 64" } << "adrWidget2=100,127 attackDial2=100" << "";
        QTest::newRow("drawbar 4") << true << "453=201" << "" << "drawbar4Slider set 90" << "457=90"
            << QStringList { "29:02 03 5a" } << "drawbar4Label=90 drawbar4Slider=90" << "";
        QTest::newRow("velocity high of layer 3") << true << "18=1" << "" << "veloHighLineEdit3 type 100" << "63=100"
            << QStringList { "21:0a 02 64" } << "veloHighLineEdit3=100 veloRangeSlider3=0-100" << "";
        QTest::newRow("GM reverb time") << true << "" << "" << "reverbGmTimeDial set 100" << ""
            << QStringList { "2f:f5 01 b0 63 32 b0 62 08 b0 06 64" } << "" << "";

        // An effect chosen for a slot switches the slot's others off and sends
        // only what changed; the slot byte itself is not sent.
        QTest::newRow("slot 2 to tremolo") << false << "352=1 375=1 416=1" << "" << "insertSlot2ComboBox set 2"
            << "352=0 375=0 390=1 416=33" << QStringList { "21:28 ff 00", "21:36 ff 00", "21:3f ff 01" }
            << "groupBoxTremolo.visible=1 groupBoxWah.visible=0 tremoloDepthDial.enabled=1" << "";
        QTest::newRow("modulation off turns the wah off first") << false << "352=1 375=1" << ""
            << "modOnOffCheckBox set 0" << "352=0 375=0" << QStringList { "21:36 ff 00", "21:28 ff 00" }
            << "wahOnOffCheckBox=0 modDepthDial.enabled=0" << "";
        // Morphing runs layer 1 into layer 2.
        QTest::newRow("morphing") << false << "" << "" << "morphingOnOffCheckBox set 1" << "68=1 69=2"
            << QStringList { "21:11 00 01", "21:11 01 02", "21:11 02 00" } << "voice2MorphingComboBox=2" << "";
        // Sustain and its toggle exclude each other; the whole mask is sent.
        QTest::newRow("sustain toggle clears sustain") << false << "67=3" << "" << "morphingSustainToggleCheckBox set 1"
            << "67=10" << QStringList { "21:6d ff 0a" } << "morphingSustainCheckBox=0" << "";
        // The colour tags the program only; the module does not keep it.
        QTest::newRow("colour red") << false << "" << "" << "colorComboBox set 5" << "292=7" << QStringList {}
            << "marker0=rgba(255,0,0,255)" << "";
        QTest::newRow("eq band type low shelf") << false << "323=1" << "" << "eqMidLowBandComboBox set 3" << "325=3"
            << QStringList { "21:24 01 03" } << "eqMidLowBandQDial.enabled=0 eqMidLowBandGainDial.enabled=1" << "";

        // Records past the third layer or the two setup volumes, and entries
        // the range edits refuse: nothing stored, nothing sent.
        QTest::newRow("a dial record past the third layer") << false << "" << "part=255" << "volDial1 set 10" << ""
            << QStringList {} << "" << "";
        QTest::newRow("a range record past the third layer") << false << "" << "part=255"
            << "rangeSlider1 set low:10" << "" << QStringList {} << "rangeSlider1=0-127" << "";
        QTest::newRow("a setup item other than the two volumes") << false << "" << "index=3" << "mainVolDial set 100"
            << "" << QStringList {} << "" << "";
        QTest::newRow("velocity low may equal high") << false << "" << "" << "veloLowLineEdit1 type 127" << "58=127"
            << QStringList { "21:09 00 7f" } << "veloLowLineEdit1=127" << "";
        QTest::newRow("velocity low past high") << false << "59=40" << "" << "veloLowLineEdit1 type 60" << ""
            << QStringList {} << "veloLowLineEdit1=0" << "";
        QTest::newRow("a number past 127") << false << "" << "" << "veloHighLineEdit1 return 200" << ""
            << QStringList {} << "veloHighLineEdit1=127" << "";
        QTest::newRow("leaving an edit without Return") << false << "17=1" << "" << "veloLowLineEdit2 focusout 99"
            << "" << QStringList {} << "veloLowLineEdit2=0" << "";

        // No edit: what the pages show and allow for the bytes poked.
        QTest::newRow("stored offsets shown as values") << false << "43=127 37=0 40=127 470=96" << "" << "" << ""
            << QStringList {} << "panDial1=-63 shiftDial1=-48 tuneDial1=63 organShiftDial=48" << "";
        QTest::newRow("morphing modes by layer") << false << "68=2 69=0 70=1" << "" << "" << "" << QStringList {}
            << "voice1MorphingComboBox=2 voice2MorphingComboBox=0 voice3MorphingComboBox=1" << "";
        QTest::newRow("organ feeding the rotary") << false << "417=1" << "" << "" << "" << QStringList {}
            << "feedToRotaryCheckBox=1" << "";
        QTest::newRow("layers off") << false << "" << "" << "" << "" << QStringList {}
            << "volDial2.enabled=0 voice3Button.enabled=0 insertReverbDial.enabled=0" << "";
        // Enable byte 2 and the insert chain both take a layer's sends away.
        QTest::newRow("sends of layers on") << false << "17=2 18=1 51=1" << "" << "" << "" << QStringList {}
            << "reverbSendDial2.enabled=0 reverbSendDial3.enabled=0 insertReverbDial.enabled=1" << "";
        QTest::newRow("a name drawn as typed") << false << "0=65 1=38 2=66 3=0" << "" << "" << "" << QStringList {}
            << "programLineEdit=A&B button0=A&B" << "";
        QTest::newRow("a colour byte past Qt's colours") << false << "292=200" << "" << "" << "" << QStringList {}
            << "marker0=rgba(0,0,0,0) colorComboBox=-1" << "";
        QTest::newRow("a range above the one shown") << false << "59=40 | 58=60 59=127" << "" << "" << ""
            << QStringList {} << "veloRangeSlider1=60-127" << "";
    }

    void edit()
    {
        QFETCH(bool, jack);
        QFETCH(QString, pokes);
        QFETCH(QString, record);
        QFETCH(QString, does);
        QFETCH(QStringList, frames);
        QFETCH(QString, view);
        QFETCH(QString, raw);
        if (OverJack && !jack)
            QSKIP("in process only");

        fresh(pokes);
        const QString widget = does.section(' ', 0, 0);
        QWidget* w = widget.isEmpty() ? nullptr : f->window->findChild<QWidget*>(widget);
        QVERIFY2(widget.isEmpty() || (w && w->isEnabled()), qPrintable(widget + " cannot be used"));
        TControl kept {}, *rec = &kept;
        for (const probe::Mapped& m : probe::records(*f->window))
            rec = m.widget == w ? m.record : rec;
        kept = *rec;
        if (!record.isEmpty())
            (record.startsWith("part") ? rec->part : rec->index) = quint8(record.section('=', 1).toInt());

        const QByteArray before = probe::block();
        if (w)
            probe::act(*f->window, does);
        const QStringList sent = f->frames(frames.size());
        *rec = kept;

        QTEST(probe::changes(before), "changes");
        QCOMPARE(sent, frames);
        if (!raw.isEmpty())
            QCOMPARE(QString(f->module.log().constLast().message.toHex(' ')), raw);
        QCOMPARE(probe::actual(*f->window, view), view);
        f->window->updateAll();
        QCOMPARE(probe::actual(*f->window, view), view);
    }

    // The GM reverb controls store nothing: each sends its own reverb
    // parameter n, set as an NRPN, with its value.
    void gmReverbPackets_data()
    {
        QTest::addColumn<QString>("does");
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("value");
        QTest::newRow("type Room") << "reverbGmTypeComboBox set 1" << 0 << 1;
        QTest::newRow("size Small") << "reverbGmSizeComboBox set 0" << 1 << 0;
        const char* dials[] = { "PreHpFilter", "PreLPFilter", "HighShelfGain", "HighShelfFreq", "PreDelayTime",
                                "Level", "Time", "HDamp", "Er" };
        for (int n = 2; n <= 10; ++n)
            QTest::newRow(dials[n - 2]) << QString("reverbGm%1Dial set %2").arg(dials[n - 2]).arg(90 + n) << n << 90 + n;
    }
    void gmReverbPackets()
    {
        QFETCH(QString, does);
        QFETCH(int, n);
        QFETCH(int, value);
        fresh("");
        const QByteArray before = probe::block();
        probe::act(*f->window, does);
        QCOMPARE(f->frames(1), QStringList { QString::asprintf("2f:f5 01 b0 63 32 b0 62 %02x b0 06 %02x", n, value) });
        QCOMPARE(probe::changes(before), QString());
    }

#if !LYR_OVER_JACK
    // What the bytes of a type, a mode, a slot or a switch enable and show:
    // at once when the user sets them, and alike when the program holds
    // them. The layer and feed-to-rotary switches are sent before their
    // section shows them, the insert-chain switch after. "{a,b}" in a name
    // stands for each name it spells.
    void stateFollowsBytes_data()
    {
        QTest::addColumn<QString>("pokes");    // program bytes before
        QTest::addColumn<QString>("does");     // widget, what the user does to it; none
        QTest::addColumn<QString>("atSend");   // as the first command leaves
        QTest::addColumn<QString>("view");
        const QString layer2 = "{{vol,shift,tune,pan,attack,decay,release,cutOff,dynFilt,reso}Dial2,{range,veloRange}"
                               "Slider2,{rangeKeyboard2,voice2Button,adrWidget2},{range,velo}{Low,High}LineEdit2}"
                               ".enabled=";
        const QString sends = " {reverbSend,chorusSend}Dial2.enabled=", inserts = " insert{Reverb,Chorus}Dial.enabled=";
        QTest::newRow("layer on") << "" << "enableCheckBox2 set 1" << "volDial2.enabled=0"
                                  << layer2 + "1" + sends + "1";
        QTest::newRow("layer off") << "17=1" << "enableCheckBox2 set 0" << "volDial2.enabled=1"
                                   << layer2 + "0" + sends + "0";
        QTest::newRow("layer into the insert chain") << "17=1" << "insertCheckBox2 set 1" << "reverbSendDial2.enabled=0"
                                                     << layer2 + "1" + sends + "0" + inserts + "1";
        // Layer 2 at 2, layer 3 with an insert byte of bit 0 clear.
        QTest::newRow("sends asked of exactly 1") << "17=2 18=1 51=2" << "" << ""
            << layer2 + "1" + sends + "0 {reverbSend,chorusSend}Dial3.enabled=1" + inserts + "0";
        // A slot shows its effect and the effect goes on; the other slot stays.
        const QString groups = "groupBox{%1}.visible=1 groupBox{%2}.visible=0 %3Dial.enabled=1 %4Dial.enabled=0";
        QTest::newRow("slot 1 distorsor") << "416=32 302=1" << "insertSlot1ComboBox set 1" << ""
            << groups.arg("Distorsor,Tremolo", "Compressor,Modulation,Wah", "distorsorDrive", "compressorAttack");
        QTest::newRow("slot 2 wah") << "416=1 352=1 353=4" << "insertSlot2ComboBox set 1" << ""
            << groups.arg("Wah,Distorsor", "Modulation,Rotor,Tremolo,Compressor", "wahFreq", "modDepth");
        QTest::newRow("slot 2 modulation") << "416=18 353=4 375=1" << "insertSlot2ComboBox set 0" << ""
            << groups.arg("Modulation,Rotor,Compressor", "Wah,Tremolo,Distorsor", "modDepth", "wahFreq");
        // What each modulation type uses: wave, dry/wet, delay, feedback,
        // rotor; then whether the rotor shows. "-": not looked at.
        const QString rotor = "mod{{FastRate,AccelerationTime,BrakeTime,Directovity,MicAngle}Dial,{FastRate,"
                              "AccelerationTime,BrakeTime,Directivity,MicAngle}Label,SlowFastCheckBox,FastRateLed}";
        const QStringList modParts { "mod{WaveLabel,WaveComboBox}.enabled=", "mod{DryWetLabel,DryWetDial}.enabled=",
                                     "mod{DelayLabel,DelayDial}.enabled=", "mod{FeedbackLabel,FeedbackDial}.enabled=",
                                     rotor + ".enabled=", "groupBoxRotor.visible=" };
        const auto uses = [&modParts](const QString& use) {
            QString expected;
            for (int i = 0; i < use.size(); ++i)
                expected += use[i] == '-' ? QString() : modParts[i] + use[i] + ' ';
            return expected;
        };
        QTest::newRow("chorus") << "352=1 353=4" << "modTypeComboBox set 0" << "" << uses("111000");
        QTest::newRow("vibrato") << "352=1" << "modTypeComboBox set 1" << "" << uses("100000");
        QTest::newRow("flanger") << "352=1" << "modTypeComboBox set 2" << "" << uses("111100");
        QTest::newRow("phaser") << "352=1 353=4" << "modTypeComboBox set 3" << "" << uses("110100");
        QTest::newRow("rotary") << "352=1" << "modTypeComboBox set 4" << "" << uses("000011");
        QTest::newRow("a type past rotary") << "352=1 353=1 | 353=5" << "" << "" << uses("100--0");
        const QString modOn = "{" + rotor + ",mod{{Type,Depth,Rate}Label,TypeComboBox,DepthDial,RateDial,RateLed,"
                              "LfoPlot}}.enabled=";
        QTest::newRow("modulation on") << "353=4" << "modOnOffCheckBox set 1" << "" << modOn + "1";
        QTest::newRow("modulation off") << "352=1 353=4" << "modOnOffCheckBox set 0" << "" << modOn + "0";
        // The wah's LFO mode (type 3) sweeps by itself; the others follow the playing.
        const QString wah = "wah{TypeComboBox,FilterComboBox,FreqDial,ResonanceDial,{Type,Filter,Freq,Resonance}Label}"
                            ".enabled=";
        const QString lfo = " wah{Lfo{Amount,Rate}{Dial,Label},LfoPlot,LfoRateLed}.enabled=";
        const QString played = " wah{Sensitivity,Decay}{Dial,Label}.enabled=";
        QTest::newRow("wah on, LFO") << "" << "wahOnOffCheckBox set 1" << "" << wah + "1" + lfo + "1" + played + "0";
        QTest::newRow("wah off") << "375=1" << "wahOnOffCheckBox set 0" << "" << wah + "0" + lfo + "0" + played + "0";
        QTest::newRow("wah played") << "375=1" << "wahTypeComboBox set 0" << "" << lfo + "0" + played + "1";
        QTest::newRow("wah LFO") << "375=1 376=2" << "wahTypeComboBox set 3" << "" << lfo + "1" + played + "0";
        // Each effect's controls with its on byte, every other effect on.
        const QStringList effects { "302 compressor{Attack,Release,Ratio,Threshold,MakeUpGain}{Dial,Label}",
            "313 distorsor{TypeComboBox,{Drive,BrightIn,BrightOut,Level}Dial,{Type,Drive,BrighthIn,BrightOut,Level}"
            "Label}", "409 hqDistorsor{BoostCheckBox,TypeComboBox,{Bias,Drive,Brightness,Level}Dial,{Type,Bias,Drive,"
            "Brightness,Level}Label}", "397 delay{TypeComboBox,LavelLabel,{Level,Cutoff,Time,Feedback,Damping}Dial,"
            "{Type,Cutoff,Time,Feedback,Damping}Label}", "390 tremolo{TypeComboBox,ShapeComboBox,DepthDial,RateDial,"
            "{Type,Shape,Depth,Rate}Label,RateLed,LfoPlot}", "437 reverb{{Type,Size}{ComboBox,Label},{HDamp,"
            "PreLPFilter,PreHpFilter,HighShelfGain,HighShelfFreq,Time,Level}{Dial,Label}}", "421 chorus{{Wave,Type}"
            "{ComboBox,Label},{PreLpFilter,Feedback,Delay,Rate,Depth,Level}{Dial,Label}}" };
        for (const QString mask : { "1010101", "0101010" }) {
            QString pokes, view;
            for (int e = 0; e < effects.size(); ++e) {
                pokes += effects[e].section(' ', 0, 0) + '=' + mask[e] + ' ';
                view += effects[e].section(' ', 1) + ".enabled=" + mask[e] + ' ';
            }
            QTest::newRow(qPrintable("effects " + mask)) << pokes << "" << "" << view;
        }
        // Reverb types 6 and 7 have a feedback where the others have a pre-delay.
        const QString reverb = "reverbFeedback{Dial,Label}.enabled=%1 reverbPreDelayTime{Dial,Label}.enabled=%2";
        QTest::newRow("reverb pan delay") << "" << "reverbTypeComboBox set 7" << "" << reverb.arg(1).arg(0);
        QTest::newRow("reverb plate") << "440=6" << "reverbTypeComboBox set 5" << "" << reverb.arg(0).arg(1);
        // Each EQ band's type uses frequency, Q and gain as it needs.
        const QString eq = "{eq{Reset,Edit}Button,parametricEqPlot,eq{Low,MidLow,MidHigh,High}Band{ComboBox,TypeLabel,"
                           "{Freq,Q,Gain}{Dial,Label}}}.enabled=";
        QTest::newRow("EQ on") << "" << "eqOnOffCheckBox set 1" << "" << eq + "1";
        QTest::newRow("EQ off") << "323=1" << "eqOnOffCheckBox set 0" << "" << eq + "0";
        const QString bands = "eq{%1}Band{%2}{Dial,Label}.enabled=1 eq{%1}Band{%3}{Dial,Label}.enabled=0";
        QTest::newRow("EQ types 0 1 2 3") << "323=1 325=1 326=2 327=3" << "eqLowBandComboBox set 0" << ""
            << "eqLowBand{Freq,Q,Gain}{Dial,Label}.enabled=0 " + bands.arg("MidLow", "Freq", "Q,Gain") + ' '
                   + bands.arg("MidHigh", "Freq,Q", "Gain") + ' ' + bands.arg("High", "Freq,Gain", "Q");
        QTest::newRow("EQ types 5 6 9 7") << "323=1 324=5 325=6 326=9" << "eqHighBandComboBox set 7" << ""
            << bands.arg("Low", "Freq,Gain", "Q") + ' ' + bands.arg("MidLow", "Freq", "Q,Gain") + ' '
                   + "eqMidHighBand{Freq,Q,Gain}{Dial,Label}.enabled=1 " + bands.arg("High", "Freq,Q", "Gain");
        // The organ's own controls with its on bit; the rotary also while fed.
        const QString organ = "{organ{KeyClick,Volume,Shift}{Label,Dial},groupBox{Percussion,VibratoChorus,OrganEfx,"
                              "Drawbars}}.enabled=";
        const QString rotary = " {organDriveCheckBox,groupBox{HighRotor,LowRotor,Reflections,Rotary}}.enabled=";
        QTest::newRow("organ on") << "" << "organOnOffCheckBox set 1" << "" << organ + "1" + rotary + "1";
        QTest::newRow("organ off") << "453=201" << "organOnOffCheckBox set 0" << "" << organ + "0" + rotary + "0";
        QTest::newRow("organ fed") << "" << "feedToRotaryCheckBox set 1" << "groupBoxRotary.enabled=0"
                                   << organ + "0" + rotary + "1";
        QTest::newRow("drawbars") << "453=1 454=1 455=2 456=3 457=4 458=5 459=6 460=7 461=8 462=9" << "" << ""
            << "drawbar1Slider=1 drawbar2Slider=2 drawbar3Slider=3 drawbar4Slider=4 drawbar5Slider=5 drawbar6Slider=6 "
               "drawbar7Slider=7 drawbar8Slider=8 drawbar9Slider=9 drawbar1Label=1 drawbar2Label=2 drawbar3Label=3 "
               "drawbar4Label=4 drawbar5Label=5 drawbar6Label=6 drawbar7Label=7 drawbar8Label=8 drawbar9Label=9";
    }

    void stateFollowsBytes()
    {
        QFETCH(QString, pokes);
        QFETCH(QString, does);
        QFETCH(QString, atSend);
        QFETCH(QString, view);
        view = view.trimmed();
        fresh(pokes);
        QWidget* w = does.isEmpty() ? nullptr : f->window->findChild<QWidget*>(does.section(' ', 0, 0));
        QVERIFY2(does.isEmpty() || (w && w->isEnabled()), qPrintable(does + " cannot be used"));
        QString sending;
        bool first = true;
        const auto watch = connect(f->window.get(), &LyrForm::voiceVariation, this, [&] {
            if (std::exchange(first, false))
                sending = probe::actual(*f->window, atSend);
        });
        const QByteArray before = probe::block();
        if (w)
            probe::act(*f->window, does);
        disconnect(watch);
        QCOMPARE(sending, atSend);
        QCOMPARE(probe::actual(*f->window, view), view);
        fresh(pokes + ' ' + probe::changes(before));
        QCOMPARE(probe::actual(*f->window, view), view);
    }

    // Every editing widget of the form has a record (the round trip below
    // drives each one); the layers' morphing modes and the Debug page's size
    // choice are handled elsewhere.
    void everyEditingWidgetHasARecord()
    {
        const LyrForm& w = *f->window;
        Ui_LyrForm* ui = f->ui();
        const auto asSet = [](const auto& widgets) { return QSet<QWidget*>(widgets.begin(), widgets.end()); };
        const QSet<QWidget*> unmapped { ui->voice1MorphingComboBox, ui->voice2MorphingComboBox,
                                        ui->voice3MorphingComboBox, ui->sizeComboBox };
        QCOMPARE(asSet(w.dialMap.keys()), asSet(w.findChildren<QMyDial*>()));
        QCOMPARE(asSet(w.comboBoxMap.keys()), asSet(w.findChildren<QComboBox*>()) - unmapped);
        QCOMPARE(asSet(w.checkBoxMap.keys()), asSet(w.findChildren<QCheckBox*>()));
        QCOMPARE(asSet(w.rangeSliderMap.keys()), asSet(w.findChildren<QMyRangeSlider*>()));
        QCOMPARE(asSet(w.lineEditMap.keys()), asSet(ui->editTab->findChildren<QLineEdit*>()));
        QCOMPARE(asSet(w.sliderMap.keys()), asSet(w.findChildren<QSlider*>()));

        // No widget in two maps; the name's layer digit is its part; the
        // Organ and Rotary pages, and only they, drive the organ command; a
        // knob storing a 14-bit word spans 0..16383, one storing a byte stays
        // within 127.
        QSet<QWidget*> distinct;
        for (const probe::Mapped& m : probe::records(*f->window)) {
            const QString name = m.widget->objectName();
            const TControl& r = *m.record;
            QVERIFY2(!distinct.contains(m.widget), qPrintable(name));
            distinct.insert(m.widget);
            if (name.back().isDigit())
                QVERIFY2(r.part == name.back().digitValue() - 1, qPrintable(name));
            const bool organPage = ui->organTab->isAncestorOf(m.widget) || ui->rotaryTab->isAncestorOf(m.widget);
            QVERIFY2(organPage == (r.command == 0x29), qPrintable(name));
            if (auto* dial = qobject_cast<QMyDial*>(m.widget)) {
                const bool word = controlWidth(r) == 2;
                QVERIFY2(word ? dial->getMin() == 0 && dial->getMax() == 16383 : dial->getMax() <= 127,
                         qPrintable(name));
            }
        }
    }

    // Records that would edit outside their layer, band, setup item, drawbar
    // or mask bit do not fit; fields a parameter does not use are 0xFF.
    void misfitRecordsAreRefused_data()
    {
        QTest::addColumn<ControlFamily>("family");
        QTest::addColumn<TControl>("record");   // part, command, param, index, offset, scale
        QTest::addColumn<bool>("fits");
        const ControlFamily dial = ControlFamily::Dial;
        QTest::newRow("volume of layer 3") << dial << TControl { 3, 0x21, 1, 0xFF, 0, 1 } << false;
        QTest::newRow("EQ band 4") << dial << TControl { 0xFF, 0x21, 37, 4, 0, 1 } << false;
        QTest::newRow("setup item 6") << dial << TControl { 0xFF, 0x21, 21, 6, 0, 1 } << false;
        QTest::newRow("setup item 5") << dial << TControl { 0xFF, 0x21, 21, 5, 0, 1 } << true;
        QTest::newRow("drawbar 9") << ControlFamily::Slider << TControl { 9, 0x29, 2, 0xFF, 0, 1 } << false;
        QTest::newRow("two mask bits") << ControlFamily::CheckBox << TControl { 0xFF, 0x21, 109, 3, 0, 1 } << false;
        QTest::newRow("high end program-wide") << ControlFamily::RangeSlider << TControl { 0, 0x21, 7, 22, 0, 1 }
                                               << false;
    }

    void misfitRecordsAreRefused()
    {
        QFETCH(ControlFamily, family);
        QFETCH(TControl, record);
        QTEST(controlFits(family, record), "fits");
    }

    // The handlers store each edit where the pages read the widget from: every
    // record as built; a record moved to another field, layer, band, bit or
    // command no longer does.
    void storedWhereShown_data()
    {
        QTest::addColumn<QString>("widget");   // none: every record as built
        QTest::addColumn<QString>("record");   // field=value put into the widget's record
        QTest::addColumn<bool>("fits");
        QTest::newRow("every record") << "" << "" << true;
        QTest::newRow("attack stored as release") << "compressorAttackDial" << "param=24" << false;
        QTest::newRow("volume of the next layer") << "volDial2" << "part=2" << false;
        QTest::newRow("Q of the next band") << "eqMidLowBandQDial" << "index=2" << false;
        QTest::newRow("mod wheel stored as aftertouch") << "organRotaryModWheelCheckBox" << "index=4" << false;
        QTest::newRow("percussion type stored as decay") << "organPercussionTypeComboBox" << "param=5" << false;
        QTest::newRow("a shown choice storing nothing") << "reverbTypeComboBox" << "command=255" << false;
    }

    void storedWhereShown()
    {
        QFETCH(QString, widget);
        QFETCH(QString, record);
        QFETCH(bool, fits);
        int checked = 0;
        for (const probe::Mapped& m : probe::records(*f->window)) {
            if (!widget.isEmpty() && m.widget->objectName() != widget)
                continue;
            TControl r = *m.record;
            if (!record.isEmpty()) {
                const QString field = record.section('=', 0, 0);
                quint8& changed = field == "part" ? r.part : field == "index" ? r.index
                                                   : field == "param" ? r.param : r.command;
                changed = quint8(record.section('=', 1).toInt());
            }
            QVERIFY2(::storedWhereShown(f->ui(), m.family, m.widget, r) == fits, qPrintable(m.widget->objectName()));
            ++checked;
        }
        QVERIFY(checked > 0);
    }

    // The Debug and Tools menus, the Debug page, the GM reverb and the two
    // effect presets are there beside the marker folder only; the GM menu
    // never.
    void developerPartsFollowTheMarker()
    {
        QDir beside(QCoreApplication::applicationDirPath());
        for (const bool marker : { false, true }) {
            QVERIFY(!marker || beside.mkdir("development-team"));
            const auto removeMarker = qScopeGuard([&beside] { beside.rmdir("development-team"); });
            ScriptedPrompts prompts;
            LyrForm window(nullptr, &prompts);
            Ui_LyrForm* ui = window.form();
            const QList<QAction*> menus = window.menuBar()->actions();
            const QList<bool> present { menus.contains(ui->menuDebug->menuAction()),
                                        menus.contains(ui->menuTools->menuAction()),
                                        ui->centralTabWidget->indexOf(ui->setupTab) >= 0,
                                        !ui->gmReverbGroupBox->isHidden(),
                                        !ui->reverbPresetComboBox->isHidden(), !ui->chorusPresetComboBox->isHidden() };
            QCOMPARE(present, QList<bool>(6, marker));
            QVERIFY(!menus.contains(ui->menuGM->menuAction()));
        }
    }

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
        fresh("");
        TInsert& eq = programPtr->insert;
        eq.eqType[band] = quint8(typeByte);
        eq.eqFreq[band] = 1004;
        eq.eqGain[band] = 1003;
        openEditor([&](eqDialog*, QMyParametricEqPlot* plot) {
            const QMyParametricEq* b = plot->band(band);
            emit plot->eqChanged(band, std::isnan(freq) ? b->getFrequency() : freq,
                                 std::isnan(gain) ? b->getGain() : gain, b->getQ(),
                                 type < 0 ? b->getType() : QMyParametricEq::Type(type));
        });
        QTEST((QList<int> { eq.eqType[band], eq.eqFreq[band], eq.eqGain[band] }), "stored");
        QCOMPARE(f->frames(frames.size()), frames);
        QCOMPARE(probe::stale(*f->window), QString());   // the page follows the editor
    }

    // The graph is drawn once it is shown and then left alone: no drawing
    // asks for the next.
    void idleEditorDoesNoWork()
    {
        bool drawn = false;
        qsizetype replots = -1;
        openEditor([&](eqDialog* dialog, QMyParametricEqPlot* plot) {
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
        fresh("");
        TInsert& eq = programPtr->insert;
        for (int b = 0; b < 4; ++b) {
            eq.eqType[b] = quint8(b);
            eq.eqFreq[b] = eq.eqQ[b] = eq.eqGain[b] = quint16(100 * b);
        }
        f->window->updateAll();
        f->window->onEqResetButtonClicked();
        const QString stale = probe::stale(*f->window);   // the page shows the reset at once

        QStringList expected;
        for (int b = 0; b < 4; ++b) {
            expected << QString::asprintf("21:24 %02x 04", b) << QString::asprintf("21:25 %02x 03 20", b)
                     << QString::asprintf("21:26 %02x 03 a6", b) << QString::asprintf("21:27 %02x 1f ff", b);
            QCOMPARE((QList<int> { eq.eqType[b], eq.eqFreq[b], eq.eqQ[b], eq.eqGain[b] }),
                     (QList<int> { 4, 800, 934, 8191 }));
        }
        QCOMPARE(f->frames(16), expected);
        QCOMPARE(stale, QString());
    }

    void refreshNeverWritesNorSends_data()
    {
        QTest::addColumn<int>("fill");    // every byte this, or random when -1
        QTest::addColumn<int>("program");
        QTest::newRow("random bytes") << -1 << 77;
        QTest::newRow("every byte 0xFF") << 0xFF << 127;
    }

    // Showing a program, whatever its bytes, writes nothing back (the name
    // included) and sends nothing.
    void refreshNeverWritesNorSends()
    {
        QFETCH(int, fill);
        QFETCH(int, program);
        QRandomGenerator random(lyrtest::fuzzSeed());
        if (fill < 0)
            random.fillRange(reinterpret_cast<quint32*>(&programs), sizeof(programs) / 4);
        else
            std::memset(&programs, fill, sizeof(programs));
        loadProgram(quint16(program));
        f->module.clearLog();
        const QByteArray before = probe::block();
        f->window->updateAll();
        QCOMPARE(f->frames(0), QStringList());
        QCOMPARE(probe::changes(before), QString());
    }

    // Every control with a record, driven through its own signal: one frame
    // per edit, to the parameter and voice the module expects, carrying what
    // was stored; only that control's bytes changed (its neighbours in the
    // same byte kept), the pages show the edit at once as a full refresh
    // would, and a full refresh shows the new value with no other control
    // moved; the bytes set back show the pages as before.
    void everyControlRoundTrip()
    {
        // The module's parameter numbers (decimal) by control, its kind left
        // out of its name; a group's names take consecutive numbers. "#" is
        // the layer 1..3 or drawbar 1..9 (voice 0..8), "*" the EQ band Low,
        // MidLow, MidHigh, High (voice 0..3), "@" the voice; else voice 255. A
        // range slider sends its low end's number, then its high end's.
        static const QString voiceRuns = "enable#=0 {vol,reverbSend,shift,tune,pan,chorusSend}#=1 range#=7:8 "
            "veloRange#=9:10 {rangeLow,rangeHigh,veloLow,veloHigh}#=7 {attack,decay,reso,release,cutOff,dynFilt}#=11 "
            "morphingOnOff=17@0 {insert,sustain}#=18 mainVol=21@4 gmVol=21@5 {compressor{OnOff,Attack,Release,Ratio,"
            "Threshold,MakeUpGain},distorsor{OnOff,Type,BrightIn,Drive,BrightOut,Level},feedToRotary,eqOnOff}=22 "
            "eq*Band{,Freq,Q,Gain}=36 mod{OnOff,Type,Wave,DryWet,Depth,Rate,Delay,Feedback,SlowFast,FastRate,"
            "AccelerationTime,BrakeTime,Directovity,MicAngle}=40 wah{OnOff,Type,Filter,Freq,Resonance,Sensitivity,"
            "Decay,LfoAmount,LfoRate}=54 tremolo{OnOff,Type,Shape,Depth,Rate}=63 delay{OnOff,Type,Level,Cutoff,Time,"
            "Feedback,Damping}=68 insertLevel=75 insert{Reverb,Chorus,Configuration,Gain}=77 hqDistorsor{,Bias,Boost,"
            "Type,Drive,Brightness,Level}=81 reverb{Size,HDamp,HighShelfGain,HighShelfFreq,PreHpFilter,Type,Time,"
            "Feedback,PreDelayTime,PreLPFilter,Level}=89 chorus{Wave,Type,PreLpFilter,Feedback,Delay,Rate,Depth,"
            "Level}=101 morphingSustain=109 morphingModWheel=109 morphingAftertouch=109 morphingSustainToggle=109 "
            "modulation#=110";
        static const QString organRuns = "organ{OnOff,Volume}=0 drawbar#=2 organ{PercussionOnOff,PercussionType,"
            "PercussionDecay,PercussionLevel,VibratoChorusOnOff,VibratoChorusType,SlowFast,KeyClick,Reverb,Chorus,"
            "DirectSoundLevel,ReflectionIntensity,ReflectionDelayTime}=3 organHighRotor{Volume,HP,SlowSpeed,FastSpeed,"
            "AccTime,DecTime,BrakeTime,AMDepth,FMDepth,DriveAmount,DriveLP}=16 organLowRotor{Volume,LP,SlowSpeed,"
            "FastSpeed,AccTime,DecTime,BrakeTime,AMDepth,FMDepth,DriveAmount,DriveLP}=27 organDrive=38 "
            "organRotarySustain=39 organRotaryModWheel=39 organRotaryAftertouch=39 organRotarySustainToggle=39 "
            "organShift=40";
        // What the items stand for where it is not their position.
        static const QHash<QString, QList<int>> itemValues {
            { "organVibratoChorusTypeComboBox", { 0, 26, 51, 77, 102, 127 } },
            { "organSlowFastComboBox", { 0, 64, 127 } },
        };
        QHash<QString, QString> wire;   // control, "com/param[:high][@voice]"
        for (const auto& [com, runs] : { std::pair { "21/", voiceRuns }, std::pair { "29/", organRuns } }) {
            for (const QString& run : runs.split(' ')) {
                const QStringList names = probe::expand(run.section('=', 0, 0));
                const QString first = run.section('=', 1);
                for (int k = 0; k < names.size(); ++k)
                    wire.insert(names[k], com + (k ? QString::number(first.toInt() + k) : first));
            }
        }
        static const QRegularExpression digit("\\d"), band("(Low|MidLow|MidHigh|High)Band"),
            kind("Dial|CheckBox|ComboBox|Slider|LineEdit");
        // The k-th frame's command, parameter and voice for a control, "com:pp vv".
        const auto head = [&](QString name, bool highEnd, int k) {
            int voice = 255;
            if (const QRegularExpressionMatch d = digit.match(name); d.hasMatch())
                voice = d.captured().toInt() - 1;
            if (const QRegularExpressionMatch b = band.match(name); b.hasMatch())
                voice = QStringList { "Low", "MidLow", "MidHigh", "High" }.indexOf(b.captured(1));
            const QString expects = wire.value(name.replace(digit, "#").replace(band, "*Band").remove(kind), "--/-1");
            const int param = expects.section('/', 1).section('@', 0, 0).split(':').value(highEnd).toInt();
            voice = expects.contains('@') ? expects.section('@', 1).toInt() : voice;
            return QString::asprintf("%s:%02x %02x", qPrintable(expects.left(2)), param & 0xFF, voice + k);
        };

        // Every layer and the organ on, so that each control can be used; the
        // bytes that hold several controls hold some of them set.
        const QString on = "17=1 18=1 453=201 67=6 463=21 464=10";
        int checked = 0;
        for (const probe::Mapped& m : probe::records(*f->window)) {
            if (m.record->command == 0xFF)
                continue;   // recognised by identity: the edit table's cases
            QWidget* w = m.widget;
            const QString name = w->objectName();
            fresh(on);
            // New values inside the widget's range, not at either end.
            QStringList drives { "set low:10", "set high:100" };
            if (auto* dial = qobject_cast<QMyAbstractSlider*>(w)) {
                const int v = dial->getMin() + (dial->getMax() - dial->getMin()) * 2 / 3;
                drives = { QString("set %1").arg(v + (v == dial->getValue())) };
            } else if (auto* slider = qobject_cast<QSlider*>(w))
                drives = { QString("set %1").arg(slider->value() == 100 ? 50 : 100) };
            else if (auto* combo = qobject_cast<QComboBox*>(w)) {
                drives.clear();   // every item but the one shown
                for (int k = 0; k < combo->count(); ++k)
                    drives << QString("set %1").arg(k);
                drives.removeOne(QString("set %1").arg(combo->currentIndex()));
            }
            else if (auto* box = qobject_cast<QCheckBox*>(w))
                drives = { QString("set %1").arg(int(!box->isChecked())) };
            else if (m.family == ControlFamily::LineEdit)
                drives = { name.contains("Low") ? "type 10" : "type 100" };
            for (const QString& drive : drives) {
                fresh(on);
                QHash<QWidget*, QString> shownBefore;
                for (const probe::Mapped& other : probe::records(*f->window))
                    shownBefore.insert(other.widget, probe::shown(other.widget));
                const QString expected = drive.endsWith("low:10") ? "10-127"
                                         : drive.endsWith("high:100") ? "0-100" : drive.section(' ', 1);

                const QStringList viewBefore = probe::view(*f->window);
                const QByteArray before = probe::block();
                probe::act(*f->window, name + " " + drive);
                const QByteArray after = probe::block();
                const QString what = name + " " + drive + ": ";
                // Morphing sets the three layers' modes, one command each.
                const int commands = name == "morphingOnOffCheckBox" ? 3 : 1;
                QList<int> changed;
                for (int i = 0; i < after.size(); ++i)
                    changed << (after[i] != before[i] ? i : -1);
                changed.removeAll(-1);
                QVERIFY2(!changed.isEmpty() && changed.last() - changed.first() <= commands,
                         qPrintable(what + "changed " + probe::changes(before)));
                for (int o = changed.first(); o < changed.first() + commands; ++o)
                    changed << o;   // neighbouring bytes are sent changed or not
                const QStringList sent = f->frames(commands);
                QVERIFY2(sent.size() == commands, qPrintable(what + sent.join(", ")));
                QStringList heads;
                for (int k = 0; k < commands; ++k)
                    heads << head(name, drive.contains("high"), k);
                QVERIFY2(QStringList(sent).replaceInStrings(QRegularExpression("^(.{8}).*"), "\\1") == heads,
                         qPrintable(what + "sent " + sent.join(", ") + " for " + heads.join(", ")));
                // Each item of a choice stands for its position, but where it says.
                const int item = drive.section(' ', 1).toInt();
                const bool itemValue = sent[0].right(2).toInt(nullptr, 16) == itemValues.value(name).value(item, item);
                QVERIFY2(!qobject_cast<QComboBox*>(w) || itemValue, qPrintable(what + "sent " + sent[0]));
                for (const lyrsim::SimLogEntry& e : f->module.log()) {
                    int v = 0;   // the value follows the parameter and the layer or index
                    for (char c : e.frame.data.mid(2))
                        v = v << 8 | quint8(c);
                    QVERIFY2(carriesStored(v, before, after, changed),
                             qPrintable(what + QString("sent %1, stored ").arg(v) + probe::changes(before)));
                }

                const QString late = probe::stale(*f->window);   // and refreshes
                QVERIFY2(late.isEmpty(), qPrintable(what + "only a full refresh shows " + late));
                QVERIFY2(probe::shown(w) == expected, qPrintable(what + "shows " + probe::shown(w)));
                // A range slider moves with its edits, a sustain with its toggle.
                static const QRegularExpression family("(Range)?Slider|(Low|High)LineEdit|Toggle");
                for (auto it = shownBefore.cbegin(); it != shownBefore.cend(); ++it) {
                    if (QString(it.key()->objectName()).remove(family) != QString(name).remove(family)
                        && probe::shown(it.key()) != it.value())
                        QFAIL(qPrintable(what + "moved " + it.key()->objectName() + " to " + probe::shown(it.key())));
                }
                fresh(on);
                const QString kept = probe::difference(viewBefore, probe::view(*f->window));
                QVERIFY2(kept.isEmpty(), qPrintable(what + "the bytes set back leave " + kept));
                ++checked;
            }
        }
        QVERIFY2(checked > 200, qPrintable(QString("%1 checked").arg(checked)));
    }

    // The program list is as wide as its names at the form's own size (a
    // display that does not maximise, a small screen): each name and its
    // number read whole beside its colour marker, after the names grew and
    // after they shrank again; a refresh or a new name typed leaves the
    // list where it was scrolled and the focus where it was.
    void programListShowsWholeNames_data()
    {
        QTest::addColumn<QStringList>("names");   // programs 0, 1, ...; the rest "Program"
        QTest::newRow("longest names") << QStringList { "WWWWWWWWWWWWWWW", "Bluegrass Banjo" };
        QTest::newRow("short names again") << QStringList { "A", "B" };
    }

    void programListShowsWholeNames()
    {
        QFETCH(QStringList, names);
        initPrograms();
        loadProgram(0);
        f->window->resize(1286, 772);
        f->window->show();
        QApplication::setActiveWindow(f->window.get());
        QVERIFY(QTest::qWaitForWindowActive(f->window.get()));
        f->window->updateAll();
        QScrollArea* list = f->ui()->programsScrollArea;
        const QList<QPushButton*> buttons = f->ui()->programsScrollAreaWidgetContents->findChildren<QPushButton*>();
        list->ensureWidgetVisible(buttons[120]);
        buttons[120]->setFocus();
        QTest::qWait(20);
        const int scrolled = list->verticalScrollBar()->value();
        QVERIFY(scrolled > 0 && buttons[120]->hasFocus());

        for (int n = 1; n < names.size(); ++n)
            qstrncpy(programs.program[n].name, names[n].toUtf8(), sizeof(programs.program[n].name));
        f->window->updateAll();
        QTest::qWait(20);
        QCOMPARE(list->verticalScrollBar()->value(), scrolled);
        QVERIFY(buttons[120]->hasFocus());
        f->ui()->programLineEdit->setFocus();
        f->ui()->programLineEdit->selectAll();
        QTest::keyClicks(f->ui()->programLineEdit, names[0]);
        QTest::qWait(20);
        QCOMPARE(list->verticalScrollBar()->value(), scrolled);

        const QWidget* view = list->viewport();
        QVERIFY(list->minimumWidth() >= 150);
        QCOMPARE(list->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        int widest = 0;
        for (QPushButton* button : buttons) {
            const QLabel* marker = button->findChild<QLabel*>();
            QCOMPARE(marker->geometry(), QRect(4, 4, 8, 15));
            // Centred text starts past the marker and ends inside the view.
            const int text = button->fontMetrics().horizontalAdvance(button->text());
            const QRect onView(button->mapTo(view, QPoint(0, 0)), button->size());
            const QString what = button->text() + QString(" in %1 of %2").arg(button->width()).arg(view->width());
            QVERIFY2((button->width() - text) / 2 > marker->geometry().right(), qPrintable(what));
            QVERIFY2(onView.left() >= 0 && onView.right() < view->width(), qPrintable(what));
            widest = std::max(widest, text);
        }
        // No wider than the names need, beyond the list's least width.
        QVERIFY(view->width() <= std::max(150, widest + 80));
        f->window->hide();
    }
#endif
};

LYR_TEST_MAIN(TestEdits)
#include "tst_edits.moc"
