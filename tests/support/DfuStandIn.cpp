// Stands in for the DFU console tool in tests. Each run appends one line to
// "runs.txt" beside the executable: the working folder, the contents of the
// image it was given (or "-"), then every argument, tab-separated. Its exit
// code is the n-th word of "codes.txt" beside it (n = runs before this
// one): a number, "crash" (aborts) or "hang" (sleeps until killed).

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QThread>

#include <cstdlib>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QDir here(QCoreApplication::applicationDirPath());
    const QStringList args = app.arguments().mid(1);

    QFile runs(here.filePath("runs.txt")), codes(here.filePath("codes.txt"));
    runs.open(QIODevice::ReadWrite | QIODevice::Append);
    runs.seek(0);
    const qsizetype before = runs.readAll().count('\n');
    // An image run names its file last, relative to the working folder.
    QFile image(args.size() == 6 ? args.last() : QString());
    const QString content = image.open(QIODevice::ReadOnly) ? QString::fromUtf8(image.readAll()) : QString("-");
    runs.write((QStringList { QDir::currentPath(), content } + args).join('\t').toUtf8() + '\n');
    runs.close();

    codes.open(QIODevice::ReadOnly);
    const QString code = QString::fromUtf8(codes.readAll()).split(' ', Qt::SkipEmptyParts).value(before, "0");
    if (code == "crash")
        std::abort();
    if (code == "hang")
        QThread::sleep(3600);
    return code.toInt();
}
