#include "cli/YieldOutput.h"

#include <charconv>
#include <iomanip>

#include "cli/CliOptions.h"
#include "engine/EntryFields.h"
#include "platform/Format.h"

namespace korvell::cli {
namespace {

constexpr double kLargestAmbientSpreadC = 100;

nlohmann::json optionalNumber(std::optional<double> value) {
    return value ? nlohmann::json(*value) : nlohmann::json();
}

nlohmann::json spreadJson(const FigureSpread& s) {
    const auto number = [](std::optional<double> v) {
        return v ? jsonNumber(static_cast<float>(*v)) : nlohmann::json();
    };
    return {{"nominal", number(s.nominal)},
            {"atLowTolerance", number(s.atLowTolerance)},
            {"atHighTolerance", number(s.atHighTolerance)},
            {"mean", number(s.mean)},
            {"min", number(s.min)},
            {"max", number(s.max)},
            {"p1", number(s.p1)},
            {"p99", number(s.p99)}};
}

}  // namespace

void addYieldOptions(CLI::App& c, YieldOptions& o) {
    o.yieldSwitch = c.add_option("--yield", o.samples,
                                 "Add the Monte Carlo yield of the design over its Al tolerance, "
                                 "its wire's diameter tolerance and the ambient spread; N samples "
                                 "(default 10000)")
                        ->expected(0, 1)
                        ->type_name("[N]");
    c.add_option("--seed", o.seed, "Seed of the yield's samples (default 20261208)")
        ->type_name("INT");
    addNumberOption(c, "--ambient-spread", o.ambientSpread,
                    "Yield: ambient drawn uniformly over +- this, deg C (default 0)");
}

bool yieldAsked(const YieldOptions& o) {
    return o.yieldSwitch != nullptr && o.yieldSwitch->count() > 0;
}

std::optional<YieldSettings> yieldSettings(const YieldOptions& o, CliContext& context) {
    YieldSettings settings;
    // --yield alone leaves no number (or an empty one).
    if (!o.samples.empty() && !o.samples.front().empty()) {
        const std::optional<std::int32_t> count = fieldCount(o.samples.front());
        if (!count || *count < 1 || *count > kMaxYieldSamples) {
            refuseInput(context, strprintf("--yield takes a number of samples from 1 to %d: %s",
                                           kMaxYieldSamples, o.samples.front().c_str()));
            return std::nullopt;
        }
        settings.samples = *count;
    }
    if (o.seed) {
        const std::string& text = *o.seed;
        std::uint64_t seed = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), seed);
        if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
            refuseInput(context,
                        "--seed takes a whole number from 0 to 18446744073709551615: " + text);
            return std::nullopt;
        }
        settings.seed = seed;
    }
    if (o.ambientSpread) {
        if (*o.ambientSpread > kLargestAmbientSpreadC) {
            refuseInput(context, strprintf("--ambient-spread takes 0 to %.0f deg C",
                                           kLargestAmbientSpreadC));
            return std::nullopt;
        }
        settings.ambientSpreadC = *o.ambientSpread;
    }
    return settings;
}

nlohmann::json yieldJson(const YieldReport& y) {
    const auto fraction = [](std::optional<double> f) { return optionalNumber(f); };
    return {
        {"samples", y.samples},
        {"seed", y.seed},
        {"alTolerancePercent", jsonNumber(static_cast<float>(y.alTolerancePercent))},
        {"wireTolerancePercent", jsonNumber(static_cast<float>(y.wireTolerancePercent))},
        {"ambientSpreadC", jsonNumber(static_cast<float>(y.ambientSpreadC))},
        {"inductanceUh", spreadJson(y.inductanceUh)},
        {"inductanceAtMinCurrentUh",
         y.inductanceMinUh ? spreadJson(*y.inductanceMinUh) : nlohmann::json()},
        {"rdcOhm", spreadJson(y.rdcOhm)},
        {"copperLossW", spreadJson(y.copperLossW)},
        {"coreLossW", spreadJson(y.coreLossW)},
        {"tempRiseC", spreadJson(y.tempRiseC)},
        {"checkTempRiseC", spreadJson(y.checkTempRiseC)},
        {"fractionMeetingInductance", fraction(y.fractionMeetingInductance)},
        {"fractionMeetingRdc", fraction(y.fractionMeetingRdc)},
        {"fractionMeetingRise", fraction(y.fractionMeetingRise)},
        {"fractionMeetingCheckRise", fraction(y.fractionMeetingCheckRise)},
        {"model", yieldModelText(y)},
    };
}

void printYieldTable(std::ostream& out, const YieldReport& y) {
    out << "YIELD: " << yieldModelText(y) << '\n';
    const std::string tol = strprintf("%.4g %%", y.alTolerancePercent);
    const std::vector<std::string> headings = {
        "NOMINAL", "AL -" + tol, "AL +" + tol, "MEAN", "MIN", "MAX", "P1", "P99", "MEETING"};
    out << "  " << std::left << std::setw(18) << "" << std::right;
    for (const std::string& heading : headings)
        out << std::setw(10) << heading;
    out << '\n';
    for (const YieldRow& row : yieldRows(y)) {
        const FigureSpread& s = row.spread;
        out << "  " << std::left << std::setw(18) << row.label << std::right;
        for (const double v :
             {s.nominal, s.atLowTolerance.value_or(s.nominal),
              s.atHighTolerance.value_or(s.nominal), s.mean, s.min, s.max, s.p1, s.p99}) {
            out << std::setw(10) << trimmed(yieldValueText(row, v));
        }
        out << std::setw(10) << (row.fraction ? yieldFractionText(row.fraction) : "") << "  "
            << row.units << '\n';
    }
}

}  // namespace korvell::cli
