// Preferences: a port or receive-channel change is stored in the setup block
// and sent once, at once; the zoom is stored as "scale" for the next start.

#include "TestSupport.h"
#include "PreferencesDialog.h"
#include "TPrograms.h"
#include "WindowFixture.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QRadioButton>
#include <QSettings>
#include <QSignalSpy>

namespace {

// A radio button by name, or "box:column" for a button of a channel grid.
QRadioButton* findButton(QDialog& dialog, const QString& name)
{
    const QStringList parts = name.split(':');
    if (parts.size() == 1)
        return dialog.findChild<QRadioButton*>(name);
    auto* box = dialog.findChild<QGroupBox*>(parts[0]);
    auto* grid = box ? qobject_cast<QGridLayout*>(box->layout()) : nullptr;
    QLayoutItem* item = grid ? grid->itemAtPosition(1, parts[1].toInt()) : nullptr;
    return item ? qobject_cast<QRadioButton*>(item->widget()) : nullptr;
}

quint8* setup()
{
    return reinterpret_cast<quint8*>(&programs.setup);
}

} // namespace

class TestPreferences : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        initPrograms();
        QSettings().remove("scale");
    }

    void showsStoredSetup_data()
    {
        QTest::addColumn<quint8>("port");
        QTest::addColumn<quint8>("upper");  // item 10
        QTest::addColumn<quint8>("lower");  // item 11
        QTest::addColumn<QStringList>("checked");
        QTest::newRow("keyboard, 1, all") << quint8(2) << quint8(0) << quint8(16)
                                          << QStringList { "midiClassicKeyboardButton", "groupBoxKeyboardRxChannels:0",
                                                           "groupBoxGmRxChannels:16" };
        QTest::newRow("GM, 16, 5") << quint8(1) << quint8(15) << quint8(4)
                                   << QStringList { "midiClassicGmButton", "groupBoxKeyboardRxChannels:15",
                                                    "groupBoxGmRxChannels:4" };
        QTest::newRow("values no button stands for") << quint8(0) << quint8(17) << quint8(255) << QStringList();
    }

    void showsStoredSetup()
    {
        QFETCH(quint8, port);
        QFETCH(quint8, upper);
        QFETCH(quint8, lower);
        QFETCH(QStringList, checked);
        setup()[3] = port;
        setup()[10] = upper;
        setup()[11] = lower;
        const QByteArray before(reinterpret_cast<const char*>(setup()), sizeof(TSetup));
        PreferencesDialog dialog;
        QStringList shown;
        for (const char* name : { "midiClassicKeyboardButton", "midiClassicGmButton" })
            if (findButton(dialog, name)->isChecked())
                shown << name;
        for (const char* box : { "groupBoxKeyboardRxChannels", "groupBoxGmRxChannels" })
            for (int c = 0; c < 17; ++c)
                if (QRadioButton* b = findButton(dialog, QString("%1:%2").arg(box).arg(c)); b && b->isChecked())
                    shown << QString("%1:%2").arg(box).arg(c);
        QCOMPARE(shown, checked);
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(setup()), sizeof(TSetup)), before);
    }

    void changeStoresAndSendsOnce_data()
    {
        QTest::addColumn<quint8>("port");     // stored 5-pin state
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("item");
        QTest::addColumn<int>("value");
        QTest::newRow("5-pin to keyboard") << quint8(1) << "midiClassicKeyboardButton" << 3 << 2;
        QTest::newRow("5-pin to GM") << quint8(2) << "midiClassicGmButton" << 3 << 1;
        QTest::newRow("upper grid channel 1") << quint8(1) << "groupBoxKeyboardRxChannels:0" << 10 << 0;
        QTest::newRow("upper grid stored one again") << quint8(1) << "groupBoxKeyboardRxChannels:5" << 10 << 5;
        QTest::newRow("lower grid all") << quint8(1) << "groupBoxGmRxChannels:16" << 11 << 16;
    }

    void changeStoresAndSendsOnce()
    {
        QFETCH(quint8, port);
        QFETCH(QString, button);
        QFETCH(int, item);
        QFETCH(int, value);
        setup()[3] = port;
        setup()[10] = 5;
        setup()[11] = 9;
        PreferencesDialog dialog;
        QSignalSpy sent(&dialog, &PreferencesDialog::setupVariation);
        QRadioButton* b = findButton(dialog, button);
        QVERIFY(b);
        b->click();
        QCOMPARE(int(setup()[item]), value);
        QCOMPARE(sent.size(), 1);
        QCOMPARE(sent[0][0].value<uint8_t>(), uint8_t(item));
        QCOMPARE(sent[0][1].value<uint8_t>(), uint8_t(value));
    }

    // Through the window's menu entry and the link to the module.
    void moduleReceivesTheChange()
    {
        WindowFixture f;
        QVERIFY(f.connect());
        f.module.clearLog();
        f.prompts.onExec = [](QDialog* d) {
            if (QRadioButton* b = findButton(*static_cast<QDialog*>(d), "groupBoxGmRxChannels:16"))
                b->click();
            return int(QDialog::Accepted);
        };
        f.window->onActionOpenPreferencesDialogTriggered();
        QCOMPARE(int(programs.setup.midiChannel), 16);
        QVERIFY(waitFor([&] { return !f.received(0x21).isEmpty(); }, 2000));
        QTest::qWait(50);
        QCOMPARE(f.received(0x21), (QList<QByteArray> { QByteArray::fromHex("150b10") }));
        QCOMPARE(int(quint8(f.module.memory().ramPrograms[65408 + 11])), 16);
    }

    void zoomStoredForNextStart_data()
    {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("choose");
        QTest::addColumn<QString>("scale");
        QTest::newRow("nothing stored") << QVariant() << "100%" << 1 << "1.25";
        QTest::newRow("1.5 stored") << QVariant("1.5") << "150%" << 0 << "1";
        QTest::newRow("2 stored") << QVariant("2") << "200%" << 3 << "1.75";
        QTest::newRow("no zoom of ours") << QVariant("1.3") << "" << 4 << "2";
    }

    void zoomStoredForNextStart()
    {
        QFETCH(QVariant, stored);
        QFETCH(QString, shown);
        QFETCH(int, choose);
        QFETCH(QString, scale);
        if (stored.isValid())
            QSettings().setValue("scale", stored);
        PreferencesDialog dialog;
        auto* zoom = dialog.findChild<QComboBox*>("zoomComboBox");
        QCOMPARE(zoom->currentText(), shown);
        QCOMPARE(QSettings().value("scale"), stored);
        zoom->setCurrentIndex(choose);
        QCOMPARE(QSettings().value("scale").toString(), scale);
    }
};

LYR_TEST_MAIN(TestPreferences)
#include "tst_preferences.moc"
