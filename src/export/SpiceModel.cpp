#include "export/SpiceModel.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "analysis/AnalysisEntry.h"
#include "analysis/SecondOpinion.h"
#include "engine/PfcRipple.h"
#include "materials/Catalog.h"
#include "materials/Permeability.h"
#include "platform/Format.h"
#include "platform/PhysicalConstants.h"

#ifndef KORVELL_VERSION
#define KORVELL_VERSION "0.0.0"
#endif

namespace korvell {
namespace {

// PFC: the half line cycle in equal angles, as the second opinion averages it.
constexpr int kLineAngles = 256;
// Table points on one line of the netlist.
constexpr int kPointsPerLine = 4;

double designCurrent(const DesignRecord& r, std::int8_t application) {
    switch (application) {
        case kPowerline:
            return std::sqrt(2.0) * r.acCurrentMax;
        case kResonant:
            return r.resonantPeakCurrent;
        default:
            return r.maxCurrent;
    }
}

// The voltage across the winding in operation, as the core loss was figured for it:
// - DC-biased and swinging chokes: +V_on for D = V_off / (V_on + V_off) of the period, −V_off for
//   the rest; mean square D V_on² + (1 − D) V_off² = V_on V_off;
// - PFC boost: at line angle θ the input v = V_in,pk |sin θ| stands across the winding for
//   D = 1 − v / V_out and v − V_out for the rest, mean square v (V_out − v), averaged over the
//   half line cycle (no switching where v ≥ V_out);
// - resonant and powerline: the sinusoid of the design current at the analysis's inductance.
WindingWaveform windingWaveform(const DesignRecord& r, std::int8_t application,
                                double inductanceH) {
    WindingWaveform w;
    switch (application) {
        case kDcBiased:
        case kControlledSwing:
        case kWideSwing: {
            const double on = r.onVoltage;
            const double off = r.offVoltage;
            w.rmsVolts = std::sqrt(std::max(0.0, on * off));
            w.description = strprintf("rectangular +%g V / -%g V at duty %.4g, %g kHz (%.4g V rms)",
                                      on, off, on + off > 0 ? off / (on + off) : 0.0,
                                      double{r.frequencyKhz}, w.rmsVolts);
            break;
        }
        case kPowerFactorBoost: {
            const double peak = r.pfcPeakInputVoltage;
            const double out = r.pfcOutputVoltage;
            double sum = 0;
            for (int k = 0; k < kLineAngles; ++k) {
                const double v = peak * std::sin(kPi * (k + 0.5) / kLineAngles);
                if (v < out) sum += v * (out - v);
            }
            w.rmsVolts = std::sqrt(sum / kLineAngles);
            // The largest ripple of the line cycle, as the analysis gives it.
            const double ripple =
                pfcRipplePeakToPeak(peak, out, inductanceH * 1e6, double{r.frequencyKhz});
            w.description = strprintf(
                "PFC boost, %g V peak line into %g V, %g kHz, averaged over the line cycle "
                "(%.4g V rms, largest ripple %.4g A p-p)",
                peak, out, double{r.frequencyKhz}, w.rmsVolts, ripple);
            break;
        }
        case kPowerline: {
            const double f = r.lineFrequencyHz;
            w.rmsVolts = 2 * kPi * f * inductanceH * r.acCurrentMax;
            w.description = strprintf("sinusoid of %g A rms at %g Hz (%.4g V rms)",
                                      double{r.acCurrentMax}, f, w.rmsVolts);
            break;
        }
        case kResonant: {
            const double f = 1000.0 * r.frequencyKhz;
            w.rmsVolts = 2 * kPi * f * inductanceH * r.resonantPeakCurrent / std::sqrt(2.0);
            w.description =
                strprintf("sinusoid of %g A peak at %g kHz (%.4g V rms)",
                          double{r.resonantPeakCurrent}, double{r.frequencyKhz}, w.rmsVolts);
            break;
        }
        default:
            break;
    }
    return w;
}

// Interpolation in a monotonic column pair, the end slopes continued (as ngspice's pwl does).
double interpolate(const std::vector<FluxPoint>& table, double x, bool byCurrent) {
    const auto key = [byCurrent](const FluxPoint& p) { return byCurrent ? p.currentA : p.fluxVs; };
    const auto value = [byCurrent](const FluxPoint& p) {
        return byCurrent ? p.fluxVs : p.currentA;
    };
    if (table.size() < 2) return 0;
    const double sign = x < 0 ? -1 : 1;
    const double a = std::abs(x);
    std::size_t k = 1;
    while (k + 1 < table.size() && key(table[k]) < a)
        ++k;
    const FluxPoint& p = table[k - 1];
    const FluxPoint& q = table[k];
    const double span = key(q) - key(p);
    const double t = span > 0 ? (a - key(p)) / span : 0;
    return sign * (value(p) + t * (value(q) - value(p)));
}

// Numbers in the netlist: enough digits that the table's slopes keep their precision.
std::string num(double v) {
    return strprintf("%.9g", v);
}

}  // namespace

std::optional<double> windingInductance(const DesignRecord& r, double currentA) {
    const double n = r.turns;
    const double h = r.coreLe > 0 ? kFourPiTenthsAsUsed * n * std::abs(currentA) / r.coreLe : 0;
    const auto point =
        pctPermDcBias(materialCodeOf(r.corePartNumber), static_cast<int>(r.corePerm), h);
    if (!point) return std::nullopt;
    return n * n * r.coreAl * point->percent / 100 * 1e-9;
}

double modelFluxAt(const SpiceModel& model, double currentA) {
    return interpolate(model.table, currentA, true);
}

double modelCurrentAt(const SpiceModel& model, double fluxVs) {
    return interpolate(model.table, fluxVs, false);
}

std::string spiceName(std::string_view text) {
    std::string out;
    bool gap = false;
    for (const char c : text) {
        if (std::isalnum(static_cast<unsigned char>(c)) != 0 &&
            static_cast<unsigned char>(c) < 0x80) {
            if (gap && !out.empty()) out += '_';
            out += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            gap = false;
        } else {
            gap = true;
        }
    }
    if (out.empty() || std::isalpha(static_cast<unsigned char>(out.front())) == 0) out = "L_" + out;
    if (out.back() == '_') out.pop_back();
    return out;
}

std::string spiceSubcircuitName(const std::string& partNumber, int stack, int turns,
                                const std::string& wire, int strands) {
    std::string text = partNumber;
    if (stack > 1) text += "X" + std::to_string(stack);
    text += " " + std::to_string(turns) + "T " + wire;
    if (strands > 1) text += " X" + std::to_string(strands);
    return spiceName(text);
}

std::optional<SpiceModel> spiceModel(const DesignRecord& r, const AnalysisTable& table,
                                     std::int8_t application, bool hot, Messages& messages) {
    SpiceModel m;
    const std::string partNumber = splitStackedPartNumber(r.corePartNumber).partNumber;
    m.partNumber = partNumber;
    m.stack = r.stackedCores;
    m.turns = static_cast<int>(r.turns);
    m.wire = trimmed(wireSizeText(r.wireGageSystem, r.wireGage)) + " " + trimmed(r.wireGageName);
    m.strands = r.wireStrands;
    m.name = spiceSubcircuitName(m.partNumber, m.stack, m.turns, m.wire, m.strands);
    m.application = application;
    m.version = KORVELL_VERSION;

    m.designCurrentA = designCurrent(r, application);
    // A design without current still gets a table over a useful range.
    const double scale = m.designCurrentA > 0 ? m.designCurrentA : 1.0;
    const double coarse = scale / kSpiceStepsPerCurrent;
    const double finest = scale / kSpiceFinestDivision;
    const auto inductance = [&r](double i) { return *windingInductance(r, i); };
    if (!windingInductance(r, 0)) {
        messages.show(strprintf("NO DC BIAS PERMEABILITY DATA FOR MATERIAL %s",
                                materialCodeOf(partNumber).c_str()),
                      "ERROR ");
        return std::nullopt;
    }
    // λ by Simpson's rule on each step; a step whose ends (or middle) differ by more than the
    // allowed change of inductance is split in two.
    m.table.push_back({0, 0});
    double flux = 0;
    const double end = kSpiceCurrentMultiple * scale;
    double a = 0;
    double la = inductance(0);
    while (a < end * (1 - 1e-12)) {
        double b = std::min(a + coarse, end);
        double lb = inductance(b);
        double lm = inductance(0.5 * (a + b));
        const double allowed =
            a < kSpiceAccurateMultiple * scale ? kSpiceInductanceStep : kSpiceOuterInductanceStep;
        const auto bent = [la, allowed](double l1, double l2) {
            const double high = std::max({la, l1, l2});
            const double low = std::min({la, l1, l2});
            return high - low > allowed * high;
        };
        while (b - a > finest && bent(lm, lb)) {
            b = 0.5 * (a + b);
            lb = lm;
            lm = inductance(0.5 * (a + b));
        }
        flux += (b - a) / 6 * (la + 4 * lm + lb);
        m.table.push_back({b, flux});
        a = b;
        la = lb;
    }
    m.inductanceZeroH = inductance(0);
    m.inductanceFullH = inductance(m.designCurrentA);

    m.resistanceOhm = r.dcResistance;
    m.resistanceTempC = r.ambientTemp;
    if (hot) {
        const SecondOpinion opinion = secondOpinion(r, application);
        if (opinion.converged) {
            m.hot = true;
            m.resistanceOhm = opinion.rdcHotOhm;
            m.resistanceTempC = opinion.windingTempC;
        } else {
            messages.show("THERMAL RUNAWAY: the winding resistance is taken at ambient",
                          "NOTICE: ");
        }
    }

    m.coreLossW = r.coreLossMw / 1000.0;
    const double analyzedH = table.rows[0].value * 1e-6;
    m.waveform = windingWaveform(r, application, analyzedH);
    if (m.coreLossW > 0 && m.waveform.rmsVolts > 0)
        m.coreLossOhm = m.waveform.rmsVolts * m.waveform.rmsVolts / m.coreLossW;
    return m;
}

std::optional<SpiceModel> spiceModelOfResultsRow(const DesignRecord& record, int row, bool hot) {
    DesignRecord r;
    AnalysisTable table;
    SilentMessages quiet;
    if (!analyzeResultsRow(record, row, quiet, r, table)) return std::nullopt;
    return spiceModel(r, table, r.applicationType, hot, quiet);
}

std::string spiceModelText(const SpiceModel& m, SpiceDialect dialect) {
    const bool lt = dialect == SpiceDialect::Ltspice;
    std::string t;
    const auto line = [&t](const std::string& s) { t += s + '\n'; };
    // A comment stays one line whatever the texts it quotes hold.
    const auto comment = [&line](std::string s) {
        for (char& c : s)
            if (static_cast<unsigned char>(c) < 0x20) c = ' ';
        line(s);
    };
    comment(strprintf("* Korvell Inductors %s: %s model of an iron-powder inductor",
                      m.version.c_str(), lt ? "LTspice" : "ngspice"));
    comment("* core " + m.partNumber + (m.stack > 1 ? strprintf(" x %d stacked", m.stack) : "") +
            strprintf(", %d turns of %s, %d strand%s", m.turns, m.wire.c_str(), m.strands,
                      m.strands == 1 ? "" : "s"));
    comment("* application: " + std::string(kApplicationNames[m.application]));
    comment(strprintf("* L = %.6g uH at 0 A, %.6g uH at %g A (design current)",
                      m.inductanceZeroH * 1e6, m.inductanceFullH * 1e6, m.designCurrentA));
    comment(strprintf("* Rdc = %.6g ohm, %s at %.4g C", m.resistanceOhm,
                      m.hot ? "hot (second opinion)" : "ambient", m.resistanceTempC));
    if (m.coreLossOhm > 0) {
        line(
            strprintf("* core loss %.4g W, as Rcore = %.6g ohm across the winding at its "
                      "operating voltage:",
                      m.coreLossW, m.coreLossOhm));
    } else {
        comment("* core loss 0 W: no core-loss resistance; operating voltage:");
    }
    comment("*   " + m.waveform.description);
    const FluxPoint& last = m.table.back();
    line(
        strprintf("* flux linkage from the DC-bias permeability at %zu currents, 0 to +-%g A "
                  "(odd-symmetric),",
                  m.table.size(), last.currentA));
    comment("* slopes continued beyond the table");
    comment("* pins: 1 (winding current enters), 2");
    if (!lt) {
        comment(
            "* node flux holds lambda in uV*s; a 1 Tohm leak defines the DC operating point. To");
        comment(
            "* start a transient at a current, set the flux of instance X1: .ic v(x1.flux)=...");
    }
    line(".subckt " + m.name + " 1 2");
    line("Rw 1 3 " + num(m.resistanceOhm));
    if (m.coreLossOhm > 0) line("Rcore 3 2 " + num(m.coreLossOhm));
    // The mirrored table, most negative first.
    std::vector<FluxPoint> points;
    for (auto p = m.table.rbegin(); p != m.table.rend(); ++p)
        if (p->currentA > 0) points.push_back({-p->currentA, -p->fluxVs});
    points.insert(points.end(), m.table.begin(), m.table.end());
    std::string body;
    for (std::size_t k = 0; k < points.size(); ++k) {
        if (k % kPointsPerLine == 0) body += "\n+";
        const FluxPoint& p = points[k];
        body += lt ? " " + num(p.currentA) + "," + num(p.fluxVs)
                   : " " + num(p.fluxVs * kFluxNodeScale) + "," + num(p.currentA);
        if (k + 1 < points.size()) body += ',';
    }
    if (lt) {
        line("L1 3 2 Flux=table(x," + body + ")");
    } else {
        line("Gint 0 flux 3 2 1");
        line(strprintf("Cint flux 0 %g", 1 / kFluxNodeScale));
        line("Rleak flux 0 " + num(kFluxLeakOhm));
        line("Bw 3 2 I=pwl(V(flux)," + body + ")");
    }
    line(".ends " + m.name);
    return t;
}

std::string spiceFileName(const SpiceModel& m) {
    std::string name;
    for (const char c : m.partNumber) {
        const bool plain =
            std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '-' || c == '.' || c == '_';
        name += plain && static_cast<unsigned char>(c) < 0x80 ? c : '_';
    }
    return (name.empty() ? "inductor" : name) + ".cir";
}

}  // namespace korvell
