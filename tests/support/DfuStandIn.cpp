// Stands in for the DFU console tool in tests. Each run appends one line to
// "runs.txt" beside the executable: the working folder, the contents of the
// image it was given (or "-"), then every argument, tab-separated. Its exit
// code is the n-th word of "codes.txt" beside it (n = runs before this
// one): a number, "crash" (aborts) or "hang" (sleeps until killed).

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <QThread>

#include <cstdlib>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QDir here(QCoreApplication::applicationDirPath());
    const QStringList args = app.arguments().mid(1);

    QFile runs(here.filePath("runs.txt"));
    int before = 0;
    if (runs.open(QIODevice::ReadOnly))
        before = runs.readAll().count('\n');
    runs.close();

    // An image run names its file last, relative to the working folder.
    QString image = "-";
    QFile file(args.size() == 6 ? args.last() : QString());
    if (args.size() == 6 && file.open(QIODevice::ReadOnly))
        image = QString::fromUtf8(file.readAll());

    if (runs.open(QIODevice::Append)) {
        runs.write((QStringList { QDir::currentPath(), image } + args).join('\t').toUtf8() + '\n');
        runs.close();
    }

    QFile codesFile(here.filePath("codes.txt"));
    QStringList codes;
    if (codesFile.open(QIODevice::ReadOnly))
        codes = QString::fromUtf8(codesFile.readAll()).split(' ', Qt::SkipEmptyParts);
    const QString code = before < codes.size() ? codes[before].trimmed() : QString("0");
    if (code == "crash")
        std::abort();
    if (code == "hang")
        QThread::sleep(3600);
    return code.toInt();
}
