#include "ModuleBench.h"

#include "QMidiUtils.h"
#include "SysExFrame.h"

#include <QElapsedTimer>

double emptyRoundTripMs(QMidiUtils& link, int exchanges)
{
    double total = 0;
    for (int i = 0; i < exchanges; ++i) {
        QElapsedTimer clock;
        clock.start();
        link.sendCommand(ComMidiTest);
        if (!link.waitForAcknoledge(5000))
            return 0;
        total += clock.nsecsElapsed() / 1e6;
    }
    return total / exchanges;
}
