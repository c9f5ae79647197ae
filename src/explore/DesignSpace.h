// The design space of one set of requirements: every design the ordinary search gives for every
// core shape, stack of 1 to 4 cores, 1 to 8 wire strands and winding mode the application
// allows, over the whole catalog of each shape; the trade-off front of the designs on chosen
// objectives; and, for each shape, why the cores before its smallest design were refused.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "record/DesignRecord.h"

namespace korvell {

// What a design costs the engineer: price (US$), total loss (core + copper, W), size (wound
// surface area, cm²), temperature rise (°C). Smaller is better on each.
enum class Objective : int { Price = 0, Loss = 1, Size = 2, TempRise = 3 };
constexpr int kObjectiveCount = 4;

// Names as the command line takes them (price, loss, size, temp), captions as the chart and the
// table show them, and the units.
std::string_view objectiveName(Objective objective);
std::string_view objectiveCaption(Objective objective);
std::string_view objectiveUnits(Objective objective);
// The objective named `name` (case as typed), if any.
std::optional<Objective> objectiveNamed(std::string_view name);

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
    bool onFront = false;

    double totalLossW() const { return static_cast<double>(result.coreLossW) + result.copperLossW; }
    double objective(Objective objective) const;
    friend bool operator==(const ExploredDesign&, const ExploredDesign&) = default;
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
};

struct DesignSpace {
    std::vector<Objective> objectives;
    // Every design, by shape, stack, catalog row, strands and winding, in that order.
    std::vector<ExploredDesign> designs;
    // Indices into `designs` of the trade-off front, in the order of `designs`.
    std::vector<std::size_t> front;
    // For each shape in turn, the refused cores before its smallest design, in catalog order.
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
// The same front without marking it (the chart's front of its two axes).
std::vector<std::size_t> frontOf(const std::vector<ExploredDesign>& designs,
                                 const std::vector<Objective>& objectives);

}  // namespace korvell
