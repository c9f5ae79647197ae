// The analyzed inductor as a MAS 1.0.0 document (Magnetic Agnostic Structure, the open JSON format
// of the OpenMagnetics tools), conformance class A ("Inductor Basic"), so that a design can be
// taken into their simulators and solvers:
//   - inputs: the design requirements (the inductance as a minimum, a name, the topology closest
//     to the application) and one operating point: the winding's current and voltage over one
//     period at the frequency, and the ambient temperature;
//   - magnetic: the core (its shape with the catalog's dimensions, the material by name, the
//     stack) and a coil of one winding (turns, the round wire's conducting and outer diameters,
//     the strands as parallels);
//   - outputs: the inductance at the operating point, the winding and core losses and the
//     temperature, as the program's analysis gives them.
// Every figure in SI units (H, A, V, Hz, m, W, °C), as MAS has them. Figures MAS has no field for
// (the inductance at the swing's minimum current, thermal aging, price, the second opinion) are
// left out rather than put in a field that means something else.
#pragma once

#include <cstdint>
#include <string>

#include "analysis/Analysis.h"
#include "record/DesignRecord.h"

namespace korvell {

inline constexpr const char* kMasVersion = "1.0.0";
inline constexpr const char* kMasConformance = "A";

// MAS's name of the topology an application's inductor works in: buck for the DC-biased and
// swinging chokes, boost for PFC, a series resonant converter for the resonant inductor; empty
// for the powerline choke, which works in no converter MAS names.
std::string masTopology(std::int8_t application);

// The document of the design the record holds after AnalyzeDesign succeeded for
// record.applicationType, as JSON text (two-space indented, ending in a newline).
std::string masDocumentText(const DesignRecord& record, const AnalysisTable& table);

// The file name the desktop suggests: the part number with ".mas.json".
std::string masFileName(const DesignRecord& record);

}  // namespace korvell
