// The design report: one PDF document that an engineer hands to a colleague, a reviewer or a
// winding shop, drawn by the program's own page and graph routines on a PdfCanvas (cairo), the
// same for the command line and the desktop.
//
// The report is a list of sections (kReportSections); each adds its pages. In order:
//   - requirements and the design: the application and its requirements, the core, the winding,
//     the key figures and a line for every limit, met or not met;
//   - the analysis: the ELECTRICAL, MECHANICAL and CHECK rows as the analysis window prints them;
//   - graphs: inductance against current with the operating point, and, where the core ages,
//     core temperature and decay loss against time (landscape pages);
//   - winding instructions for a winding shop;
//   - appendix: the SPICE subcircuit's text (ngspice), its header first.
// Every page carries a running head (the title, the design and the date) and a running foot (the
// program and its version, "PAGE n OF m").
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "analysis/Analysis.h"
#include "analysis/AnalysisEntry.h"
#include "analysis/SecondOpinion.h"
#include "analysis/Tolerance.h"
#include "export/SpiceModel.h"
#include "platform/Canvas.h"
#include "platform/PdfCanvas.h"
#include "record/DesignRecord.h"

namespace korvell {

inline constexpr const char* kReportTitle = "KORVELL INDUCTORS DESIGN REPORT";

// The analyzed design a report is made of.
struct ReportInput {
    DesignRecord record;  // after AnalyzeDesign succeeded for record.applicationType
    AnalysisTable table;
    AnalysisTexts texts;  // the analysis fields as the window shows them
};

struct ReportOptions {
    PaperSize paper = kA4Paper;
    std::string dateText;  // printed on every page
    std::string version;   // of the program; its own when empty
};

// Everything the sections draw from, worked out once.
struct ReportContext {
    DesignRecord record;
    AnalysisTable table;
    AnalysisTexts texts;
    SecondOpinion check;
    // The Monte Carlo yield of the design at the record's Al tolerance (the default samples and
    // seed); none when it cannot be computed.
    std::optional<YieldReport> yield;
    std::optional<SpiceModel> model;  // none when the material has no DC-bias data
    std::string modelText;            // ngspice netlist
    ReportOptions options;
    std::string designLine;  // "T106-21, 40 TURNS OF # 18 AWG"
};
ReportContext reportContext(const ReportInput& input, const ReportOptions& options);

// One page: drawn on the area inside the running head and foot of a portrait or landscape page.
// A page draws from the context it was made of, which must outlive it.
struct ReportPage {
    std::string heading;  // the section's name, in the running head
    bool landscape = false;
    std::function<void(Canvas&)> draw;
};

// A section adds its pages; a section with nothing to show adds none.
using ReportSection = void (*)(const ReportContext&, std::vector<ReportPage>&);
void requirementsAndDesignSection(const ReportContext&, std::vector<ReportPage>&);
void analysisSection(const ReportContext&, std::vector<ReportPage>&);
void graphsSection(const ReportContext&, std::vector<ReportPage>&);
void yieldSection(const ReportContext&, std::vector<ReportPage>&);
void windingInstructionsSection(const ReportContext&, std::vector<ReportPage>&);
void spiceAppendixSection(const ReportContext&, std::vector<ReportPage>&);
inline constexpr ReportSection kReportSections[] = {
    requirementsAndDesignSection, analysisSection,      graphsSection, yieldSection,
    windingInstructionsSection,   spiceAppendixSection,
};

// Every page of the report, the sections in order.
std::vector<ReportPage> designReportPages(const ReportContext& context);

// Draws page `number` (from 1) of `count` on a surface the size of the whole page: the running
// head and foot, and the page's content between them.
void drawReportPage(Canvas& canvas, const ReportContext& context, const ReportPage& page,
                    int number, int count);

// The whole report as the bytes of a PDF file; none, with `error` set, when it cannot be made.
std::optional<std::string> designReportPdf(const ReportInput& input, const ReportOptions& options,
                                           std::string& error);
// The same written to `path` through the atomic writer: empty on success, else why not.
std::optional<std::string> writeDesignReport(const std::string& path, const ReportInput& input,
                                             const ReportOptions& options);

// The design of results row `row` of the record's last search, analyzed again as the analysis
// window loads it; none, with the refusal in `messages`, when the row holds no design.
std::optional<ReportInput> reportInputOfResultsRow(const DesignRecord& record, int row,
                                                   Messages& messages);

// The file name the desktop suggests: the part number with "-report.pdf".
std::string reportFileName(const DesignRecord& record);

// A line of "label  value" text on a report page.
struct ReportLine {
    std::string label;
    std::string value;
};

// The limits the design is held to, each with the design's figure and whether it meets it: the
// required inductance (where one is set), the swing's inductance at minimum current, the DC
// resistance limit (where set), the temperature rise by the program and by the check, the window
// fill (full window), the copper area per ampere and, for DC-biased and PFC chokes, the minimum
// percent permeability.
struct ReportLimit {
    std::string label;
    std::string value;  // the design's figure with units
    std::string limit;  // "<= 40 C"
    bool met = false;
};
std::vector<ReportLimit> reportLimits(const ReportContext& context);

// What a winding shop needs: wire and strands, turns, turns per layer and layers, wire length
// per strand with the lead allowance, the wound size (toroid) or the bobbin build (E-core), the
// window fill and the copper weight, in the record's display units.
std::vector<ReportLine> windingInstructions(const ReportContext& context);

}  // namespace korvell
