#include "cli/CheckOutput.h"

#include <cmath>
#include <iomanip>
#include <string>
#include <variant>
#include <vector>

#include "cli/CliOptions.h"
#include "platform/Format.h"
#include "record/StoredNumbers.h"

namespace korvell::cli {
namespace {

using CheckValue = std::variant<double, long long, bool, std::string>;
struct CheckField {
    const char* name;
    CheckValue value;
};

// The members in the library's sorted order, so that both writers give the same text.
std::vector<CheckField> checkFields(const SecondOpinion& o) {
    return {
        {"acFactorFundamental", o.acFactorFundamental},
        {"converged", o.converged},
        {"copperLossChangePercent", o.copperLossChangePercent},
        {"copperLossW", o.copperLossW},
        {"dcCopperLossW", o.dcCopperLossW},
        {"layers", static_cast<long long>(o.layers)},
        {"model", std::string(kSecondOpinionModel)},
        {"porosity", o.porosity},
        {"rdcHotOhm", o.rdcHotOhm},
        {"rippleCopperLossW", o.rippleCopperLossW},
        {"rippleRmsA", o.rippleRmsA},
        {"skinDepthIn", o.skinDepthIn},
        {"tempRiseC", o.tempRiseC},
        {"tempRiseChangePercent", o.tempRiseChangePercent},
        {"totalLossW", o.totalLossW},
        {"windingTempC", o.windingTempC},
    };
}

// Figures as the record stores its results: single precision.
float stored(double value) {
    return std::isfinite(value) ? toStoredFloat(value) : static_cast<float>(value);
}

// A figure given as null carries its reason beside it, under its name and this suffix: the
// skin depth at 0 Hz is infinite, not a number too large to print.
constexpr const char* kReasonSuffix = "Reason";
std::string reason(double value) {
    return std::isnan(value) ? "NOT A NUMBER" : value > 0 ? kInfiniteText : "-INFINITE";
}

}  // namespace

nlohmann::json checkJson(const SecondOpinion& opinion) {
    nlohmann::json object = nlohmann::json::object();
    for (const auto& [name, value] : checkFields(opinion)) {
        std::visit(
            [&object, name = name](const auto& v) {
                using T = std::decay_t<decltype(v)>;
                if constexpr (std::is_same_v<T, double>) {
                    object[name] = jsonNumber(stored(v));
                    if (object[name].is_null())
                        object[std::string(name) + kReasonSuffix] = reason(v);
                } else {
                    object[name] = v;
                }
            },
            value);
    }
    return object;
}

void writeCheckJson(JsonText& json, const SecondOpinion& opinion) {
    json.openObject();
    for (const auto& [name, value] : checkFields(opinion)) {
        json.key(name);
        std::visit(
            [&json, name = name](const auto& v) {
                using T = std::decay_t<decltype(v)>;
                if constexpr (std::is_same_v<T, double>) {
                    json.number(stored(v));
                    if (!jsonNumberValue(stored(v))) {
                        json.key(std::string(name) + kReasonSuffix);
                        json.string(reason(v));
                    }
                } else if constexpr (std::is_same_v<T, long long>) {
                    json.integer(v);
                } else if constexpr (std::is_same_v<T, bool>) {
                    json.boolean(v);
                } else {
                    json.string(v);
                }
            },
            value);
    }
    json.closeObject();
}

void printCheckTable(std::ostream& out, const SecondOpinion& opinion, const DesignRecord& record) {
    out << "SECOND OPINION: " << checkModelText(opinion.application) << '\n';
    out << "  " << std::left << std::setw(24) << "" << std::right << std::setw(12) << "CHECK"
        << std::setw(12) << "PROGRAM" << '\n';
    for (const CheckRow& row : checkRows(opinion)) {
        out << "  " << std::left << std::setw(24) << row.row.label << std::right << std::setw(12)
            << trimmed(analysisValueText(row.row, record)) << std::setw(12)
            << trimmed(checkProgramText(row, record)) << "  " << analysisUnitsText(row.row, record)
            << '\n';
    }
    out << "  " << checkStatusText(opinion) << '\n';
}

}  // namespace korvell::cli
