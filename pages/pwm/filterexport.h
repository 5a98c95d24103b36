#pragma once

#include <array>

#include <QString>

#include "pages/pwm/networkelement.h"

// What "Load Filter to Power Sheet" hands from the filter page to the power
// page: the output type, the topology, the order, the whole network as field
// strings, and the amplifier, supply and switching frequency as typed. The
// filter page builds it, the window applies it to the power page.
struct FilterExport {
    bool halfBridge = false;
    enum class Topology { SingleEnded, DualCapacitor, SplitInductor };
    Topology topology = Topology::SplitInductor;
    int order = 2;
    std::array<networkElement, 6> filter; // P1..P6
    networkElement matching; // MN
    std::array<networkElement, 5> load; // L1..L5
    QString amplifier;
    QString Vs;
    QString Fsw;
};
