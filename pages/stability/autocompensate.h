#pragma once

#include "pages/stability/loopmodel.h"

// The "Auto - Compensate" searches. Each tries compensation options and
// values of the external compensation parts on the plot-free model, keeps the
// trial with the widest bandwidth whose phase margin beats the target of the
// slider, and hands back the texts to write into the page; no widget is
// touched while it runs.
struct StabSearchResult {
    StabComponents parts; // the input's parts with the chosen values written in
    int option = 0; // compensation option to select
    int slider = 2; // slider position after any relaxation
    double bestPM = 0;
    double bestBW = 0;
    bool accepted = false; // some trial met the (possibly relaxed) target
    int modelRuns = 0;
};

// 75 degrees at slider 0 down to 35 degrees at slider 4.
double stabTargetMargin(int slider);

StabSearchResult autoC(const LoopInput &in, int slider);
StabSearchResult autoL(const LoopInput &in, int slider);
StabSearchResult autoCcomposite(const LoopInput &in, int slider);
StabSearchResult autoLcomposite(const LoopInput &in, int slider);
// The search (or the two searches, power stage first) for the page's case.
StabSearchResult autoStabilize(const LoopInput &in, StabLoad load, bool composite, int slider);
