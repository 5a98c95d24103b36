#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

// Address used wherever a catalog row names no product page or drawing of its own.
inline const char *const kZarnHomePage = "https://www.zarn-power.example/";

// One linear power amplifier or host op-amp, as read from LinearAmpData.txt or
// HostAmpData.txt. Field names follow the file's column names.
struct amp {
    QString ampName = QStringLiteral("QX295");
    double Vss_max = 0, Vss_min = 0;
    double I_cont = 0, I_pk = 0;
    int channels = 1;
    QVector<double> Pd_max; // one per channel, W at 25 degC case
    double Iq_max = 0, Iq_vF = 0; // mA, mA/kHz
    double V_cm = 0, V_os = 0, I_os = 0, I_bias = 0;
    QString packageStyle;
    int boostOptions = 0;
    bool SRboost = false;
    int SROptions = 0;
    QVector<double> boost; // boostOptions values, V
    QVector<double> Ccomp, Rcomp, slewRate, pole1, pole2, pole3; // SROptions values each
    double PBW = 0, GBWP = 0, Aol_DC = 0; // kHz, kHz, dB
    double Zout = 0, Cfb = 0, Rfb = 0, Rin = 0;
    QString CircuitType;
    double Vbe = 0, CLint = 0;
    double Rb = 0, Rfoldover = 0;
    double Tc_max = 0, Tj_max = 0;
    double Rtheta_DC = 0, Rtheta_AC = 0;
    double SB_slope = 0, SB_V = 0;
    QString pulse1, pulse2, pulse3;
    double pulse1_V = 0, pulse2_V = 0, pulse3_V = 0;
    double Tc_soa = 0, pulse_slope = 0;
    double Rtheta_JA = 0;
    QVector<double> VswingC, VswingB, VswingA; // boostOptions + 1 values each
    QString UGS, Inputs, Loads, classBias;
    double relative_price = 0;
    QString SiteLink = QString::fromLatin1(kZarnHomePage);
    int PreV6Index = 0;
    int PSGstatus = 0;
    int MgradeAvailable = 0;
};

// One PWM (switching) amplifier, as read from PWMAmpData.txt.
struct pwm {
    QString ampName = QStringLiteral("TZ610");
    double Vs_max = 0, Vs_nom = 0, Vs_min = 0;
    double Vcc_max = 0, Vcc_nom = 0, Vcc_min = 0;
    double I_cont = 0, I_pk = 0;
    double Pd_max = 0;
    double Iq_Vs = 0, Iq_Vs_vsF = 0, Iq_Vs_vsS = 0;
    double t_rise = 0, t_fall = 0;
    double Iq_Vcc = 0, Iq_Vcc_vsF = 0;
    double V_cm_min = 0, V_cm_max = 0, V_os = 0, I_os = 0, I_bias = 0;
    int outputs = 2;
    QString packageStyle;
    double Fsw_min = 0, Fsw_nom = 0, Fsw_max = 0; // kHz
    QString Ramp;
    double Ramp_Vpp = 0, Ramp_Mid = 0;
    QString PositiveDC, OutputTech;
    double Rdiode = 0, Vdiode = 0;
    double MaxDutyCycle = 0;
    double Tc_max = 0, Tj_max = 0;
    double Rtheta_DC = 0, Rtheta_JA = 0, Rtheta_JC_diode = 0;
    double relative_price = 0;
    double top_A = 0, top_B = 0, top_C = 0, top_V = 0, top_wire = 0;
    double bot_A = 0, bot_B = 0, bot_C = 0, bot_V = 0, bot_wire = 0;
    QString SiteLink = QString::fromLatin1(kZarnHomePage);
    int I_sense_pins = 0;
    bool ErrorAmp = false;
    int PreV6Index = 0;
    int PSGstatus = 0;
    int MgradeAvailable = 0;
};

struct PackageStyle {
    QString Code, shortDesc, fullDesc;
};

struct Heatsink {
    QString name = QStringLiteral("KH00");
    double FreeAirTheta = 0; // degC/W in natural convection
    double Length = 0, Width = 0, Height = 0; // inches
    double Weight = 0; // ounces
    int numPackages = 0;
    QStringList packages;
    double A = 0, B = 0, C = 0; // R(F) = A exp(B F) + C
    double relative_price = 0;
    QString drawingLink = QString::fromLatin1(kZarnHomePage);

    bool isWaterCooled() const { return name.contains(QLatin1String("H2O")); }
};
