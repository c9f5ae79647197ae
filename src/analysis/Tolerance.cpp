#include "analysis/Tolerance.h"

#include <algorithm>
#include <cmath>

#include "engine/Inductance.h"
#include "engine/Ripple.h"
#include "engine/TemperatureRise.h"
#include "engine/Winding.h"
#include "materials/Catalog.h"
#include "materials/CoreLoss.h"
#include "materials/Permeability.h"
#include "materials/WireTolerance.h"
#include "platform/Format.h"
#include "platform/PhysicalConstants.h"
#include "record/StoredNumbers.h"

namespace korvell {
namespace {

constexpr double kUhPerMh = 1000;
// A part meets a requirement it reaches to within this share: the requirement is stored in single
// precision, and a design solved to reach it exactly must not fail on its last bit.
constexpr double kRequirementSlack = 1e-6;

bool dcBiased(std::int8_t application) {
    return application == kDcBiased || application == kControlledSwing ||
           application == kWideSwing || application == kPowerFactorBoost;
}

}  // namespace

bool hasMinCurrentRequirement(std::int8_t application) {
    return application == kControlledSwing || application == kWideSwing ||
           application == kPowerline;
}

std::optional<ToleranceInductance> inductanceAtAlFactor(const DesignRecord& r,
                                                        std::int8_t application, double alFactor) {
    const double N = r.turns;
    const double al = r.coreAl * alFactor;
    if (!(N > 0) || !(al > 0) || !std::isfinite(al)) return std::nullopt;
    if (dcBiased(application) && !(r.coreLe > 0)) return std::nullopt;
    if (application == kPowerline && !(r.coreAe > 0)) return std::nullopt;
    const std::string material = materialCodeOf(r.corePartNumber);
    // The program's one inductance computation: under DC bias H does not depend on Al, so the
    // inductance scales with it; at line frequency the AC flux, and with it the permeability,
    // follows Al.
    const CoreMagnetics core{material, static_cast<int>(r.corePerm), al, r.coreAe, r.coreLe};
    SilentMessages quiet;
    const auto at = [&](double current) -> std::optional<double> {
        const auto point = applicationPoint(core, quiet, application, N, current);
        if (!point) return std::nullopt;
        return point->inductanceUh;
    };
    ToleranceInductance l;
    const auto design = at(application == kPowerline ? r.acCurrentMax : r.maxCurrent);
    if (!design) return std::nullopt;
    l.atDesignCurrentUh = *design;
    if (hasMinCurrentRequirement(application)) {
        l.atMinCurrentUh = at(application == kPowerline ? r.acCurrentMin : r.minCurrent);
        if (!l.atMinCurrentUh) return std::nullopt;
    }
    return l;
}

PartSampler::PartSampler(std::uint64_t seed, double alTolerancePercent, double wireTolerancePercent,
                         double ambientC, double ambientSpreadC)
    : m_engine(seed),
      m_alSigma(0.01 * alTolerancePercent / kToleranceSigmas),
      m_wireSigma(0.01 * wireTolerancePercent / kToleranceSigmas),
      m_ambientC(ambientC),
      m_ambientSpreadC(ambientSpreadC) {}

double PartSampler::uniform() {
    return static_cast<double>(m_engine() >> 11) * 0x1.0p-53;
}

double PartSampler::truncatedNormal() {
    for (;;) {
        double z;
        if (m_spareNormal) {
            z = *m_spareNormal;
            m_spareNormal.reset();
        } else {
            // Marsaglia's polar method: two normals from a point drawn within the unit circle.
            double u, v, s;
            do {
                u = 2 * uniform() - 1;
                v = 2 * uniform() - 1;
                s = u * u + v * v;
            } while (s >= 1 || s == 0);
            const double k = std::sqrt(-2 * std::log(s) / s);
            z = u * k;
            m_spareNormal = v * k;
        }
        if (std::fabs(z) <= kToleranceSigmas) return z;
    }
}

PartSample PartSampler::next() {
    PartSample s;
    s.part.alFactor = 1 + m_alSigma * truncatedNormal();
    s.part.copperDiameterFactor = 1 + m_wireSigma * truncatedNormal();
    s.ambientC = m_ambientC + m_ambientSpreadC * (2 * uniform() - 1);
    return s;
}

double truncatedNormalAtLeast(double ratio, double alTolerancePercent) {
    const double sigma = 0.01 * alTolerancePercent / kToleranceSigmas;
    if (!(sigma > 0)) return ratio <= 1 ? 1 : 0;
    const double z = std::clamp((ratio - 1) / sigma, -kToleranceSigmas, kToleranceSigmas);
    const auto phi = [](double x) { return 0.5 * std::erfc(-x / std::sqrt(2.0)); };
    return (phi(kToleranceSigmas) - phi(z)) / (phi(kToleranceSigmas) - phi(-kToleranceSigmas));
}

std::optional<PartAnalyzer> PartAnalyzer::of(const DesignRecord& analyzed,
                                             std::int8_t application) {
    const auto inductance = inductanceAtAlFactor(analyzed, application, 1);
    if (!inductance || !(analyzed.surfaceArea >= 0)) return std::nullopt;
    PartAnalyzer a;
    a.m_nominal = analyzed;
    a.m_work = analyzed;
    a.m_application = application;
    a.m_inductance = *inductance;
    a.m_material = materialCodeOf(analyzed.corePartNumber);
    const bool eCore = partNumberShape(analyzed.corePartNumber) == kECore && analyzed.Esize;
    a.m_coreVolume =
        eCore ? analyzed.Esize->ve : static_cast<double>(analyzed.coreAe) * analyzed.coreLe;
    return a;
}

PartFigures PartAnalyzer::figures(const PartSample& sample, bool inductanceOnly) {
    const DesignRecord& n = m_nominal;
    DesignRecord& w = m_work;
    const std::int8_t app = m_application;
    const double a = sample.part.alFactor;
    const double d = sample.part.copperDiameterFactor;
    const double builtAl = toStoredFloat(n.coreAl * a);
    PartFigures f;

    // Inductance: exactly proportional to Al but for the powerline choke.
    double powerlineBac = 0;
    if (app == kPowerline) {
        SilentMessages quiet;
        const CoreMagnetics built{m_material, static_cast<int>(n.corePerm), builtAl, n.coreAe,
                                  n.coreLe};
        const auto at = [&](double current, double* bAc) {
            const auto point = lineFrequencyPoint(built, quiet, n.turns, current);
            const double percent = point ? point->percent : 0;
            if (bAc) *bAc = point ? 0.01 * percent * point->initialFluxGauss : 0;
            return point ? point->inductanceUh : 0.0;
        };
        f.inductanceUh = at(n.acCurrentMax, &powerlineBac);
        f.inductanceMinUh = at(n.acCurrentMin, nullptr);
    } else {
        f.inductanceUh = a * m_inductance.atDesignCurrentUh;
        if (m_inductance.atMinCurrentUh) f.inductanceMinUh = a * *m_inductance.atMinCurrentUh;
    }
    if (inductanceOnly) return f;

    // Resistance: copper at the part's ambient, its cross-section the diameter squared.
    const double ambient = toStoredFloat(sample.ambientC);
    const double copperArea = d * d;
    const double warmer =
        (kCopperZeroResistanceC + ambient) / (kCopperZeroResistanceC + n.ambientTemp);
    const float rdc = toStoredFloat(toStoredFloat(n.dcResistance * warmer) / copperArea);
    const double acFactor = n.dcResistance > 0 ? n.acResistance / n.dcResistance : 1;
    const float rac = app == kResonant ? toStoredFloat(acFactor * rdc) : rdc;

    // Ripple, A peak to peak, at the part's inductance (the resonant drive follows Al as L does).
    const double fKhz = n.frequencyKhz;
    const double vAvg = app == kResonant ? n.avgVoltage * a : n.avgVoltage;
    const double ripple = switchingRippleCurrent(n, app, vAvg, f.inductanceUh);

    // Core loss: the DC-biased chokes' AC flux rests on the voltage, turns and Ae alone; the
    // powerline and resonant flux follow Al.
    float coreMw = n.coreLossMw;
    float fluxAc = n.fluxAc;
    if (app == kPowerline || app == kResonant) {
        const double bAc = app == kPowerline
                               ? powerlineBac
                               : n.turns * n.resonantPeakCurrent * builtAl / n.coreAe * 0.1;
        const double fHz = app == kPowerline ? n.lineFrequencyHz : 1000 * fKhz;
        coreMw = toStoredFloat(
            coreLoss(m_material, m_coreVolume, 0.001 * fHz, bAc, app, n.pfcVoltageRatio));
        fluxAc = toStoredFloat(bAc);
    }

    w.ambientTemp = static_cast<float>(ambient);
    w.coreAl = static_cast<float>(builtAl);
    w.wireBareDia = toStoredFloat(n.wireBareDia * d);
    w.wireArea = toStoredFloat(n.wireArea * copperArea);
    w.wireOhmsPerFoot = toStoredFloat(n.wireOhmsPerFoot / copperArea);
    w.dcResistance = rdc;
    w.acResistance = rac;
    w.rippleCurrent = toStoredFloat(ripple);
    w.avgVoltage = toStoredFloat(vAvg);
    w.fluxAc = fluxAc;
    w.coreLossMw = coreMw;
    w.copperLossMw = copper_loss(w, app);
    const double coreW = w.coreLossMw / 1000.0;
    const double copperW = w.copperLossMw / 1000.0;
    const double rise = temperatureRiseC(1000 * (coreW + copperW), n.surfaceArea, n.tempRiseFactor,
                                         n.tempRiseExponent);
    w.tempRise = toStoredFloat(rise);

    f.rdcOhm = rdc;
    f.copperLossW = copperW;
    f.coreLossW = coreW;
    f.tempRiseC = w.tempRise;
    const SecondOpinion check = secondOpinion(w, app);
    f.checkTempRiseC = check.tempRiseC;
    f.checkConverged = check.converged;
    return f;
}

std::optional<PartFigures> reanalyzedPartFigures(const DesignRecord& inputs,
                                                 std::int8_t application,
                                                 const PartSample& sample) {
    DesignRecord r = inputs;
    r.ambientTemp = toStoredFloat(sample.ambientC);
    SilentMessages quiet;
    AnalysisTable table;
    if (AnalyzeDesign(r, quiet, table, application, sample.part) <= 0) return std::nullopt;
    // The part's own core: its inductance at minimum current as the analysis would find it.
    const auto atMin = inductanceAtAlFactor(r, application, 1);
    PartFigures f;
    f.inductanceUh = table.rows[0].value;
    if (atMin) f.inductanceMinUh = atMin->atMinCurrentUh;
    f.rdcOhm = r.dcResistance;
    f.copperLossW = r.copperLossMw / 1000.0;
    f.coreLossW = r.coreLossMw / 1000.0;
    f.tempRiseC = r.tempRise;
    const SecondOpinion check = secondOpinion(r, application);
    f.checkTempRiseC = check.tempRiseC;
    f.checkConverged = check.converged;
    return f;
}

FigureSpread spreadOf(std::vector<double> values, double nominal) {
    FigureSpread s;
    s.nominal = nominal;
    if (values.empty()) return s;
    const auto [low, high] = std::minmax_element(values.begin(), values.end());
    s.min = *low;
    s.max = *high;
    double sum = 0;
    for (const double v : values)
        sum += v;
    s.mean = sum / static_cast<double>(values.size());
    const auto percentile = [&values](double p) {
        const double h = (static_cast<double>(values.size()) - 1) * p;
        const auto k = static_cast<std::size_t>(std::floor(h));
        std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(k),
                         values.end());
        const double below = values[k];
        if (k + 1 >= values.size()) return below;
        // The next order statistic is the least of those above the k-th.
        const double above =
            *std::min_element(values.begin() + static_cast<std::ptrdiff_t>(k) + 1, values.end());
        return below + (h - static_cast<double>(k)) * (above - below);
    };
    s.p1 = percentile(0.01);
    s.p99 = percentile(0.99);
    return s;
}

