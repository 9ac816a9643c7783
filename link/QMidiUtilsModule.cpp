// Opening the link to the module, its identity and echo test, and the
// fire-and-forget editing and control commands.

#include "QMidiUtils.h"
#include "TInfo.h"

#include <rtmidi/RtMidi.h>

#include <QDebug>
#include <QSettings>

#include <cstring>

namespace {

// Index of the first name containing text, any case; -1 when none does. An
// empty text would match every port and open whatever happens to be first.
int findPort(const QStringList& names, const QString& text)
{
    if (text.isEmpty())
        return -1;
    for (int i = 0; i < names.size(); ++i) {
        if (names[i].contains(text, Qt::CaseInsensitive))
            return i;
    }
    return -1;
}

// Data byte of ComReset.
constexpr unsigned char ResetSystem = 0xAA;
constexpr unsigned char ResetProgrammingMode = 0xA5;
constexpr unsigned char ResetEndProgrammingMode = 0xA7;

// Leading bytes that take the place of the parameter code in ComVoiceVariation.
constexpr unsigned char VariationLoadProgram = 0x14;
constexpr unsigned char VariationSetup = 0x15;

constexpr int IdentifyTimeoutMs = 5000;
constexpr int TestTimeoutMs = 5000;

} // namespace

bool QMidiUtils::connectToModule(QString in, QString out, bool skipTest, bool savePorts, bool skipIdentify)
{
    qDebug() << "connectToModule";
    closePorts();

    const QStringList ins = midiIn.getPorts();
    const QStringList outs = midiOut.getPorts();
    const int inIndex = findPort(ins, in);
    const int outIndex = findPort(outs, out);
    if (inIndex < 0 || outIndex < 0)
        return false;

    try {
        midiIn.openPort(unsigned(inIndex));
        // Our input just opened is itself a port one can send to, and JACK
        // may list it ahead of the output chosen: find that output again by
        // its name, or the editor would send to itself.
        const int outNow = midiOut.getPorts().indexOf(outs[outIndex]);
        if (outNow < 0) {
            closePorts();
            return false;
        }
        midiOut.openPort(unsigned(outNow));
    } catch (const RtMidiError& e) {
        qDebug() << "Error: " << QString::fromStdString(e.getMessage());
        // The input may be open already: a failed connection holds no port.
        closePorts();
        return false;
    }
    if (!midiIn.isPortOpen() || !midiOut.isPortOpen()) {
        closePorts();
        return false;
    }
    connected = true;

    if (!skipIdentify && !identify()) {
        qDebug() << "Identify failed";
        closePorts();
        return false;
    }
    if (!skipTest) {
        if (!test(info.PacketSize)) {
            qDebug() << "Test failed!";
            closePorts();
            return false;
        }
        qDebug() << "Test passed";
    }
    if (savePorts) {
        QSettings settings;
        settings.setValue("midiInPort", ins[inIndex]);
        settings.setValue("midiOutPort", outs[outIndex]);
    }
    return true;
}

bool QMidiUtils::identify()
{
    sendCommand(ComIdentify);
    if (!waitForAcknoledge(IdentifyTimeoutMs)) {
        qDebug() << "identify - wait for acknoloedge failed";
        return false;
    }
    if (replySize != sizeof(TInfo))
        return false;
    std::memcpy(&info, replyData, sizeof(TInfo));
    printInfo();
    return true;
}

bool QMidiUtils::test(unsigned short size)
{
    if (!isConnected())
        return false;
    // A module that names a packet larger than one frame cannot be tested
    // (nor served): refuse rather than send a frame it cannot take.
    if (size > MaxFrameData) {
        qDebug() << "test refused: PacketSize" << size << "above" << MaxFrameData;
        return false;
    }
    std::vector<unsigned char> words(size, 0);
    for (unsigned i = 0; i < size / 2u; ++i) {
        words[2 * i] = static_cast<unsigned char>(i);
        words[2 * i + 1] = static_cast<unsigned char>(i >> 8);
    }
    sendCommand(ComMidiTest, size, words.data());
    if (!waitForAcknoledge(TestTimeoutMs))
        return false;
    if (size <= 1)
        return true;
    // A shorter answer would leave words of an earlier reply to compare.
    if (replySize < size)
        return false;
    for (unsigned i = 0; i < size / 2u; ++i) {
        const unsigned short word = static_cast<unsigned short>(replyData[2 * i] | replyData[2 * i + 1] << 8);
        if (word != static_cast<unsigned short>(~i))
            return false;
    }
    return true;
}

