// Candidate core screening: walks the catalog of the selected shape from where the previous call
// stopped and settles on the first core that carries the required inductance at the operating
// current with enough permeability left, fixing its operating-point permeability and turns.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "platform/Messages.h"
#include "record/DesignRecord.h"

namespace korvell {

// Hears each core that the screening or the winding refuses, with the record holding the
// candidate and the first limit that refused it and its figure ("PERMEABILITY 38 % < 40 %").
using RefusalReport = std::function<void(const DesignRecord& candidate, std::string_view reason)>;

// Next candidate core. restart != 0 starts again at catalog row 0. Returns the catalog status of
// the accepted candidate (>= 2), 0 when the catalog is exhausted, or -2 on a restart call when no
// core qualifies and the energy requirement exceeds every core's rating. Sets the candidate-core
// fields, percentPerm and turns. `refusals`, if given, hears every core of an allowed material
// that the operating-point solution refuses.
int next_core(DesignRecord& record, Messages& messages, int restart, float minPerm,
              std::int8_t application, const RefusalReport* refusals = nullptr);

// Whether cores of a shape can serve an application at all. Composite toroids cannot serve the
// powerline choke (the composites have no AC permeability data) nor the resonant inductor (which
// is wound only on -11, -13, -16 and -17); every other pairing can.
bool shapeServesApplication(std::int8_t shape, int application);

// 1 when the material code of corePartNumber is one of selectedMaterials, else 0.
int material_selected(const DesignRecord& record);

// Whether the screening of the record's application and shape takes only cores of the selected
// materials (the resonant screening has its own materials, composite cores are taken whatever
// is selected), and no material is selected: then no core can pass.
bool noSelectedMaterialServes(const DesignRecord& record);

// Operating point under DC bias: solves H² · P(H)/100 = (0.4π I / le)² · N0² for the DC
// magnetizing force H (oersted) with a damped Newton iteration. Returns 1 when the percent
// permeability there is at least minPerm, else 0; sets percentPerm and dcMagnetizingForce.
// L in mH, I in A, Al in nH/turn², le in cm. On a refusal `refusal`, if given, receives the
// reason: the permeability against its minimum, or the bias beyond the curves.
int dc_bias_solution(DesignRecord& record, std::string_view material, int initialPermeability,
                     float L, float I, float Al, float le, float minPerm,
                     std::string* refusal = nullptr);

// Swinging choke: the percent permeability at the maximum current I1 when the core gives L1 at
// I1 and (controlled swing) no more than, or (wide swing) at least, L2 at the minimum current
// I2; -1 when the requirement cannot be met. L in mH, I in A. Reads coreLe, coreAl, coreShape.
// When the wide swing's minimum-current requirement sets the turns, `minCurrentTurns` (if given)
// receives them (not rounded) and the permeability returned is the one at I1 with those turns;
// otherwise it is left as it was.
float swing_solution(DesignRecord& record, Messages& messages, int application,
                     std::string_view material, float L2, float L1, float I2, float I1,
                     double* minCurrentTurns = nullptr);

}  // namespace korvell
