// The main window as construction leaves it: every editing widget bound to
// one control record that addresses a real parameter, knobs whose range fits
// what they store, the developer-only parts present only beside the marker,
// and the page set-up a user meets first.

#include "ControlTables.h"
#include "TPrograms.h"
#include "TestSupport.h"
#include "WindowFixture.h"
#include "ui_LyrForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QSlider>

namespace {

// Every mapped widget with its family and record.
struct Mapped
{
    QWidget* widget;
    ControlFamily family;
    TControl record;
};

QList<Mapped> everyRecord(const LyrForm& w)
{
    QList<Mapped> all;
    auto add = [&all](const auto& map, ControlFamily family) {
        for (auto it = map.cbegin(); it != map.cend(); ++it)
            all.append({ it.key(), family, it.value() });
    };
    add(w.dialMap, ControlFamily::Dial);
    add(w.rangeSliderMap, ControlFamily::RangeSlider);
    add(w.comboBoxMap, ControlFamily::ComboBox);
    add(w.checkBoxMap, ControlFamily::CheckBox);
    add(w.lineEditMap, ControlFamily::LineEdit);
    add(w.sliderMap, ControlFamily::Slider);
    return all;
}

template <class List>
QSet<QWidget*> asSet(const List& widgets)
{
    return QSet<QWidget*>(widgets.begin(), widgets.end());
}

} // namespace

class TestWindow : public QObject
{
    Q_OBJECT
private slots:
    // Every editing widget of the form has one record; the layers' morphing
    // modes and the Debug page's size choice are handled elsewhere.
    void everyEditingWidgetHasOneRecord()
    {
        WindowFixture f;
        const LyrForm& w = *f.window;
        Ui_LyrForm* ui = f.ui();
        const QSet<QWidget*> unmapped { ui->voice1MorphingComboBox, ui->voice2MorphingComboBox,
                                        ui->voice3MorphingComboBox, ui->sizeComboBox };
        QWidget* window = f.window.get();
        QCOMPARE(asSet(w.dialMap.keys()), asSet(window->findChildren<QMyDial*>()));
        QCOMPARE(asSet(w.comboBoxMap.keys()), asSet(window->findChildren<QComboBox*>()) - unmapped);
        QCOMPARE(asSet(w.checkBoxMap.keys()), asSet(window->findChildren<QCheckBox*>()));
        QCOMPARE(asSet(w.rangeSliderMap.keys()), asSet(window->findChildren<QMyRangeSlider*>()));
        QCOMPARE(asSet(w.lineEditMap.keys()), asSet(ui->editTab->findChildren<QLineEdit*>()));
        QCOMPARE(asSet(w.sliderMap.keys()), asSet(window->findChildren<QSlider*>()));

        QSet<QWidget*> distinct;
        const QList<Mapped> all = everyRecord(w);
        for (const Mapped& m : all)
            distinct.insert(m.widget);
        QVERIFY(!distinct.contains(nullptr));
        QCOMPARE(distinct.size(), all.size());
    }

    // Every record addresses a parameter the module has, with a layer, band
    // or drawbar inside the program; the name's layer digit is its part;
    // the Organ and Rotary pages, and only they, drive the organ command.
    void recordsAddressTheirParameter()
    {
        WindowFixture f;
        Ui_LyrForm* ui = f.ui();
        for (const Mapped& m : everyRecord(*f.window)) {
            const QString name = m.widget->objectName();
            const TControl& r = m.record;
            QVERIFY2(controlFits(m.family, r), qPrintable(name));
            if (name.back().isDigit())
                QVERIFY2(r.part == name.back().digitValue() - 1, qPrintable(name));
            const bool onOrganPages = ui->organTab->isAncestorOf(m.widget) || ui->rotaryTab->isAncestorOf(m.widget);
            QVERIFY2(onOrganPages == (r.command == 0x29), qPrintable(name));
        }
    }

