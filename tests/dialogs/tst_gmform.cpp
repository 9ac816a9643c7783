// The GM mixer: what each edit stores in gmData or the setup block and what
// it announces, and that a refresh shows the stored state again.

#include "TestSupport.h"
#include "GmForm.h"
#include "QMyDial.h"
#include "TGmChannel.h"
#include "TGmWavetable.h"
#include "TPrograms.h"
#include "VoiceDialog.h"
#include "WavetableDescriptor.h"
#include "ui_GmForm.h"

#include <QFile>
#include <QSignalSpy>

#include <cstring>

namespace {

// Every emission of a spy as "a,b,c" lines.
QStringList calls(const QSignalSpy& spy)
{
    QStringList lines;
    for (const QList<QVariant>& args : spy) {
        QStringList values;
        for (const QVariant& v : args)
            values << QString::number(v.toInt());
        lines << values.join(',');
    }
    return lines;
}

QByteArray record(int channel)
{
    return QByteArray(reinterpret_cast<const char*>(&gmData[channel]), sizeof(TGmChannel));
}

} // namespace

class TestGmForm : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QFile descriptor(":/WaveTableVoicesDescriptor5916.txt");
        QVERIFY(descriptor.open(QIODevice::ReadOnly | QIODevice::Text));
        std::memset(&wavetable, 0, sizeof(wavetable));
        extractWavetable(&descriptor, &wavetable, 0);
        initWavetableFamilyNames();
        QVERIFY(getVoiceCount(12) > 0);
    }

    void init()
    {
        std::memset(gmData, 0, sizeof(gmData));
        initPrograms();
    }

    // Turning a dial stores value & 0x7F in its channel's byte and nowhere
    // else, announces it, and a refresh turns the dial back to the value.
    void dialStoresAndReadsBack_data()
    {
        QTest::addColumn<QString>("dial");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("channel");
        QTest::addColumn<int>("param");
        QTest::addColumn<int>("byte");
        QTest::addColumn<int>("stored");
        QTest::newRow("volume") << "volDial1" << 100 << 0 << 1 << 5 << 100;
        QTest::newRow("reverb") << "revDial9" << 90 << 8 << 2 << 6 << 90;
        QTest::newRow("chorus") << "choDial4" << 33 << 3 << 6 << 7 << 33;
        QTest::newRow("shift at its low end") << "shiftDial16" << -48 << 15 << 3 << 8 << 80;
        QTest::newRow("tune -1") << "tuneDial3" << -1 << 2 << 4 << 9 << 127;
        QTest::newRow("pitch at its low end") << "pitchDial7" << -64 << 6 << 113 << 10 << 64;
        QTest::newRow("pan at its high end") << "panDial5" << 63 << 4 << 5 << 11 << 63;
        QTest::newRow("cutoff") << "cutoffDial2" << 127 << 1 << 15 << 12 << 127;
    }

    void dialStoresAndReadsBack()
    {
        QFETCH(QString, dial);
        QFETCH(int, value);
        QFETCH(int, channel);
        QFETCH(int, param);
        QFETCH(int, byte);
        QFETCH(int, stored);
        GmForm gm;
        QSignalSpy variation(&gm, &GmForm::gmVoiceVariation);
        QSignalSpy setup(&gm, &GmForm::setupVariation);
        auto* d = gm.findChild<QMyDial*>(dial);
        QVERIFY(d);

        d->setValue(value);
        QByteArray expected(sizeof(TGmChannel), 0);
        expected[byte] = char(stored);
        QCOMPARE(record(channel), expected);
        QCOMPARE(calls(variation), QStringList { QString("%1,%2,%3").arg(channel).arg(param).arg(stored) });
        QCOMPARE(setup.count(), 0);

        d->setValue(0, true, false);
        gm.updateAll();
        QCOMPARE(d->getValue(), value);
        QCOMPARE(variation.count(), 1);
    }

    void masterVolumeIsSetupItem5()
    {
        GmForm gm;
        QSignalSpy setup(&gm, &GmForm::setupVariation);
        QSignalSpy variation(&gm, &GmForm::gmVoiceVariation);
        gm.form()->masterVolDial->setValue(100);
        QCOMPARE(reinterpret_cast<const quint8*>(&programs.setup)[5], quint8(100));
        QCOMPARE(calls(setup), QStringList { "5,100" });
        QCOMPARE(variation.count(), 0);

        programs.setup.gmVolume = 7;
        gm.updateGlobalValues();
        QCOMPARE(gm.form()->masterVolDial->getValue(), 7);
        QCOMPARE(setup.count(), 1);
    }

    // A voice chosen for a channel: the drum family sets the drum bit and
    // " [D]", any other clears them; the other flag bits stay.
    void voiceChoice_data()
    {
        QTest::addColumn<int>("family");
        QTest::addColumn<bool>("drum");
        QTest::newRow("drum set") << 12 << true;
        QTest::newRow("melodic voice after a drum set") << 0 << false;
    }

    void voiceChoice()
    {
        QFETCH(int, family);
        QFETCH(bool, drum);
        gmData[9].flags = GmChannelMute | (drum ? 0 : GmChannelDrum);
        GmForm gm;
        QSignalSpy changed(&gm, &GmForm::gmVoiceChanged);
        const int voice = getVoiceCount(family) - 1;
        const int bank = getVoiceBank(family, voice);
        const int pch = getVoicePch(family, voice);

        // Through the channel's voice button and the chooser it opens.
        gm.form()->voiceButton10->click();
        const QList<VoiceDialog*> choosers = gm.findChildren<VoiceDialog*>();
        QCOMPARE(choosers.size(), 1);
        emit choosers.first()->voiceChanged(9, uint8_t(family), uint8_t(voice));

        QCOMPARE(calls(changed), QStringList { QString("9,%1,%2,%3,%4").arg(family).arg(voice).arg(bank).arg(pch) });
        const TGmChannel& c = gmData[9];
        QCOMPARE(int(c.flags), GmChannelMute | (drum ? GmChannelDrum : 0));
        QCOMPARE(QList<int>({ c.family, c.voice, c.bank, c.pch }), QList<int>({ family, voice, bank, pch }));
        QCOMPARE(gm.form()->voiceButton10->text(), getVoiceName(family, voice) + (drum ? " [D]" : ""));
    }

    void muteTogglesItsBit()
    {
        gmData[5].flags = GmChannelDrum;
        GmForm gm;
        QSignalSpy variation(&gm, &GmForm::gmVoiceVariation);
        gm.form()->muteButton6->click();
        QCOMPARE(int(gmData[5].flags), GmChannelDrum | GmChannelMute);
        gm.form()->muteButton6->click();
        QCOMPARE(int(gmData[5].flags), int(GmChannelDrum));
        QCOMPARE(calls(variation), (QStringList { "5,111,1", "5,111,0" }));
    }

    // One solo at a time: moving it announces the old channel off, then the
    // new one on; the soloed button cannot be clicked off.
    void soloIsExclusive()
    {
        GmForm gm;
        QSignalSpy variation(&gm, &GmForm::gmVoiceVariation);
        gm.form()->soloButton2->click();
        variation.clear();
        gm.form()->soloButton4->click();
        QCOMPARE(calls(variation), (QStringList { "1,112,0", "3,112,1" }));
        QCOMPARE(int(gmData[1].flags), 0);
        QCOMPARE(int(gmData[3].flags), int(GmChannelSolo));

        gm.form()->soloButton4->click();
        QCOMPARE(variation.count(), 2);
        QVERIFY(gm.form()->soloButton4->isChecked());
        QCOMPARE(int(gmData[3].flags), int(GmChannelSolo));
    }

    // A refresh shows exactly the flags, also no solo after one, and
    // neither announces nor changes anything.
    void refreshShowsTheFlagsSilently()
    {
        GmForm gm;
        gm.form()->soloButton4->click();
        QSignalSpy variation(&gm, &GmForm::gmVoiceVariation);
        std::memset(gmData, 0, sizeof(gmData));
        gm.updateAll();
        QVERIFY(!gm.form()->soloButton4->isChecked());

        gmData[0].flags = GmChannelSolo | GmChannelMute;
        gmData[7].flags = GmChannelMute;
        gmData[15].flags = GmChannelSolo;
        const QByteArray before(reinterpret_cast<const char*>(gmData), sizeof(gmData));
        gm.updateAll();
        for (int n = 1; n <= 16; ++n) {
            const int flags = gmData[n - 1].flags;
            QCOMPARE(gm.findChild<QPushButton*>(QString("muteButton%1").arg(n))->isChecked(),
                     bool(flags & GmChannelMute));
            QCOMPARE(gm.findChild<QPushButton*>(QString("soloButton%1").arg(n))->isChecked(),
                     bool(flags & GmChannelSolo));
        }
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(gmData), sizeof(gmData)), before);
        QCOMPARE(variation.count(), 0);
    }
};

LYR_TEST_MAIN(TestGmForm)
#include "tst_gmform.moc"
