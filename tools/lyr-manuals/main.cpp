// lyr-manuals: lays out one of the manuals' texts (HTML) on A4 pages and
// writes it as a PDF. The manuals embedded in the editor are made with it:
//   lyr-manuals <text.html> <manual.pdf>
// Run it through the "manuals" build target, which writes both into
// resources/.

#include <QFile>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPdfWriter>
#include <QTextDocument>

#include <cstdio>

int main(int argc, char* argv[])
{
    // Needs no display: fonts and layout come from the offscreen platform.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: lyr-manuals <text.html> <manual.pdf>\n");
        return 2;
    }
    QFile source(args[1]);
    if (!source.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(args[1]));
        return 1;
    }
    QTextDocument text;
    text.setHtml(QString::fromUtf8(source.readAll()));

    QPdfWriter pdf(args[2]);
    pdf.setTitle(text.metaInformation(QTextDocument::DocumentTitle));
    pdf.setCreator(QStringLiteral("lyr-manuals"));
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0),
                                  QPageLayout::Millimeter));
    pdf.setResolution(300);
    // Without a page size of its own the document is laid out on the
    // writer's pages, numbered at the foot.
    text.print(&pdf);
    if (!QFile::exists(args[2])) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(args[2]));
        return 1;
    }
    return 0;
}
