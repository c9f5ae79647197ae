#include "explore/DesignSpace.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <limits>
#include <numeric>
#include <system_error>
#include <thread>

#include "engine/DesignSearch.h"
#include "engine/Screening.h"
#include "engine/Winding.h"

namespace korvell {
namespace {

constexpr int kMaxStack = 4;
constexpr int kMaxStrands = 8;

struct ObjectiveText {
    std::string_view name;
    std::string_view caption;
    std::string_view units;
};
constexpr std::array<ObjectiveText, kObjectiveCount> kObjectiveTexts = {{
    {"price", "PRICE", "US$"},
    {"loss", "TOTAL LOSS", "W"},
    {"size", "SURFACE AREA", "cm2"},
    {"temp", "TEMPERATURE RISE", "deg C"},
}};

// Winds each screened candidate for every strand count and winding mode of the sweep, each on
// its own copy of the screened record, and keeps the windings that meet every limit as designs.
// The screening (catalog look-up, stacking, operating point, turns) is done once per core and
// shared by all sixteen windings.
class SweepWinder : public CandidateWinder {
  public:
    SweepWinder(const std::vector<std::int8_t>& windings, int strandsMax,
                std::vector<ExploredDesign>& designs)
        : m_windings(windings), m_strandsMax(strandsMax), m_designs(designs) {}

    int wind(DesignRecord& screened, Messages& messages) override {
        int result = kWindingInvalid;
        for (int strands = 1; strands <= m_strandsMax; ++strands) {
            for (const std::int8_t winding : m_windings) {
                m_work = screened;
                m_work.wireStrands = strands;
                m_work.windingMode = winding;
                result = select_wire(m_work, messages, m_work.turns, winding, m_work.coreShape);
                if (result <= 0) continue;
                ExploredDesign& d = m_designs.emplace_back();
                d.shape = m_work.coreShape;
                d.winding = winding;
                d.stack = m_work.stackedCores;
                d.strands = strands;
                d.catalogIndex = screened.catalogIndex - 1;
                store_design_row(m_work, d.result, d.wire, d.dimensions);
            }
        }
        return result;
    }

  private:
    const std::vector<std::int8_t>& m_windings;
    int m_strandsMax;
    std::vector<ExploredDesign>& m_designs;
    DesignRecord m_work;
};

// Walks one core of a shape, one strand, one winding, and keeps the reason of every core that
// the screening or the winding refuses, until the first design.
class RefusalWinder : public CandidateWinder {
  public:
    explicit RefusalWinder(std::vector<CoreRefusal>& refused) : m_refused(refused) {}

    int wind(DesignRecord& r, Messages& messages) override {
        std::string reason;
        const int result = select_wire(r, messages, r.turns, r.windingMode, r.coreShape, &reason);
        if (result > 0) {
            m_found = true;
        } else {
            note(r, reason);
        }
        return result;
    }
    bool full() const override { return m_found; }

    void note(const DesignRecord& r, std::string_view reason) {
        m_refused.push_back(
            {r.coreShape, r.catalogIndex - 1, r.corePartNumber, std::string(reason)});
    }

