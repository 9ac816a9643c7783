// The page refresh: what the pages show and allow for a program, and that
// showing any program, however odd its bytes, writes and sends nothing.

#include "PageProbe.h"
#include "TestSupport.h"
#include "WindowFixture.h"

#include "TPrograms.h"
#include "ui_LyrForm.h"

#include <QLineEdit>
#include <QRandomGenerator>
#include <QSignalSpy>

#include <cstring>
#include <memory>

class TestRefresh : public QObject
{
    Q_OBJECT
    std::unique_ptr<WindowFixture> f;

private slots:
    void initTestCase()
    {
        f = std::make_unique<WindowFixture>();
        QVERIFY(f->connect());
        f->window->initEqPlot();
    }

    void cleanupTestCase() { f.reset(); }

    void init()
    {
        initPrograms();
        loadProgram(0);
    }

    void neverWritesNorSends_data()
    {
        QTest::addColumn<int>("seed");     // random block; 0: factory programs
        QTest::addColumn<int>("fill");     // every byte this value when >= 0
        QTest::addColumn<int>("program");
        QTest::newRow("factory programs") << 0 << -1 << 0;
        QTest::newRow("random bytes, program 77") << 1 << -1 << 77;
        QTest::newRow("every byte 0xFF") << 0 << 0xFF << 127;
    }

    void neverWritesNorSends()
    {
        QFETCH(int, seed);
        QFETCH(int, fill);
        QFETCH(int, program);
        if (seed) {
            QRandomGenerator random { quint32(seed) };
            random.fillRange(reinterpret_cast<quint32*>(&programs), sizeof(programs) / sizeof(quint32));
        } else if (fill >= 0) {
            std::memset(&programs, fill, sizeof(programs));
        }
        currentProgram = quint16(program);
        QTest::qWait(5);
        f->module.clearLog();
        QSignalSpy voice(f->window.get(), &LyrForm::voiceVariation);
        QSignalSpy voice16(f->window.get(), &LyrForm::voiceVariation16);
        QSignalSpy setup(f->window.get(), &LyrForm::setupVariation);
        QSignalSpy organ(f->window.get(), &LyrForm::organVariation);
        QSignalSpy name(f->ui()->programLineEdit, &QLineEdit::textChanged);

        const QByteArray before = probe::block();
        f->window->updateAll();
        QTest::qWait(10);
        QCOMPARE(probe::changes(before), QString());
        QCOMPARE(voice.size() + voice16.size() + setup.size() + organ.size() + name.size(), 0);
        QCOMPARE(f->frames(), QStringList());
    }

