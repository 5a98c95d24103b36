#pragma once

#include <QString>

#include "pages/pwm/filternetwork.h"

// What the control design takes from the power page: the network it drives
// (evaluated through Tfilter and Gfilter), the bridge, and the field texts
// that its import copies. The power page builds it; the window hands it on.
struct PowerPageState {
    FilterNetwork network;
    bool fullBridge = true;
    QString amplifier; // as the power page's selector shows it
    QString Fsig; // FsigPWM
    QString Vs; // VsPWM
    QString Vout; // PWMOut
    QString VoutMin; // PWMOutMin
    QString Fsw; // FsPWM
};
