#pragma once

// The simulated LYR module, free of any transport: feed it the MIDI messages
// the editor sends (receive), and it answers through the transmit function
// as the module does. It decodes with its own codec, keeps a log of every
// frame it decoded, and can be told to misbehave.
//
// Commands are dispatched through one table (SimModule.cpp); a command
// without a row is answered with NACK. The memory commands (controller
// flash, RAM programs, GM data, DSP flash, USB stick) have their handlers in
// SimTransfers.cpp and work on the module's memory (SimMemory).

#include "SimCodec.h"
#include "SimIdentity.h"
#include "SimMemory.h"

#include <QElapsedTimer>
#include <QList>
#include <QObject>

#include <functional>

namespace lyrsim {

// One frame the module decoded, as tests read it back.
struct SimLogEntry
{
    qint64 atMs = 0;              // since the module was created
    SimDecoded frame;
    QByteArray message;           // the whole MIDI message the frame came in
    QString handler;              // the table row that took it; empty when rejected
    int replyCom = -1;            // what was (or will be, when delayed) answered; -1 none
};

// A way to misbehave, for the commands it matches.
struct SimFault
{
    enum Kind {
        NoReply,            // answer nothing
        Nack,               // refuse: do nothing and answer NACK
        WrongIdentitySize,  // identity record of value bytes instead of 60
        BadComplement,      // answer with a complement byte that does not match
        Delay,              // answer after value milliseconds
        Short,              // answer with only the first value data bytes
        Corrupt,            // answer with data byte value inverted
    };
    Kind kind = NoReply;
    int com = -1;           // the command it applies to; -1 every command
    int times = -1;         // how many more commands it applies to; -1 always
    int value = 0;
    int skip = 0;           // matching commands let through before it applies

    // "kind[:com[:times[:value[:skip]]]]", e.g. "nack", "delay:any:-1:300",
    // "noreply:0x1e:1:0:20" (the 21st flash read is not answered). Kinds:
    // noreply, nack, identity-size, bad-complement, delay, short, corrupt.
    static bool parse(const QString& text, SimFault* fault);
};

class SimModule : public QObject
{
    Q_OBJECT
public:
    using Transmit = std::function<void(const QByteArray& message)>;

    // Reply and notification codes the module sends.
    static constexpr quint8 Ack = 0xAC;
    static constexpr quint8 Nack = 0x53;
    static constexpr quint8 Info = 0x30;
    static constexpr quint8 End = 0x31;
    static constexpr quint8 Percent = 0x32;
    static constexpr quint8 UsbPenNotFound = 0x25;

    explicit SimModule(QObject* parent = nullptr);

    // Where the module's messages go (a MIDI port, or straight into an
    // in-process link). Without one they are dropped.
    void setTransmit(Transmit transmit);

    // The identity record's fields.
    SimIdentity& identity() { return ident; }
    // Everything the module remembers; tests may look and poke.
    SimMemory& memory() { return mem; }

    // The log of decoded frames, oldest first.
    const QList<SimLogEntry>& log() const { return entries; }
    // The data of every good frame with this command, oldest first.
    QList<QByteArray> commandData(quint8 com) const;
    void clearLog();

    // Misbehaviour; the first matching fault of each kind applies.
    void addFault(const SimFault& fault);
    void clearFaults();

    // Frames sent, in order, after a given command arrives and before its
    // answer (texts, progress, notifications).
    void addPrelude(quint8 command, quint8 frameCom, const QByteArray& data);
    void clearPreludes();

    // Pause between the reports of a job on a file of the USB stick.
    int usbStepMs = 50;

    // Unsolicited frames, sent at once.
    void sendFrame(quint8 com, const QByteArray& data = QByteArray());
    void sendText(const QString& text, quint8 com = Info);
    void sendProgress(int percent);
    void sendEnd();

public slots:
    // One MIDI message from the editor.
    void receive(const QByteArray& message);

signals:
    // A frame was decoded and logged (index into log()).
    void logged(int index);
    // A frame went out.
    void sent(quint8 com, int size);
    // A command changed the memory.
    void memoryChanged();

private:
    struct Reply
    {
        bool send = true;
        quint8 com = Ack;
        QByteArray data;
    };
    using Handler = Reply (SimModule::*)(const SimDecoded&);
    struct Command
    {
        quint8 com;
        const char* name;
        Handler handle;
    };
    static const Command Commands[];

    // Handlers.
    Reply identify(const SimDecoded& frame);
    Reply echoTest(const SimDecoded& frame);
    Reply silent(const SimDecoded& frame);
    Reply variation(const SimDecoded& frame);
    // Memory handlers (SimTransfers.cpp).
    Reply flashRead(const SimDecoded& frame);
    Reply flashErase(const SimDecoded& frame);
    Reply stageData(const SimDecoded& frame);
    Reply flashWrite(const SimDecoded& frame);
    Reply ramPrograms(const SimDecoded& frame);
    Reply gmData(const SimDecoded& frame);
    Reply copyFlashToRam(const SimDecoded& frame);
    Reply currentProgram(const SimDecoded& frame);
    Reply dspStart(const SimDecoded& frame);
    Reply dspReceive(const SimDecoded& frame);
    Reply dspSend(const SimDecoded& frame);
    Reply dspContinue(const SimDecoded& frame);
    Reply dspStop(const SimDecoded& frame);
    Reply dspErase(const SimDecoded& frame);
    Reply usbFileList(const SimDecoded& frame);
    Reply usbJob(const SimDecoded& frame);
    // A chunk of [offset, offset + length) of memory, from the request
    // u32 offset, u16 length, 2 bytes 0; NACK when it does not fit.
    Reply readBlock(const SimDecoded& frame, const QByteArray& memory, int base);
    static Reply nack();

    // Faults that match com, used up as they apply.
    QList<SimFault> takeFaults(quint8 com);
    void transmitRaw(quint8 com, const QByteArray& message, int size);

    Transmit transmit;
    SimIdentity ident;
    SimMemory mem;
    // Controller flash writes: the chunk staged by ComCpData until committed.
    QByteArray staged;
    // DSP flash transfer between its start and stop: direction, address of
    // the next byte, bytes moved since the start or the last continue. A
    // write started at a soundbank request address instead installs the
    // soundbank image sent (address 0, taken whole at the stop) or removes
    // soundbank n (1..15) or all of them (65535) at the stop.
    enum class Dsp { Idle, Reading, Writing, Installing, Removing };
    Dsp dsp = Dsp::Idle;
    quint32 dspAddress = 0;
    int dspInBlock = 0;
    QByteArray soundBankImage;
    QList<SimLogEntry> entries;
    QList<SimFault> faults;
    struct Prelude
    {
        quint8 command;
        quint8 com;
        QByteArray data;
    };
    QList<Prelude> preludes;
    QElapsedTimer clock;
};

} // namespace lyrsim
