#pragma once

// The editor's one link to the module: owns the two MIDI ports, frames every
// command, reassembles the frames that come back, keeps the last reply and
// lets callers wait for it while the event loop keeps running.

#include "QMidiIn.h"
#include "QMidiOut.h"
#include "SysExFrame.h"
#include "SysExFrameWalker.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <vector>

class QMidiUtils : public QObject
{
    Q_OBJECT
public:
    explicit QMidiUtils(QObject* parent = nullptr);
    ~QMidiUtils() override;

    // Both ports open and the module connected.
    bool isConnected();

    // Waits, each turning a local event loop so frames and GUI events are
    // handled meanwhile. waitForReply ends on the first reply frame (ACK,
    // NACK or a file status) or after ms; text, progress and notification
    // frames are handled on the way without ending it.
    void wait(unsigned int ms);
    bool waitForReply(unsigned int ms);
    bool waitForAcknoledge(unsigned int ms);

    // Ports.
    QMidiIn midiIn;
    QMidiOut midiOut;
    // The one reply slot: each reply frame overwrites it, and the command
    // operations read it right after a successful wait. Only reply frames
    // land here, so a notification during a wait cannot spoil the answer.
    unsigned short replySize = 0;
    unsigned char replyCom = 0;        // 0xFE from every send until a reply comes
    unsigned char replyComInv = 0;
    unsigned short replyChecksum = 0;  // as received; never verified
    unsigned char replyData[MaxFrameData] = {};
    bool replyReceived = false;        // a reply frame arrived since the last send
    bool connected = false;            // set once connected to the module; cleared by closePorts

public slots:
    // Logs the port states, clears connected and closes what is open.
    void closePorts();
    // Frames and sends one command; never waits. Refused (only logged) for
    // more than MaxFrameData bytes; emits notConnected when the link is down.
    void sendCommand(unsigned char com, unsigned short buff_size = 0, unsigned char* buff = nullptr);
    // Reassembles and handles every frame of one incoming MIDI message.
    void onMidiMessageRecieved(QMidiMessage* message);
    // Received checksums are never verified; the menu toggle changes nothing.
    void enableChecksumControl(bool onOff);

    // Firmware and data images (QMidiUtilsFirmware.cpp). The checks decide
    // whether a file is the image it claims to be; nothing is sent for one
    // that fails. The PCM check is the parameter check.
    bool checkApplicationData(QByteArray& data);
    bool checkLoaderData(QByteArray& data);
    bool checkSamFirmwareData(QByteArray& data);
    bool checkPcmData(QByteArray& data);
    bool checkParametersData(QByteArray& data);

signals:
    void updateProgress(int value, int min = 0, int max = 100);
    void infoMessage(QString msg);
    void endMessage();
    void midiCommandReceived(unsigned char com, unsigned short size = 0, QByteArray const& data = QByteArray());
    void notConnected();
    // Ends the running waits; only the link emits it.
    void replyFrameReceived(QPrivateSignal);

private:
    // Stores a reply, reports texts and progress, and passes every frame on.
    void handleMidiMessage(const SysExFrame& frame);

    SysExFrameWalker walker;
    std::vector<unsigned char> outgoing;
};

// The application's one link, set by main right after creating it.
extern QMidiUtils* midiUtilsPtr;
