// The material table. Initial permeabilities are the maker's grades; densities are those of
// the pressed powders (the lower the permeability, the more insulating binder and the lower the
// density). The descriptions are the material selector's words, and the tests hold the loss,
// price and permeability rows to them.
#include <array>

#include "materials/Materials.h"

namespace korvell {
namespace {

constexpr unsigned kSelectable = kSelectableMaterial;
constexpr const char* kLowPermeability =
    "Low permeability which results in low operating flux density with no additional gap loss.";
constexpr const char* kThirteenAlternate =
    "Inexpensive alternate to -13 material for applications where high frequency core loss is "
    "not critical.  Good linearity at high bias.";

constexpr std::array<MaterialFacts, 18> kMaterials = {{
    {"-11", 10, 5.0f, "-11", 1, kSelectable | kConstantAcPermeability | kResonantMaterial,
     kLowPermeability},
    {"-13", 35, 6.0f, "-13", 1, kSelectable | kConstantAcPermeability | kResonantMaterial,
     "Low core loss and good linearity under high bias conditions.  A good high frequency "
     "material.  Highest cost. "},
    {"-16", 14, 5.3f, "-16", 1, kSelectable | kConstantAcPermeability | kResonantMaterial,
     kLowPermeability},
    {"-17", 40, 6.2f, "-17", 1, kSelectable | kResonantMaterial,
     "Low core loss similar to -13 with higher permeability and low cost.  Good DC saturation "
     "Characteristics"},
    {"-21", 75, 7.0f, "-21", 1, kSelectable,
     "General purpose, cost effective for a wide variety of power conversion and line filter "
     "applications."},
    {"-23", 33, 6.0f, "-23", 1, kSelectable,
     "Good Linearity, low cost, relatively low permeability.  Popular in large sizes for high "
     "power UPS chokes"},
    {"-25", 33, 6.0f, "-25", 1, kSelectable, kThirteenAlternate},
    {"-27", 46, 6.4f, "-27", 1, kSelectable, kThirteenAlternate},
    {"-29", 90, 7.1f, "-29", 1, kSelectable,
     "A higher permeability alternate to -21 material.  A low cost material best used at line "
     "frequency."},
    {"-31", 60, 6.7f, "-31", 1, kSelectable,
     "The least expensive material.  Characteristics similar to -21 material.  Popular in large "
     "sizes."},
    {"-32", 100, 7.2f, "-32", 1, kSelectable,
     "The highest permeability material.  A high permeability alternate ot -36 material with "
     "slightly higher core loses."},
    {"-36", 75, 7.0f, "-36", 1, kSelectable,
     "Lower core loss at high frequency and same permeability as -21 material.  Widely used for "
     "high frequency choke designs."},
    {"-37", 46, 6.4f, "-37", 1, kSelectable | kNegligibleAgingMaterial,
     "Moderate core loss for use in high power and automotive applications.  Good linearity with "
     "DC bias.  Less expensive than -39 Material."},
    {"-39", 66, 6.8f, "-39", 1, kSelectable | kConstantAcPermeability | kNegligibleAgingMaterial,
     "Higher permeabililty than -37 Matrial.  Core losses are similar at highest frequencies and "
     "lower at low frequencies.  Price competitive in small sizes."},
    // Discontinued: still analysed, replaced by -23, -25 and -27.
    {"-22", 70, 0, "-22", 1, kDiscontinuedMaterial, ""},
    {"-24", 55, 0, "-24", 1, kDiscontinuedMaterial, ""},
    // Composites: ferrite and iron powder, losing as -36 on 0.67 (-411) or 0.75 (-413) of the
    // volume, and weighed as -36.
    {"-411", 50, 0, "-36", 0.67, kCompositeMaterial, ""},
    {"-413", 60, 0, "-36", 0.75, kCompositeMaterial, ""},
}};

}  // namespace

std::span<const MaterialFacts> materialTable() {
    return kMaterials;
}

}  // namespace korvell
