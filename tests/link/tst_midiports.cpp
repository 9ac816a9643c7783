// The port layer: what an incoming message turns into, that every message
// object is released once handled, what the output sends, and the piano roll.

#include "TestSupport.h"
#include "QMidiIn.h"
#include "QMidiMessage.h"
#include "QMidiOut.h"
#include "QMidiPianoRoll.h"

#include <QGraphicsRectItem>
#include <QPointer>

namespace {

std::vector<unsigned char> bytes(const QByteArray& hex)
{
    const QByteArray b = QByteArray::fromHex(hex);
    return std::vector<unsigned char>(b.begin(), b.end());
}

QByteArray hexOf(const std::vector<unsigned char>& v)
{
    return QByteArray(reinterpret_cast<const char*>(v.data()), qsizetype(v.size())).toHex(' ');
}

} // namespace

class TestMidiPorts : public QObject
{
    Q_OBJECT
private slots:
    void incomingMessageFields_data()
    {
        QTest::addColumn<QByteArray>("wire");
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("channel");
        QTest::addColumn<int>("pitch");
        QTest::addColumn<int>("velocity");
        QTest::addColumn<int>("control");
        QTest::addColumn<int>("value");
        QTest::addColumn<QByteArray>("rebuilt");
        //                                 wire             status chan pitch vel ctl  value  rebuilt
        QTest::newRow("note on ch 4") << QByteArray("934064") << 0x90 << 4 << 0x40 << 0x64 << 0 << 0 << QByteArray("93 40 64");
        QTest::newRow("note off ch 1") << QByteArray("803c00") << 0x80 << 1 << 0x3c << 0 << 0 << 0 << QByteArray("80 3c 00");
        QTest::newRow("poly pressure") << QByteArray("a13c22") << 0xA0 << 2 << 0x3c << 0 << 0 << 0x22 << QByteArray();
        QTest::newRow("control change ch 16") << QByteArray("bf077f") << 0xB0 << 16 << 0 << 0 << 7 << 0x7f << QByteArray("bf 07 7f");
        QTest::newRow("program change") << QByteArray("c205") << 0xC0 << 3 << 0 << 0 << 5 << 0 << QByteArray("c2 05");
        QTest::newRow("channel pressure") << QByteArray("d040") << 0xD0 << 1 << 0 << 0 << 0x40 << 0 << QByteArray("d0 40");
        QTest::newRow("pitch bend centre") << QByteArray("e00040") << 0xE0 << 1 << 0 << 0 << 0 << 8192 << QByteArray();
        QTest::newRow("sysex") << QByteArray("f00102f7") << 0xF0 << 0 << 0 << 0 << 0 << 0 << QByteArray("f0 01 02 f7");
        QTest::newRow("clock") << QByteArray("f8") << 0xF8 << 0 << 0 << 0 << 0 << 0 << QByteArray();
        QTest::newRow("note on cut short") << QByteArray("90") << 0x90 << 1 << 0 << 0 << 0 << 0 << QByteArray("90 00 00");
    }
    void incomingMessageFields()
    {
        QFETCH(QByteArray, wire);
        QFETCH(int, status);
        QFETCH(int, channel);
        QFETCH(int, pitch);
        QFETCH(int, velocity);
        QFETCH(int, control);
        QFETCH(int, value);
        QFETCH(QByteArray, rebuilt);

        QMidiIn in;
        QMidiMessage* seen = nullptr;
        connect(&in, &QMidiIn::midiMessageReceived, this, [&](QMidiMessage* m) {
            seen = m;
            QCOMPARE(int(m->getStatus()), status);
            QCOMPARE(int(m->getChannel()), channel);
            QCOMPARE(int(m->getPitch()), pitch);
            QCOMPARE(int(m->getVelocity()), velocity);
            QCOMPARE(int(m->getControl()), control);
            QCOMPARE(int(m->getValue()), value);
            if (status == 0xF0)
                QCOMPARE(hexOf(m->getSysExData()), QByteArray::fromHex(wire).toHex(' '));
            QCOMPARE(hexOf(m->getRawMessage()), rebuilt);
        });
        in.deliver(bytes(wire));
        QVERIFY(seen);
    }

    void emptyMessageIsNotPassedOn()
    {
        QMidiIn in;
        int count = 0;
        connect(&in, &QMidiIn::midiMessageReceived, this, [&count] { ++count; });
        in.deliver({});
        QCOMPARE(count, 0);
    }

    void sysexWithoutF7GetsOneWhenRebuilt()
    {
        QMidiMessage m;
        m.setStatus(MIDI_SYSEX);
        m.setSysExData(bytes("f0 01 02"));
        QCOMPARE(hexOf(m.getRawMessage()), QByteArray("f0 01 02 f7"));
        m.clear();
        QCOMPARE(int(m.getChannel()), 1);
        QVERIFY(m.getRawMessage().empty());
    }

    void copyIsIndependentAndParentless()
    {
        QObject owner;
        QMidiMessage original(&owner);
        original.setStatus(MIDI_CONTROL_CHANGE);
        original.setChannel(5);
        original.setControl(7);
        original.setValue(99);
        original.setDeltaTime(2.5);
        QMidiMessage copy(original);
        QCOMPARE(copy.parent(), nullptr);
        QCOMPARE(hexOf(copy.getRawMessage()), QByteArray("b4 07 63"));
        QCOMPARE(copy.getDeltaTime(), 2.5);
    }