std::optional<YieldReport> designYield(const DesignRecord& analyzed, std::int8_t application,
                                       const YieldSettings& settings) {
    auto analyzer = PartAnalyzer::of(analyzed, application);
    if (!analyzer) return std::nullopt;
    YieldReport y;
    y.application = application;
    y.samples = std::clamp(settings.samples, 1, kMaxYieldSamples);
    y.seed = settings.seed;
    y.alTolerancePercent = analyzed.alTolerancePercent;
    y.wireTolerancePercent =
        wireDiameterTolerancePercent(analyzed.wireGageSystem, analyzed.wireBareDia);
    y.ambientSpreadC = std::fabs(settings.ambientSpreadC);
    y.inductanceOnly = settings.inductanceOnly;

    // The requirements. The powerline solution holds both currents to L1 when either
    // inductance is 0.
    const double l1 = kUhPerMh * analyzed.inductanceRequired;
    double l2 = kUhPerMh * analyzed.inductanceAtMinCurrent;
    double l1Held = l1;
    if (application == kPowerline && !(l1 * l2 != 0)) l1Held = l2 = l1 > 0 ? l1 : l2;
    if (l1Held > 0) y.requiredInductanceUh = l1Held;
    if (hasMinCurrentRequirement(application) && l2 > 0) y.requiredInductanceMinUh = l2;
    y.minIsCeiling = application == kControlledSwing;
    if (analyzed.maxDcResistance > 0) y.maxRdcOhm = analyzed.maxDcResistance;
    y.maxTempRiseC = analyzed.maxTempRise;

    const PartFigures nominal =
        analyzer->figures(PartSample{BuiltPart{}, analyzed.ambientTemp}, y.inductanceOnly);
    PartSampler sampler(y.seed, y.alTolerancePercent, y.wireTolerancePercent, analyzed.ambientTemp,
                        y.ambientSpreadC);
    const auto n = static_cast<std::size_t>(y.samples);
    std::vector<double> lMin, rdc, copper, core, rise, checkRise;
    y.inductanceSamplesUh.reserve(n);
    if (nominal.inductanceMinUh) lMin.reserve(n);
    if (!y.inductanceOnly) {
        for (auto* v : {&rdc, &copper, &core, &rise, &checkRise})
            v->reserve(n);
    }
    const auto reaches = [](double value, double required) {
        return value >= required * (1 - kRequirementSlack);
    };
    std::size_t meetL = 0, meetRdc = 0, meetRise = 0, meetCheck = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const PartFigures f = analyzer->figures(sampler.next(), y.inductanceOnly);
        y.inductanceSamplesUh.push_back(f.inductanceUh);
        if (f.inductanceMinUh) lMin.push_back(*f.inductanceMinUh);
        bool inductanceMet = !y.requiredInductanceUh || reaches(f.inductanceUh, l1Held);
        if (y.requiredInductanceMinUh && f.inductanceMinUh) {
            inductanceMet = inductanceMet &&
                            (y.minIsCeiling ? *f.inductanceMinUh <= l2 * (1 + kRequirementSlack)
                                            : reaches(*f.inductanceMinUh, l2));
        }
        meetL += inductanceMet;
        if (y.inductanceOnly) continue;
        rdc.push_back(f.rdcOhm);
        copper.push_back(f.copperLossW);
        core.push_back(f.coreLossW);
        rise.push_back(f.tempRiseC);
        checkRise.push_back(f.checkTempRiseC);
        meetRdc += y.maxRdcOhm && f.rdcOhm <= *y.maxRdcOhm;
        meetRise += f.tempRiseC <= y.maxTempRiseC;
        meetCheck += f.checkConverged && f.checkTempRiseC <= y.maxTempRiseC;
    }
    const auto fraction = [n](std::size_t count) {
        return static_cast<double>(count) / static_cast<double>(n);
    };

    // Every figure also at the ends of the Al tolerance, with the nominal copper and ambient.
    const double tol = 0.01 * y.alTolerancePercent;
    const auto atAl = [&](double factor) {
        return analyzer->figures(PartSample{BuiltPart{factor, 1}, analyzed.ambientTemp},
                                 y.inductanceOnly);
    };
    const PartFigures low = atAl(1 - tol);
    const PartFigures high = atAl(1 + tol);
    const auto spread = [](std::vector<double> values, double nominalValue, double lowValue,
                           double highValue) {
        FigureSpread s = spreadOf(std::move(values), nominalValue);
        s.atLowTolerance = lowValue;
        s.atHighTolerance = highValue;
        return s;
    };
    y.inductanceUh =
        spread(y.inductanceSamplesUh, nominal.inductanceUh, low.inductanceUh, high.inductanceUh);
    if (nominal.inductanceMinUh && low.inductanceMinUh && high.inductanceMinUh) {
        y.inductanceMinUh = spread(std::move(lMin), *nominal.inductanceMinUh, *low.inductanceMinUh,
                                   *high.inductanceMinUh);
    }
    if (y.requiredInductanceUh || y.requiredInductanceMinUh) {
        y.fractionMeetingInductance = fraction(meetL);
    }
    if (y.inductanceOnly) return y;
    y.rdcOhm = spread(std::move(rdc), nominal.rdcOhm, low.rdcOhm, high.rdcOhm);
    y.copperLossW =
        spread(std::move(copper), nominal.copperLossW, low.copperLossW, high.copperLossW);
    y.coreLossW = spread(std::move(core), nominal.coreLossW, low.coreLossW, high.coreLossW);
    y.tempRiseC = spread(std::move(rise), nominal.tempRiseC, low.tempRiseC, high.tempRiseC);
    y.checkTempRiseC = spread(std::move(checkRise), nominal.checkTempRiseC, low.checkTempRiseC,
                              high.checkTempRiseC);
    if (y.maxRdcOhm) y.fractionMeetingRdc = fraction(meetRdc);
    y.fractionMeetingRise = fraction(meetRise);
    y.fractionMeetingCheckRise = fraction(meetCheck);
    return y;
}

