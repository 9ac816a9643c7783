// The choosers: the voice chooser over the factory wavetable (what it shows
// checked, what browsing a family shows, every voice click reported), and the
// presets list (the double-clicked row reported).

#include "TestSupport.h"
#include "PresetsDialog.h"
#include "TGmWavetable.h"
#include "TPrograms.h"
#include "VoiceDialog.h"
#include "WavetableDescriptor.h"
#include "ui_PresetsDialog.h"

#include <QCheckBox>
#include <QGroupBox>
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

} // namespace

class TestChoosers : public QObject
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

    // The chooser opens on the part's voice; browsing a family chooses
    // nothing and shows a voice checked only in the part's own family. A
    // part beyond the three layers goes by the voice it was opened with, not
    // by program bytes that are no voice record. Every voice click is
    // reported, the same voice again too.
    void showsTheChoice_data()
    {
        QTest::addColumn<int>("part");
        QTest::addColumn<int>("family");
        QTest::addColumn<int>("voice");
        QTest::addColumn<bool>("withDrums");
        QTest::addColumn<int>("browsed");  // family clicked; -1 none
        QTest::addColumn<int>("checkedFamily");
        QTest::addColumn<int>("checkedVoice");
        QTest::newRow("layer 0") << 0 << 0 << 5 << true << -1 << 0 << 5;
        QTest::newRow("drums not offered") << 1 << 12 << 3 << false << -1 << -1 << 3;
        QTest::newRow("no such voice") << 2 << 13 << 251 << true << -1 << -1 << -1;
        QTest::newRow("layer, browsing its family") << 0 << 4 << 1 << true << 2 << 2 << 3;
        QTest::newRow("layer, browsing back") << 0 << 4 << 1 << true << 4 << 4 << -1;
        QTest::newRow("GM channel, browsing back") << 5 << 4 << 1 << true << 4 << 4 << 1;
        QTest::newRow("GM channel, browsing another") << 5 << 4 << 1 << true << 2 << 2 << -1;
    }
    void showsTheChoice()
    {
        QFETCH(int, part);
        QFETCH(int, family);
        QFETCH(int, voice);
        QFETCH(bool, withDrums);
        QFETCH(int, browsed);
        VoiceDialog dialog(nullptr, uchar(part), uchar(family), uchar(voice), withDrums);
        QSignalSpy chosen(&dialog, &VoiceDialog::voiceChanged);
        if (browsed >= 0)
            families(&dialog)[browsed]->click();
        QCOMPARE(families(&dialog).size(), withDrums ? 13 : 12);
        QTEST(checkedIn(families(&dialog)), "checkedFamily");
        QTEST(checkedIn(voices(&dialog)), "checkedVoice");
        QCOMPARE(chosen.count(), 0);
        const int shown = browsed < 0 ? family : browsed;
        QList<QPushButton*> listed = voices(&dialog);
        listed.removeIf([](QPushButton* b) { return b->isHidden(); });
        QCOMPARE(listed.size(), getVoiceCount(uchar(shown)));
        if (listed.isEmpty())
            return;
        QCOMPARE(listed.last()->text(), getVoiceName(uchar(shown), ushort(listed.size() - 1)));
        listed.last()->click();
        listed.last()->click();
        QCOMPARE(chosen.count(), 2);
        QCOMPARE(chosen.at(1), (QList<QVariant> { QVariant::fromValue<uint8_t>(part), QVariant::fromValue<uint8_t>(shown),
                                                  QVariant::fromValue<uint8_t>(listed.size() - 1) }));
    }

    // The family column has no scroll bar: the info box, shown on demand,
    // must not push families out of sight.
    void infoBoxKeepsFamiliesInSight()
    {
        VoiceDialog dialog(nullptr, 0, 0, 0, true);
        dialog.show();
        QVERIFY(dialog.findChild<QGroupBox*>("groupBoxInfo")->isHidden());
        dialog.findChild<QCheckBox*>("showInfoCheckBox")->setChecked(true);
        QCoreApplication::processEvents();
        QVERIFY(dialog.findChild<QGroupBox*>("groupBoxInfo")->isVisible());
        const QPushButton* last = families(&dialog).last();
        QCOMPARE(last->visibleRegion(), QRegion(last->rect()));
    }

    // A double-click on a name reports the list's kind and that row, equal
    // names being rows of their own; one on the empty area reports nothing.
    void presetDoubleClickReportsTheRow_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<int>("row");  // double-clicked; -1 the empty list area
        QTest::newRow("third name") << 0 << QStringList { "Soft", "Hard", "Punch" } << 2;
        QTest::newRow("equal names") << 7 << QStringList { "Same", "Same" } << 1;
        QTest::newRow("empty list") << 2 << QStringList() << -1;
    }
    void presetDoubleClickReportsTheRow()
    {
        QFETCH(int, type);
        QFETCH(QStringList, names);
        QFETCH(int, row);
        PresetsDialog dialog(nullptr, PresetType(type), names);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QListWidget* list = dialog.form()->listWidget;
        QSignalSpy selected(&dialog, &PresetsDialog::presetSelected);
        const QPoint at = row < 0 ? QPoint(10, 10) : list->visualItemRect(list->item(row)).center();
        // A click, then the second press the system turns into a double-click.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at, 2 * QApplication::doubleClickInterval());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(selected.count(), row < 0 ? 0 : 1);
        for (const QList<QVariant>& args : selected)
            QCOMPARE((QList<int> { args[0].value<PresetType>(), args[1].toInt() }), (QList<int> { type, row }));
        QVERIFY(dialog.isVisible());
    }
};

LYR_TEST_MAIN(TestChoosers)
#include "tst_choosers.moc"
