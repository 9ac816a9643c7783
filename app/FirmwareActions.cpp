// Firmware and data updates: an image from a file handed to its writer, with
// the module in programming mode where needed and a reconnection once it has
// restarted; and the jobs the module runs on files of its own USB stick.

#include "LyrForm.h"

#include "Prompts.h"
#include "QMidiUtils.h"
#include "SysExFrame.h"
#include "TInfo.h"

#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTimer>

#include <chrono>

namespace {

constexpr int CountdownSeconds = 15;
constexpr int CountdownTickMs = 1000;
constexpr int EndReportPollMs = 250;
// The module's loader names its ports so.
const QString LoaderPortMark = QStringLiteral("(T-CASE");

// How each image is checked before anything is sent, and written. The
// application has no writer here: it needs programming mode and the
// loader's ports first.
struct Writer
{
    int operation;
    bool (QMidiUtils::*check)(QByteArray&);
    quint32 TInfo::*area;               // null: the DSP flash takes any size
    bool (QMidiUtils::*write)(QFile*);
};
//  operation                    check                              area                write
const Writer Writers[] = {
    { LyrForm::WriteApplication, &QMidiUtils::checkApplicationData, &TInfo::AppSize,    nullptr },
    { LyrForm::WriteLoader,      &QMidiUtils::checkLoaderData,      &TInfo::LoaderSize, &QMidiUtils::writeLoader },
    { LyrForm::WriteSamFirmware, &QMidiUtils::checkSamFirmwareData, &TInfo::SamSize,    &QMidiUtils::writeSamFirmware },
    { LyrForm::WritePcm,         &QMidiUtils::checkPcmData,         nullptr,            &QMidiUtils::writePcm },
    { LyrForm::WriteParameters,  &QMidiUtils::checkParametersData,  nullptr,            &QMidiUtils::writeParameters },
};

// The module's command for each job on a file of its USB stick.
struct UsbJob
{
    int operation;
    unsigned char com;
};
//  operation                           com
const UsbJob UsbJobs[] = {
    { LyrForm::CompareParametersFromUsb, ComParVerifyUsb },
    { LyrForm::ComparePcmFromUsb,        ComPcmVerifyUsb },
    { LyrForm::WriteParametersFromUsb,   ComParUpdateUsb },
    { LyrForm::WritePcmFromUsb,          ComPcmUpdateUsb },
};

const Writer* writerFor(int operation)
{
    for (const Writer& w : Writers)
        if (w.operation == operation)
            return &w;
    return nullptr;
}

// Why image cannot be the kind the writer takes; empty when it can.
QString refusal(const QByteArray& image, const Writer& writer, QMidiUtils& link)
{
    if (image.isEmpty())
        return QStringLiteral("The file is empty.");
    if (writer.area && quint32(image.size()) > info.*writer.area)
        return QStringLiteral("The image (%1 bytes) is larger than its area in the module (%2 bytes).")
            .arg(image.size()).arg(info.*writer.area);
    QByteArray copy = image;
    if (!(link.*writer.check)(copy))
        return link.checkFailure.isEmpty() ? QStringLiteral("The image failed its check.") : link.checkFailure;
    return QString();
}

qint64 nowMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

} // namespace

QString LyrForm::portWith(const QStringList& ports, const QString& mark, const char* log)
{
    for (const QString& port : ports) {
        qDebug() << log << port;
        if (port.contains(mark, Qt::CaseSensitive))
            return port;
    }
    return QString();
}

bool LyrForm::writeOperation(QString const& dialogTitle, QString const& fileFilter, int operation, bool reconnect,
                             bool choosePorts)
{
    QMidiUtils* const link = moduleLink();
    if (!link || !link->isConnected()) {
        prompts->warning(this, "Warning", "Module not connected");
        return false;
    }
    const QString path = prompts->openFileName(this, dialogTitle, getLastPath(), fileFilter);
    if (path.isEmpty() || !QFileInfo::exists(path))
        return false;
    QSettings().setValue("searchPath", QFileInfo(path).path());

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        prompts->warning(this, "Warning", "Cannot open file");
        return false;
    }
    // Every image is judged before the module is touched: a refused one
    // leaves it running as it was.
    const Writer* writer = writerFor(operation);
    if (!writer) {
        prompts->warning(this, "Warning", "Operation failed");
        return false;
    }
    const QString why = refusal(file.readAll(), *writer, *link);
    if (!why.isEmpty()) {
        prompts->warning(this, "Warning", "Invalid file\n" + why);
        return false;
    }
    file.seek(0);
    Busy busy(this);
    showProgressDialog();

    bool done = false;
    if (operation == WriteApplication) {
        if (link->beginProgrammingMode()) {
            QString in, out;
            if (choosePorts) {
                const QPair<QString, QString> ports = chooseMidiPorts();
                in = ports.first;
                out = ports.second;
            } else {
                in = portWith(link->midiIn.getPorts(), LoaderPortMark, "loader in");
                out = portWith(link->midiOut.getPorts(), LoaderPortMark, "loader out");
            }
            // An empty name would be found in every port.
            done = !in.isEmpty() && !out.isEmpty() && link->writeApplication(&file, in, out);
        }
    } else {
        done = (link->*writer->write)(&file);
    }
    file.close();

    if (!done) {
        // The box goes up over the progress dialog, which closes after it.
        prompts->warning(this, "Warning", "Operation failed");
        endOperation(busy);
        return false;
    }
    message("Operation Succesful\nRestarting ...");
    if (operation == WriteApplication)
        link->endProgrammingMode();
    else
        link->systemReset();
    if (reconnect)
        startCountdown(&LyrForm::reconnectAfterUpdate);
    // The module restarts: the window and the progress dialog stay as they
    // are until the countdown's ending, or the caller's, has reconnected.
    busy.handOver();
    return true;
}

