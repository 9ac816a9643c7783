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
#include <QStringList>

#include <cstdint>
#include <functional>
#include <vector>

class QFile;

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

    // Connection (QMidiUtilsModule.cpp): opens the first input and output
    // ports whose names contain in and out (any case), then identifies the
    // module and runs the echo test unless told to skip them. savePorts
    // stores the full port names as "midiInPort" and "midiOutPort".
    bool connectToModule(QString in, QString out, bool skipTest, bool savePorts, bool skipIdentify);

    // Programming mode frames a firmware update: begin sends the request,
    // lets the module restart into its loader and leaves the link closed;
    // the caller connects again. Both are false when not connected.
    bool beginProgrammingMode();
    bool endProgrammingMode();

    // Single steps of the DSP flash transfers (QMidiUtilsTransfers.cpp).
    // Chunks are at most MaxFrameData bytes.
    bool samFlashReadStart(uint32_t address);
    bool samFlashReceiveData(uint32_t size, uint8_t* pData);
    bool samFlashWriteStart(uint32_t address);
    bool samFlashSendData(uint32_t size, uint8_t* pData);

    // How long writePcm lets the module go on erasing after it acknowledged
    // the erase, before the first data arrives.
    unsigned int samEraseSettleMs = 10000;

    // Why the last image check refused its image, in words for the user;
    // empty after one that passed.
    QString checkFailure;

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

    // Identity into info: true only for an acknowledged 60-byte record.
    bool identify();
    // Echo test of size bytes: the module answers every 16-bit word
    // complemented. Refused above MaxFrameData.
    bool test(unsigned short size);

    // Editing and control commands: one frame each, no waiting.
    void sendVoiceChange(uint8_t voice, uint8_t group, uint8_t num, uint8_t bnk, uint8_t pch);
    void sendVoiceVariation(uint8_t voice, uint8_t com, uint8_t value);
    void sendVoiceVariation16(uint8_t dato, uint8_t com, uint16_t value);
    void sendSetupVariation(uint8_t com, uint8_t value);
    void sendLoadProgram(uint16_t idx);
    void sendOrganVariation(uint8_t drawbar, uint8_t com, uint8_t value);
    void sendGmVoiceChange(uint8_t voice, uint8_t group, uint8_t num, uint8_t bnk, uint8_t pch);
    void sendGmVoiceVariation(uint8_t voice, uint8_t com, uint8_t value);
    void systemReset();
    void samReset();
    void samChipErase();
    void samPcmChecksum();
    void samTest();
    void samPanic();

    // Memory transfers (QMidiUtilsTransfers.cpp). Each runs to its end inside
    // the call, one acknowledged exchange per chunk, and is never retried.
    // The mirrors (programs, programsFlash, wavetable, soundBankDir, gmData)
    // change only after a whole transfer and its checks passed.
    // Controller flash in chunks of info.PacketSize; a write erases the
    // sectors first and commits every chunk at offset within them.
    bool readFromStm32Flash(uint8_t* dest, uint32_t size, uint32_t addr, uint32_t timeout = 5000);
    bool writeToStm32Flash(uint8_t* src, uint32_t size, uint16_t sectorIni, uint16_t sectorNum, uint32_t offset,
                           uint32_t timeout = 60000);
    // The 128 KB at info.ProgramAddr: programs block, then wavetable. The
    // combined load takes each half that passes its check and is true even
    // when neither did; the programs-only load is false unless it passed.
    bool loadProgramsAndWavetableFromFlash();
    bool saveProgramsAndWavetableToFlash();
    bool loadProgramsFromFlash();
    // RAM: the working programs, the module reloading them from its flash,
    // the GM mixer data and the current program (0 also on failure).
    bool loadProgramsFromRam();
    bool copyProgramsFromFlashToRam();
    bool loadGmDataFromRam();
    uint8_t getCurrentProgramIdx();
    // DSP serial flash in 32768-byte chunks, with a continue after every
    // 128 KB while data remains. The file form reads the file from its
    // current position and reports progress in percent.
    bool readFromSamFlash(uint32_t address, uint32_t sizeb, uint8_t* pData);
    bool writeToSamFlash(uint32_t address, uint32_t sizeb, uint8_t* pData, uint32_t timeout);
    bool writeToSamFlash(uint32_t address, uint32_t sizeb, QFile* pFile, uint32_t timeout);
    bool readSoundbankDir();
    // Names on the module's USB stick, those ending in filter (any case)
    // when one is given; error receives the reply code.
    QStringList getUsbFileList(QString const& filter = QString(), int* error = nullptr);

    // Firmware and data images (QMidiUtilsFirmware.cpp). The checks decide
    // whether a file is the image it claims to be; nothing is sent for one
    // that fails. The PCM check is the parameter check.
    bool checkApplicationData(QByteArray& data);
    bool checkLoaderData(QByteArray& data);
    bool checkSamFirmwareData(QByteArray& data);
    bool checkPcmData(QByteArray& data);
    bool checkParametersData(QByteArray& data);
    // The writers take a file open for reading and leave closing it to the
    // caller. Firmware goes into the controller's flash sectors that info
    // names, and nothing is erased or sent for an image shorter than 512
    // bytes, larger than its area, or failing its check. The application
    // writer first connects to the module's loader by port names; the PCM
    // and parameter data go into the DSP flash at 0x80000, the PCM area
    // erased first.
    bool writeApplication(QFile* pFile, QString in, QString out);
    bool writeLoader(QFile* pFile);
    bool writeSamFirmware(QFile* pFile);
    bool writePcm(QFile* pFile);
    bool writeParameters(QFile* pFile);

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

    // Sends com with data and waits for its ACK; logs failure when it fails.
    bool command(unsigned char com, std::vector<unsigned char> data, unsigned int ms, const char* failure);
    // Reads size bytes in chunks of info.PacketSize with requests of com
    // [u32 start + done, u16 chunk, 0, 0]; every reply must carry the chunk.
    bool readChunks(unsigned char com, uint32_t start, uint8_t* dest, uint32_t size, uint32_t timeout,
                    const char* failure);
    // Every DSP flash transfer: the start for reading or writing, chunks of
    // at most 32 KB moved by step (false ends the transfer), a continue after
    // every 128 KB while data remains, and the stop, acknowledged within
    // stopTimeout. Progress goes out before each chunk, in percent when
    // asked, and at the end in bytes.
    bool samTransfer(bool write, uint32_t address, uint32_t sizeb, uint32_t stopTimeout, bool percent,
                     const std::function<bool(uint32_t done, uint32_t chunk)>& step);

    SysExFrameWalker walker;
    std::vector<unsigned char> outgoing;
};

// The application's one link, set by main right after creating it.
extern QMidiUtils* midiUtilsPtr;
