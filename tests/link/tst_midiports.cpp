// The port layer: what an incoming message turns into, that every message
// object is released once handled, what the output sends, life without any
// MIDI system, and the piano roll.

#include "TestSupport.h"
#include "QMidiIn.h"
#include "QMidiMessage.h"
#include "QMidiOut.h"
#include "QMidiPianoRoll.h"

#include <QGraphicsRectItem>
#include <QPointer>

namespace {

std::vector<unsigned char> bytes(const char* hex)
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
        QTest::addColumn<QString>("fields"); // status channel pitch velocity control value, rebuilt message
        QTest::newRow("note on ch 4") << QByteArray("934064") << "90 4 64 100 0 0 | 93 40 64";
        QTest::newRow("note off ch 1") << QByteArray("803c00") << "80 1 60 0 0 0 | 80 3c 00";
        QTest::newRow("poly pressure") << QByteArray("a13c22") << "a0 2 60 0 0 34 | ";
        QTest::newRow("control change ch 16") << QByteArray("bf077f") << "b0 16 0 0 7 127 | bf 07 7f";
        QTest::newRow("program change") << QByteArray("c205") << "c0 3 0 0 5 0 | c2 05";
        QTest::newRow("pitch bend centre") << QByteArray("e00040") << "e0 1 0 0 0 8192 | ";
        QTest::newRow("sysex") << QByteArray("f00102f7") << "f0 0 0 0 0 0 | f0 01 02 f7";
        QTest::newRow("note on cut short") << QByteArray("90") << "90 1 0 0 0 0 | 90 00 00";
        QTest::newRow("empty: nothing passed on") << QByteArray() << "";
    }
    void incomingMessageFields()
    {
        QFETCH(QByteArray, wire);
        QFETCH(QString, fields);
        QMidiIn in;
        QString seen;
        connect(&in, &QMidiIn::midiMessageReceived, this, [&seen](QMidiMessage* m) {
            seen = QString::asprintf("%02x %u %u %u %u %u | ", unsigned(m->getStatus()), m->getChannel(), m->getPitch(),
                                     m->getVelocity(), m->getControl(), m->getValue())
                + hexOf(m->getRawMessage());
        });
        in.deliver(bytes(wire.constData()));
        QCOMPARE(seen, fields);
    }

    // One message object per incoming message: it must go away once the
    // queued receivers have had it (or with its port), or a long transfer
    // leaks thousands.
    void everyMessageIsReleased()
    {
        QMidiIn in;
        QObject receiver;
        QList<QPointer<QMidiMessage>> messages;
        connect(&in, &QMidiIn::midiMessageReceived, &receiver, [&messages](QMidiMessage* m) { messages << m; },
                Qt::QueuedConnection);
        for (int i = 0; i < 50; ++i)
            in.deliver(bytes("f00102f7"));
        QTRY_COMPARE(messages.size(), 50);
        QCoreApplication::processEvents();
        for (const QPointer<QMidiMessage>& m : messages)
            QVERIFY(m.isNull());

        auto* port = new QMidiIn;
        QPointer<QMidiMessage> pending;
        connect(port, &QMidiIn::midiMessageReceived, this, [&pending](QMidiMessage* m) { pending = m; });
        port->deliver(bytes("904040"));
        QVERIFY(pending);
        delete port;
        QVERIFY(pending.isNull());
    }

    void outputSendsWhatItIsGiven()
    {
        QMidiOut out;
        QList<QByteArray> wire;
        out.setLoopback([&wire](const std::vector<unsigned char>& m) { wire << hexOf(m); });
        out.sendNoteOn(4, 0x40, 0x64);
        out.sendNoteOff(1, 0x3c, 0);
        QCOMPARE(wire, (QList<QByteArray> { "93 40 64", "80 3c 00" }));
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
            QVERIFY(!in.isPortOpen() && !out.isPortOpen());
            QVERIFY(in.getPorts().isEmpty() && out.getPorts().isEmpty());
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

    void pianoRollFollowsTheNotes()
    {
        QMidiPianoRoll roll;
        roll.setPressedColor(Qt::red);
        QMidiIn in;
        connect(&in, &QMidiIn::midiMessageReceived, &roll, &QMidiPianoRoll::onMidiReceive);
        // Black keys lie over the white ones.
        QVERIFY(roll.key(61)->zValue() > roll.key(60)->zValue());

        in.deliver(bytes("903c40"));   // C4, velocity 64
        QCOMPARE(roll.key(60)->brush().color(), QColor(255, 0, 0, 128));
        in.deliver(bytes("903d7f"));   // C#4
        QCOMPARE(roll.key(61)->brush().color().alpha(), 254);
        in.deliver(bytes("803c00"));
        QCOMPARE(roll.key(60)->brush().color(), QColor(Qt::white));
        in.deliver(bytes("b07b00"));   // all notes off
        QCOMPARE(roll.key(61)->brush().color(), QColor(Qt::black));
        in.deliver(bytes("907f10"));   // highest note
        QCOMPARE(roll.key(127)->brush().color().alpha(), 32);
        QVERIFY(roll.key(128) == nullptr);
    }
};

LYR_TEST_MAIN(TestMidiPorts)
#include "tst_midiports.moc"
