#pragma once

#include <QStringList>

#include "catalog/catalogs.h"

// Which catalog parts each amplifier selector of the tool offers, and what a
// catalog position in a design file older than version 7 names.
namespace SelectorLists {

enum class Catalog { Linear, Host, Pwm };

// Every linear amplifier (the SOA, stability and current-pump selectors).
QStringList linear(const Catalogs &c);
// Every PWM amplifier (the filter page).
QStringList allPwm(const Catalogs &c);
// PWM amplifiers with one or two outputs (the power page).
QStringList pwmPower(const Catalogs &c);
// Two-output PWM amplifiers with an analog ramp (the control design).
QStringList pwmControl(const Catalogs &c);
// PWM amplifiers with one or three outputs (the three-phase page).
QStringList threePhase(const Catalogs &c);
// "All Parts", then every linear and every PWM amplifier (the heatsink page).
QStringList heatsinkParts(const Catalogs &c);

// The part an older design file means by `position` in that catalog.
QString beforeV7Name(const Catalogs &c, Catalog catalog, int position);

} // namespace SelectorLists
