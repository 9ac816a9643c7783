#pragma once

// Test start-up that keeps tests away from the developer's own settings and
// from any JACK server they did not ask for.

#include <QApplication>
#include <QtTest>

namespace lyrtest {

// Points QSettings and QStandardPaths at a private temporary folder, names the
// application as the editor does, forbids JACK auto-start and silences debug
// lines. Call before any QSettings object exists; LYR_TEST_MAIN does.
void isolate();

// The private folder isolate() set up (valid for the whole run).
QString scratchDir();

// Randomised tests: the seed is LYR_FUZZ_SEED when set (scripts/test derives
// one from the commit, so a CI failure repeats from its log), otherwise a
// fresh one; it is printed either way. The number of rounds is
// LYR_FUZZ_ITERATIONS when set, otherwise the test's own default.
quint32 fuzzSeed();
int fuzzIterations(int fallback);

// A file's bytes, empty when it cannot be read; writing returns the path,
// empty when it cannot be written.
QByteArray readFile(const QString& path);
QString writeFile(const QString& path, const QByteArray& bytes);

} // namespace lyrtest

// A record's bytes, as the module and the files hold them.
template <typename T>
QByteArray bytes(const T& record) { return QByteArray(reinterpret_cast<const char*>(&record), sizeof(record)); }

// Tests built twice run their second build over JACK ports.
#ifndef LYR_OVER_JACK
#define LYR_OVER_JACK 0
#endif
constexpr bool OverJack = LYR_OVER_JACK;

// QTEST_MAIN with isolation first: a QApplication for the tests that show
// widgets (at 96 dpi, whatever the screen), a QCoreApplication for the rest.
#define LYR_TEST_MAIN_WITH(Application, TestObject)                 \
    int main(int argc, char* argv[])                                \
    {                                                               \
        lyrtest::isolate();                                         \
        Application app(argc, argv);                                \
        app.setAttribute(Qt::AA_Use96Dpi, true);                    \
        TestObject tc;                                              \
        QTEST_SET_MAIN_SOURCE_PATH                                  \
        return QTest::qExec(&tc, argc, argv);                       \
    }
#define LYR_TEST_MAIN(TestObject) LYR_TEST_MAIN_WITH(QApplication, TestObject)
#define LYR_TEST_MAIN_CORE(TestObject) LYR_TEST_MAIN_WITH(QCoreApplication, TestObject)
