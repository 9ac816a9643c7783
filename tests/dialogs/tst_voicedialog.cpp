// The voice chooser over the factory wavetable: what it shows checked, what
// browsing a family shows, and that every voice click is reported.

#include "TestSupport.h"

#include "TGmWavetable.h"
#include "TPrograms.h"
#include "VoiceDialog.h"
#include "WavetableDescriptor.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>

namespace {

QList<QPushButton*> column(QWidget* dialog, const char* contents)
{
    return dialog->findChild<QWidget*>(contents)->findChildren<QPushButton*>(QString(), Qt::FindDirectChildrenOnly);
}
QList<QPushButton*> families(QWidget* d) { return column(d, "familyScrollAreaWidgetContents"); }
QList<QPushButton*> voices(QWidget* d) { return column(d, "voiceScrollAreaWidgetContents"); }

int checkedIn(const QList<QPushButton*>& buttons)
{
    for (int i = 0; i < buttons.size(); ++i)
        if (buttons[i]->isChecked())
            return i;
    return -1;
}

// The voice column lists exactly the family's voices.
bool listsFamily(QWidget* dialog, int family)
{
    QStringList shown, names;
    for (QPushButton* b : voices(dialog))
        if (!b->isHidden())
            shown << b->text();
    for (int i = 0; i < getVoiceCount(uchar(family)); ++i)
        names << getVoiceName(uchar(family), ushort(i));
    return shown == names;
}

} // namespace

class TestVoiceDialog : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QFile descriptor(":/WaveTableVoicesDescriptor5916.txt");
        QVERIFY(descriptor.open(QIODevice::ReadOnly | QIODevice::Text));
        extractWavetable(&descriptor, &wavetable, 0);
        initWavetableFamilyNames();
        initPrograms();
        // Layer 0 plays family 2 voice 3; where a record of part 5 would lie,
        // the program's bytes read family 2 voice 4.
        programPtr->voice[0] = TVoiceSelect { 2, 3, 0, 0 };
        reinterpret_cast<quint8*>(programPtr)[19 + 4 * 5] = 2;
        reinterpret_cast<quint8*>(programPtr)[20 + 4 * 5] = 4;
    }

    void opensOnTheChoice_data()
    {
        QTest::addColumn<int>("part");
        QTest::addColumn<int>("family");
        QTest::addColumn<int>("voice");
        QTest::addColumn<bool>("withDrums");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("familyButtons");
        QTest::addColumn<int>("checkedFamily");
        QTest::addColumn<int>("checkedVoice");
        QTest::newRow("layer 0") << 0 << 0 << 5 << true << "Part 0: family 1 voice 6" << 13 << 0 << 5;
        QTest::newRow("beyond the family") << 0 << 2 << 5 << true << "Part 0: family 3 voice 6" << 13 << 2 << -1;
        QTest::newRow("drums offered") << 1 << 12 << 3 << true << "Part 1: family 13 voice 4" << 13 << 12 << 3;
        QTest::newRow("drums not offered") << 1 << 12 << 3 << false << "Part 1: family 13 voice 4" << 12 << -1 << 3;
        QTest::newRow("no such voice") << 2 << 13 << 251 << true << "Part 2: family 14 voice 252" << 13 << -1 << -1;
    }

    void opensOnTheChoice()
    {
        QFETCH(int, part);
        QFETCH(int, family);
        QFETCH(int, voice);
        QFETCH(bool, withDrums);
        VoiceDialog dialog(nullptr, uchar(part), uchar(family), uchar(voice), withDrums);
        QTEST(dialog.windowTitle(), "title");
        QTEST(int(families(&dialog).size()), "familyButtons");
        QTEST(checkedIn(families(&dialog)), "checkedFamily");
        QTEST(checkedIn(voices(&dialog)), "checkedVoice");
        QVERIFY(listsFamily(&dialog, family));
        QVERIFY(dialog.findChild<QGroupBox*>("groupBoxInfo")->isHidden());
    }

    // Browsing chooses nothing; only the part's own family shows its voice
    // checked. A part beyond the three layers goes by the voice it was
    // opened with, not by program bytes that are no voice record.
    void browsingAFamily_data()
    {
        QTest::addColumn<int>("part");
        QTest::addColumn<int>("clicked");
        QTest::addColumn<int>("checkedVoice");
        QTest::newRow("layer, other family") << 0 << 4 << -1;     // opened on family 4 voice 1
        QTest::newRow("layer, its family") << 0 << 2 << 3;
        QTest::newRow("GM channel, its family") << 5 << 4 << 1;
        QTest::newRow("GM channel, other family") << 5 << 2 << -1;
    }

    void browsingAFamily()
    {
        QFETCH(int, part);
        QFETCH(int, clicked);
        VoiceDialog dialog(nullptr, uchar(part), 4, 1, true);
        QSignalSpy chosen(&dialog, &VoiceDialog::voiceChanged);
        families(&dialog)[clicked]->click();
        QCOMPARE(checkedIn(families(&dialog)), clicked);
        QVERIFY(listsFamily(&dialog, clicked));
        QTEST(checkedIn(voices(&dialog)), "checkedVoice");
        QCOMPARE(chosen.count(), 0);
        QCOMPARE(dialog.windowTitle(), QString("Part %1: family 5 voice 2").arg(part));
    }

    void everyVoiceClickIsReported()
    {
        VoiceDialog dialog(nullptr, 1, 0, 0, true);
        QSignalSpy chosen(&dialog, &VoiceDialog::voiceChanged);
        families(&dialog)[2]->click();
        voices(&dialog)[3]->click();
        voices(&dialog)[3]->click();
        QCOMPARE(chosen.count(), 2);
        QCOMPARE(chosen.at(1), (QList<QVariant> { QVariant::fromValue<uint8_t>(1), QVariant::fromValue<uint8_t>(2),
                                                  QVariant::fromValue<uint8_t>(3) }));
        QCOMPARE(dialog.windowTitle(), QString("Part 1: family 3 voice 4"));
        QCOMPARE(dialog.findChild<QLabel*>("pchLabel")->text(), QString::number(getVoicePch(2, 3)));
    }

    // The family column has no scroll bar: the info box must not push
    // families out of sight.
    void infoBoxOnDemandKeepsFamiliesInSight()
    {
        VoiceDialog dialog(nullptr, 0, 0, 0, true);
        dialog.show();
        dialog.findChild<QCheckBox*>("showInfoCheckBox")->setChecked(true);
        QCoreApplication::processEvents();
        QVERIFY(dialog.findChild<QGroupBox*>("groupBoxInfo")->isVisible());
        const QPushButton* last = families(&dialog).last();
        QCOMPARE(last->visibleRegion(), QRegion(last->rect()));
        dialog.findChild<QCheckBox*>("showInfoCheckBox")->setChecked(false);
        QVERIFY(dialog.findChild<QGroupBox*>("groupBoxInfo")->isHidden());
    }
};

LYR_TEST_MAIN(TestVoiceDialog)
#include "tst_voicedialog.moc"
