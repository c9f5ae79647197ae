// AC resistance factor of a single-layer toroidal winding: skin effect of the wire plus the
// proximity effect of the neighbouring turns and of the core.
#pragma once

#include "record/DesignRecord.h"

namespace korvell {

// Fr = Rac / Rdc (at least 1) of the wire of gage `gage` (system `wireGageSystem`; metric: mm)
// at `frequencyKhz`, wound in one layer of `turns` × `wireStrands` conductors over the inside
// (`coreId`) and outside (`coreOd`) surfaces of a toroid of permeability `corePerm`. Leaves the
// wire in the record's current-wire fields. Returns 1 when gage × frequency is below 0.01, the
// frequency is not positive, the gage is not in the wire tables or the record holds no winding.
// `report` has no effect.
float calc_ac_res_Fr(DesignRecord& record, float gage, float frequencyKhz, int report);

// Proximity factor of the neighbouring turns, nearest table point to (pitch / wire diameter,
// wire diameter / skin depth); a pitch below 1 reads the pitch-1 column, above 5 the pitch-5 one.
float proximity_k1(float pitchDia, float diaDepth);

// Proximity factor of the core, nearest table point to (spacing, wire diameter / skin depth) in
// the table of the core's permeability (above 20, or 20 or less) and pitch band (below 1.22,
// below 1.6, 1.6 and above).
float proximity_k2(float permeability, float pitchDia, float spacing, float diaDepth);

// Skin-effect excess of a round wire, S = (x/2)(sinh x + sin x)/(cosh x − cos x) − 1, with
// x = 1.768 × diameter / skin depth; 0 for x at or below 1e-8 (and for NaN). Evaluated without
// cancellation or overflow for every finite x.
double skinEffectTerm(double x);

// Spacing between turns and from the core, in wire diameters: half the insulation build plus a
// clearance of 0.003 in on cores above 0.259 in OD (0.001 in on smaller ones), over the bare
// diameter.
double windingSpacing(float wireDia, float wireBareDia, float coreOd);

}  // namespace korvell
