// The presets list: its title by kind, its rows in order, and the row a
// double-click reports.

#include "TestSupport.h"
#include "PresetsDialog.h"
#include "ui_PresetsDialog.h"

#include <QSignalSpy>

class TestPresetsDialog : public QObject
{
    Q_OBJECT
private slots:
    void doubleClickReportsTheRow_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<int>("row");           // double-clicked; -1 the empty list area
        QTest::addColumn<QString>("title");
        QTest::newRow("third name") << 0 << QStringList { "Soft", "Hard", "Punch" } << 2 << "Compressor";
        QTest::newRow("equal names are rows of their own") << 7 << QStringList { "Same", "Same" } << 1
                                                           << "Hq Distorsor";
        QTest::newRow("wah") << 4 << QStringList { "Slow" } << 0 << "Wah Wah";
        QTest::newRow("unknown kind") << 8 << QStringList { "One" } << 0 << "Dialog";
        QTest::newRow("empty list") << 2 << QStringList() << -1 << "Eq";
    }

    void doubleClickReportsTheRow()
    {
        QFETCH(int, type);
        QFETCH(QStringList, names);
        QFETCH(int, row);
        QFETCH(QString, title);
        PresetsDialog dialog(nullptr, PresetType(type), names);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(dialog.windowTitle(), title);
        QListWidget* list = dialog.form()->listWidget;
        QStringList listed;
        for (int i = 0; i < list->count(); ++i)
            listed << list->item(i)->text();
        QCOMPARE(listed, names);

        QSignalSpy selected(&dialog, &PresetsDialog::presetSelected);
        const QPoint at = row < 0 ? QPoint(10, 10) : list->visualItemRect(list->item(row)).center();
        // As a user double-clicks: a click, then the second press that the
        // system turns into a double-click; the two apart.
        for (int twice = 0; twice < 2; ++twice) {
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at, 2 * QApplication::doubleClickInterval());
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        }
        QCOMPARE(selected.count(), row < 0 ? 0 : 2);
        for (const QList<QVariant>& args : selected)
            QCOMPARE((QList<int> { args[0].value<PresetType>(), args[1].toInt() }), (QList<int> { type, row }));
        QVERIFY(dialog.isVisible());
    }
};

LYR_TEST_MAIN(TestPresetsDialog)
#include "tst_presetsdialog.moc"
