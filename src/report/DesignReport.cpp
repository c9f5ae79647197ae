#include "report/DesignReport.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <sstream>

#include "graphs/GraphPage.h"
#include "graphs/GraphRequest.h"
#include "materials/Catalog.h"
#include "materials/CoreLoss.h"
#include "pages/AnalysisPage.h"
#include "platform/FileAccess.h"
#include "platform/Format.h"
#include "report/InsetCanvas.h"

#ifndef KORVELL_VERSION
#define KORVELL_VERSION "0.0.0"
#endif

namespace korvell {
namespace {

// Rows of the analysis table the report quotes.
enum Row : int {
    kInductanceRow = 0,
    kRdcRow = 1,
    kRacRow = 2,
    kRippleRow = 3,
    kPercentPermRow = 6,
    kAlRow = 7,
    kCoreLossRow = 8,
    kCopperLossRow = 9,
    kTempRiseRow = 12,
    kCoreOdRow = 15,
    kCoreIdRow = 16,
    kCoreHeightRow = 17,
    kCoreWeightRow = 18,
    kCoreVolumeRow = 19,
    kMagneticAcRow = 20,
    kMagneticLmRow = 21,
    kWireDiaRow = 22,
    kWireLengthRow = 23,
    kWireWeightRow = 24,
    kTotalLossRow = 26,
    kWindingBuildRow = 28,
    kWindowFillRow = 29,
    kWoundOdRow = 30,
    kWoundHeightRow = 31,
};

// Page geometry in points: margins, the running head and foot.
constexpr double kMarginPt = 36;
constexpr double kHeadPt = 22;  // from the top margin to the content
constexpr double kFootPt = 22;  // from the content to the bottom margin
constexpr double kHeadFontPt = 8;
// Text pages.
constexpr double kTitlePt = 15;
constexpr double kHeadingPt = 11;
constexpr double kBodyPt = 9.5;
constexpr double kMonoPt = 7;
constexpr double kLinePitch = 1.3;  // line height over font size
// A required inductance counts as met within this share, the rounding of stored figures.
constexpr double kInductanceSlack = 1e-3;
// The analysis window's font on the printed analysis, points.
constexpr int kAnalysisFontPoints = 10;

int dots(const Canvas& canvas, double points) {
    return static_cast<int>(std::lround(points * canvas.dotsPerInch() / 72.0));
}

FontSpec font(const Canvas& canvas, double points, bool bold = false, const char* face = "Arial") {
    FontSpec f;
    f.name = face;
    f.height = std::max(1, dots(canvas, points));
    f.bold = bold;
    return f;
}

PaperSize pageSize(const ReportContext& c, bool landscape) {
    const PaperSize p = c.options.paper;
    return landscape ? PaperSize{p.heightPt, p.widthPt} : p;
}

std::string rowText(const ReportContext& c, int row) {
    const AnalysisRow& r = c.table.rows[static_cast<std::size_t>(row)];
    const std::string value = trimmed(analysisValueText(r, c.record));
    if (r.negligible) return value;
    return value + " " + trimmed(analysisUnitsText(r, c.record));
}

double rowValue(const ReportContext& c, int row) {
    return c.table.rows[static_cast<std::size_t>(row)].value;
}

// An inductance as the report writes it: four figures, whole microhenries from 10 mH up (never
// an exponent).
std::string microhenries(double uh) {
    return std::fabs(uh) >= 1e4 ? strprintf("%.0f uH", uh) : strprintf("%.4g uH", uh);
}

std::string applicationName(int application) {
    if (application < 0 || application >= kApplicationCount) return "";
    return std::string(kApplicationNames[static_cast<std::size_t>(application)]);
}

// The current the copper is sized for (rms where the current is a sinusoid).
double copperCurrent(const DesignRecord& r) {
    return r.applicationType == kResonant ? r.resonantPeakCurrent / std::sqrt(2.0)
                                          : designCurrent(r);
}

std::string wireText(const DesignRecord& r) {
    return trimmed(wireSizeText(r.wireGageSystem, r.wireGage)) + " " + trimmed(r.wireGageName);
}

// --- Text pages -----------------------------------------------------------------------------

// One line of a text page.
struct TextItem {
    enum Kind { Title, Heading, Row, Limit, Text, Mono } kind = Text;
    std::string label;
    std::string value;
    std::string limit;
    bool met = true;
};

double itemHeightPt(const TextItem& item) {
    switch (item.kind) {
        case TextItem::Title:
            return kTitlePt * kLinePitch + 4;
        case TextItem::Heading:
            return kHeadingPt * kLinePitch + 6;
        case TextItem::Mono:
            return kMonoPt * 1.25;
        default:
            return kBodyPt * kLinePitch;
    }
}

void drawTextItems(Canvas& canvas, const std::vector<TextItem>& items) {
    const int w = canvas.width();
    const int valueLeft = w * 2 / 5;
    const int limitLeft = w * 3 / 5;
    const int verdictLeft = w * 4 / 5;
    double y = 0;
    for (const TextItem& item : items) {
        const int top = static_cast<int>(std::lround(y * canvas.dotsPerInch() / 72.0));
        switch (item.kind) {
            case TextItem::Title:
                canvas.setFont(font(canvas, kTitlePt, true));
                canvas.textOut(0, top, item.label);
                break;
            case TextItem::Heading: {
                canvas.setFont(font(canvas, kHeadingPt, true));
                const int at = top + dots(canvas, 6);
                canvas.textOut(0, at, item.label);
                const int rule = at + canvas.textHeight(item.label);
                canvas.setPen(colors::kBlack, penWidth(canvas, 0.5));
                canvas.moveTo(0, rule);
                canvas.lineTo(w, rule);
                break;
            }
            case TextItem::Row:
                canvas.setFont(font(canvas, kBodyPt));
                canvas.textOut(0, top, item.label);
                canvas.setFont(font(canvas, kBodyPt, true));
                canvas.textOut(valueLeft, top, item.value);
                break;
            case TextItem::Limit: {
                canvas.setFont(font(canvas, kBodyPt));
                canvas.textOut(0, top, item.label);
                canvas.textOut(valueLeft, top, item.value);
                canvas.textOut(limitLeft, top, item.limit);
                FontSpec verdict = font(canvas, kBodyPt, true);
                verdict.color = item.met ? Color{0, 110, 0} : colors::kRed;
                canvas.setFont(verdict);
                canvas.textOut(verdictLeft, top, item.met ? "MET" : "NOT MET");
                break;
            }
            case TextItem::Text:
                canvas.setFont(font(canvas, kBodyPt));
                canvas.textOut(0, top, item.label);
                break;
            case TextItem::Mono:
                canvas.setFont(font(canvas, kMonoPt, false, "Courier New"));
                canvas.textOut(0, top, item.label);
                break;
        }
        y += itemHeightPt(item);
    }
}

// The items as pages of `heading`, as many as their height takes; a heading never ends a page.
void addTextPages(const ReportContext& c, const std::string& heading,
                  const std::vector<TextItem>& items, std::vector<ReportPage>& pages) {
    const double room = c.options.paper.heightPt - 2 * kMarginPt - kHeadPt - kFootPt;
    std::vector<std::vector<TextItem>> split(1);
    double used = 0;
    for (std::size_t k = 0; k < items.size(); ++k) {
        double need = itemHeightPt(items[k]);
        if (items[k].kind == TextItem::Heading && k + 1 < items.size())
            need += itemHeightPt(items[k + 1]);
        if (used + need > room && !split.back().empty()) {
            split.emplace_back();
            used = 0;
        }
        split.back().push_back(items[k]);
        used += itemHeightPt(items[k]);
    }
    for (auto& part : split) {
        pages.push_back({heading, false, [part = std::move(part)](Canvas& canvas) {
                             drawTextItems(canvas, part);
                         }});
    }
}

TextItem row(std::string label, std::string value) {
    return {TextItem::Row, std::move(label), std::move(value), "", true};
}
TextItem heading(std::string label) {
    return {TextItem::Heading, std::move(label), "", "", true};
}

// The requirements of the record's application as the requirements window takes them.
std::vector<ReportLine> requirementLines(const DesignRecord& r) {
    std::vector<ReportLine> lines;
    const auto add = [&lines](const char* label, const std::string& value) {
        lines.push_back({label, value});
    };
    const int a = r.applicationType;
    if (r.inductanceRequired > 0 && a != kPowerline)
        add("INDUCTANCE AT MAXIMUM CURRENT", microhenries(1000.0 * r.inductanceRequired));
    if (r.maxDcResistance > 0)
        add("MAXIMUM DC RESISTANCE", strprintf("%.4g ohm", r.maxDcResistance));
    switch (a) {
        case kDcBiased:
        case kControlledSwing:
        case kWideSwing:
            add("DC BIAS CURRENT", strprintf("%.4g A", r.maxCurrent));
            if (a != kDcBiased) {
                add("INDUCTANCE AT MINIMUM CURRENT",
                    microhenries(1000.0 * r.inductanceAtMinCurrent));
                add("MINIMUM CURRENT", strprintf("%.4g A", r.minCurrent));
            }
            add("PEAK INDUCTOR VOLTAGE", strprintf("%.4g V", r.onVoltage));
            add("DC OUTPUT VOLTAGE", strprintf("%.4g V", r.offVoltage));
            add("FREQUENCY", strprintf("%.4g kHz", r.frequencyKhz));
            break;
        case kPowerFactorBoost:
            add("PEAK CURRENT", strprintf("%.4g A", r.maxCurrent));
            add("PEAK INPUT VOLTAGE", strprintf("%.4g V", r.pfcPeakInputVoltage));
            add("DC OUTPUT VOLTAGE", strprintf("%.4g V", r.pfcOutputVoltage));
            add("FREQUENCY", strprintf("%.4g kHz", r.frequencyKhz));
            break;
        case kPowerline:
            if (r.inductanceRequired > 0)
                add("INDUCTANCE AT MAXIMUM CURRENT", microhenries(1000.0 * r.inductanceRequired));
            add("AC CURRENT", strprintf("%.4g A rms", r.acCurrentMax));
            add("LINE FREQUENCY", strprintf("%.4g Hz", r.lineFrequencyHz));
            break;
        case kResonant:
            add("PEAK CURRENT", strprintf("%.4g A", r.resonantPeakCurrent));
            add("PEAK VOLTAGE", strprintf("%.4g V", r.resonantPeakVoltage));
            add("FREQUENCY", strprintf("%.4g kHz", r.frequencyKhz));
            break;
        default:
            break;
    }
    add("AMBIENT TEMPERATURE", strprintf("%.4g C", r.ambientTemp));
    add("MAXIMUM TEMPERATURE RISE", strprintf("%.4g C", r.maxTempRise));
    add("MINIMUM COPPER AREA", strprintf("%.4g cmil/A", r.minCopperAreaCma));
    add("MAXIMUM WINDOW FILL", strprintf("%.4g %%", 100.0 * r.maxFillFactor));
    if (a == kDcBiased || a == kPowerFactorBoost)
        add("MINIMUM PERCENT PERMEABILITY", strprintf("%.4g %%", r.minPercentPerm));
    return lines;
}

std::string agingText(const ReportContext& c) {
    const AnalysisRow& life = c.table.rows[kLifeLimitRow];
    if (life.negligible) return "NEGLIGIBLE (NO AGING GRAPHS)";
    return "TIME TO 115 % LOSS " + rowText(c, kTimeTo115Row) + ", LIFE LIMIT " +
           rowText(c, kLifeLimitRow);
}

// The entry rows of the printed analysis, with the analysis window's captions.
AnalysisPrintout analysisPrintout(const ReportContext& c) {
    static constexpr const char* kCaptions[] = {
        "CORE PART NUMBER",  "NUMBER IN STACK", "WIRE GAGE /  STRANDS",
        "NUMBER OF TURNS",   "DC BIAS CURRENT", "PEAK INDUCTOR VOLTAGE",
        "DC OUTPUT VOLTAGE", "FREQUENCY",       "AMBIENT TEMPERATURE"};
    static constexpr const char* kUnits[] = {"AMPERES", "VOLTS", "VOLTS", "k HERTZ", "DEGREES C"};
    const int a = c.record.applicationType;
    std::array<std::string, 9> captions;
    std::array<std::string, kAnalysisFieldCount> units;
    for (std::size_t k = 0; k < captions.size(); ++k)
        captions[k] = kCaptions[k];
    for (std::size_t k = 0; k < std::size(kUnits); ++k)
        units[kCurrentField + k] = kUnits[k];
    const AnalysisCaptions changed = analysisCaptions(a);
    const auto take = [](std::string& slot, std::string_view text) {
        if (!text.empty()) slot = std::string(text);
    };
    take(captions[kCurrentField], changed.current);
    take(units[kCurrentField], changed.currentUnits);
    take(captions[kVoltage1Field], changed.voltage1);
    take(captions[kVoltage2Field], changed.voltage2);
    take(units[kFrequencyField], changed.frequencyUnits);

    AnalysisPrintout out;
    out.header = analysisHeader(a);
    out.dateText = c.options.dateText;
    out.fontPoints = kAnalysisFontPoints;
    constexpr std::array<int, 8> kRows = {kPartNumberField, kWireField,     kTurnsField,
                                          kCurrentField,    kVoltage1Field, kVoltage2Field,
                                          kFrequencyField,  kAmbientField};
    for (std::size_t r = 0; r < kRows.size(); ++r) {
        const int k = kRows[r];
        const bool shown = analysisFieldShown(a, k);
        out.entries[r] = {shown ? captions[static_cast<std::size_t>(k)] : "",
                          shown ? c.texts[static_cast<std::size_t>(k)] : "",
                          shown ? units[static_cast<std::size_t>(k)] : ""};
    }
    out.stackText = c.texts[kStackField];
    out.stackCaption = captions[kStackField];
    out.strandsText = c.texts[kStrandsField];
    return out;
}

}  // namespace

ReportContext reportContext(const ReportInput& input, const ReportOptions& options) {
    ReportContext c{input.record, input.table, input.texts, {}, std::nullopt,
                    std::nullopt, "",          options,     ""};
    if (c.options.version.empty()) c.options.version = KORVELL_VERSION;
    c.check = secondOpinion(c.record, c.record.applicationType);
    c.yield = designYield(c.record, c.record.applicationType, YieldSettings{});
    SilentMessages quiet;
    c.model = spiceModel(c.record, c.table, c.record.applicationType, false, quiet);
    if (c.model) {
        c.model->version = c.options.version;
        c.modelText = spiceModelText(*c.model, SpiceDialect::Ngspice);
    }
    const DesignRecord& r = c.record;
    const std::string part = splitStackedPartNumber(r.corePartNumber).partNumber;
    c.designLine = part + (r.stackedCores > 1 ? strprintf(" x %d", r.stackedCores) : "") +
                   strprintf(", %d TURNS OF %s", static_cast<int>(r.turns), wireText(r).c_str()) +
                   (r.wireStrands > 1 ? strprintf(" x %d STRANDS", r.wireStrands) : "");
    return c;
}

std::vector<ReportLimit> reportLimits(const ReportContext& c) {
    const DesignRecord& r = c.record;
    std::vector<ReportLimit> limits;
    const int a = r.applicationType;
    const double inductanceUh = rowValue(c, kInductanceRow);
    if (r.inductanceRequired > 0) {
        const double required = 1000.0 * r.inductanceRequired;
        limits.push_back({strprintf("INDUCTANCE AT %.4g A", designCurrent(r)),
                          microhenries(inductanceUh), ">= " + microhenries(required),
                          inductanceUh >= required * (1 - kInductanceSlack)});
    }
    // Designed at the worst case, the inductance is held at the low end of the Al tolerance too.
    if (r.inductanceRequired > 0 && r.designAt == kDesignAtWorstCase && c.yield) {
        const double required = 1000.0 * r.inductanceRequired;
        const double low = c.yield->inductanceUh.atLowTolerance.value_or(0);
        limits.push_back({strprintf("L MIN (AL -%.4g %%)", c.yield->alTolerancePercent),
                          microhenries(low), ">= " + microhenries(required),
                          low >= required * (1 - kInductanceSlack)});
    }
    if ((a == kControlledSwing || a == kWideSwing) && r.inductanceAtMinCurrent > 0) {
        const auto low = windingInductance(r, r.minCurrent);
        const double limit = 1000.0 * r.inductanceAtMinCurrent;
        if (low) {
            const double uh = *low * 1e6;
            const bool controlled = a == kControlledSwing;
            limits.push_back({strprintf("INDUCTANCE AT %.4g A", r.minCurrent), microhenries(uh),
                              std::string(controlled ? "<= " : ">= ") + microhenries(limit),
                              controlled ? uh <= limit * (1 + kInductanceSlack)
                                         : uh >= limit * (1 - kInductanceSlack)});
        }
    }
    if (r.maxDcResistance > 0) {
        limits.push_back({"DC RESISTANCE", rowText(c, kRdcRow),
                          strprintf("<= %.4g ohm", r.maxDcResistance),
                          rowValue(c, kRdcRow) <= r.maxDcResistance});
    }
    const std::string riseLimit = strprintf("<= %.4g C", r.maxTempRise);
    limits.push_back({"TEMPERATURE RISE", strprintf("%.1f C", rowValue(c, kTempRiseRow)), riseLimit,
                      rowValue(c, kTempRiseRow) <= r.maxTempRise});
    limits.push_back({"TEMPERATURE RISE BY THE CHECK",
                      c.check.converged ? strprintf("%.1f C", c.check.tempRiseC)
                                        : std::string("THERMAL RUNAWAY"),
                      riseLimit, c.check.converged && c.check.tempRiseC <= r.maxTempRise});
    // The window must hold the copper. The fill parameter is the first wire's target, not a
    // limit: the wire tables round the copper area to a gage, so a design may fill a little more.
    {
        const double fill = rowValue(c, kWindowFillRow);
        limits.push_back({strprintf("WINDOW FILL (TARGET %.4g %%)", 100.0 * r.maxFillFactor),
                          strprintf("%.1f %%", fill), "<= 100 %", fill <= 100});
    }
    const double amperes = copperCurrent(r);
    if (amperes > 0) {
        const double perAmp = r.wireStrands * static_cast<double>(r.wireArea) / amperes;
        limits.push_back({"COPPER AREA PER AMPERE", strprintf("%.0f cmil/A", perAmp),
                          strprintf(">= %.4g cmil/A", r.minCopperAreaCma),
                          perAmp >= r.minCopperAreaCma});
    }
    if (a == kDcBiased || a == kPowerFactorBoost) {
        const double perm = rowValue(c, kPercentPermRow);
        limits.push_back({"PERCENT PERMEABILITY", strprintf("%.0f %%", perm),
                          strprintf(">= %.4g %%", r.minPercentPerm), perm >= r.minPercentPerm});
    }
    return limits;
}

std::vector<ReportLine> windingInstructions(const ReportContext& c) {
    const DesignRecord& r = c.record;
    std::vector<ReportLine> lines;
    const int turns = static_cast<int>(r.turns);
    const int strands = std::max(1, r.wireStrands);
    lines.push_back({"WIRE", wireText(r) + strprintf(", %s insulated diameter",
                                                     rowText(c, kWireDiaRow).c_str())});
    lines.push_back({"STRANDS IN PARALLEL", std::to_string(strands)});
    lines.push_back({"TURNS", std::to_string(turns)});
    const WindingLayers layers = windingLayers(r);
    const int perLayer = std::max(1, layers.conductorsPerLayer / strands);
    const int layerCount = (turns + perLayer - 1) / perLayer;
    lines.push_back({"TURNS PER LAYER", std::to_string(std::min(perLayer, turns))});
    lines.push_back({"LAYERS", std::to_string(std::max(layerCount, 1))});
    lines.push_back({"WIRE LENGTH PER STRAND", rowText(c, kWireLengthRow)});
    lines.push_back({"  OF WHICH LEADS",
                     strprintf("%.3g %s (%.3g %s each)", r.leadLengthTotal * r.lengthFactor,
                               r.lengthUnitName.c_str(), 0.5 * r.leadLengthTotal * r.lengthFactor,
                               r.lengthUnitName.c_str())});
    lines.push_back({"WIRE LENGTH, ALL STRANDS",
                     strprintf("%.1f %s", strands * r.wireLengthFt * r.longLengthFactor,
                               r.longLengthUnitName.c_str())});
    if (partNumberShape(r.corePartNumber) == kECore) {
        lines.push_back({"BOBBIN BUILD", rowText(c, kWindingBuildRow)});
    } else {
        lines.push_back({"WOUND OD", rowText(c, kWoundOdRow)});
        lines.push_back({"WOUND ID", strprintf("%.3f %s", r.woundId * r.lengthFactor,
                                               r.lengthUnitName.c_str())});
        lines.push_back({"WOUND HEIGHT", rowText(c, kWoundHeightRow)});
        lines.push_back({"WINDING BUILD", rowText(c, kWindingBuildRow)});
    }
    lines.push_back({"WINDOW FILL", rowText(c, kWindowFillRow)});
    lines.push_back({"COPPER WEIGHT", rowText(c, kWireWeightRow)});
    lines.push_back({"WINDING", r.windingMode == kSingleLayer ? "SINGLE LAYER" : "FULL WINDOW"});
    return lines;
}

void requirementsAndDesignSection(const ReportContext& c, std::vector<ReportPage>& pages) {
    const DesignRecord& r = c.record;
    std::vector<TextItem> items;
    items.push_back({TextItem::Title, c.designLine, "", "", true});
    items.push_back({TextItem::Text, applicationName(r.applicationType), "", "", true});

    items.push_back(heading("REQUIREMENTS"));
    items.push_back(row("APPLICATION", applicationName(r.applicationType)));
    for (const ReportLine& line : requirementLines(r))
        items.push_back(row(line.label, line.value));

    items.push_back(heading("THE DESIGN"));
    const std::string part = splitStackedPartNumber(r.corePartNumber).partNumber;
    const std::string material = materialCodeOf(part);
    items.push_back(row("CORE", part));
    items.push_back(row("CORES IN STACK", std::to_string(r.stackedCores)));
    items.push_back(
        row("MATERIAL", material + strprintf(", initial permeability %.0f", r.corePerm)));
    items.push_back(row("CORE OD / ID / HEIGHT", rowText(c, kCoreOdRow) + " / " +
                                                     rowText(c, kCoreIdRow) + " / " +
                                                     rowText(c, kCoreHeightRow)));
    items.push_back(row("MAGNETIC AREA / PATH LENGTH",
                        rowText(c, kMagneticAcRow) + " / " + rowText(c, kMagneticLmRow)));
    items.push_back(row("CORE VOLUME / WEIGHT",
                        rowText(c, kCoreVolumeRow) + " / " + rowText(c, kCoreWeightRow)));
    items.push_back(row("AL VALUE (STACK)", rowText(c, kAlRow) + "/turn^2"));
    items.push_back(row("TURNS", std::to_string(static_cast<int>(r.turns))));
    items.push_back(row("WIRE", wireText(r) + strprintf(" x %d strand%s", r.wireStrands,
                                                        r.wireStrands == 1 ? "" : "s")));
    items.push_back(
        row("WINDING TYPE", r.windingMode == kSingleLayer ? "SINGLE LAYER" : "FULL WINDOW"));

    items.push_back(heading("KEY FIGURES"));
    items.push_back(row(strprintf("INDUCTANCE AT %.4g A", designCurrent(r)),
                        microhenries(rowValue(c, kInductanceRow))));
    if (c.yield) {
        items.push_back(row(strprintf("L MIN (AL -%.4g %%)", c.yield->alTolerancePercent),
                            microhenries(c.yield->inductanceUh.atLowTolerance.value_or(0))));
    }
    if (c.model)
        items.push_back(row("INDUCTANCE AT 0 A", microhenries(c.model->inductanceZeroH * 1e6)));
    items.push_back(row("DC RESISTANCE", rowText(c, kRdcRow)));
    items.push_back(row("AC RESISTANCE", rowText(c, kRacRow)));
    if (r.applicationType != kPowerline && r.applicationType != kResonant)
        items.push_back(row("RIPPLE CURRENT", rowText(c, kRippleRow)));
    items.push_back(row("CORE LOSS", rowText(c, kCoreLossRow)));
    items.push_back(row("COPPER LOSS", rowText(c, kCopperLossRow)));
    items.push_back(row("TOTAL LOSS", rowText(c, kTotalLossRow)));
    items.push_back(
        row("TEMPERATURE RISE (PROGRAM)", strprintf("%.1f C", rowValue(c, kTempRiseRow))));
    items.push_back(row("TEMPERATURE RISE (CHECK)",
                        c.check.converged ? strprintf("%.1f C, copper loss %.4g W",
                                                      c.check.tempRiseC, c.check.copperLossW)
                                          : std::string("THERMAL RUNAWAY")));
    items.push_back(row("WINDOW FILL", rowText(c, kWindowFillRow)));
    const double price = corePrice(partNumberShape(part), material, rowValue(c, kCoreVolumeRow));
    items.push_back(row("CORE PRICE", price >= 0 ? strprintf("$%.2f", price) : "NOT PRICED"));
    items.push_back(row("THERMAL AGING", agingText(c)));

    items.push_back(heading("LIMITS"));
    for (const ReportLimit& limit : reportLimits(c))
        items.push_back({TextItem::Limit, limit.label, limit.value, limit.limit, limit.met});
    addTextPages(c, "REQUIREMENTS AND DESIGN", items, pages);
}

void analysisSection(const ReportContext& c, std::vector<ReportPage>& pages) {
    pages.push_back({"ANALYSIS", false, [&c](Canvas& canvas) {
                         drawAnalysisPrintout(canvas, c.record, c.table, analysisPrintout(c),
                                              &c.check);
                     }});
}

void graphsSection(const ReportContext& c, std::vector<ReportPage>& pages) {
    const auto graph = [&c](int kind) {
        return [&c, kind](Canvas& canvas) {
            DesignRecord r = c.record;
            r.graphKind = static_cast<std::int8_t>(kind);
            r.graphSource = kAnalyzedDesign;
            r.graphMaterialCode = materialCodeOf(r.corePartNumber);
            SilentMessages quiet;
            drawGraphPage(canvas, r, quiet, GraphView{});
        };
    };
    pages.push_back({"INDUCTANCE AGAINST CURRENT", true, graph(kInductanceVsCurrent)});
    // A core whose aging is negligible has no curve of either.
    DesignRecord probe = c.record;
    if (!c.table.rows[kLifeLimitRow].negligible &&
        requestAnalyzedAgingGraph(probe) == AgingMenuOutcome::ShowGraph) {
        pages.push_back({"CORE TEMPERATURE AGAINST TIME", true, graph(kTemperatureVsAge)});
        pages.push_back({"DECAY LOSS AGAINST TIME", true, graph(kLossVsAge)});
    }
}

// A figure's spread over the parts: its name, then nominal and the ends of the Al tolerance,
// mean and range, and the 1st and 99th percentiles.
void addSpread(std::vector<TextItem>& items, const std::string& figure, const FigureSpread& f,
               const char* format, const std::string& units) {
    const auto v = [&](double x) { return strprintf(format, x) + " " + units; };
    const auto end = [&](const std::optional<double>& x) { return x ? v(*x) : std::string("-"); };
    items.push_back({TextItem::Text, figure, "", "", true});
    items.push_back(row("  NOMINAL; AL LOW / HIGH", v(f.nominal) + ";  " + end(f.atLowTolerance) +
                                                        " / " + end(f.atHighTolerance)));
    items.push_back(row("  MEAN; MIN - MAX", v(f.mean) + ";  " + v(f.min) + " - " + v(f.max)));
    items.push_back(row("  1ST / 99TH PERCENTILE", v(f.p1) + " / " + v(f.p99)));
}

std::string share(const std::optional<double>& fraction) {
    return fraction ? strprintf("%.1f %%", 100 * *fraction) : std::string("NOT ASKED FOR");
}

void yieldSection(const ReportContext& c, std::vector<ReportPage>& pages) {
    if (!c.yield) return;
    const YieldReport& y = *c.yield;
    std::vector<TextItem> items;
    items.push_back(heading("YIELD UNDER MANUFACTURING TOLERANCE"));
    items.push_back({TextItem::Text, yieldModelText(y), "", "", true});
    addSpread(items, "INDUCTANCE", y.inductanceUh, "%.4g", "uH");
    addSpread(items, "DC RESISTANCE", y.rdcOhm, "%.4g", "ohm");
    addSpread(items, "TEMPERATURE RISE", y.tempRiseC, "%.1f", "C");
    addSpread(items, "RISE BY THE CHECK", y.checkTempRiseC, "%.1f", "C");
    items.push_back(heading("PARTS MEETING"));
    items.push_back(row("THE INDUCTANCE", share(y.fractionMeetingInductance)));
    items.push_back(row("MAXIMUM DC RESISTANCE", share(y.fractionMeetingRdc)));
    items.push_back(row("MAXIMUM TEMPERATURE RISE", share(y.fractionMeetingRise)));
    items.push_back(row("THE RISE BY THE CHECK", share(y.fractionMeetingCheckRise)));
    addTextPages(c, "YIELD AND SPREAD", items, pages);
    pages.push_back({"YIELD: INDUCTANCE SPREAD", true, [&c](Canvas& canvas) {
                         DesignRecord r = c.record;
                         r.graphKind = static_cast<std::int8_t>(kInductanceSpread);
                         r.graphSource = kAnalyzedDesign;
                         r.graphMaterialCode = materialCodeOf(r.corePartNumber);
                         SilentMessages quiet;
                         GraphView view;
                         view.yield.inductanceOnly = true;
                         drawGraphPage(canvas, r, quiet, view);
                     }});
}

void windingInstructionsSection(const ReportContext& c, std::vector<ReportPage>& pages) {
    std::vector<TextItem> items;
    items.push_back({TextItem::Title, "WINDING INSTRUCTIONS", "", "", true});
    items.push_back({TextItem::Text, c.designLine, "", "", true});
    items.push_back(heading("WINDING"));
    for (const ReportLine& line : windingInstructions(c))
        items.push_back(row(line.label, line.value));
    items.push_back(heading("CHECKS AFTER WINDING"));
    items.push_back(row("INDUCTANCE AT 0 A",
                        c.model ? microhenries(c.model->inductanceZeroH * 1e6) : std::string("-")));
    items.push_back(row("DC RESISTANCE AT AMBIENT",
                        rowText(c, kRdcRow) + strprintf(" at %.4g C", c.record.ambientTemp)));
    addTextPages(c, "WINDING INSTRUCTIONS", items, pages);
}

void spiceAppendixSection(const ReportContext& c, std::vector<ReportPage>& pages) {
    std::vector<TextItem> items;
    items.push_back({TextItem::Title, "APPENDIX: SPICE SUBCIRCUIT", "", "", true});
    if (!c.model) {
        items.push_back({TextItem::Text,
                         "No SPICE model: the core's material has no DC-bias permeability data.",
                         "", "", true});
    } else {
        items.push_back({TextItem::Text,
                         "Subcircuit " + c.model->name + " for ngspice; pins 1 and 2.", "", "",
                         true});
        std::istringstream lines(c.modelText);
        for (std::string line; std::getline(lines, line);)
            items.push_back({TextItem::Mono, line, "", "", true});
    }
    addTextPages(c, "APPENDIX: SPICE SUBCIRCUIT", items, pages);
}

std::vector<ReportPage> designReportPages(const ReportContext& context) {
    std::vector<ReportPage> pages;
    for (const ReportSection section : kReportSections)
        section(context, pages);
    return pages;
}

void drawReportPage(Canvas& canvas, const ReportContext& c, const ReportPage& page, int number,
                    int count) {
    const int margin = dots(canvas, kMarginPt);
    const int w = canvas.width();
    const int h = canvas.height();
    canvas.setFont(font(canvas, kHeadFontPt, true));
    const std::string head = std::string(kReportTitle) + "  -  " + page.heading;
    canvas.textOut(margin, margin, head);
    canvas.textOut(w - margin - canvas.textWidth(c.options.dateText), margin, c.options.dateText);
    const int headRule = margin + canvas.textHeight(head) + dots(canvas, 2);
    canvas.setPen(colors::kBlack, penWidth(canvas, 0.5));
    canvas.moveTo(margin, headRule);
    canvas.lineTo(w - margin, headRule);

    canvas.setFont(font(canvas, kHeadFontPt));
    const int footTop = h - margin - canvas.textHeight("P");
    const int footRule = footTop - dots(canvas, 3);
    canvas.moveTo(margin, footRule);
    canvas.lineTo(w - margin, footRule);
    canvas.textOut(margin, footTop, "Korvell Inductors " + c.options.version);
    canvas.textOut((w - canvas.textWidth(c.designLine)) / 2, footTop, c.designLine);
    const std::string pageText = strprintf("PAGE %d OF %d", number, count);
    canvas.textOut(w - margin - canvas.textWidth(pageText), footTop, pageText);

    const int top = margin + dots(canvas, kHeadPt);
    const int bottom = h - margin - dots(canvas, kFootPt);
    InsetCanvas content(canvas, margin, top, std::max(w - 2 * margin, 1),
                        std::max(bottom - top, 1));
    page.draw(content);
}

std::optional<std::string> designReportPdf(const ReportInput& input, const ReportOptions& options,
                                           std::string& error) {
    const ReportContext context = reportContext(input, options);
    const std::vector<ReportPage> pages = designReportPages(context);
    PdfCanvas pdf;
    pdf.setDocumentInfo(std::string(kReportTitle) + ": " + context.designLine,
                        "Korvell Inductors " + context.options.version);
    const int count = static_cast<int>(pages.size());
    for (int k = 0; k < count; ++k) {
        const ReportPage& page = pages[static_cast<std::size_t>(k)];
        pdf.beginPage(pageSize(context, page.landscape));
        drawReportPage(pdf, context, page, k + 1, count);
    }
    return pdf.finish(error);
}

std::optional<std::string> writeDesignReport(const std::string& path, const ReportInput& input,
                                             const ReportOptions& options) {
    std::string error;
    const auto bytes = designReportPdf(input, options, error);
    if (!bytes) return error;
    return writeFileAtomically(path, *bytes);
}

std::optional<ReportInput> reportInputOfResultsRow(const DesignRecord& record, int row,
                                                   Messages& messages) {
    ReportInput input;
    if (!analyzeResultsRow(record, row, messages, input.record, input.table)) return std::nullopt;
    DesignRecord loaded = record;
    loaded.selectedDesign = row;
    loadAnalysisInputs(loaded, input.texts);
    return input;
}

std::string reportFileName(const DesignRecord& record) {
    std::string name;
    for (const char c : splitStackedPartNumber(record.corePartNumber).partNumber) {
        const bool plain =
            std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '-' || c == '.' || c == '_';
        name += plain && static_cast<unsigned char>(c) < 0x80 ? c : '_';
    }
    return (name.empty() ? "inductor" : name) + "-report.pdf";
}

}  // namespace korvell
