#include "WindowFixture.h"

#include "ColorMap.h"
#include "Startup.h"
#include "TGmWavetable.h"
#include "TPrograms.h"
#include "TSoundBankDirEntry.h"
#include "WavetableDescriptor.h"
#include "ui_LyrForm.h"

#include <QFile>

#include <cstring>

WindowFixture::WindowFixture(Transport t)
    : transport(t)
{
    initColorMap();
    initPrograms();
    std::memset(&wavetable, 0, sizeof(wavetable));
    QFile descriptor(":/WaveTableVoicesDescriptor5916.txt");
    if (descriptor.open(QIODevice::ReadOnly | QIODevice::Text))
        extractWavetable(&descriptor, &wavetable, 0);
    initWavetableFamilyNames();
    std::memset(soundBankDir, 0, sizeof(soundBankDir));
    // The module keeps the same voice catalogue in its flash, as one that
    // was initialised with the factory wavetable does.
    module.memory().flash.replace(lyrsim::SimMemory::flashOffset(lyrsim::SimMemory::ProgramsArea, 0) + 65536,
                                  sizeof(wavetable), reinterpret_cast<const char*>(&wavetable), sizeof(wavetable));

    midiUtilsPtr = &link;
    if (transport == Transport::Jack) {
        ports = std::make_unique<lyrsim::SimJackPorts>(&module);
        QString error;
        if (!ports->open(&error))
            qWarning() << "simulated module on JACK:" << error;
    } else {
        wire = std::make_unique<InProcessModule>(link, module);
    }
    window = std::make_unique<LyrForm>(nullptr, &prompts);
    connectWindowToLink(*window, link);
}

WindowFixture::~WindowFixture()
{
    window.reset();
    link.closePorts();
    wire.reset();
    ports.reset();
    if (midiUtilsPtr == &link)
        midiUtilsPtr = nullptr;
}

bool WindowFixture::connect()
{
    if (transport == Transport::InProcess) {
        wire->connect();
        return link.identify();
    }
    window->connectToModule(inPort(), outPort(), false);
    return link.isConnected();
}

QStringList WindowFixture::frames() const
{
    QStringList lines;
    for (const lyrsim::SimLogEntry& e : module.log())
        lines << QString::asprintf("%02x:", e.frame.com) + QString(e.frame.data.toHex(' '));
    return lines;
}

QStringList WindowFixture::frames(qsizetype n)
{
    waitFor([&] { return module.log().size() >= n; }, 3000);
    QTest::qWait(transport == Transport::Jack ? 300 : 10);
    return frames();
}
