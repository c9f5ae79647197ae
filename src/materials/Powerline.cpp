#include "materials/Powerline.h"

#include <array>
#include <cmath>
#include <optional>

#include "materials/Materials.h"
#include "materials/Permeability.h"

namespace korvell {

namespace {

constexpr double kFluxLimitGauss = 10000;
constexpr int kIterationLimit = 20;

// Materials whose AC permeability the solution takes as constant (100 %), matched as whole
// codes.
bool hasConstantAcPermeability(std::string_view material) {
    return materialIn(material, kConstantAcPermeability);
}

// Inductance (mH) of N turns on a core of Al (nH/turn²) at a permeability fraction P.
double inductanceMh(double N, double al, double P) {
    return N * N * al * P * 1e-6;
}

// Peak flux density (gauss) of N turns carrying peak current I at a permeability fraction P.
double peakFluxGauss(double N, double I, double al, double ae, double P) {
    return N * I * P * al / ae * 0.1;
}

}  // namespace

// Searches the turns from the initial-permeability estimate: the count grows (k = 1.1) or moves
// toward the minimum of the inductance-per-turn curve (k = sqrt(Nx / N)) while the rising AC
// permeability lets fewer turns meet both inductances, shrinks (k = 0.9) otherwise, and stops
// as soon as a trial would miss either requirement. 0 rejects the core.
float powerlineTurnsSolution(DesignRecord& record, Messages& messages, std::string_view material,
                             float L1f, float I1f, float L2f, float I2f, float aef, float alf) {
    double L1 = L1f, L2 = L2f;
    const double I1 = I1f, I2 = I2f, ae = aef, al = alf;
    for (const double v : {L1, L2, I1, I2, ae, al}) {
        if (!std::isfinite(v) || v < 0) return 0;
    }
    if (ae <= 0 || al <= 0) return 0;

    const double peak1 = std::sqrt(2.0) * I1;
    const double peak2 = std::sqrt(2.0) * I2;
    if (L1 * L2 == 0) L1 = L2 = L1 > 0 ? L1 : L2;

    // RMS flux density at initial permeability for the more demanding requirement.
    double X = std::sqrt(L2) * I2 >= std::sqrt(L1) * I1 ? std::sqrt(al * L2) * (100 / ae) * I2
                                                        : std::sqrt(al * L1) * (100 / ae) * I1;
    if (X > kFluxLimitGauss) return 0;

    if (hasConstantAcPermeability(material)) {
        record.turns = static_cast<float>(std::floor(1000 * std::sqrt(L1 / al) + 0.5));
        return 1;
    }

    double N = 1000 * std::sqrt(L1 / al) + 0.5;
    if (L1 * I1 * 1e5 / (N * ae) > kFluxLimitGauss) N = L1 * I1 * 1e5 / (kFluxLimitGauss * ae);

    double k = 0;
    int count = 0;
    double P1 = 0, P2 = 0;
    while (2 * kFluxLimitGauss > X) {
        const auto at1 = calc_pct_perm_ac(messages, N * peak1 * al / ae * 0.1, material);
        if (!at1) return 0;
        const auto at2 = calc_pct_perm_ac(messages, N * peak2 * al / ae * 0.1, material);
        if (!at2) return 0;
        P1 = at1->percent / 100;
        P2 = at2->percent / 100;
        const double S1 = at1->slope / 100;
        const double S2 = at2->slope / 100;

        if (std::fabs((1 - k) * N) < 0.5) break;
        if (count > kIterationLimit) break;
        ++count;

        const double D = I1 * I1 * P1 * S1 + I2 * I2 * P2 * S2;
        X = peakFluxGauss(N, peak1, al, ae, P1);
        k = 0.9;
        if (D < 0 && X < 1.2 * kFluxLimitGauss) {
            const double slopes = I1 * S1 + I2 * S2;
            if (slopes != 0) {
                const double Nx = -40 * ae / al / slopes;
                if (2 * N < Nx) {
                    k = 1.1;
                } else if (Nx > 0 && X < kFluxLimitGauss) {
                    k = std::sqrt(Nx / N);
                }
            }
        }

        if (inductanceMh(k * N, al, P1) < L1 || inductanceMh(k * N, al, P2) < L2) break;
        N = k * N;
        X = peakFluxGauss(N, peak1, al, ae, P1);
    }

    if (inductanceMh(N, al, P1) < L1 || inductanceMh(N, al, P2) < L2) return 0;
    if (X > 1.25 * kFluxLimitGauss) return 0;
    record.turns = static_cast<float>(std::floor(N + 0.5));
    return static_cast<float>(P1);
}

}  // namespace korvell
