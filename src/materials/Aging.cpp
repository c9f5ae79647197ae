// Thermal aging of powder cores: the loss increase grows as R0·e^(T·(p3·T + p2))·t^0.55, the
// extra loss heats the core, and the heating speeds the aging until the feedback runs away.
#include <algorithm>
#include <cfloat>
#include <cmath>
#include <limits>

#include "materials/CoreLoss.h"
#include "materials/CoreLossTables.h"
#include "materials/Materials.h"

namespace korvell {
namespace {

constexpr double kAlpha = 0.55;           // time exponent of the loss increase
constexpr double kK0 = 6.276e-13;         // rate constant scale, mW per (gauss·Hz)² cm⁴ h^α
constexpr double kOnePercent = 0.01;      // first detectable increase, fraction of p0
constexpr double kTimeCeilingH = 100000;  // horizon of the negligible-aging test, hours
constexpr double kTempCeilingC = 250;     // the model ends here
constexpr double kRunawayGain = 0.99;     // feedback gain taken as runaway
constexpr double kExponentStep = 0.01;    // rise of the rate exponent per integration step
// Below this slope of the rate exponent (1/°C) the steps stop shrinking: at most 10 °C a step.
constexpr double kMinExponentSlope = 1e-3;
constexpr int kMaxIntegrationSteps = 1000000;  // far above the ~1000 steps to 250 °C
constexpr double kMaxExpArgument = 700;        // e^700 ≈ 1e304, still a finite double
constexpr double kMaxRiseC = 1e6;              // temperature rise ceiling, keeps T finite
constexpr double kMaxLossMw = 1e30;            // initial loss ceiling, as for core loss

constexpr int kSearchSteps = 100;
constexpr double kSearchFactor = 3.1623;
constexpr double kEarlyStop = 0.9;
constexpr double kLifeCeilingH = 1e8;
constexpr double kNegligibleT1H = 30000;
constexpr double kLossFraction115 = 0.15;
constexpr double kInitialLifeH = 1000000;
constexpr double kNegligibleTime115H = 300000;
constexpr int kSamples = 32;
constexpr double kDefaultRatio = 1.2589;

// e^argument, at most e^700; NaN (from meaningless arguments) gives 0.
double safeExp(double argument) {
    if (std::isnan(argument)) return 0;
    return std::exp(std::min(argument, kMaxExpArgument));
}

double safeLog(double value) {
    return value > 0 ? std::log(value) : -std::numeric_limits<double>::infinity();
}

float toFloat(double value) {
    if (std::isnan(value)) return 0;
    return static_cast<float>(std::clamp(value, -double(FLT_MAX), double(FLT_MAX)));
}

// The aging feedback of one core. The rate exponent E(T) = T·(p3·T + p2) is a parabola whose
// vertex lies below 0 °C; colder than the vertex it would let a colder core age faster, and its
// falling slope would step the temperature downward without end, so the rate is held at its
// minimum there (the model is unchanged at every temperature above the vertex).
class AgingModel {
  public:
    AgingModel(const AgingCoefficients& row, double B, double f, double ae, double v, double ta,
               double p0, double s, double k, double x)
        : m_p2(row.p2), m_p3(row.p3), m_ta(ta), m_p0(p0), m_s(s), m_k(k), m_x(x) {
        // R0 = (B·f)²·e^p1·K0·ae·v, kept as its logarithm (−∞ when there is no drive).
        m_lnR0 = 2 * safeLog(std::fabs(B * f)) + row.p1 + std::log(kK0) + safeLog(ae * v);
        if (std::isnan(m_lnR0)) m_lnR0 = -std::numeric_limits<double>::infinity();
        m_vertex = m_p3 > 0 ? -m_p2 / (2 * m_p3) : -std::numeric_limits<double>::infinity();
    }

    // T·(p3·T + p2), the logarithm of the temperature acceleration.
    double exponent(double T) const {
        const double t = std::max(T, m_vertex);
        return t * (m_p3 * t + m_p2);
    }
    // dE/dT, 1/°C.
    double slope(double T) const { return 2 * m_p3 * std::max(T, m_vertex) + m_p2; }