std::string yieldModelText(const YieldReport& y) {
    return strprintf(
        "AL \u00b1%.4g %% NORMAL 3\u03c3, WIRE \u00b1%.2g %% 3\u03c3, AMBIENT \u00b1%.4g "
        "\u00b0C, %d SAMPLES, SEED %llu",
        y.alTolerancePercent, y.wireTolerancePercent, y.ambientSpreadC, y.samples,
        static_cast<unsigned long long>(y.seed));
}

std::vector<YieldRow> yieldRows(const YieldReport& y) {
    std::vector<YieldRow> rows;
    const auto inductanceFormat = [](double nominal) { return nominal >= 100 ? "%6.0f" : "%6.2f"; };
    rows.push_back({"INDUCTANCE", inductanceFormat(y.inductanceUh.nominal), "U_H", y.inductanceUh,
                    1, y.fractionMeetingInductance});
    if (y.inductanceMinUh) {
        rows.push_back({"L AT MIN CURRENT", inductanceFormat(y.inductanceMinUh->nominal), "U_H",
                        *y.inductanceMinUh, 1, std::nullopt});
    }
    if (y.inductanceOnly) return rows;
    // Resistance in ohms, or in milliohms below 0.1 ohm, as the analysis shows it.
    const bool ohms = y.rdcOhm.nominal > 0.1;
    rows.push_back({"DC RESISTANCE", ohms ? "%5.2f" : "%5.2fm", "OHMS", y.rdcOhm,
                    ohms ? 1.0 : 1000.0, y.fractionMeetingRdc});
    rows.push_back({"COPPER LOSS", "%6.3f", "W", y.copperLossW, 1, std::nullopt});
    rows.push_back({"CORE LOSS", "%6.3f", "W", y.coreLossW, 1, std::nullopt});
    rows.push_back({"TEMP RISE", "%6.1f", "DEG C", y.tempRiseC, 1, y.fractionMeetingRise});
    rows.push_back(
        {"CHECK TEMP RISE", "%6.1f", "DEG C", y.checkTempRiseC, 1, y.fractionMeetingCheckRise});
    return rows;
}

std::string yieldValueText(const YieldRow& row, double value) {
    return strprintf(row.format.c_str(), value * row.scale);
}

std::string yieldFractionText(std::optional<double> fraction) {
    if (!fraction) return "-";
    // Never rounded up to all parts when one fails, nor down to none when one passes.
    double percent = 100 * *fraction;
    if (*fraction < 1) percent = std::min(percent, 99.9);
    if (*fraction > 0) percent = std::max(percent, 0.1);
    return strprintf("%.1f %%", percent);
}

}  // namespace korvell
