#pragma once

#include "pages/pwm/filternetwork.h"
#include "pages/spice/spicenetlist.h"

// The PWM output filter and its load for a SPICE simulator: the ladder P1 to
// P6 with every parasitic, the matching branch MN and the load (L5 alone or
// the extended load), driven by a 1 V AC source at the amplifier output
// (node `amp`), so v(load) is the filter's transfer. Parts past the order are
// absent: an inductor becomes a wire and a capacitor is left out. Inductors
// count nL times and shunt capacitor branches nC times (two legs of a bridged
// filter), written as one equivalent part each. `.ac` runs from fStart to
// fStop with `pointsPerDecade` points a decade.
SpiceNetlist pwmNetworkNetlist(
    const FilterNetwork &network, double fStart, double fStop, int pointsPerDecade, const QString &title);