// Editing and control commands. Nothing here waits: the module's answers, if
// any, arrive later as ordinary frames.

void QMidiUtils::sendVoiceChange(uint8_t voice, uint8_t group, uint8_t num, uint8_t bnk, uint8_t pch)
{
    // A program has three voices.
    if (voice > 2)
        return;
    unsigned char data[] = { voice, group, num, bnk, pch };
    sendCommand(ComVoiceChange, sizeof(data), data);
}

void QMidiUtils::sendVoiceVariation(uint8_t voice, uint8_t com, uint8_t value)
{
    unsigned char data[] = { com, voice, value };
    sendCommand(ComVoiceVariation, sizeof(data), data);
}

// 14-bit values: the module takes the high 6 bits and the low byte.
void QMidiUtils::sendVoiceVariation16(uint8_t dato, uint8_t com, uint16_t value)
{
    unsigned char data[] = { com, dato, static_cast<unsigned char>((value >> 8) & 0x3F),
                             static_cast<unsigned char>(value & 0xFF) };
    sendCommand(ComVoiceVariation, sizeof(data), data);
}

void QMidiUtils::sendSetupVariation(uint8_t com, uint8_t value)
{
    unsigned char data[] = { VariationSetup, com, value };
    sendCommand(ComVoiceVariation, sizeof(data), data);
}

void QMidiUtils::sendLoadProgram(uint16_t idx)
{
    if (idx > 127)
        return;
    unsigned char data[] = { VariationLoadProgram, static_cast<unsigned char>(idx), static_cast<unsigned char>(idx) };
    sendCommand(ComVoiceVariation, sizeof(data), data);
}

void QMidiUtils::sendOrganVariation(uint8_t drawbar, uint8_t com, uint8_t value)
{
    qDebug() << "send organ variation - com:" << com << "value:" << value;
    unsigned char data[] = { com, drawbar, value };
    sendCommand(ComOrganVariation, sizeof(data), data);
}

void QMidiUtils::sendGmVoiceChange(uint8_t voice, uint8_t group, uint8_t num, uint8_t bnk, uint8_t pch)
{
    // voice is the GM channel.
    if (voice > 15)
        return;
    unsigned char data[] = { voice, group, num, bnk, pch };
    sendCommand(ComGmVoiceChange, sizeof(data), data);
}

void QMidiUtils::sendGmVoiceVariation(uint8_t voice, uint8_t com, uint8_t value)
{
    unsigned char data[] = { com, voice, value };
    sendCommand(ComGmVoiceVariation, sizeof(data), data);
}

void QMidiUtils::systemReset()
{
    unsigned char data[] = { ResetSystem };
    sendCommand(ComReset, sizeof(data), data);
}

void QMidiUtils::samReset()
{
    sendCommand(ComSamReset);
}

void QMidiUtils::samChipErase()
{
    sendCommand(ComSamErase);
}

void QMidiUtils::samPcmChecksum()
{
    sendCommand(ComSamCksum);
}

void QMidiUtils::samTest()
{
    sendCommand(ComTest);
}

void QMidiUtils::samPanic()
{
    qDebug() << "Panic";
    sendCommand(ComPanic);
}

bool QMidiUtils::beginProgrammingMode()
{
    if (!isConnected())
        return false;
    emit infoMessage("Starting in programming mode ...");
    unsigned char data[] = { ResetProgrammingMode };
    sendCommand(ComReset, sizeof(data), data);
    // The module restarts into its loader: its ports go away and come back.
    wait(1000);
    closePorts();
    wait(3000);
    return true;
}

bool QMidiUtils::endProgrammingMode()
{
    if (!isConnected())
        return false;
    unsigned char data[] = { ResetEndProgrammingMode };
    sendCommand(ComReset, sizeof(data), data);
    return true;
}
