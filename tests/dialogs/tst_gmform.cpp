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
    }
    void init()
    {
        std::memset(gmData, 0, sizeof(gmData));
        initPrograms();
    }

    // Turning a dial stores value & 0x7F in its channel's byte (the master
    // volume in the setup block) and nowhere else, announces it once, and a
    // refresh turns the dial back to the value, negative ones included.
    void dialStoresAndReadsBack_data()
    {
        QTest::addColumn<QString>("dial");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("channel");  // -1: the setup block
        QTest::addColumn<int>("param");    // or setup item
        QTest::addColumn<int>("byte");
        QTest::addColumn<int>("stored");
        QTest::newRow("volume") << "volDial1" << 100 << 0 << 1 << 5 << 100;
        QTest::newRow("shift at its low end") << "shiftDial16" << -48 << 15 << 3 << 8 << 80;
        QTest::newRow("tune -1") << "tuneDial3" << -1 << 2 << 4 << 9 << 127;
        QTest::newRow("pitch at its low end") << "pitchDial7" << -64 << 6 << 113 << 10 << 64;
        QTest::newRow("pan at its high end") << "panDial5" << 63 << 4 << 5 << 11 << 63;
        QTest::newRow("master volume") << "masterVolDial" << 100 << -1 << 5 << 5 << 100;
    }
    void dialStoresAndReadsBack()
    {
        QFETCH(QString, dial);
        QFETCH(int, value);
        QFETCH(int, channel);
        QFETCH(int, param);
        QFETCH(int, byte);
        QFETCH(int, stored);
        const auto block = [channel] {
            return channel < 0 ? QByteArray(reinterpret_cast<const char*>(&programs.setup), sizeof(TSetup))
                               : QByteArray(reinterpret_cast<const char*>(&gmData[channel]), sizeof(TGmChannel));
        };
        QByteArray expected = block();
        expected[byte] = char(stored);
        GmForm gm;
        QSignalSpy variation(&gm, &GmForm::gmVoiceVariation);
        QSignalSpy setup(&gm, &GmForm::setupVariation);
        auto* d = gm.findChild<QMyDial*>(dial);
        d->setValue(value);
        QCOMPARE(block(), expected);
        const QString prefix = channel < 0 ? QString() : QString::number(channel) + ",";
        QCOMPARE(calls(variation) + calls(setup), QStringList { prefix + QString("%1,%2").arg(param).arg(stored) });

        d->setValue(0, true, false);
        gm.updateAll();
        QCOMPARE(d->getValue(), value);
        QCOMPARE(variation.count() + setup.count(), 1);
    }

    // A voice chosen for a channel: the drum family sets the drum bit and
    // " [D]", any other clears them; the other flag bits stay. Each chooser
    // is gone once closed.
    void voiceChoice()
    {
        gmData[9].flags = GmChannelMute;
        GmForm gm;
        QSignalSpy changed(&gm, &GmForm::gmVoiceChanged);
        for (const int family : { 12, 0 }) {
            const bool drum = family == 12;
            const int voice = getVoiceCount(family) - 1, bank = getVoiceBank(family, voice);
            const int pch = getVoicePch(family, voice);
            gm.form()->voiceButton10->click();
            const QList<VoiceDialog*> choosers = gm.findChildren<VoiceDialog*>();
            QCOMPARE(choosers.size(), 1);
            emit choosers[0]->voiceChanged(9, uint8_t(family), uint8_t(voice));
            QCOMPARE(calls(changed).takeLast(), QString("9,%1,%2,%3,%4").arg(family).arg(voice).arg(bank).arg(pch));
            const TGmChannel& c = gmData[9];
            QCOMPARE(QList<int>({ c.flags, c.family, c.voice, c.bank, c.pch }),
                     QList<int>({ GmChannelMute | (drum ? GmChannelDrum : 0), family, voice, bank, pch }));
            QCOMPARE(gm.form()->voiceButton10->text(), getVoiceName(family, voice) + (drum ? " [D]" : ""));
            choosers[0]->close();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        QCOMPARE(changed.count(), 2);
    }

    // Mute toggles its bit alone. One solo at a time: moving it announces the
    // old channel off, then the new one on, and the soloed button cannot be
    // clicked off. A refresh shows the flags again and says nothing.
    void muteAndSolo()
    {
        gmData[5].flags = GmChannelDrum;
        GmForm gm;
        QSignalSpy variation(&gm, &GmForm::gmVoiceVariation);
        gm.form()->muteButton6->click();
        QCOMPARE(int(gmData[5].flags), GmChannelDrum | GmChannelMute);
        gm.form()->muteButton6->click();
        gm.form()->soloButton2->click();
        gm.form()->soloButton4->click();
        gm.form()->soloButton4->click();
        QCOMPARE(calls(variation), (QStringList { "5,111,1", "5,111,0", "1,112,1", "1,112,0", "3,112,1" }));
        QCOMPARE(QList<int>({ gmData[1].flags, gmData[3].flags, gmData[5].flags }),
                 QList<int>({ 0, GmChannelSolo, GmChannelDrum }));
        QVERIFY(gm.form()->soloButton4->isChecked());

        variation.clear();
        std::memset(gmData, 0, sizeof(gmData));
        gmData[7].flags = GmChannelSolo | GmChannelMute;
        gm.updateAll();
        QVERIFY(!gm.form()->soloButton4->isChecked());
        QVERIFY(gm.form()->soloButton8->isChecked() && gm.form()->muteButton8->isChecked());
        QVERIFY(!gm.form()->muteButton6->isChecked() && !gm.form()->soloButton7->isChecked());
        QCOMPARE(int(gmData[7].flags), GmChannelSolo | GmChannelMute);
        QCOMPARE(variation.count(), 0);
    }
};

LYR_TEST_MAIN(TestGmForm)
#include "tst_gmform.moc"