    void misfitRecordsAreRefused_data()
    {
        QTest::addColumn<int>("family");
        QTest::addColumn<int>("part");
        QTest::addColumn<int>("command");
        QTest::addColumn<int>("param");
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("fits");
        const int dial = int(ControlFamily::Dial), check = int(ControlFamily::CheckBox);
        const int range = int(ControlFamily::RangeSlider), slider = int(ControlFamily::Slider);
        QTest::newRow("volume of layer 3") << dial << 3 << 0x21 << 1 << 0xFF << false;
        QTest::newRow("volume of no layer") << dial << 0xFF << 0x21 << 1 << 0xFF << false;
        QTest::newRow("layer on a program-wide word") << dial << 1 << 0x21 << 23 << 0xFF << false;
        QTest::newRow("EQ band 4") << dial << 0xFF << 0x21 << 37 << 4 << false;
        QTest::newRow("setup item 6") << dial << 0xFF << 0x21 << 21 << 6 << false;
        QTest::newRow("setup item 5") << dial << 0xFF << 0x21 << 21 << 5 << true;
        QTest::newRow("parameter 20") << dial << 0xFF << 0x21 << 20 << 0xFF << false;
        QTest::newRow("organ parameter 41") << dial << 0xFF << 0x29 << 41 << 0xFF << false;
        QTest::newRow("other command") << dial << 0xFF << 0x2E << 1 << 0xFF << false;
        QTest::newRow("drawbar 9") << slider << 9 << 0x29 << 2 << 0xFF << false;
        QTest::newRow("drawbar 8") << slider << 8 << 0x29 << 2 << 0xFF << true;
        QTest::newRow("two mask bits") << check << 0xFF << 0x21 << 109 << 3 << false;
        QTest::newRow("mask bit 16") << check << 0xFF << 0x29 << 39 << 16 << false;
        QTest::newRow("high end program-wide") << range << 0 << 0x21 << 7 << 22 << false;
        QTest::newRow("high end of layer 0") << range << 0 << 0x21 << 7 << 8 << true;
        QTest::newRow("recognised by identity") << int(ControlFamily::ComboBox) << 0xFF << 0xFF << 0xFF << 0xFF << true;
    }

    void misfitRecordsAreRefused()
    {
        QFETCH(int, family);
        QFETCH(int, part);
        QFETCH(int, command);
        QFETCH(int, param);
        QFETCH(int, index);
        const TControl record { quint8(part), quint8(command), quint8(param), quint8(index), 0, 1 };
        QTEST(controlFits(ControlFamily(family), record), "fits");
    }

    // A knob that stores a 14-bit word spans 0..16383; one that stores a
    // byte never goes past 127.
    void dialRangeFitsWhatItStores()
    {
        WindowFixture f;
        for (auto it = f.window->dialMap.cbegin(); it != f.window->dialMap.cend(); ++it) {
            const QMyDial* dial = it.key();
            const QString name = dial->objectName();
            if (controlWidth(it.value()) == 2) {
                QVERIFY2(dial->getMin() == 0 && dial->getMax() == 16383, qPrintable(name));
            } else {
                QVERIFY2(dial->getMin() >= -64 && dial->getMax() <= 127, qPrintable(name));
            }
        }
    }

    void dialsShowTheirUnits_data()
    {
        QTest::addColumn<QString>("dial");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("shown");
        QTest::newRow("mic angle, second step") << "modMicAngleDial" << 1 << "45°";
        QTest::newRow("acceleration, maximum") << "modAccelerationTimeDial" << 16383 << "0.2\ns";
        QTest::newRow("EQ frequency, top") << "eqHighBandFreqDial" << 16383 << "20000\nHz";
        QTest::newRow("pan, full left") << "panDial2" << -63 << "0";
        QTest::newRow("pre low-pass stops at 7") << "reverbPreLPFilterDial" << 99 << "127";
    }

    void dialsShowTheirUnits()
    {
        QFETCH(QString, dial);
        QFETCH(int, value);
        WindowFixture f;
        auto* knob = f.window->findChild<QMyDial*>(dial);
        QVERIFY(knob);
        knob->setValue(value, false, false);
        QTEST(knob->getDisplayedText(), "shown");
    }

