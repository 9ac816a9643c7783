// The Debug page against the simulated module: what each tool sends, the
// packet-size and DSP flash tests with their boxes, the free-form packet,
// samTest's give-up, and the preset store's frame.

#include "TestSupport.h"
#include "TInfo.h"
#include "WindowFixture.h"
#include "ui_LyrForm.h"

#include <QDial>
#include <QRadioButton>
#include <QTimer>
#include <QtEndian>

#include <cstring>

namespace {

// Sum of a 16-bit little-endian field over the frames of com the module got
// (the DSP flash read requests), or of their sizes (the writes' chunks).
int bytesMoved(const WindowFixture& f, quint8 com)
{
    int n = 0;
    for (const QByteArray& data : f.received(com))
        n += com == 0x28 ? quint8(data[0]) | quint8(data[1]) << 8 : int(data.size());
    return n;
}

// Lets queued frames reach the module: until count frames arrived, then a
// little longer so that an extra one would be seen too.
void settle(const WindowFixture& f, int count)
{
    waitFor([&] { return f.frames().size() >= count; }, 2000);
    QTest::qWait(30);
}

// Makes the module misbehave as text says ("nack:0x24"); nothing for "".
bool addFault(WindowFixture& f, const QString& text)
{
    lyrsim::SimFault fault;
    if (text.isEmpty())
        return true;
    if (!lyrsim::SimFault::parse(text, &fault))
        return false;
    f.module.addFault(fault);
    return true;
}

} // namespace

