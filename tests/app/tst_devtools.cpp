// The Debug page against the simulated module: the frames each tool and the
// free-form packet send, the DSP flash test with its box, and samTest's
// give-up.

#include "TestSupport.h"
#include "WindowFixture.h"
#include "ui_LyrForm.h"

#include <QDial>
#include <QRadioButton>
#include <QTimer>
#include <QtEndian>

using lyrsim::SimFault;

// A DSP flash test's settings and what it must do.
struct FlashTest
{
    const char* mode;      // the checked radio button
    int sizeIndex;
    const char* address;
    SimFault fault;
    const char* box;       // the one box shown, or none
    int start;             // of the transfers made; -1 for none
    int written;
    int read;
};
Q_DECLARE_METATYPE(FlashTest)

class TestDevTools : public QObject
{
    Q_OBJECT
private slots:
    // A click or a drag, and the frames the module decodes: the bytes are the
    // module's protocol. The free-form packet ends at the first empty byte
    // edit; text that is not hex counts as 0, and only the low 8 bits go.
    void toolSendsItsFrames_data()
    {
        QTest::addColumn<QString>("trigger");   // button or dial name
        QTest::addColumn<int>("position");      // dial drag target
        QTest::addColumn<QStringList>("edits"); // byte0LineEdit onwards; the rest empty
        QTest::addColumn<QStringList>("frames");
        const QStringList noEdits;
        const QStringList all = QString("0 11 22 33 44 55 66 77 88 99 aa bb cc dd ee ff").split(' ');
        const QString send = "sendSamDataPushButton";
        QTest::newRow("insert 1") << "insert1RadioBtn" << 0 << noEdits
                                  << QStringList { "2f:f0 41 00 42 12 40 40 22 03 00 f7" };
        QTest::newRow("hq distortion 2 drive") << "hqDist2DriveDial" << 90 << noEdits
                                               << QStringList { "2f:f5 01 b0 63 3e b0 62 04 b0 06 5a" };
        QTest::newRow("second reverb send") << "secondRevSendDial" << 100 << noEdits
                                            << QStringList { "2f:f5 01 b0 5c 64", "2f:f5 01 b0 5b 00" };
        QTest::newRow("second reverb level") << "secondRevLevelDial" << 100 << noEdits
                                             << QStringList { "2f:f5 01 b0 63 32 b0 62 07 b0 06 64" };
        QTest::newRow("hq distortion 2 on, one packet")
            << "hqDist2OnBtn" << 0 << noEdits
            << QStringList { "2f:f5 01 b0 63 3e b0 62 00 b0 06 01 f5 01 b0 63 3e b0 62 7f b0 06 01 "
                             "f5 01 b0 63 3e b0 62 03 b0 06 02" };
        QTest::newRow("hq distortion 2 off") << "hqDist2OffBtn" << 0 << noEdits
                                             << QStringList { "2f:f5 01 b0 63 3e b0 62 00 b0 06 00 "
                                                              "f5 01 b0 63 3e b0 62 7f b0 06 00" };
        QTest::newRow("packet, first edit empty") << send << 0 << QStringList { "", "11" } << QStringList();
        QTest::newRow("packet to the first empty edit")
            << send << 0 << QStringList { "1", "2", "3", "", "5" } << QStringList { "2f:01 02 03" };
        QTest::newRow("packet of sixteen") << send << 0 << all
                                           << QStringList { "2f:00 11 22 33 44 55 66 77 88 99 aa bb cc dd ee ff" };
        QTest::newRow("packet, not hex and over 8 bits") << send << 0 << QStringList { "zz", "1FF", "0x10" }
                                                         << QStringList { "2f:00 ff 10" };
    }

    void toolSendsItsFrames()
    {
        QFETCH(QString, trigger);
        QFETCH(int, position);
        QFETCH(QStringList, edits);
        QFETCH(QStringList, frames);
        WindowFixture f;
        QVERIFY(f.connect());
        f.module.clearLog();
        for (int i = 0; i < 16; ++i) {
            // Without the form's two-hex-digit mask, as the rule is the slot's.
            auto* edit = f.window->findChild<QLineEdit*>(QString("byte%1LineEdit").arg(i));
            edit->setInputMask(QString());
            edit->setMaxLength(32767);
            edit->setText(edits.value(i));
        }

        if (auto* dial = f.window->findChild<QDial*>(trigger)) {
            // Only a drag sends: a value set by code must not.
            dial->setValue(position / 2);
            dial->setSliderDown(true);
            dial->setSliderPosition(position);
            dial->setSliderDown(false);
        } else {
            f.window->findChild<QAbstractButton*>(trigger)->click();
        }
        QCOMPARE(f.frames(frames.size()), frames);
        QVERIFY(f.window->isEnabled());
    }

    // The DSP flash test: address, size, mode, and the one box compare shows.
    void flashTest_data()
    {
        QTest::addColumn<FlashTest>("t");
        const SimFault corrupt { SimFault::Corrupt, 0x28, 1, 5 };   // the sixth byte read back
        const char *compare = "compareRadioButton", *ok = "information|Info|Read/Write SAM Flash succesfull";
        const char* bad = "warning|Warning|Read/Write SAM Flash error";
        auto row = [](const char* name, const FlashTest& t) { QTest::newRow(name) << t; };
        //                                 mode                size address   fault    box  start    written  read
        row("compare 16K",               { compare,            0,   "0x6000", noFault, ok,  0x6000,  0x4000,  0x4000 });
        row("compare, a byte differs",   { compare,            0,   "6000",   corrupt, bad, 0x6000,  0x4000,  0x4000 });
        row("write, no size chosen",     { "writeRadioButton", -1,  "10000",  noFault, "",  0x10000, 0xB4000, 0 });
        row("read 32K, address not hex", { "readRadioButton",  1,   "xyz",    noFault, "",  0,       0,       0x8000 });
    }

    void flashTest()
    {
        QFETCH(FlashTest, t);
        WindowFixture f;
        QVERIFY(f.connect());
        f.module.clearLog();
        f.module.addFault(t.fault);
        f.window->findChild<QRadioButton*>(t.mode)->setChecked(true);
        f.ui()->sizeComboBox->setCurrentIndex(t.sizeIndex);
        f.ui()->addressLineEdit->setText(t.address);

        f.window->testFlashReadWrite();
        QCOMPARE(f.prompts.asked, *t.box ? QStringList { t.box } : QStringList());
        // The sizes of the written chunks; the 16-bit little-endian sizes the
        // read requests ask for.
        int written = 0, read = 0;
        for (const QByteArray& data : f.received(0x0A))
            written += int(data.size());
        for (const QByteArray& data : f.received(0x28))
            read += quint8(data[0]) | quint8(data[1]) << 8;
        QCOMPARE(written, t.written);
        QCOMPARE(read, t.read);
        const QList<QByteArray> starts = f.received(t.written ? 0x09 : 0x0E);
        QCOMPARE(starts.isEmpty() ? -1 : int(qFromLittleEndian<quint32>(starts.first().constData())), t.start);
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
};

LYR_TEST_MAIN(TestDevTools)
#include "tst_devtools.moc"
