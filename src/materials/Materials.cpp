#include "materials/Materials.h"

namespace korvell {

const MaterialFacts* findMaterial(std::string_view code) {
    for (const MaterialFacts& m : materialTable())
        if (m.code == code) return &m;
    return nullptr;
}

bool materialIn(std::string_view code, MaterialGroup group) {
    const MaterialFacts* m = findMaterial(code);
    return m != nullptr && (m->groups & group) != 0;
}

std::optional<float> initialPermeability(std::string_view code) {
    if (const MaterialFacts* m = findMaterial(code)) return m->initialPermeability;
    return std::nullopt;
}

std::optional<float> coreDensity(std::string_view code) {
    const MaterialFacts* m = findMaterial(code);
    if (m == nullptr) return std::nullopt;
    if (m->lossEquivalent != m->code) return coreDensity(m->lossEquivalent);
    if (!(m->densityGPerCm3 > 0)) return std::nullopt;
    return m->densityGPerCm3;
}

LossEquivalent lossEquivalent(std::string_view code) {
    if (const MaterialFacts* m = findMaterial(code)) return {m->lossEquivalent, m->lossVolumeShare};
    return {code, 1};
}

}  // namespace korvell
