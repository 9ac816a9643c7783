// The soundbank directory as read from the module, and the USB ids the
// connection dialog finds in a device path.

#include "TestSupport.h"
#include "DevicePath.h"
#include "TSoundBankDirEntry.h"

#include <cstring>

class TestSmallTables : public QObject
{
    Q_OBJECT
private slots:
    void soundbankDirectory_data()
    {
        QTest::addColumn<QList<QByteArray>>("entries"); // two id bytes ('.' for 0) and the name field
        QTest::addColumn<int>("count");
        QTest::addColumn<QStringList>("names");
        // Both id bytes are needed; the count stops at the first gap.
        QTest::newRow("first id byte only") << QList<QByteArray> { "GMFactory GM", "A.Half" } << 1 << QStringList { "Factory GM", "Half" };
        QTest::newRow("second id byte only") << QList<QByteArray> { "GMFactory GM", ".BHalf" } << 1 << QStringList { "Factory GM", "Half" };
        QTest::newRow("gap in the middle") << QList<QByteArray> { "GMFactory GM", "..", "S2Pads" } << 2 << QStringList { "Factory GM", "", "Pads" };
        QTest::newRow("Latin-1 name") << QList<QByteArray> { "GMCh\xe2teau Orgue" } << 1 << QStringList { QString::fromUtf8("Ch\xc3\xa2teau Orgue") };
        QList<QByteArray> full(15, "SbBank");
        full << "ScVintage Keys Set"; // a name filling its field at the end of the directory
        QTest::newRow("all sixteen") << full << 16 << (QStringList(15, "Bank") << "Vintage Keys Set");
    }

    void soundbankDirectory()
    {
        QFETCH(QList<QByteArray>, entries);
        QFETCH(QStringList, names);
        std::memset(soundBankDir, 0, sizeof(soundBankDir));
        for (int i = 0; i < entries.size(); ++i) {
            const QByteArray e = QByteArray(entries[i]).replace('.', '\0').leftJustified(18, '\0', true);
            std::memcpy(soundBankDir[i].id, e.constData(), 2);
            std::memcpy(soundBankDir[i].name, e.constData() + 2, 16);
        }
        QTEST(int(getSoundbanksCount()), "count");
        for (int i = 0; i < names.size(); ++i)
            QCOMPARE(getSoundbankName(quint8(i)), names[i]);
        QCOMPARE(getSoundbankName(16) + getSoundbankName(255), QString());
    }

    void usbIdsFromDevicePaths_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("ids");
        QTest::newRow("interface path") << "\\\\?\\usb#VID_0A1B&PID_00FF#6&2f1a3b&0&2#{a5dcbf10-6530-11d2-901f-00c04fb951ed}" << "0A1B:00FF";
        QTest::newRow("no vendor") << "usb&PID_1234#serial" << ":1234";
        QTest::newRow("lower-case keyword") << "usb#vid_0a1b&pid_00ff#x" << ":";
    }

    void usbIdsFromDevicePaths()
    {
        QFETCH(QString, path);
        QTEST(extractVendorId(path) + ":" + extractProductId(path), "ids");
    }
};

LYR_TEST_MAIN_CORE(TestSmallTables)
#include "tst_smalltables.moc"
