#include "SimModule.h"

#include <QTimer>

namespace lyrsim {

// Commands the module knows. Edits and resets are taken without an answer:
// the editor sends them and moves on.
//  com   name                  handler
const SimModule::Command SimModule::Commands[] = {
    { 0x00, "sam test",           &SimModule::silent },
    { 0x01, "reset",              &SimModule::silent },
    { 0x02, "identify",           &SimModule::identify },
    { 0x03, "stage flash data",   &SimModule::stageData },
    { 0x05, "flash erase",        &SimModule::flashErase },
    { 0x06, "flash write",        &SimModule::flashWrite },
    { 0x07, "sam reset",          &SimModule::silent },
    { 0x08, "sam erase",          &SimModule::dspErase },
    { 0x09, "sam write start",    &SimModule::dspStart },
    { 0x0A, "sam send",           &SimModule::dspSend },
    { 0x0B, "sam stop",           &SimModule::dspStop },
    { 0x0C, "sam continue",       &SimModule::dspContinue },
    { 0x0E, "sam read start",     &SimModule::dspStart },
    { 0x0F, "sam checksum",       &SimModule::silent },
    { 0x11, "usb pcm compare",    &SimModule::usbJob },
    { 0x12, "usb par compare",    &SimModule::usbJob },
    { 0x13, "usb file list",      &SimModule::usbFileList },
    { 0x15, "usb pcm install",    &SimModule::usbJob },
    { 0x16, "usb par install",    &SimModule::usbJob },
    { 0x1E, "flash read",         &SimModule::flashRead },
    { 0x20, "voice change",       &SimModule::silent },
    { 0x21, "voice variation",    &SimModule::variation },
    { 0x24, "echo test",          &SimModule::echoTest },
    { 0x25, "copy flash to ram",  &SimModule::copyFlashToRam },
    { 0x26, "ram programs",       &SimModule::ramPrograms },
    { 0x27, "current program",    &SimModule::currentProgram },
    { 0x28, "sam receive",        &SimModule::dspReceive },
    { 0x29, "organ variation",    &SimModule::silent },
    { 0x2C, "panic",              &SimModule::silent },
    { 0x2D, "gm voice change",    &SimModule::silent },
    { 0x2E, "gm voice variation", &SimModule::silent },
    { 0x2F, "sam send data",      &SimModule::silent },
    { 0x30, "gm data",            &SimModule::gmData },
};

bool SimFault::parse(const QString& text, SimFault* fault)
{
    struct KindName
    {
        const char* name;
        Kind kind;
    };
    static const KindName kinds[] = {
        { "noreply", NoReply },
        { "nack", Nack },
        { "identity-size", WrongIdentitySize },
        { "bad-complement", BadComplement },
        { "delay", Delay },
        { "short", Short },
        { "corrupt", Corrupt },
    };
    const QStringList parts = text.split(':');
    SimFault f;
    bool known = false;
    for (const KindName& k : kinds) {
        if (parts.value(0).compare(QLatin1String(k.name), Qt::CaseInsensitive) == 0) {
            f.kind = k.kind;
            known = true;
        }
    }
    if (!known)
        return false;
    bool ok = true;
    if (parts.size() > 1 && parts[1] != QLatin1String("any"))
        f.com = parts[1].toInt(&ok, 0);
    if (ok && parts.size() > 2)
        f.times = parts[2].toInt(&ok, 0);
    if (ok && parts.size() > 3)
        f.value = parts[3].toInt(&ok, 0);
    if (ok && parts.size() > 4)
        f.skip = parts[4].toInt(&ok, 0);
    if (!ok || parts.size() > 5 || f.com < -1 || f.com > 0xFF || f.skip < 0)
        return false;
    *fault = f;
    return true;
}

SimModule::SimModule(QObject* parent)
    : QObject(parent)
{
    clock.start();
}

void SimModule::setTransmit(Transmit t)
{
    transmit = std::move(t);
}

QList<QByteArray> SimModule::commandData(quint8 com) const
{
    QList<QByteArray> result;
    for (const SimLogEntry& e : entries) {
        if (e.frame.status == SimDecoded::Ok && e.frame.com == com)
            result << e.frame.data;
    }
    return result;
}

void SimModule::clearLog()
{
    entries.clear();
}

void SimModule::addFault(const SimFault& fault)
{
    faults << fault;
}

void SimModule::clearFaults()
{
    faults.clear();
}

void SimModule::addPrelude(quint8 command, quint8 frameCom, const QByteArray& data)
{
    preludes << Prelude { command, frameCom, data };
}

void SimModule::clearPreludes()
{
    preludes.clear();
}

void SimModule::sendFrame(quint8 com, const QByteArray& data)
{
    transmitRaw(com, SimCodec::encode(com, data), int(data.size()));
}

void SimModule::sendText(const QString& text, quint8 com)
{
    sendFrame(com, text.toUtf8());
}

void SimModule::sendProgress(int percent)
{
    sendFrame(Percent, QByteArray(1, char(percent)));
}

void SimModule::sendEnd()
{
    sendFrame(End);
}

void SimModule::transmitRaw(quint8 com, const QByteArray& message, int size)
{
    if (transmit)
        transmit(message);
    emit sent(com, size);
}

QList<SimFault> SimModule::takeFaults(quint8 com)
{
    QList<SimFault> matching;
    for (int i = 0; i < faults.size(); ++i) {
        SimFault& f = faults[i];
        if (f.com != -1 && f.com != com)
            continue;
        if (f.skip > 0) {
            --f.skip;
            continue;
        }
        bool seen = false;
        for (const SimFault& m : matching)
            seen = seen || m.kind == f.kind;
        if (seen)
            continue;
        matching << f;
        if (f.times > 0 && --f.times == 0)
            faults.removeAt(i--);
    }
    return matching;
}

void SimModule::receive(const QByteArray& message)
{
    for (const SimDecoded& frame : SimCodec::decode(message)) {
        SimLogEntry entry;
        entry.atMs = clock.elapsed();
        entry.frame = frame;
        entry.message = message;

        if (frame.status != SimDecoded::Ok) {
            // Not a frame the module can read: it stays silent.
            entries << entry;
            emit logged(int(entries.size()) - 1);
            continue;
        }

        Reply reply;
        const Command* command = nullptr;
        for (const Command& c : Commands) {
            if (c.com == frame.com)
                command = &c;
        }
        // A refused command does nothing: a NACK fault keeps the handler
        // from running, where a lost reply (noreply) does not.
        const QList<SimFault> applying = takeFaults(frame.com);
        bool refused = false;
        for (const SimFault& f : applying)
            refused = refused || f.kind == SimFault::Nack;
        if (!frame.checksumOk) {
            entry.handler = QStringLiteral("bad checksum");
            reply.com = Nack;
        } else if (command) {
            entry.handler = QLatin1String(command->name);
            if (!refused)
                reply = (this->*command->handle)(frame);
        } else {
            entry.handler = QStringLiteral("unsupported");
            reply.com = Nack;
        }

        bool badComplement = false;
        int delay = 0;
        for (const SimFault& f : applying) {
            switch (f.kind) {
            case SimFault::NoReply:
                reply.send = false;
                break;
            case SimFault::Nack:
                reply.com = Nack;
                reply.data.clear();
                break;
            case SimFault::WrongIdentitySize:
                if (frame.com == 0x02 && reply.com == Ack)
                    reply.data.resize(qMax(0, f.value), '\0');
                break;
            case SimFault::BadComplement:
                badComplement = true;
                break;
            case SimFault::Delay:
                delay = f.value;
                break;
            case SimFault::Short:
                reply.data.truncate(qMax(0, f.value));
                break;
            case SimFault::Corrupt:
                if (f.value >= 0 && f.value < reply.data.size())
                    reply.data[f.value] = char(~quint8(reply.data[f.value]));
                break;
            }
        }

        entry.replyCom = reply.send ? reply.com : -1;
        entries << entry;
        emit logged(int(entries.size()) - 1);

        for (const Prelude& p : preludes) {
            if (p.command == frame.com)
                sendFrame(p.com, p.data);
        }
        if (!reply.send)
            continue;

        const QByteArray out = badComplement
            ? SimCodec::encodeWithComplement(reply.com, quint8(reply.com), reply.data)
            : SimCodec::encode(reply.com, reply.data);
        const quint8 com = reply.com;
        const int size = int(reply.data.size());
        if (delay > 0)
            QTimer::singleShot(delay, this, [this, com, out, size] { transmitRaw(com, out, size); });
        else
            transmitRaw(com, out, size);
    }
}

SimModule::Reply SimModule::identify(const SimDecoded&)
{
    Reply r;
    r.data = ident.record();
    return r;
}

// The module proves the link by answering every 16-bit word complemented
// (an odd last byte complemented on its own).
SimModule::Reply SimModule::echoTest(const SimDecoded& frame)
{
    Reply r;
    r.data = frame.data;
    for (char& c : r.data)
        c = char(~quint8(c));
    return r;
}

SimModule::Reply SimModule::silent(const SimDecoded&)
{
    Reply r;
    r.send = false;
    return r;
}

// Edits are the module's business; two of them change what it remembers:
// 14 idx idx makes idx the current program, 15 n v sets set-up byte n.
SimModule::Reply SimModule::variation(const SimDecoded& frame)
{
    const QByteArray& d = frame.data;
    if (d.size() == 3 && quint8(d[0]) == 0x14 && quint8(d[1]) < 128) {
        mem.currentProgram = quint8(d[1]);
        emit memoryChanged();
    } else if (d.size() == 3 && quint8(d[0]) == 0x15 && quint8(d[1]) < 16) {
        mem.ramPrograms[128 * 511 + quint8(d[1])] = d[2];
        emit memoryChanged();
    }
    return silent(frame);
}

} // namespace lyrsim
