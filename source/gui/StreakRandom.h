#pragma once

#include <cstdint>

namespace vorn::gui
{
/** The minimal-standard (Park-Miller) generator behind the panel's streak
    texture: a fixed seed gives the same texture on every draw. */
class StreakRandom
{
public:
    explicit StreakRandom (std::int64_t seed) : state (seed) {}

    /** Advances the state, then returns state / 2^31 in single precision. */
    float next()
    {
        state = state * 16807 % 2147483647;
        return static_cast<float> (state) * 4.656612873077392578125e-10f;
    }

private:
    std::int64_t state;
};
} // namespace vorn::gui
