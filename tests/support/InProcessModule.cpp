#include "InProcessModule.h"

InProcessModule::InProcessModule(QMidiUtils& l, lyrsim::SimModule& m)
    : link(l), module(m)
{
    module.setTransmit([this](const QByteArray& message) {
        const std::vector<unsigned char> bytes(message.begin(), message.end());
        QMidiIn* in = &link.midiIn;
        QMetaObject::invokeMethod(in, [in, bytes] { in->deliver(bytes); }, Qt::QueuedConnection);
    });
}

InProcessModule::~InProcessModule()
{
    module.setTransmit(nullptr);
    link.midiOut.setLoopback(nullptr);
    link.midiIn.setLoopbackOpen(false);
}

void InProcessModule::connect()
{
    link.midiOut.setLoopback([this](const std::vector<unsigned char>& bytes) {
        const QByteArray message(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
        lyrsim::SimModule* m = &module;
        QMetaObject::invokeMethod(m, [m, message] { m->receive(message); }, Qt::QueuedConnection);
    });
    link.midiIn.setLoopbackOpen(true);
    link.connected = true;
}
