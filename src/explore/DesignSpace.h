// The design space of one set of requirements: every design the ordinary search gives for every
// core shape, stack of 1 to 4 cores, 1 to 8 wire strands and winding mode the application
// allows, over the whole catalog of each shape; the trade-off front of the designs on chosen
// objectives thinned to distinct choices; and, for each shape, why the cores before its smallest
// design were refused.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "record/DesignRecord.h"

namespace korvell {

// What a design costs the engineer: price (US$), total loss (core + copper, W), size (wound
// surface area, cm²), temperature rise (°C), and the second opinion's total loss (W) and
// temperature rise (°C). Smaller is better on each.
enum class Objective : int {
    Price = 0,
    Loss = 1,
    Size = 2,
    TempRise = 3,
    CheckLoss = 4,
    CheckRise = 5
};
constexpr int kObjectiveCount = 6;

// Names as the command line takes them (price, loss, size, temp, check-loss, check-temp),
// captions as the chart's axes show them ("TOTAL LOSS"), short labels as the check boxes and the
// table's headings show them ("LOSS"), and the units.
std::string_view objectiveName(Objective objective);
std::string_view objectiveCaption(Objective objective);
std::string_view objectiveLabel(Objective objective);
std::string_view objectiveUnits(Objective objective);
// The objective named `name`, in any case ("PRICE", "Check-Loss"), if any.
std::optional<Objective> objectiveNamed(std::string_view name);
// Whether the objective is a figure of the second opinion, computed only when asked for.
bool isCheckObjective(Objective objective);
// Whether any of the objectives is.
bool needsCheckFigures(const std::vector<Objective>& objectives);

// One design of the space: the combination that made it and its results row, exactly as
// run_design_search stores it for that shape, stack, strands and winding.
struct ExploredDesign {
    std::int8_t shape = kToroid;
    std::int8_t winding = kFullWindow;
    std::int32_t stack = 1;
    std::int32_t strands = 1;  // strands asked for (the resonant winding may wind more)
    int catalogIndex = 0;      // row of the shape's catalog
    DesignResult result;
    DesignWire wire;
    DesignDimensions dimensions;
    // The second opinion of the design (see analysis/SecondOpinion.h): its total loss (W) and
    // temperature rise (°C); not a number when it was not asked for or the design could not be
    // analyzed again.
    double checkTotalLossW = std::numeric_limits<double>::quiet_NaN();
    double checkTempRiseC = std::numeric_limits<double>::quiet_NaN();
    bool onFront = false;
    bool listed = false;  // on the thinned front (DesignSpace::listed)
    // A listed design: how many other designs of the front it stands for ("+N").
    std::int32_t similar = 0;

    double totalLossW() const { return static_cast<double>(result.coreLossW) + result.copperLossW; }
    // The figure of an objective; not a number where it is unknown (ranked last).
    double objective(Objective objective) const;
    // Field by field; two check figures that are both unknown count as equal.
    friend bool operator==(const ExploredDesign& a, const ExploredDesign& b);
};

// A core before a shape's smallest design, with the first limit that refused it.
struct CoreRefusal {
    std::int8_t shape = kToroid;
    int catalogIndex = 0;
    std::string partNumber;
    std::string reason;  // "TEMPERATURE RISE 61.2 > 50.0 DEG C"
    std::string text() const { return partNumber + ": " + reason; }
    friend bool operator==(const CoreRefusal&, const CoreRefusal&) = default;
};

struct ExploreSettings {
    std::vector<Objective> objectives{Objective::Price, Objective::Loss, Objective::Size};
    int stackMax = 4;    // stacks of 1..stackMax cores (at most 4)
    int strandsMax = 8;  // 1..strandsMax strands (at most 8)
    int threads = 0;     // worker threads; 0 = one per core of the machine
    // The thinning of the front: a listed design stands for every front design it is within
    // (1 + epsilon) of on every objective. 0 lists the whole front.
    double epsilon = kDefaultEpsilon;
    // Whether every design gets its second opinion (checkTotalLossW, checkTempRiseC). A check
    // objective asks for them whatever this says; without them the sweep costs no analysis.
    bool checkFigures = false;
    // Whether the cores before each shape's smallest design are walked for why they were
    // refused (DesignSpace::refused); an output that does not show them need not.
    bool refusals = true;
    static constexpr double kDefaultEpsilon = 0.01;
};

struct DesignSpace {
    std::vector<Objective> objectives;
    // Every design, by shape, stack, catalog row, strands and winding, in that order.
    std::vector<ExploredDesign> designs;
    double epsilon = ExploreSettings::kDefaultEpsilon;
    bool checkFigures = false;  // whether the designs carry their second opinion
    // Indices into `designs` of the trade-off front, in the order of `designs`.
    std::vector<std::size_t> front;
    // The thinned front, in the table's order (cheapest first): every front design is within
    // (1 + epsilon) on every objective of a listed one.
    std::vector<std::size_t> listed;
    // For each shape in turn, the refused cores before its smallest design, in catalog order
    // (none when the settings did not ask for them).
    std::vector<CoreRefusal> refused;
};

// Core shapes and winding modes the application allows, as the requirements window offers
// them: the wide swing only on composite cores, no composite for the powerline and resonant
// inductors; both windings for every application (the resonant inductor starts single layer,
// but its winding list stays open).
std::vector<std::int8_t> exploredShapes(int application);
std::vector<std::int8_t> exploredWindings(int application);

// The whole sweep from the accepted requirements and active design parameters of `record`
// (which it does not change). The result depends on nothing but the record and the settings:
// never on the number of threads or their timing.
DesignSpace explore_design_space(const DesignRecord& record, const ExploreSettings& settings);

// Marks and lists the designs that no other design beats or equals on every objective while
// beating it on at least one. Designs equal on every objective do not dominate each other: all
// of them stay on the front. Fewer than one objective leaves every design on the front.
std::vector<std::size_t> tradeOffFront(std::vector<ExploredDesign>& designs,
                                       const std::vector<Objective>& objectives);
// The same front without marking it.
std::vector<std::size_t> frontOf(const std::vector<ExploredDesign>& designs,
                                 const std::vector<Objective>& objectives);

// The thinned front: taken in the table's order (price ascending, then index), a front design is
// listed unless a design listed before it is no more than (1 + epsilon) times it on every
// objective; then it counts among the `similar` of the first such design. The listed designs'
// indices, cheapest first; `similar` and `listed` of the designs are set.
std::vector<std::size_t> thinnedFront(std::vector<ExploredDesign>& designs,
                                      const std::vector<std::size_t>& front,
                                      const std::vector<Objective>& objectives, double epsilon);

// Chooses the objectives and the thinning of a space anew, as the window's check boxes do: the
// front, its marks and the listed designs follow; the designs stay. The check objectives need a
// space swept with its check figures.
void chooseObjectives(DesignSpace& space, const std::vector<Objective>& objectives, double epsilon);

}  // namespace korvell
