// Curves of the material-property graphs (kinds 1-6): the point generators, the axis settings
// of each kind and the set of curves a kind draws for a design record. Plain C++; the graph
// window draws what these produce, the command line prints it.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Messages.h"
#include "record/DesignRecord.h"

namespace korvell {

struct CurvePoint {
    float x;
    float y;
};
using Curve = std::vector<CurvePoint>;

// Points per material curve (the size of the graph's point buffers).
constexpr int kCurvePoints = 60;

// True for the composite codes -411 and -413, with or without a letter suffix ("-411A").
bool isCompositeMaterial(std::string_view code);

// Percent permeability against DC bias (oersted). H_i = floor(1.27045^i s) up to H_max
// (350 Oe, s = 2.5; 250 Oe, s = 1 for -32 and -39), the last value repeated beyond; composites
// 0.1 c^i up to 100 with c = (2 * 350 / 2.5)^(1 / (n - 1)), i.e. 0.1 to 28 Oe for 60 points.
// None when the material has no DC-bias curve or n < 1; n is limited to kCurvePoints.
std::optional<Curve> DcBiasCurve(std::string_view material, int n);

// Percent permeability against peak AC flux density B_i = floor(1.12421^i 10 + 0.5) gauss, up to
// 12000: the curve itself, or with useOperatingSolver the operating point of a winding whose
// flux at initial permeability is B_i. None for the composites and unknown materials.
std::optional<Curve> AcFluxCurve(Messages& messages, std::string_view material,
                                 bool useOperatingSolver, int n);

// Effective permeability at f_i = 1.2154^i 1000 Hz (1 kHz to about 100 MHz for 60 points).
// None for a material without a frequency curve (-22, -24, the composites).
std::optional<Curve> FrequencyCurve(std::string_view material, int n);

// Core loss density (mW/cm³) at fHz and B_i = floor(1.12421^i + 0.5) 10 gauss (10 to 10000).
// None for a material without loss data.
std::optional<Curve> CoreLossCurve(std::string_view material, double fHz, int n);

// Captions and axes of a material graph. The x axis is logarithmic from xMin over xDecades.
// A linear y axis (yDecades 0) spans yMin..yMax and places (y - yMin) * sY; a logarithmic one
// starts at sY and spans yDecades.
struct MaterialGraphSettings {
    int kind;
    std::string_view title;
    std::string_view xCaption;
    std::string_view yCaption;
    double xMin;
    int xDecades;
    double yMin;
    double yMax;
    double sY;
    int yDecades;
    bool sYIsInitialPermeability;  // kind 1: each curve's sY is its material's mu_i / 100
};

// Settings of kinds 1-6; kind 2 for a composite graphMaterialCode starts at 0.1 Oe. None for
// any other kind.
std::optional<MaterialGraphSettings> materialGraphSettings(int kind,
                                                           std::string_view graphMaterialCode);

// One curve of a material graph with the position of its material label (data units): the
// kind's label point of the curve, raised by some units for kinds 3 and 4.
struct MaterialCurve {
    std::string material;
    Curve points;  // in the generator's units (percent for kind 1)
    double sY;     // the y scale the graph applies to this curve
    CurvePoint label;
    std::size_t labelIndex = 0;  // the point the label stands at
};

// The curves of graph `kind` (1-6) as the graph window draws them: record.graphMaterialCode
// alone when it is set, else each non-empty slot of record.selectedMaterials in order.
// Materials without a curve of this kind are left out.
std::vector<MaterialCurve> materialGraphCurves(const DesignRecord& record, Messages& messages,
                                               int kind);

// A curve value as read on the graph's y axis (kind 1: absolute permeability).
double valueOnAxis(const MaterialGraphSettings& settings, const MaterialCurve& curve, float y);

}  // namespace korvell
