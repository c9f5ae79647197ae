#include "explore/DesignSpace.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cctype>
#include <cmath>
#include <limits>
#include <numeric>
#include <system_error>
#include <thread>

#include "engine/DesignSearch.h"
#include "engine/Screening.h"
#include "engine/SecondOpinionModel.h"
#include "engine/Winding.h"

namespace korvell {
namespace {

constexpr int kMaxStack = 4;
constexpr int kMaxStrands = 8;

struct ObjectiveText {
    std::string_view name;
    std::string_view caption;
    std::string_view label;
    std::string_view units;
};
constexpr std::array<ObjectiveText, kObjectiveCount> kObjectiveTexts = {{
    {"price", "PRICE", "PRICE", "US$"},
    {"loss", "TOTAL LOSS", "LOSS", "W"},
    {"size", "SURFACE AREA", "SIZE", "cm2"},
    {"temp", "TEMPERATURE RISE", "RISE", "deg C"},
    {"check-loss", "CHECKED LOSS", "CHECKED LOSS", "W"},
    {"check-temp", "CHECKED RISE", "CHECKED RISE", "deg C"},
}};

// An objective's figure as the front ranks it: one that is not a number ranks last.
double rankValue(double value) {
    return value == value ? value : std::numeric_limits<double>::infinity();
}

// Winds each screened candidate for every strand count and winding mode of the sweep and keeps
// the windings that meet every limit as designs. The screening (catalog look-up, stacking,
// operating point, turns) is done once per core and shared by all the windings, and so are the
// core loss and the price, which no strand count or winding changes; each winding
// starts from what select_wire reads (the screened core, its turns, the strands and the
// winding asked for), which no winding before it changes, just as in the ordinary search each
// candidate is wound on the record the previous candidate's winding left.
class SweepWinder : public CandidateWinder {
  public:
    SweepWinder(const std::vector<std::int8_t>& windings, int strandsMax, bool checkFigures,
                std::vector<ExploredDesign>& designs)
        : m_windings(windings),
          m_strandsMax(strandsMax),
          m_checkFigures(checkFigures),
          m_designs(designs) {}

    int wind(DesignRecord& r, Messages& messages) override {
        int result = kWindingInvalid;
        const int catalogIndex = r.catalogIndex - 1;
        SharedCoreLoss shared;
        std::optional<float> price;  // of the core, the same for every winding
        // A winding mode whose first wire found no size at some strand count finds none at more
        // strands: the full window's copper per strand and the single layer's wire diameter
        // only shrink as strands are added (and the resonant winding's skin-depth limit does
        // not change). Those windings are not tried again; they would give no design.
        std::array<bool, 2> noWire{};
        for (int strands = 1; strands <= m_strandsMax; ++strands) {
            for (const std::int8_t winding : m_windings) {
                bool& exhausted = noWire[winding == kSingleLayer ? 1 : 0];
                if (exhausted) continue;
                r.wireStrands = strands;
                r.windingMode = winding;
                result = select_wire(r, messages, r.turns, winding, r.coreShape, nullptr, &shared);
                exhausted = result == kNoWireForWindow || result == kNoWireForLayer;
                if (result <= 0) continue;
                ExploredDesign& d = m_designs.emplace_back();
                d.shape = r.coreShape;
                d.winding = winding;
                d.stack = r.stackedCores;
                d.strands = strands;
                d.catalogIndex = catalogIndex;
                store_design_row(r, d.result, d.wire, d.dimensions, price ? &*price : nullptr);
                price = d.result.price;
                if (m_checkFigures) {
                    // The second opinion of the winding as the search left it.
                    const SecondOpinion check = candidateSecondOpinion(r);
                    d.checkTotalLossW = check.totalLossW;
                    d.checkTempRiseC = check.tempRiseC;
                }
            }
        }
        return result;
    }