class TestDevTools : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        std::memset(&info, 0, sizeof(info));
    }

    // A click or a drag on the page, or a tool slot, and the frames the
    // module decodes: the bytes are the module's protocol.
    void toolSendsItsFrames_data()
    {
        QTest::addColumn<QString>("trigger");   // slot, button or dial name
        QTest::addColumn<int>("position");      // dial drag target
        QTest::addColumn<int>("times");
        QTest::addColumn<QStringList>("frames");
        QTest::newRow("panic") << "samPanic" << 0 << 1 << QStringList { "2c:" };
        QTest::newRow("system reset") << "systemReset" << 0 << 1 << QStringList { "01:aa" };
        QTest::newRow("sound chip reset") << "samReset" << 0 << 1 << QStringList { "07:" };
        QTest::newRow("no insert") << "insertOffRadioBtn" << 0 << 1
                                   << QStringList { "2f:f0 41 00 42 12 40 40 22 00 00 f7" };
        QTest::newRow("insert 1 clicked twice") << "insert1RadioBtn" << 0 << 2
                                                << QStringList { "2f:f0 41 00 42 12 40 40 22 03 00 f7",
                                                                 "2f:f0 41 00 42 12 40 40 22 03 00 f7" };
        QTest::newRow("insert 2") << "insert2RadioBtn" << 0 << 1
                                  << QStringList { "2f:f0 41 00 42 12 40 40 22 12 00 f7" };
        QTest::newRow("hq distortion 2 on")
            << "hqDist2OnBtn" << 0 << 1
            << QStringList { "2f:f5 01 b0 63 3e b0 62 00 b0 06 01 f5 01 b0 63 3e b0 62 7f b0 06 01 "
                             "f5 01 b0 63 3e b0 62 03 b0 06 02" };
        QTest::newRow("hq distortion 2 off")
            << "hqDist2OffBtn" << 0 << 1
            << QStringList { "2f:f5 01 b0 63 3e b0 62 00 b0 06 00 f5 01 b0 63 3e b0 62 7f b0 06 00" };
        QTest::newRow("hq distortion 2 drive") << "hqDist2DriveDial" << 90 << 1
                                               << QStringList { "2f:f5 01 b0 63 3e b0 62 04 b0 06 5a" };
        QTest::newRow("second reverb send") << "secondRevSendDial" << 100 << 1
                                            << QStringList { "2f:f5 01 b0 5c 64", "2f:f5 01 b0 5b 00" };
        QTest::newRow("second reverb level") << "secondRevLevelDial" << 5 << 1
                                             << QStringList { "2f:f5 01 b0 63 32 b0 62 07 b0 06 05" };
    }

    void toolSendsItsFrames()
    {
        QFETCH(QString, trigger);
        QFETCH(int, position);
        QFETCH(int, times);
        QFETCH(QStringList, frames);
        WindowFixture f;
        QVERIFY(f.connect());
        f.module.clearLog();

        for (int i = 0; i < times; ++i) {
            if (auto* button = f.window->findChild<QAbstractButton*>(trigger)) {
                button->click();
            } else if (auto* dial = f.window->findChild<QDial*>(trigger)) {
                // Only a drag sends: a value set by code must not.
                dial->setValue(position / 2);
                dial->setSliderDown(true);
                dial->setSliderPosition(position);
                dial->setSliderDown(false);
            } else {
                QVERIFY(QMetaObject::invokeMethod(f.window.get(), trigger.toLatin1()));
            }
        }
        settle(f, int(frames.size()));
        QCOMPARE(f.frames(), frames);
        QVERIFY(f.window->isEnabled());

        if (auto* radio = f.window->findChild<QRadioButton*>(trigger)) {
            for (QRadioButton* r : { f.ui()->insertOffRadioBtn, f.ui()->insert1RadioBtn, f.ui()->insert2RadioBtn })
                QCOMPARE(r->isChecked(), r == radio);
        }
    }

    // The Send button: the packet ends at the first empty byte edit. The
    // form's two-hex-digit mask refuses anything else; without it, text
    // that is not hex counts as 0 and only the low 8 bits are sent.
    void freePacket_data()
    {
        QTest::addColumn<bool>("masked");
        QTest::addColumn<QStringList>("edits");   // byte0LineEdit onwards; the rest empty
        QTest::addColumn<QStringList>("frames");
        QTest::newRow("first edit empty") << true << QStringList { "", "11", "22" } << QStringList();
        QTest::newRow("stops at the first empty edit")
            << true << QStringList { "1", "2", "3", "", "5", "6" } << QStringList { "2f:01 02 03" };
        QTest::newRow("one digit") << true << QStringList { "A" } << QStringList { "2f:0a" };
        QTest::newRow("mask refuses text that is not hex")
            << true << QStringList { "7f", "zz", "01" } << QStringList { "2f:7f" };
        QStringList all;
        for (int i = 0; i < 16; ++i)
            all << QString::number(i * 17, 16);
        QTest::newRow("all sixteen") << true << all
                                     << QStringList { "2f:00 11 22 33 44 55 66 77 88 99 aa bb cc dd ee ff" };
        QTest::newRow("unmasked: not hex is 0") << false << QStringList { "zz", "7f" } << QStringList { "2f:00 7f" };
        QTest::newRow("unmasked: low 8 bits") << false << QStringList { "1FF", "0x10" } << QStringList { "2f:ff 10" };
        QTest::newRow("unmasked: over 32 bits is 0") << false << QStringList { "100000001" }
                                                     << QStringList { "2f:00" };
    }

    void freePacket()
    {
        QFETCH(bool, masked);
        QFETCH(QStringList, edits);
        QFETCH(QStringList, frames);
        WindowFixture f;
        QVERIFY(f.connect());
        f.module.clearLog();
        for (int i = 0; i < 16; ++i) {
            auto* edit = f.window->findChild<QLineEdit*>(QString("byte%1LineEdit").arg(i));
            QVERIFY(edit);
            if (!masked) {
                edit->setInputMask(QString());
                edit->setMaxLength(32767);
            }
            edit->setText(edits.value(i));
        }
        f.window->sendSamData();
        settle(f, int(frames.size()));
        QCOMPARE(f.frames(), frames);
    }

    // The Test button reports the packet size the module gave, or failure.
    void packetSizeTest_data()
    {
        QTest::addColumn<bool>("identified");
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("passes") << true << ""
                                << QStringList { "information|Info|Test passed.\nPacket size:512" };
        QTest::newRow("module refuses") << true << "nack:0x24"
                                        << QStringList { "critical|Error|Test failed.\nPacket size:512" };
        QTest::newRow("before identification") << false << ""
                                               << QStringList { "critical|Error|Test failed.\nPacket size:0" };
    }

    void packetSizeTest()
    {
        QFETCH(bool, identified);
        QFETCH(QString, fault);
        QFETCH(QStringList, shown);
        WindowFixture f;
        f.module.identity().set("PacketSize", 512);
        QVERIFY(f.connect());
        if (!identified)
            std::memset(&info, 0, sizeof(info));
        QVERIFY(addFault(f, fault));
        f.window->test();
        QCOMPARE(f.prompts.asked, shown);
        QVERIFY(f.window->isEnabled());
    }

    // The DSP flash test: address, size, mode, and the one box compare shows.
    void flashTest_data()
    {
        QTest::addColumn<QString>("mode");      // the checked radio button; none when empty
        QTest::addColumn<int>("sizeIndex");
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<qint64>("start");      // of the transfers made
        QTest::addColumn<int>("written");
        QTest::addColumn<int>("read");
        QTest::newRow("compare 16K") << "compareRadioButton" << 0 << "0x6000" << ""
                                     << QStringList { "information|Info|Read/Write SAM Flash succesfull" }
                                     << qint64(0x6000) << 0x4000 << 0x4000;
        QTest::newRow("compare, a byte read back wrong")
            << "compareRadioButton" << 0 << "6000" << "corrupt:0x28:1:5"
            << QStringList { "warning|Warning|Read/Write SAM Flash error" } << qint64(0x6000) << 0x4000 << 0x4000;
        QTest::newRow("write 720K, empty address") << "writeRadioButton" << 9 << "" << "" << QStringList()
                                                   << qint64(0) << 0xB4000 << 0;
        QTest::newRow("write, no size chosen") << "writeRadioButton" << -1 << "10000" << "" << QStringList()
                                               << qint64(0x10000) << 0xB4000 << 0;
        QTest::newRow("read 32K, address not hex") << "readRadioButton" << 1 << "xyz" << "" << QStringList()
                                                   << qint64(0) << 0 << 0x8000;
        QTest::newRow("no mode") << "" << 0 << "0" << "" << QStringList() << qint64(-1) << 0 << 0;
    }

    void flashTest()
    {
        QFETCH(QString, mode);
        QFETCH(int, sizeIndex);
        QFETCH(QString, address);
        QFETCH(QString, fault);
        QFETCH(QStringList, shown);
        QFETCH(qint64, start);
        QFETCH(int, written);
        QFETCH(int, read);
        WindowFixture f;
        QVERIFY(f.connect());
        f.module.clearLog();
        QVERIFY(addFault(f, fault));
        for (QRadioButton* r : { f.ui()->readRadioButton, f.ui()->writeRadioButton, f.ui()->compareRadioButton }) {
            r->setAutoExclusive(false);
            r->setChecked(r->objectName() == mode);
        }
        f.ui()->sizeComboBox->setCurrentIndex(sizeIndex);
        f.ui()->addressLineEdit->setText(address);

        f.window->testFlashReadWrite();
        QCOMPARE(f.prompts.asked, shown);
        QCOMPARE(bytesMoved(f, 0x0A), written);
        QCOMPARE(bytesMoved(f, 0x28), read);
        const QList<QByteArray> starts = f.received(written ? 0x09 : 0x0E);
        QCOMPARE(starts.isEmpty() ? qint64(-1) : qint64(qFromLittleEndian<quint32>(starts.first().constData())), start);
        QVERIFY(!f.window->progressDialog);
    }

    // samTest leaves the window disabled for the module's end report, but
    // not without a link, and not once the module stays silent too long;
    // any frame restarts the wait.
    void samTestGivesTheWindowBack()
    {
        WindowFixture f;
        f.window->samTest();
        QVERIFY(f.window->isEnabled());

        QVERIFY(f.connect());
        f.module.clearLog();
        f.window->endReportTimeoutMs = 300;
        QTimer texts;
        QObject::connect(&texts, &QTimer::timeout, &f.module, [&] { f.module.sendText("running"); });
        texts.start(100);
        f.window->samTest();
        QTest::qWait(700);
        QVERIFY(!f.window->isEnabled());
        QCOMPARE(f.frames(), QStringList { "00:" });
        texts.stop();
        QVERIFY(waitFor([&] { return f.window->isEnabled(); }, 2000));
    }

    // Clearing a kind empties its list and keeps its key, and adds no key
    // for a kind that has none; reached by name, as nothing else calls it.
    void clearPresetsKeepsTheKeys()
    {
        WindowFixture f;
        LyrForm& w = *f.window;
        w.presetMap[PresetDelay] = QList<TPreset> { TPreset {}, TPreset {} };
        QVERIFY(QMetaObject::invokeMethod(&w, "clearPresets", Q_ARG(PresetType, PresetEq)));
        QVERIFY(QMetaObject::invokeMethod(&w, "clearPresets", Q_ARG(PresetType, PresetDelay)));
        QCOMPARE(w.presetMap.size(), 1);
        QVERIFY(w.presetMap.value(PresetDelay, { TPreset {} }).isEmpty());
    }
};

LYR_TEST_MAIN(TestDevTools)
#include "tst_devtools.moc"