    void developerPartsFollowTheMarker_data()
    {
        QTest::addColumn<bool>("marker");
        QTest::addColumn<QStringList>("present");
        QTest::newRow("without marker") << false << QStringList();
        QTest::newRow("with marker") << true
                                     << QStringList { "Debug menu", "Tools menu", "Debug page", "GM reverb", "presets" };
    }

    void developerPartsFollowTheMarker()
    {
        QFETCH(bool, marker);
        QDir beside(QCoreApplication::applicationDirPath());
        if (marker)
            QVERIFY(beside.mkdir("development-team"));
        const auto removeMarker = qScopeGuard([&beside] { beside.rmdir("development-team"); });
        ScriptedPrompts prompts;
        LyrForm window(nullptr, &prompts);
        Ui_LyrForm* ui = window.form();
        const QList<QAction*> menus = window.menuBar()->actions();
        QStringList present;
        if (menus.contains(ui->menuDebug->menuAction()))
            present << "Debug menu";
        if (menus.contains(ui->menuTools->menuAction()))
            present << "Tools menu";
        if (menus.contains(ui->menuGM->menuAction()))
            present << "GM menu";
        if (ui->centralTabWidget->indexOf(ui->setupTab) >= 0)
            present << "Debug page";
        if (!ui->gmReverbGroupBox->isHidden())
            present << "GM reverb";
        if (!ui->reverbPresetComboBox->isHidden() && !ui->chorusPresetComboBox->isHidden())
            present << "presets";
        QTEST(present, "present");
    }

    // 128 program buttons, one checked at a time, each with its colour marker.
    void programButtonsAreExclusive()
    {
        WindowFixture f;
        const QList<QPushButton*> buttons = f.ui()->programsScrollAreaWidgetContents->findChildren<QPushButton*>();
        QCOMPARE(buttons.size(), 128);
        for (int i = 0; i < 128; ++i) {
            QCOMPARE(buttons[i]->text(), QString("Program %1").arg(i));
            QCOMPARE(buttons[i]->findChildren<QLabel*>().size(), 1);
        }
        QVERIFY(buttons[0]->isChecked());
        buttons[77]->click();
        QVERIFY(buttons[77]->isChecked());
        QVERIFY(!buttons[0]->isChecked());
    }

    // A range value past 127 can be typed but never reaches the handler;
    // signs and letters cannot be typed at all.
    void rangeEditsPassOnly0To127_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("delivered");
        QTest::newRow("top") << "127" << "127" << true;
        QTest::newRow("past the top") << "128" << "128" << false;
        QTest::newRow("negative") << "-5" << "5" << true;
        QTest::newRow("letters") << "a7" << "7" << true;
        QTest::newRow("empty") << "" << "" << false;
    }

    void rangeEditsPassOnly0To127()
    {
        QFETCH(QString, typed);
        WindowFixture f;
        for (QLineEdit* edit : f.window->lineEditMap.keys()) {
            QSignalSpy returns(edit, &QLineEdit::returnPressed);
            edit->clear();
            QTest::keyClicks(edit, typed);
            QTest::keyClick(edit, Qt::Key_Return);
            QTEST(edit->text(), "shown");
            QTEST(returns.size() == 1, "delivered");
        }
    }

    void pageButtonsOpenTheirPage_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("page");
        QTest::newRow("rotary") << "editRotaryPushButton" << "rotaryTab";
        QTest::newRow("insert effects") << "editEfxPushButton" << "effectsTab";
        QTest::newRow("chorus and reverb") << "reverbChorusEditButton" << "chorusReverbTab";
    }

    void pageButtonsOpenTheirPage()
    {
        QFETCH(QString, button);
        WindowFixture f;
        f.window->findChild<QPushButton*>(button)->click();
        QTEST(f.ui()->centralTabWidget->currentWidget()->objectName(), "page");
    }
};

LYR_TEST_MAIN(TestWindow)
#include "tst_window.moc"
