// What the program knows of each material, one row per code: its initial permeability, its
// density, the material whose loss and aging coefficients stand for it, the groups the models
// treat alike, and the material selector's description. Adding a material is one row here plus
// its curve, loss, aging and price rows beside their models.
#pragma once

#include <optional>
#include <span>
#include <string_view>

namespace korvell {

// The groups of materials the models treat alike.
enum MaterialGroup : unsigned {
    // One of the fourteen materials of the material selector (and of the search's selection).
    kSelectableMaterial = 1u << 0,
    // No longer made: analysed with a notice that names the materials that replace it.
    kDiscontinuedMaterial = 1u << 1,
    // The powerline solution takes its AC permeability as constant (100 %).
    kConstantAcPermeability = 1u << 2,
    // Low enough in loss and permeability to serve resonant inductors.
    kResonantMaterial = 1u << 3,
    // A ferrite / iron-powder composite: no AC or saturation data; loss and aging as its
    // equivalent iron powder on part of the volume.
    kCompositeMaterial = 1u << 4,
    // Its aging is negligible: no temperature-against-time graph is drawn for it.
    kNegligibleAgingMaterial = 1u << 5,
};

struct MaterialFacts {
    std::string_view code;      // "-21"
    float initialPermeability;  // µi
    float densityGPerCm3;       // 0: not known (discontinued materials are not weighed)
    // The material whose loss and aging rows this one's loss is computed with, and the share
    // of the core's volume that loses: a composite loses as -36 on part of its volume.
    std::string_view lossEquivalent;
    double lossVolumeShare;
    unsigned groups;
    // The words of the material selector; claims about this table and the models' rows, which
    // a test checks against them. Empty for a material the selector does not list.
    std::string_view description;
};

// Every material, selectable ones first in the selector's order.
std::span<const MaterialFacts> materialTable();

// The row of a material code, by exact comparison; none for an unknown code.
const MaterialFacts* findMaterial(std::string_view code);

// Whether `code` is a known material of `group`.
bool materialIn(std::string_view code, MaterialGroup group);

// Initial permeability of a material; none for an unknown code.
std::optional<float> initialPermeability(std::string_view code);

// Density (g/cm³) a core of this material is weighed with: a composite's loss equivalent's;
// none for discontinued and unknown codes.
std::optional<float> coreDensity(std::string_view code);

// The code whose loss and aging rows stand for `code` (itself for an iron powder), and the
// share of the volume that loses (1 for an iron powder).
struct LossEquivalent {
    std::string_view code;
    double volumeShare;
};
LossEquivalent lossEquivalent(std::string_view code);

}  // namespace korvell
