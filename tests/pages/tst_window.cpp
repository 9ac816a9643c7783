// The main window as construction leaves it: every editing widget bound to
// one control record that addresses a real parameter, knobs whose range fits
// what they store, and the developer-only parts present only beside the
// marker.

#include "PageProbe.h"
#include "TestSupport.h"
#include "WindowFixture.h"

#include <QDir>
#include <QScopeGuard>

class TestWindow : public QObject
{
    Q_OBJECT
private slots:
    // Every editing widget of the form has one record; the layers' morphing
    // modes and the Debug page's size choice are handled elsewhere. The
    // Debug page's slots are found by name: a misspelt object name would
    // leave a tool silently dead, and warn.
    void everyEditingWidgetHasOneFittingRecord()
    {
        QTest::failOnWarning(QRegularExpression("connectSlotsByName"));
        WindowFixture f;
        const LyrForm& w = *f.window;
        Ui_LyrForm* ui = f.ui();
        const auto asSet = [](const auto& widgets) { return QSet<QWidget*>(widgets.begin(), widgets.end()); };
        const QSet<QWidget*> unmapped { ui->voice1MorphingComboBox, ui->voice2MorphingComboBox,
                                        ui->voice3MorphingComboBox, ui->sizeComboBox };
        QCOMPARE(asSet(w.dialMap.keys()), asSet(w.findChildren<QMyDial*>()));
        QCOMPARE(asSet(w.comboBoxMap.keys()), asSet(w.findChildren<QComboBox*>()) - unmapped);
        QCOMPARE(asSet(w.checkBoxMap.keys()), asSet(w.findChildren<QCheckBox*>()));
        QCOMPARE(asSet(w.rangeSliderMap.keys()), asSet(w.findChildren<QMyRangeSlider*>()));
        QCOMPARE(asSet(w.lineEditMap.keys()), asSet(ui->editTab->findChildren<QLineEdit*>()));
        QCOMPARE(asSet(w.sliderMap.keys()), asSet(w.findChildren<QSlider*>()));

        // Each record fits the program; the name's layer digit is its part;
        // the Organ and Rotary pages, and only they, drive the organ command;
        // a knob storing a 14-bit word spans 0..16383, one storing a byte
        // stays within 127.
        const QList<probe::Mapped> all = probe::records(*f.window);
        QSet<QWidget*> distinct;
        for (const probe::Mapped& m : all) {
            QVERIFY(m.widget && !distinct.contains(m.widget));
            distinct.insert(m.widget);
            const QString name = m.widget->objectName();
            const TControl& r = *m.record;
            QVERIFY2(controlFits(m.family, r), qPrintable(name));
            if (name.back().isDigit())
                QVERIFY2(r.part == name.back().digitValue() - 1, qPrintable(name));
            const bool onOrganPages = ui->organTab->isAncestorOf(m.widget) || ui->rotaryTab->isAncestorOf(m.widget);
            QVERIFY2(onOrganPages == (r.command == 0x29), qPrintable(name));
            if (auto* dial = qobject_cast<QMyDial*>(m.widget)) {
                const bool word = controlWidth(r) == 2;
                QVERIFY2(word ? dial->getMin() == 0 && dial->getMax() == 16383 : dial->getMax() <= 127,
                         qPrintable(name));
            }
        }
    }

    // Records that would edit outside their layer, band, setup item, drawbar
    // or mask bit do not fit; fields a parameter does not use are 0xFF.
    void misfitRecordsAreRefused_data()
    {
        QTest::addColumn<ControlFamily>("family");
        QTest::addColumn<TControl>("record");   // part, command, param, index, offset, scale
        QTest::addColumn<bool>("fits");
        const ControlFamily dial = ControlFamily::Dial;
        QTest::newRow("volume of layer 3") << dial << TControl { 3, 0x21, 1, 0xFF, 0, 1 } << false;
        QTest::newRow("EQ band 4") << dial << TControl { 0xFF, 0x21, 37, 4, 0, 1 } << false;
        QTest::newRow("setup item 6") << dial << TControl { 0xFF, 0x21, 21, 6, 0, 1 } << false;
        QTest::newRow("setup item 5") << dial << TControl { 0xFF, 0x21, 21, 5, 0, 1 } << true;
        QTest::newRow("drawbar 9") << ControlFamily::Slider << TControl { 9, 0x29, 2, 0xFF, 0, 1 } << false;
        QTest::newRow("two mask bits") << ControlFamily::CheckBox << TControl { 0xFF, 0x21, 109, 3, 0, 1 } << false;
        QTest::newRow("high end program-wide") << ControlFamily::RangeSlider << TControl { 0, 0x21, 7, 22, 0, 1 }
                                               << false;
    }

    void misfitRecordsAreRefused()
    {
        QFETCH(ControlFamily, family);
        QFETCH(TControl, record);
        QTEST(controlFits(family, record), "fits");
    }

    void developerPartsFollowTheMarker_data()
    {
        QTest::addColumn<bool>("marker");
        QTest::addColumn<QStringList>("present");
        QTest::newRow("without marker") << false << QStringList();
        const QStringList developer { "Debug menu", "Tools menu", "Debug page", "GM reverb", "presets" };
        QTest::newRow("with marker") << true << developer;
    }

    void developerPartsFollowTheMarker()
    {
        QFETCH(bool, marker);
        QDir beside(QCoreApplication::applicationDirPath());
        QVERIFY(!marker || beside.mkdir("development-team"));
        const auto removeMarker = qScopeGuard([&beside] { beside.rmdir("development-team"); });
        ScriptedPrompts prompts;
        LyrForm window(nullptr, &prompts);
        Ui_LyrForm* ui = window.form();
        const QList<QAction*> menus = window.menuBar()->actions();
        QStringList present;
        const auto note = [&present](const char* part, bool shown) { if (shown) present << part; };
        note("Debug menu", menus.contains(ui->menuDebug->menuAction()));
        note("Tools menu", menus.contains(ui->menuTools->menuAction()));
        note("GM menu", menus.contains(ui->menuGM->menuAction()));
        note("Debug page", ui->centralTabWidget->indexOf(ui->setupTab) >= 0);
        note("GM reverb", !ui->gmReverbGroupBox->isHidden());
        note("presets", !ui->reverbPresetComboBox->isHidden() && !ui->chorusPresetComboBox->isHidden());
        QTEST(present, "present");
    }
};

LYR_TEST_MAIN(TestWindow)
#include "tst_window.moc"