    // ta + (k·P/s)^x; the rise is limited to kMaxRiseC (reached at s = 0 with P > 0).
    double temperature(double P) const {
        if (!(P > 0)) return m_ta;
        if (!(m_s > 0)) return m_ta + kMaxRiseC;
        const double rise = safeExp(m_x * (std::log(m_k) + std::log(P) - std::log(m_s)));
        return m_ta + std::min(rise, kMaxRiseC);
    }

    // Loss increase that sustains temperature T: s·(T − ta)^(1/x)/k − p0, mW.
    double sustainingIncrease(double T) const {
        if (!(T > m_ta)) return -m_p0;
        return safeExp(std::log(m_s) + std::log(T - m_ta) / m_x - std::log(m_k)) - m_p0;
    }

    // Hours to age to an increase dP at constant temperature T: (e^−E(T)·dP/R0)^(1/α).
    double timeToReach(double dP, double T) const {
        if (!(dP > 0)) return 0;
        return safeExp((std::log(dP) - exponent(T) - m_lnR0) / kAlpha);
    }

    // −x·E′(T)·(T − ta)/k/(p0 + ΔP); the feedback gain is −G·ΔP.
    double gainFactor(double T, double dP) const {
        if (!(m_p0 + dP > 0)) return 0;
        return -m_x * slope(T) * (T - m_ta) / m_k / (m_p0 + dP);
    }

    // True when the increase after kTimeCeilingH hours stays below 1 % of p0.
    bool negligible(double T) const {
        return std::log(kOnePercent * m_p0) - kAlpha * std::log(kTimeCeilingH) - exponent(T) >
               m_lnR0;
    }

    double p0() const { return m_p0; }