  private:
    std::vector<CoreRefusal>& m_refused;
    bool m_found = false;
};

// One catalog walk of the sweep: the designs of one shape and stack, or the refusals of one shape.
struct SweepTask {
    std::int8_t shape = kToroid;
    int stack = 1;
    bool refusals = false;
    std::vector<ExploredDesign> designs;
    std::vector<CoreRefusal> refused;
};

void runTask(const DesignRecord& base, const std::vector<std::int8_t>& windings, int strandsMax,
             SweepTask& task) {
    DesignRecord r = base;
    r.coreShape = task.shape;
    SilentMessages quiet;
    if (!task.refusals) {
        r.stackedCores = task.stack;
        SweepWinder winder(windings, strandsMax, task.designs);
        walk_catalog(r, quiet, winder);
        return;
    }
    // Why not smaller: one core, one strand, the winding asked for when the application allows
    // it (else the first it allows).
    r.stackedCores = 1;
    r.wireStrands = 1;
    if (std::find(windings.begin(), windings.end(), r.windingMode) == windings.end()) {
        r.windingMode = windings.front();
    }
    RefusalWinder winder(task.refused);
    const RefusalReport report = [&winder](const DesignRecord& candidate, std::string_view reason) {
        winder.note(candidate, reason);
    };
    walk_catalog(r, quiet, winder, &report);
}

// Runs every task on `threads` workers, each task on its own copy of the record; every task
// writes only its own results, so the outcome is the same for any number of workers.
void runTasks(const DesignRecord& base, const std::vector<std::int8_t>& windings, int strandsMax,
              std::vector<SweepTask>& tasks, int threads) {
    std::atomic<std::size_t> next{0};
    const auto work = [&] {
        for (std::size_t k = next++; k < tasks.size(); k = next++)
            runTask(base, windings, strandsMax, tasks[k]);
    };
    std::vector<std::thread> workers;
    for (int t = 1; t < threads; ++t) {
        try {
            workers.emplace_back(work);
        } catch (const std::system_error&) {
            break;  // no more threads to be had: the workers there are do the rest
        }
    }
    work();
    for (auto& worker : workers)
        worker.join();
}

}  // namespace

std::string_view objectiveName(Objective objective) {
    return kObjectiveTexts[static_cast<std::size_t>(objective)].name;
}
std::string_view objectiveCaption(Objective objective) {
    return kObjectiveTexts[static_cast<std::size_t>(objective)].caption;
}
std::string_view objectiveUnits(Objective objective) {
    return kObjectiveTexts[static_cast<std::size_t>(objective)].units;
}
std::optional<Objective> objectiveNamed(std::string_view name) {
    for (int k = 0; k < kObjectiveCount; ++k) {
        if (kObjectiveTexts[static_cast<std::size_t>(k)].name == name) {
            return static_cast<Objective>(k);
        }
    }
    return std::nullopt;
}

double ExploredDesign::objective(Objective objective) const {
    switch (objective) {
        case Objective::Price:
            return result.price;
        case Objective::Loss:
            return totalLossW();
        case Objective::Size:
            return result.surfaceArea;
        case Objective::TempRise:
            return result.tempRise;
    }
    return 0;
}

std::vector<std::int8_t> exploredShapes(int application) {
    if (application == kWideSwing) return {kComposite};
    std::vector<std::int8_t> shapes;
    for (const std::int8_t shape : {kToroid, kECore, kComposite}) {
        if (shapeServesApplication(shape, application)) shapes.push_back(shape);
    }
    return shapes;
}

std::vector<std::int8_t> exploredWindings(int) {
    return {kFullWindow, kSingleLayer};
}

std::vector<std::size_t> tradeOffFront(std::vector<ExploredDesign>& designs,
                                       const std::vector<Objective>& objectives) {
    const std::size_t n = designs.size();
    const std::size_t m = objectives.size();
    // The objective vectors, one row per design; an objective that is not a number ranks last.
    std::vector<double> value(n * m);
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t k = 0; k < m; ++k) {
            const double v = designs[i].objective(objectives[k]);
            value[i * m + k] = v == v ? v : std::numeric_limits<double>::infinity();
        }
    }
    const auto row = [&](std::size_t i) {
        return value.begin() + static_cast<std::ptrdiff_t>(i * m);
    };
    // A design dominating another comes before it in lexicographic order of the objective
    // vectors, and whatever a dominated design dominates, a front design dominates too: so each
    // design, taken in that order, need only be compared with the front found so far.
    std::vector<std::size_t> order(n);
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return std::lexicographical_compare(row(a), row(a) + static_cast<std::ptrdiff_t>(m), row(b),
                                            row(b) + static_cast<std::ptrdiff_t>(m));
    });
    const auto dominates = [&](std::size_t a, std::size_t b) {
        bool better = false;
        for (std::size_t k = 0; k < m; ++k) {
            const double va = value[a * m + k];
            const double vb = value[b * m + k];
            if (va > vb) return false;
            if (va < vb) better = true;
        }
        return better;
    };
    std::vector<std::size_t> front;
    for (const std::size_t i : order) {
        const bool dominated =
            std::any_of(front.begin(), front.end(), [&](std::size_t f) { return dominates(f, i); });
        designs[i].onFront = !dominated;
        if (!dominated) front.push_back(i);
    }
    std::sort(front.begin(), front.end());
    return front;
}

DesignSpace explore_design_space(const DesignRecord& record, const ExploreSettings& settings) {
    DesignSpace space;
    space.objectives = settings.objectives;
    const std::vector<std::int8_t> shapes = exploredShapes(record.applicationType);
    const std::vector<std::int8_t> windings = exploredWindings(record.applicationType);
    const int stackMax = std::clamp(settings.stackMax, 1, kMaxStack);
    const int strandsMax = std::clamp(settings.strandsMax, 1, kMaxStrands);

    std::vector<SweepTask> tasks;
    for (const std::int8_t shape : shapes) {
        SweepTask refusals;
        refusals.shape = shape;
        refusals.refusals = true;
        tasks.push_back(std::move(refusals));
        for (int stack = 1; stack <= stackMax; ++stack) {
            SweepTask task;
            task.shape = shape;
            task.stack = stack;
            tasks.push_back(std::move(task));
        }
    }
    const int threads = settings.threads > 0
                            ? settings.threads
                            : static_cast<int>(std::max(1U, std::thread::hardware_concurrency()));
    runTasks(record, windings, strandsMax, tasks,
             std::min(threads, static_cast<int>(tasks.size())));

    for (auto& task : tasks) {
        for (auto& design : task.designs)
            space.designs.push_back(std::move(design));
    }
    // Why not smaller: the refused cores of each shape before the smallest design of that shape
    // in any stack, strands or winding.
    for (const auto& task : tasks) {
        if (!task.refusals) continue;
        int smallest = std::numeric_limits<int>::max();
        for (const auto& design : space.designs) {
            if (design.shape == task.shape) smallest = std::min(smallest, design.catalogIndex);
        }
        for (const auto& refusal : task.refused) {
            if (refusal.catalogIndex < smallest) space.refused.push_back(refusal);
        }
    }
    space.front = tradeOffFront(space.designs, space.objectives);
    return space;
}

}  // namespace korvell
