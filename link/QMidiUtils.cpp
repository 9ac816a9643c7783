#include "QMidiUtils.h"
#include "ComNames.h"

#include <rtmidi/RtMidi.h>

#include <QDebug>
#include <QEventLoop>
#include <QTimer>

#include <cstring>
#include <exception>

QMidiUtils* midiUtilsPtr = nullptr;

QMidiUtils::QMidiUtils(QObject* parent)
    : QObject(parent)
{
    outgoing.reserve(sysExFrameLength(MaxFrameData));
    midiIn.setIgnoreTypes(false, true, true);
    connect(&midiIn, &QMidiIn::midiMessageReceived, this, &QMidiUtils::onMidiMessageRecieved);
}

QMidiUtils::~QMidiUtils()
{
    closePorts();
}

bool QMidiUtils::isConnected()
{
    return midiIn.isPortOpen() && midiOut.isPortOpen() && connected;
}

void QMidiUtils::closePorts()
{
    qDebug() << "closing ports";
    qDebug() << "midiIn.isPortOpen()" << midiIn.isPortOpen();
    qDebug() << "midiOut.isPortOpen()" << midiOut.isPortOpen();
    connected = false;
    if (midiIn.isPortOpen())
        midiIn.closePort();
    if (midiOut.isPortOpen())
        midiOut.closePort();
    qDebug() << "closing ports fine";
}

void QMidiUtils::sendCommand(unsigned char com, unsigned short buff_size, unsigned char* buff)
{
    if (!midiIn.isPortOpen() || !midiOut.isPortOpen() || !connected) {
        emit notConnected();
        return;
    }

    // Whatever happens below, a wait that follows must not see the answer
    // to an earlier command.
    replyCom = 0xFE;
    replyReceived = false;

    if (buff_size > MaxFrameData) {
        qDebug() << "sendCommand refused:" << buff_size << "data bytes, at most" << MaxFrameData << "fit a frame";
        return;
    }
    outgoing.clear();
    buildSysExFrame(com, buff, buff ? buff_size : 0, outgoing);

    try {
        if (midiOut.isPortOpen())
            midiOut.sendRawMessage(outgoing);
        else
            qDebug() << "Errore: la porta MIDI non è aperta, impossibile inviare il messaggio.";
    } catch (const RtMidiError& e) {
        qDebug().nospace() << "Errore MIDI (" << int(e.getType()) << "): " << QString::fromStdString(e.getMessage());
    } catch (const std::exception& e) {
        qDebug() << "Eccezione generica catturata:" << e.what();
    } catch (...) {
        qDebug() << "Errore sconosciuto durante l'invio del messaggio MIDI.";
    }
}

void QMidiUtils::onMidiMessageRecieved(QMidiMessage* message)
{
    if (!message)
        return;
    // Copied first: a handler further down may run a nested event loop, in
    // which the port layer releases the message.
    const std::vector<unsigned char> bytes = message->getRawMessage();
    walker.walk(bytes.data(), bytes.size(), [this](const SysExFrame& frame) { handleMidiMessage(frame); });
}

void QMidiUtils::handleMidiMessage(const SysExFrame& frame)
{
    qDebug().noquote() << "\nMessage Recieved:" << QString::number(frame.com, 16) << comInToString(frame.com)
                       << "size:" << frame.size;

    // Everything the frame carries is copied before any signal goes out:
    // receivers may wait for further frames, which reuses the walker.
    const QByteArray data(reinterpret_cast<const char*>(frame.data), frame.size);
    const bool reply = isReplyCode(frame.com);
    if (reply) {
        replySize = frame.size;
        replyCom = frame.com;
        replyComInv = frame.comInv;
        replyChecksum = frame.checksum;
        std::memcpy(replyData, frame.data, frame.size);
        replyReceived = true;
    } else if (frame.com == ReplyPercent) {
        if (frame.size > 0)
            emit updateProgress(static_cast<unsigned char>(data.at(0)), 0, 100);
    } else if (frame.com != ReplyEnd) {
        emit infoMessage(QString::fromUtf8(data));
    }

    emit midiCommandReceived(frame.com, frame.size, data);
    if (reply)
        emit replyFrameReceived(QPrivateSignal());
}

void QMidiUtils::wait(unsigned int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

bool QMidiUtils::waitForReply(unsigned int ms)
{
    if (!isConnected())
        return false;
    if (replyReceived) {
        qDebug() << "risposta già ricevuta...";
        return true;
    }
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    connect(this, &QMidiUtils::replyFrameReceived, &loop, &QEventLoop::quit);
    loop.exec();
    if (!replyReceived)
        qDebug() << "Timeout scaduto, nessuna risposta ricevuta!";
    return replyReceived;
}

bool QMidiUtils::waitForAcknoledge(unsigned int ms)
{
    return waitForReply(ms) && replyCom == ReplyAck;
}

void QMidiUtils::enableChecksumControl(bool)
{
}