    // One message object per incoming message: it must go away once the
    // queued receivers have had it, or a long transfer leaks thousands.
    void everyMessageIsReleasedOnceHandled()
    {
        QMidiIn in;
        QObject receiver;
        QList<QPointer<QMidiMessage>> messages;
        int handled = 0;
        connect(&in, &QMidiIn::midiMessageReceived, &receiver, [&](QMidiMessage* m) {
            messages << m;
            ++handled;
        }, Qt::QueuedConnection);
        for (int i = 0; i < 50; ++i)
            in.deliver(bytes("f0 01 02 f7"));
        QTRY_COMPARE(handled, 50);
        QCoreApplication::processEvents();
        for (const QPointer<QMidiMessage>& m : messages)
            QVERIFY(m.isNull());
    }

    void pendingMessagesGoWithTheirPort()
    {
        auto* in = new QMidiIn;
        QPointer<QMidiMessage> message;
        connect(in, &QMidiIn::midiMessageReceived, this, [&message](QMidiMessage* m) { message = m; });
        in->deliver(bytes("90 40 40"));
        QVERIFY(!message.isNull());
        delete in;
        QVERIFY(message.isNull());
    }

    void outputSendsWhatItIsGiven()
    {
        QMidiOut out;
        QList<QByteArray> wire;
        QVERIFY(!out.isPortOpen() || out.getPortCount() > 0);
        out.setLoopback([&wire](const std::vector<unsigned char>& m) { wire << hexOf(m); });
        QVERIFY(out.isPortOpen());

        out.sendNoteOn(4, 0x40, 0x64);
        out.sendNoteOff(1, 0x3c, 0);
        QMidiMessage cc;
        cc.setStatus(MIDI_CONTROL_CHANGE);
        cc.setChannel(2);
        cc.setControl(123);
        out.sendMessage(&cc);
        QMidiMessage nothing;
        nothing.setStatus(MIDI_PITCH_BEND);
        out.sendMessage(&nothing);
        QCOMPARE(wire, (QList<QByteArray> { "93 40 64", "80 3c 00", "b1 7b 00" }));

        out.closePort();
        QVERIFY(!out.isPortOpen());
    }

    // Here neither an ALSA sequencer nor (with this server name) JACK is
    // there: the ports must simply be absent, at creation and on every call.
    void withoutAnyMidiSystemNothingBreaks()
    {
        const QByteArray server = qgetenv("JACK_DEFAULT_SERVER");
        qputenv("JACK_DEFAULT_SERVER", "lyr-no-such-server");
        {
            QMidiIn in;
            QMidiOut out;
            in.openPort(QString("MIDIIN2 (Borvan Lyr)"));
            QVERIFY(!in.isPortOpen());
            QVERIFY(!out.isPortOpen());
            QVERIFY(in.getPorts().size() == int(in.getPortCount()));
            QVERIFY(out.getPorts().size() == int(out.getPortCount()));
            in.closePort();
            out.closePort();
            // More than RtMidi's JACK buffer holds: must not wait for room.
            for (int i = 0; i < 10000; ++i)
                out.sendNoteOn(1, 0x40, 0x40);
        }
        if (server.isNull())
            qunsetenv("JACK_DEFAULT_SERVER");
        else
            qputenv("JACK_DEFAULT_SERVER", server);
    }

    void openingAnUnknownPortNameLeavesItClosed()
    {
        QMidiIn in;
        in.openPort(QString("no such port \u00e9"));
        QVERIFY(!in.isPortOpen());
    }

    void pianoRollLightsAndReleasesKeys()
    {
        QMidiPianoRoll roll;
        roll.setPressedColor(Qt::red);
        QCOMPARE(roll.pressedColor(), QColor(Qt::red));

        QMidiIn in;
        connect(&in, &QMidiIn::midiMessageReceived, &roll, &QMidiPianoRoll::onMidiReceive);

        in.deliver(bytes("90 3c 40"));   // C4, velocity 64
        QColor lit = roll.key(60)->brush().color();
        QCOMPARE(lit.red(), 255);
        QCOMPARE(lit.alpha(), 128);
        in.deliver(bytes("90 3d 7f"));   // C#4
        QCOMPARE(roll.key(61)->brush().color().alpha(), 254);

        in.deliver(bytes("80 3c 00"));
        QCOMPARE(roll.key(60)->brush().color(), QColor(Qt::white));
        in.deliver(bytes("b0 7b 00"));   // all notes off
        QCOMPARE(roll.key(61)->brush().color(), QColor(Qt::black));

        in.deliver(bytes("90 7f 10"));   // highest note
        QVERIFY(roll.key(127)->brush().color().alpha() == 32);
        QVERIFY(roll.key(128) == nullptr);
    }

    void pianoRollKeyLayout_data()
    {
        QTest::addColumn<int>("note");
        QTest::addColumn<qreal>("x");
        QTest::addColumn<bool>("black");
        QTest::newRow("C") << 0 << 0.0 << false;
        QTest::newRow("C#") << 1 << 6.0 << true;
        QTest::newRow("E") << 4 << 24.0 << false;
        QTest::newRow("F after E") << 5 << 35.0 << false;
        QTest::newRow("B") << 11 << 71.0 << false;
        QTest::newRow("next C") << 12 << 82.0 << false;
    }
    void pianoRollKeyLayout()
    {
        QFETCH(int, note);
        QFETCH(qreal, x);
        QFETCH(bool, black);
        QMidiPianoRoll roll;
        const QGraphicsRectItem* k = roll.key(note);
        QCOMPARE(k->rect().x(), x);
        QCOMPARE(k->rect().height(), black ? 30.0 : 60.0);
        QCOMPARE(k->zValue() > 1, black);
        QCOMPARE(QMidiPianoRoll::isSemiTone(note), black);
    }
};

LYR_TEST_MAIN(TestMidiPorts)
#include "tst_midiports.moc"