  private:
    double m_p2, m_p3, m_ta, m_p0, m_s, m_k, m_x;
    double m_lnR0 = 0;
    double m_vertex = 0;
};

}  // namespace

// One integration of the aging feedback up to max(t, t1), t1 the time to a 1 % increase.
// A composite core (-411, -413) is aged as -36 with 0.67 or 0.75 of its volume; the rule is
// applied to a copy on every call, so every sample of one life computation treats it alike.
// Returns zeros for an unknown material, and (100000 h, 1 % of p0, T, 0) when aging is
// negligible, the core starts above 250 °C, or there is no loss or no thermal model
// (p0, k or x not above 0).
AgingState agingState(const AgingInputs& in, double t) {
    const LossEquivalent equivalent = lossEquivalent(in.material);
    const double B = in.fluxGauss, f = in.frequencyHz, ae = in.aeCm2, ta = in.ambientC;
    const double s = in.surfaceCm2, k = in.riseFactor, x = in.riseExponent;
    const double v = in.volumeCm3 * equivalent.volumeShare;
    double p0 = in.lossMw;
    const AgingCoefficients* row = findRow(agingCoefficients(), equivalent.code);
    if (row == nullptr) return {};
    p0 = std::min(p0, kMaxLossMw);
    if (!(p0 > 0) || !(k > 0) || !(x > 0) || !std::isfinite(ta))
        return {kTimeCeilingH, p0 > 0 ? kOnePercent * p0 : 0, std::isfinite(ta) ? ta : 0, 0};

    const AgingModel model(*row, B, f, ae, v, ta, p0, s, k, x);
    double T = model.temperature(p0);
    if (model.negligible(T) || T > kTempCeilingC) return {kTimeCeilingH, kOnePercent * p0, T, 0};

    const double t1 = model.timeToReach(kOnePercent * p0, T);
    if (!(t >= t1)) t = t1;  // also replaces a NaN request

    double tau = 0, dP = 0, dPPrevious = 0, tauOld = 0, dPOld = 0;
    double G = model.gainFactor(T, dP);
    for (int step = 0; tau <= t && step < kMaxIntegrationSteps; ++step) {
        T += kExponentStep / std::max(model.slope(T), kMinExponentSlope);
        const double gain = -G * dPPrevious;
        if (T > kTempCeilingC || gain >= kRunawayGain) return {tau, dP, T, gain};
        tauOld = tau;
        dPOld = dP;
        dP = model.sustainingIncrease(T);
        tau += model.timeToReach(dP, T) - model.timeToReach(dPOld, T);
        G = model.gainFactor(T, dP);
        dPPrevious = dP;
    }
    if (tau > tauOld) dP = dPOld + (t - tauOld) / (tau - tauOld) * (dP - dPOld);
    return {t, dP, model.temperature(p0 + dP), -G * dPPrevious};
}

namespace {

struct AgingFigures {
    double time115 = kNegligibleTime115H;
    double life = kLifeCeilingH;
};

// Samples the aging on a geometric time scale from t1 (1 % increase) to the end of the
// integration (runaway, 250 °C or 1e8 h): the hours to a 15 % loss increase and until the
// feedback gain reaches 1, and, when `curve` is given, its samples of `kind`. With t1 of 30000 h
// or more the aging is negligible: 300000 h and 1e8 h. Without initial loss (p0 ≤ 0) there is
// nothing to age: the same negligible figures, and the samples all zeros.
AgingFigures sampleAging(const AgingInputs& inputs, AgingCurveKind kind, AgingCurvePoints* curve) {
    if (curve) curve->fill({0.0f, 0.0f});
    AgingFigures figures;
    double& time115 = figures.time115;
    double& life = figures.life;
    const double p0 = inputs.lossMw;

    if (p0 > 0) {
        auto stateAt = [&](double time) { return agingState(inputs, time); };
        // End of the time scale: grow t by √10 until the integration stops short of it.
        double t = 0, t1 = 0;
        AgingState r;
        for (int step = 0; step < kSearchSteps; ++step) {
            r = stateAt(t);
            if (t == 0) t = t1 = r.time;
            if (kEarlyStop * t > r.time || t > kLifeCeilingH || t1 >= kNegligibleT1H) break;
            t *= kSearchFactor;
        }
        // A whole number of samples per decade over the 31 intervals.
        const double tEnd = std::min(r.time, kLifeCeilingH);
        double q = kDefaultRatio;
        if (t1 > 0 && tEnd > t1) {
            const double perDecade = std::max(1.0, std::floor(31 / std::log10(tEnd / t1)));
            q = std::pow(10.0, 1 / perDecade) + 5e-7;
        }

        t = t1;
        double tb = t1, fb = 0, gPrevious = 0;
        int lastBelow = kSamples - 1;
        bool previousBelow = false;
        time115 = t1;
        life = kInitialLifeH;
        for (int i = 0; i < kSamples; ++i) {
            r = stateAt(t);
            const double fraction = r.deltaP / p0;
            if (fraction < kLossFraction115) {
                tb = t;
                time115 = t;
                fb = fraction;
            } else if (i == 0) {
                time115 = t1;
            } else if (previousBelow) {
                time115 = tb + (kLossFraction115 - fb) * (t - tb) / (fraction - fb);
            }
            previousBelow = fraction < kLossFraction115;

            if (r.gain < 1) {
                lastBelow = i;
                life = r.time;
                gPrevious = r.gain;
            } else if (i == lastBelow + 1) {
                life += (r.time - life) * (1 - gPrevious) / (r.gain - gPrevious);
            }

            if (curve) {
                double value = r.gain;
                if (kind == AgingCurveKind::LossIncrease) value = r.deltaP;
                if (kind == AgingCurveKind::Temperature) value = r.temperature;
                if (kind == AgingCurveKind::LimitedTemperature) {
                    value = std::min(r.temperature, kTempCeilingC);
                }
                (*curve)[i] = {toFloat(r.time), toFloat(value)};
            }
            if (r.time >= t) t *= q;
        }
        if (t1 >= kNegligibleT1H) {
            time115 = kNegligibleTime115H;
            life = kLifeCeilingH;
        }
    }
    return figures;
}

}  // namespace

double agingLife(AgingFigure figure, const AgingInputs& inputs) {
    const AgingFigures figures = sampleAging(inputs, AgingCurveKind::Gain, nullptr);
    return figure == AgingFigure::TimeTo115Percent ? figures.time115 : figures.life;
}

void agingCurve(AgingCurveKind kind, const AgingInputs& inputs, AgingCurvePoints& out) {
    sampleAging(inputs, kind, &out);
}

bool agingNegligible(const AgingInputs& inputs) {
    if (!(inputs.lossMw > 0)) return true;
    return agingState(inputs, 0).time >= kNegligibleT1H;
}

}  // namespace korvell