void LyrForm::startCountdown(void (LyrForm::*ending)())
{
    if (countdownTimer) {
        countdownTimer->stop();
        countdownTimer->deleteLater();
    }
    countdown = CountdownSeconds;
    countdownEnding = ending;
    countdownTimer = new QTimer(this);
    connect(countdownTimer, &QTimer::timeout, this, &LyrForm::countdownTick);
    countdownTimer->start(CountdownTickMs);
}

void LyrForm::countdownTick()
{
    if (!countdownTimer)
        return;
    message(QString("Operation Succesful\nConnecting in %1 ...").arg(countdown));
    if (countdown-- > 0)
        return;
    countdownTimer->stop();
    countdownTimer->deleteLater();
    countdownTimer = nullptr;
    if (countdownEnding)
        (this->*countdownEnding)();
}

void LyrForm::reconnectAfterUpdate()
{
    Busy busy(this, Busy::Adopt);
    const auto [in, out] = storedMidiPorts();
    // An empty name would be found in every port.
    const bool named = !in.isEmpty() && !out.isEmpty();
    if (named)
        connectToModule(in, out, true);
    QMidiUtils* const link = moduleLink();
    if (!named || !link || !link->isConnected())
        prompts->warning(this, "Warning", "Connection error");
    endOperation(busy);
}

void LyrForm::writeOperationFromUsb(QString const& dialogTitle, QString const& fileFilter, int operation)
{
    QMidiUtils* const link = moduleLink();
    if (!link || !link->isConnected()) {
        prompts->warning(this, "Warning", "Module not connected");
        return;
    }
    Busy busy(this);
    showProgressDialog();
    message("Searching files ...");

    int error = -1;
    const QStringList names = link->getUsbFileList(fileFilter, &error);
    // The names as the module listed them, byte for byte: it finds its files
    // by these bytes, whatever the decoding made of them.
    const QList<QByteArray> listed = error == ReplyAck
        ? QByteArray(reinterpret_cast<const char*>(link->replyData), link->replySize).split('\n')
        : QList<QByteArray>();
    const char* failure = error == ReplyUsbPenNotFound ? "No USB pen plugged in"
                        : error != ReplyAck       ? "Unknown error"
                        : names.isEmpty()         ? "No file present in USB pen"
                                                  : nullptr;
    if (failure) {
        endOperation(busy, failure);
        return;
    }

    bool ok = false;
    const QString name = prompts->getItem(this, dialogTitle, "File", names, 0, false, &ok);
    if (!ok || name.isEmpty()) {
        endOperation(busy, "No file selected");
        return;
    }
    const UsbJob* job = nullptr;
    for (const UsbJob& j : UsbJobs)
        if (j.operation == operation)
            job = &j;
    if (!job) {
        endOperation(busy);
        return;
    }
    QByteArray bytes = name.toLatin1();
    for (const QByteArray& raw : listed) {
        if (QString::fromUtf8(raw) == name) {
            bytes = raw;
            break;
        }
    }
    bytes.append('\0');

    // From here the module reports by itself: progress, texts and at last
    // the end report, which closes the operation and gives the window back.
    busy.handOver();
    watchEndReport("Operation failed");
    link->sendCommand(job->com, ushort(bytes.size()), reinterpret_cast<unsigned char*>(bytes.data()));
    checkEndReport();
}

void LyrForm::watchEndReport(const QString& failure)
{
    // Until the end report every frame counts as a sign of life.
    stopEndReportWatch();
    endReportFailure = failure;
    lastFrameAt = nowMs();
    if (QMidiUtils* const link = moduleLink()) {
        endReportFrames = connect(link, &QMidiUtils::midiCommandReceived, this, [this](unsigned char com) {
            if (com == ReplyEnd)
                stopEndReportWatch();
            else
                lastFrameAt = nowMs();
        });
    }
    endReportWatch = new QTimer(this);
    connect(endReportWatch, &QTimer::timeout, this, &LyrForm::checkEndReport);
    endReportWatch->start(qMin(EndReportPollMs, endReportTimeoutMs));
}

void LyrForm::checkEndReport()
{
    if (!endReportWatch)
        return;
    QMidiUtils* const link = moduleLink();
    if (link && link->isConnected() && nowMs() - lastFrameAt < endReportTimeoutMs)
        return;
    // No end report will come: the window the operation handed over is given
    // back here.
    Busy busy(this, Busy::Adopt);
    stopEndReportWatch();
    endOperation(busy, endReportFailure);
}

void LyrForm::stopEndReportWatch()
{
    disconnect(endReportFrames);
    if (endReportWatch) {
        endReportWatch->stop();
        endReportWatch->deleteLater();
    }
    endReportWatch = nullptr;
}