  private:
    const std::vector<std::int8_t>& m_windings;
    int m_strandsMax;
    bool m_checkFigures;
    std::vector<ExploredDesign>& m_designs;
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

// What every task of one sweep shares.
struct SweepPlan {
    std::vector<std::int8_t> windings;
    int strandsMax = 1;
    std::vector<Objective> objectives;
    bool checkFigures = false;
};

void runTask(const DesignRecord& base, const SweepPlan& plan, SweepTask& task) {
    const std::vector<std::int8_t>& windings = plan.windings;
    DesignRecord r = base;
    r.coreShape = task.shape;
    SilentMessages quiet;
    if (!task.refusals) {
        r.stackedCores = task.stack;
        SweepWinder winder(windings, plan.strandsMax, plan.checkFigures, task.designs);
        walk_catalog(r, quiet, winder);
        // A design beaten within its own walk is beaten in the whole space: only the walk's
        // own front goes forward to the front of the whole space.
        tradeOffFront(task.designs, plan.objectives);
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
void runTasks(const DesignRecord& base, const SweepPlan& plan, std::vector<SweepTask>& tasks,
              int threads) {
    std::atomic<std::size_t> next{0};
    const auto work = [&] {
        for (std::size_t k = next++; k < tasks.size(); k = next++)
            runTask(base, plan, tasks[k]);
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

// The objective vectors of the candidates, one row of m figures per candidate, as the front
// ranks them.
struct ObjectiveRows {
    std::size_t m = 0;
    std::vector<double> value;
    const double* row(std::size_t i) const { return value.data() + i * m; }
    double at(std::size_t i, std::size_t k) const { return value[i * m + k]; }
};

ObjectiveRows objectiveRows(const std::vector<ExploredDesign>& designs,
                            const std::vector<std::size_t>& candidates,
                            const std::vector<Objective>& objectives) {
    ObjectiveRows rows;
    rows.m = objectives.size();
    rows.value.resize(candidates.size() * rows.m);
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        for (std::size_t k = 0; k < rows.m; ++k)
            rows.value[i * rows.m + k] = rankValue(designs[candidates[i]].objective(objectives[k]));
    }
    return rows;
}

// The rows in lexicographic order of their vectors. A design dominating another comes before
// it in that order, and whatever a dominated design dominates, a front design dominates too: so
// each design, taken in that order, need only be compared with the front found so far.
std::vector<std::size_t> lexicographicOrder(const ObjectiveRows& rows, std::size_t n) {
    std::vector<std::size_t> order(n);
    std::iota(order.begin(), order.end(), std::size_t{0});
    const auto m = static_cast<std::ptrdiff_t>(rows.m);
    // Equal vectors keep their order by index, as a stable sort would leave them.
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        const double* ra = rows.row(a);
        const double* rb = rows.row(b);
        for (std::ptrdiff_t k = 0; k < m; ++k) {
            if (ra[k] != rb[k]) return ra[k] < rb[k];
        }
        return a < b;
    });
    return order;
}

// Up to three objectives: taken in lexicographic order, a design is beaten exactly when an
// earlier front design is no worse on the second and third objectives (a group of designs
// equal on every objective is judged before any of it joins the front). The front's second and
// third objectives are kept as a staircase: second ascending, third strictly descending, so the
// best third among seconds no worse is one look-up. Row numbers of the front.
std::vector<std::size_t> staircaseFront(const ObjectiveRows& rows,
                                        const std::vector<std::size_t>& order) {
    const std::size_t n = order.size();
    const std::size_t m = rows.m;
    std::vector<std::size_t> front;
    // (second, third) pairs, second ascending and third strictly descending: a short sorted
    // vector, which costs no allocation per step as a tree would.
    std::vector<std::pair<double, double>> staircase;
    const auto second = [&](std::size_t i) { return m > 1 ? rows.at(i, 1) : 0.0; };
    const auto third = [&](std::size_t i) { return m > 2 ? rows.at(i, 2) : 0.0; };
    const auto above = [&](double y) {
        return std::upper_bound(staircase.begin(), staircase.end(), y,
                                [](double v, const auto& step) { return v < step.first; });
    };
    for (std::size_t g = 0; g < n;) {
        std::size_t h = g + 1;
        while (h < n && std::equal(rows.row(order[g]), rows.row(order[g]) + m, rows.row(order[h])))
            ++h;
        const double y = second(order[g]);
        const double z = third(order[g]);
        auto it = above(y);
        const bool dominated = it != staircase.begin() && std::prev(it)->second <= z;
        for (std::size_t k = g; k < h && !dominated; ++k)
            front.push_back(order[k]);
        if (!dominated) {
            // A step of the same second is replaced; the steps after it that the new one
            // beats on the third go.
            auto at = it != staircase.begin() && std::prev(it)->first == y ? std::prev(it) : it;
            auto end = it;
            while (end != staircase.end() && end->second >= z)
                ++end;
            if (at != end) {
                *at = {y, z};
                staircase.erase(at + 1, end);
            } else {
                staircase.insert(at, {y, z});
            }
        }
        g = h;
    }
    return front;
}

// Four objectives or more: each design, in lexicographic order, is compared with the front found
// so far; the front design that beat the last one is tried first next time. Row numbers of the
// front.
std::vector<std::size_t> pairwiseFront(const ObjectiveRows& rows,
                                       const std::vector<std::size_t>& order) {
    const auto dominates = [&](std::size_t a, std::size_t b) {
        bool better = false;
        for (std::size_t k = 0; k < rows.m; ++k) {
            const double va = rows.at(a, k);
            const double vb = rows.at(b, k);
            if (va > vb) return false;
            if (va < vb) better = true;
        }
        return better;
    };
    std::vector<std::size_t> front;
    std::vector<std::size_t> strongest;
    for (const std::size_t i : order) {
        bool dominated = false;
        for (std::size_t k = 0; k < strongest.size() && !dominated; ++k) {
            if (!dominates(strongest[k], i)) continue;
            dominated = true;
            std::rotate(strongest.begin(), strongest.begin() + static_cast<std::ptrdiff_t>(k),
                        strongest.begin() + static_cast<std::ptrdiff_t>(k + 1));
        }
        if (!dominated) {
            front.push_back(i);
            strongest.push_back(i);
        }
    }
    return front;
}

// The front among the designs listed in `candidates` (indices into `designs`): the front's
// indices in ascending order.
std::vector<std::size_t> frontAmong(const std::vector<ExploredDesign>& designs,
                                    const std::vector<std::size_t>& candidates,
                                    const std::vector<Objective>& objectives) {
    const ObjectiveRows rows = objectiveRows(designs, candidates, objectives);
    const std::vector<std::size_t> order = lexicographicOrder(rows, candidates.size());
    std::vector<std::size_t> front =
        rows.m <= 3 ? staircaseFront(rows, order) : pairwiseFront(rows, order);
    for (auto& f : front)
        f = candidates[f];
    std::sort(front.begin(), front.end());
    return front;
}

}  // namespace

std::vector<std::size_t> frontOf(const std::vector<ExploredDesign>& designs,
                                 const std::vector<Objective>& objectives) {
    std::vector<std::size_t> all(designs.size());
    std::iota(all.begin(), all.end(), std::size_t{0});
    return frontAmong(designs, all, objectives);
}

std::vector<std::size_t> tradeOffFront(std::vector<ExploredDesign>& designs,
                                       const std::vector<Objective>& objectives) {
    std::vector<std::size_t> front = frontOf(designs, objectives);
    for (auto& design : designs)
        design.onFront = false;
    for (const std::size_t i : front)
        designs[i].onFront = true;
    return front;
}

std::string_view objectiveName(Objective objective) {
    return kObjectiveTexts[static_cast<std::size_t>(objective)].name;
}
std::string_view objectiveCaption(Objective objective) {
    return kObjectiveTexts[static_cast<std::size_t>(objective)].caption;
}
std::string_view objectiveLabel(Objective objective) {
    return kObjectiveTexts[static_cast<std::size_t>(objective)].label;
}
std::string_view objectiveUnits(Objective objective) {
    return kObjectiveTexts[static_cast<std::size_t>(objective)].units;
}
std::optional<Objective> objectiveNamed(std::string_view name) {
    std::string lower;
    for (const char c : name)
        lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (int k = 0; k < kObjectiveCount; ++k) {
        if (kObjectiveTexts[static_cast<std::size_t>(k)].name == lower) {
            return static_cast<Objective>(k);
        }
    }
    return std::nullopt;
}
bool isCheckObjective(Objective objective) {
    return objective == Objective::CheckLoss || objective == Objective::CheckRise;
}
bool needsCheckFigures(const std::vector<Objective>& objectives) {
    return std::any_of(objectives.begin(), objectives.end(), isCheckObjective);
}

bool operator==(const ExploredDesign& a, const ExploredDesign& b) {
    const auto same = [](double x, double y) { return x == y || (x != x && y != y); };
    return a.shape == b.shape && a.winding == b.winding && a.stack == b.stack &&
           a.strands == b.strands && a.catalogIndex == b.catalogIndex && a.result == b.result &&
           a.wire == b.wire && a.dimensions == b.dimensions &&
           same(a.checkTotalLossW, b.checkTotalLossW) && same(a.checkTempRiseC, b.checkTempRiseC) &&
           a.onFront == b.onFront && a.listed == b.listed && a.similar == b.similar;
}

std::vector<std::size_t> thinnedFront(std::vector<ExploredDesign>& designs,
                                      const std::vector<std::size_t>& front,
                                      const std::vector<Objective>& objectives, double epsilon) {
    std::vector<std::size_t> order = front;
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return rankValue(designs[a].objective(Objective::Price)) <
               rankValue(designs[b].objective(Objective::Price));
    });
    for (auto& d : designs) {
        d.listed = false;
        d.similar = 0;
    }
    const double factor = 1 + std::max(0.0, epsilon);
    const ObjectiveRows rows = objectiveRows(designs, order, objectives);
    // With no epsilon every front design is listed, ties included.
    const auto covers = [&](std::size_t l, std::size_t f) {
        if (!(epsilon > 0)) return false;
        for (std::size_t k = 0; k < rows.m; ++k) {
            const double bound = rows.at(f, k) * factor;
            if (!(rows.at(l, k) <= bound)) return false;
        }
        return true;
    };
    std::vector<std::size_t> listedRows;
    for (std::size_t f = 0; f < order.size(); ++f) {
        const auto by = std::find_if(listedRows.begin(), listedRows.end(),
                                     [&](std::size_t l) { return covers(l, f); });
        if (by != listedRows.end()) {
            ++designs[order[*by]].similar;
        } else {
            listedRows.push_back(f);
        }
    }
    std::vector<std::size_t> listed;
    listed.reserve(listedRows.size());
    for (const std::size_t l : listedRows) {
        listed.push_back(order[l]);
        designs[order[l]].listed = true;
    }
    return listed;
}

void chooseObjectives(DesignSpace& space, const std::vector<Objective>& objectives,
                      double epsilon) {
    space.objectives = objectives;
    space.epsilon = epsilon;
    space.front = tradeOffFront(space.designs, objectives);
    space.listed = thinnedFront(space.designs, space.front, objectives, epsilon);
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
        case Objective::CheckLoss:
            return checkTotalLossW;
        case Objective::CheckRise:
            return checkTempRiseC;
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

DesignSpace explore_design_space(const DesignRecord& record, const ExploreSettings& settings) {
    DesignSpace space;
    space.objectives = settings.objectives;
    space.epsilon = settings.epsilon;
    space.checkFigures = settings.checkFigures || needsCheckFigures(settings.objectives);
    const std::vector<std::int8_t> shapes = exploredShapes(record.applicationType);
    SweepPlan plan;
    plan.windings = exploredWindings(record.applicationType);
    plan.strandsMax = std::clamp(settings.strandsMax, 1, kMaxStrands);
    plan.objectives = settings.objectives;
    plan.checkFigures = space.checkFigures;
    const int stackMax = std::clamp(settings.stackMax, 1, kMaxStack);

    std::vector<SweepTask> tasks;
    for (const std::int8_t shape : shapes) {
        if (settings.refusals) {
            SweepTask refusals;
            refusals.shape = shape;
            refusals.refusals = true;
            tasks.push_back(std::move(refusals));
        }
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
    runTasks(record, plan, tasks, std::min(threads, static_cast<int>(tasks.size())));

    std::size_t count = 0;
    for (const auto& task : tasks)
        count += task.designs.size();
    space.designs.reserve(count);
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
    std::vector<std::size_t> candidates;
    for (std::size_t i = 0; i < space.designs.size(); ++i) {
        if (space.designs[i].onFront) candidates.push_back(i);
    }
    space.front = frontAmong(space.designs, candidates, space.objectives);
    for (const std::size_t i : candidates)
        space.designs[i].onFront = false;
    for (const std::size_t i : space.front)
        space.designs[i].onFront = true;
    space.listed = thinnedFront(space.designs, space.front, space.objectives, space.epsilon);
    return space;
}

}  // namespace korvell