    void shows_data()
    {
        QTest::addColumn<QString>("pokes");
        QTest::addColumn<QString>("view");

        QTest::newRow("stored offsets shown as values")
            << "43=127 37=0 40=127 470=96 453=201"
            << "panDial1=-63 shiftDial1=-48 tuneDial1=63 organShiftDial=48 organVolumeDial=100";
        QTest::newRow("a layer's enable byte 2 leaves it without sends")
            << "17=2" << "volDial2:enabled adrWidget2:enabled reverbSendDial2:disabled chorusSendDial2:disabled";
        QTest::newRow("a layer through the insert chain takes its sends from there")
            << "17=1 50=1" << "volDial2:enabled reverbSendDial2:disabled insertReverbDial:enabled insertChorusDial:enabled";
        QTest::newRow("layers off, none through the insert chain")
            << "" << "volDial2:disabled voice3Button:disabled rangeKeyboard2:disabled reverbSendDial1:enabled insertReverbDial:disabled";
        QTest::newRow("reverb delay types swap the pre-delay for feedback")
            << "437=1 440=7" << "reverbPreDelayTimeDial:disabled reverbFeedbackDial:enabled reverbTypeComboBox=7";
        QTest::newRow("reverb off") << "437=0" << "reverbTimeDial:disabled reverbTypeComboBox:disabled";
        QTest::newRow("rotary modulation in slot 2")
            << "352=1 353=4 416=0" << "groupBoxRotor:visible groupBoxModulation:visible modFastRateDial:enabled modDryWetDial:disabled";
        QTest::newRow("rotary modulation while the wah has slot 2")
            << "353=4 416=16" << "groupBoxRotor:hidden groupBoxWah:visible groupBoxModulation:hidden";
        QTest::newRow("vibrato has no dry/wet, delay or feedback")
            << "352=1 353=1" << "modDryWetDial:disabled modDelayDial:disabled modWaveComboBox:enabled modDepthDial:enabled";
        QTest::newRow("the distorsor in slot 1")
            << "416=1 313=1" << "groupBoxDistorsor:visible groupBoxCompressor:hidden distorsorDriveDial:enabled";
        QTest::newRow("wah in LFO mode")
            << "375=1 376=3" << "wahLfoRateDial:enabled wahLfoPlot:enabled wahSensitivityDial:disabled wahFreqDial:enabled";
        QTest::newRow("eq band types choose their dials")
            << "323=1 324=3 325=1 326=2 327=0"
            << "eqLowBandQDial:disabled eqLowBandGainDial:enabled eqMidLowBandFreqDial:enabled "
               "eqMidLowBandGainDial:disabled eqMidHighBandQDial:enabled eqMidHighBandGainDial:disabled "
               "eqHighBandFreqDial:disabled eqHighBandComboBox=0 eqType2=2 eqType3=10";
        QTest::newRow("eq off") << "323=0" << "eqLowBandComboBox:disabled eqEditButton:disabled eqLowBandFreqDial:disabled";
        QTest::newRow("organ off, rotary fed by the insert chain")
            << "453=200 417=1" << "organVolumeDial:disabled groupBoxDrawbars:disabled groupBoxRotary:enabled organVolumeDial=100";
        QTest::newRow("organ on with its choices")
            << "453=201 465=51 463=21 466=127"
            << "groupBoxDrawbars:enabled organVibratoChorusTypeComboBox.text=V2 organPercussionOnOffCheckBox=1 "
               "organPercussionTypeComboBox=1 organPercussionDecayComboBox=0 organPercussionLevelComboBox=1 "
               "organSlowFastComboBox.text=Fast";
        QTest::newRow("no colour")
            << "292=19" << "marker0=rgba(0,0,0,0) colorComboBox.text=None";
        QTest::newRow("red") << "292=7" << "marker0=rgba(255,0,0,255) colorComboBox.text=Red";
        QTest::newRow("a colour byte past Qt's colours")
            << "292=200" << "marker0=rgba(0,0,0,0) colorComboBox=-1";
        QTest::newRow("a name of the whole 16 bytes")
            << "0+=4142434445464748494a4b4c4d4e4f50" << "programLineEdit=ABCDEFGHIJKLMNO";
        QTest::newRow("a voice the wavetable does not hold")
            << "19=13 21=99 22=99" << "voice1Button=Unavailable";
        QTest::newRow("ranges as stored, low end first")
            << "52=100 53=120 58=0 59=1" << "rangeSlider1=100-120 rangeKeyboard1=100-120 rangeLowLineEdit1=100 "
                                            "veloRangeSlider1=0-1 veloHighLineEdit1=1";
    }

    void shows()
    {
        QFETCH(QString, pokes);
        QFETCH(QString, view);
        probe::poke(pokes);
        f->window->updateAll();
        VERIFY_SHOWN(*f->window, view);
    }

    // Switching to a program with another velocity range shows that range,
    // whatever the sliders held, and leaves both programs as stored.
    void rangesFollowTheProgram()
    {
        programs.program[0].velocityRange[1][0] = 0;
        programs.program[0].velocityRange[1][1] = 40;
        programs.program[1].velocityRange[1][0] = 60;
        programs.program[1].velocityRange[1][1] = 127;
        f->window->updateAll();
        VERIFY_SHOWN(*f->window, "veloRangeSlider2=0-40");
        const QByteArray before = probe::block();
        currentProgram = 1;
        f->window->updateAll();
        VERIFY_SHOWN(*f->window, "veloRangeSlider2=60-127 veloLowLineEdit2=60");
        QCOMPARE(probe::changes(before), QString());
    }
};

LYR_TEST_MAIN(TestRefresh)
#include "tst_refresh.moc"
