// The port layer: what an incoming message turns into, that every message
// object is released once handled, and life without any MIDI system.

#include "TestSupport.h"
#include "QMidiIn.h"
#include "QMidiMessage.h"
#include "QMidiOut.h"

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
        QTest::newRow("control change ch 16") << QByteArray("bf077f") << "b0 16 0 0 7 127 | bf 07 7f";
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
};

LYR_TEST_MAIN(TestMidiPorts)
#include "tst_midiports.moc"
