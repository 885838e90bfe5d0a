#include "analysis/shaking_force.h"

#include "analysis/crank_grid.h"

#include <cmath>

namespace radial {

EngineVector shaking_force(const std::vector<ExactPiston>& pistons, double theta) {
    double along_1 = 0;  // +y
    double across_1 = 0; // +x
    for (const ExactPiston& piston : pistons) {
        const double acceleration = piston.at(theta).acceleration;
        along_1 -= acceleration * std::cos(piston.axis());
        across_1 -= acceleration * std::sin(piston.axis());
    }
    const double r = pistons.empty() ? 1 : pistons.front().crank();
    return {along_1 / r, across_1 / r};
}

std::vector<EngineVector> sample_force(const ForceAtAngle& force, int samples) {
    const CrankGrid grid{samples};
    std::vector<EngineVector> forces;
    forces.reserve(static_cast<std::size_t>(samples));
    for (int j = 0; j < samples; ++j) {
        forces.push_back(force(grid.angle(j)));
    }
    return forces;
}

std::vector<EngineVector> sample_force_twice_as_finely(const ForceAtAngle& force,
                                                       const std::vector<EngineVector>& samples) {
    const CrankGrid grid{2 * static_cast<int>(samples.size())};
    std::vector<EngineVector> forces;
    forces.reserve(static_cast<std::size_t>(grid.steps));
    for (int j = 0; j < grid.steps; ++j) {
        forces.push_back(j % 2 == 0 ? samples[static_cast<std::size_t>(j / 2)]
                                    : force(grid.angle(j)));
    }
    return forces;
}

std::vector<EngineVector> sample_shaking_force(const std::vector<ExactPiston>& pistons,
                                               int samples) {
    return sample_force([&pistons](double theta) { return shaking_force(pistons, theta); },
                        samples);
}

std::vector<EngineVector> sample_twice_as_finely(const std::vector<ExactPiston>& pistons,
                                                 const std::vector<EngineVector>& samples) {
    return sample_force_twice_as_finely(
        [&pistons](double theta) { return shaking_force(pistons, theta); }, samples);
}

} // namespace radial
