// Compiled with floating-point contraction off: a fused multiply-add would
// round differently from the framework's filter.
#include "SectionPipeline.h"

#include <array>
#include <algorithm>
#include <cstdint>

#if defined (__SSE2__) || defined (_M_X64) || (defined (_M_IX86_FP) && _M_IX86_FP >= 2)
 #include <emmintrin.h>
 #define VORN_PIPELINE_SSE2 1
#elif defined (__ARM_NEON) || defined (__ARM_NEON__)
 #include <arm_neon.h>
 #define VORN_PIPELINE_NEON 1
#endif

namespace
{
//==============================================================================
// Four float lanes and the few operations the pipeline needs.
#if VORN_PIPELINE_SSE2
using Vec = __m128;
using Mask = __m128;

inline Vec load (const float* p) { return _mm_loadu_ps (p); }
inline void store (float* p, Vec v) { _mm_storeu_ps (p, v); }
inline Vec add (Vec a, Vec b) { return _mm_add_ps (a, b); }
inline Vec sub (Vec a, Vec b) { return _mm_sub_ps (a, b); }
inline Vec mul (Vec a, Vec b) { return _mm_mul_ps (a, b); }

/** { x, y0, y1, y2 }: the lanes move up by one and x enters lane 0. */
inline Vec shiftIn (float x, Vec y)
{
    const auto xxyy = _mm_shuffle_ps (_mm_set_ss (x), y, _MM_SHUFFLE (0, 0, 0, 0));
    return _mm_shuffle_ps (xxyy, y, _MM_SHUFFLE (2, 1, 2, 0));
}

/** { low3, high0, high1, high2 }: the top lane of low enters lane 0 of high. */
inline Vec shiftAcross (Vec low, Vec high)
{
    const auto llhh = _mm_shuffle_ps (low, high, _MM_SHUFFLE (0, 0, 3, 3));
    return _mm_shuffle_ps (llhh, high, _MM_SHUFFLE (2, 1, 2, 0));
}

inline float topLane (Vec v) { return _mm_cvtss_f32 (_mm_shuffle_ps (v, v, _MM_SHUFFLE (3, 3, 3, 3))); }

inline Mask makeMask (const std::array<bool, 4>& on)
{
    return _mm_castsi128_ps (_mm_set_epi32 (on[3] ? -1 : 0, on[2] ? -1 : 0, on[1] ? -1 : 0, on[0] ? -1 : 0));
}

inline Vec select (Mask m, Vec ifOn, Vec ifOff) { return _mm_or_ps (_mm_and_ps (m, ifOn), _mm_andnot_ps (m, ifOff)); }

#elif VORN_PIPELINE_NEON
using Vec = float32x4_t;
using Mask = uint32x4_t;

inline Vec load (const float* p) { return vld1q_f32 (p); }
inline void store (float* p, Vec v) { vst1q_f32 (p, v); }
inline Vec add (Vec a, Vec b) { return vaddq_f32 (a, b); }
inline Vec sub (Vec a, Vec b) { return vsubq_f32 (a, b); }
inline Vec mul (Vec a, Vec b) { return vmulq_f32 (a, b); }
inline Vec shiftIn (float x, Vec y) { return vextq_f32 (vdupq_n_f32 (x), y, 3); }
inline Vec shiftAcross (Vec low, Vec high) { return vextq_f32 (low, high, 3); }
inline float topLane (Vec v) { return vgetq_lane_f32 (v, 3); }

inline Mask makeMask (const std::array<bool, 4>& on)
{
    const uint32_t bits[4] { on[0] ? ~0u : 0u, on[1] ? ~0u : 0u, on[2] ? ~0u : 0u, on[3] ? ~0u : 0u };
    return vld1q_u32 (bits);
}

inline Vec select (Mask m, Vec ifOn, Vec ifOff) { return vbslq_f32 (m, ifOn, ifOff); }

#else
struct Vec
{
    std::array<float, 4> v;
};
using Mask = std::array<bool, 4>;

template <typename Op>
inline Vec lanewise (Vec a, Vec b, Op op)
{
    return { { op (a.v[0], b.v[0]), op (a.v[1], b.v[1]), op (a.v[2], b.v[2]), op (a.v[3], b.v[3]) } };
}

inline Vec load (const float* p) { return { { p[0], p[1], p[2], p[3] } }; }
inline void store (float* p, Vec v) { for (auto i = 0; i < 4; ++i) p[i] = v.v[i]; }
inline Vec add (Vec a, Vec b) { return lanewise (a, b, [] (float x, float y) { return x + y; }); }
inline Vec sub (Vec a, Vec b) { return lanewise (a, b, [] (float x, float y) { return x - y; }); }
inline Vec mul (Vec a, Vec b) { return lanewise (a, b, [] (float x, float y) { return x * y; }); }
inline Vec shiftIn (float x, Vec y) { return { { x, y.v[0], y.v[1], y.v[2] } }; }
inline Vec shiftAcross (Vec low, Vec high) { return { { low.v[3], high.v[0], high.v[1], high.v[2] } }; }
inline float topLane (Vec v) { return v.v[3]; }
inline Mask makeMask (const std::array<bool, 4>& on) { return on; }
inline Vec select (Mask m, Vec ifOn, Vec ifOff)
{
    return { { m[0] ? ifOn.v[0] : ifOff.v[0], m[1] ? ifOn.v[1] : ifOff.v[1], m[2] ? ifOn.v[2] : ifOff.v[2], m[3] ? ifOn.v[3] : ifOff.v[3] } };
}
#endif

//==============================================================================
/** The coefficients of sections 0-3 (low) and 4-7 (high). */
struct Coefficients
{
    explicit Coefficients (const SectionPipeline::Terms& t)
        : b0l (load (t.b0)), b0h (load (t.b0 + 4)),
          b1l (load (t.b1)), b1h (load (t.b1 + 4)),
          b2l (load (t.b2)), b2h (load (t.b2 + 4)),
          a1l (load (t.a1)), a1h (load (t.a1 + 4)),
          a2l (load (t.a2)), a2h (load (t.a2 + 4))
    {
    }

    Vec b0l, b0h, b1l, b1h, b2l, b2h, a1l, a1h, a2l, a2h;
};

/** One channel's pipeline: each lane's last output and its section's state. */
struct Lanes
{
    explicit Lanes (const SectionPipeline::Channel& c)
        : channel (c),
          s1l (load (c.s1)), s1h (load (c.s1 + 4)),
          s2l (load (c.s2)), s2h (load (c.s2 + 4))
    {
    }

    void keepState() const
    {
        store (channel.s1, s1l);
        store (channel.s1 + 4, s1h);
        store (channel.s2, s2l);
        store (channel.s2 + 4, s2h);
    }

    SectionPipeline::Channel channel;
    Vec yl = load (zeros.data()), yh = load (zeros.data());
    Vec s1l, s1h, s2l, s2h;

    alignas (16) static constexpr std::array<float, 4> zeros {};
};

/** One step of every lane: the framework's arithmetic, in its order. */
template <bool everyLaneWorks>
inline void step (const Coefficients& k, Lanes& p, float input, Mask workingLow, Mask workingHigh)
{
    const auto xl = shiftIn (input, p.yl);
    const auto xh = shiftAcross (p.yl, p.yh);

    const auto yl = add (mul (xl, k.b0l), p.s1l);
    const auto yh = add (mul (xh, k.b0h), p.s1h);
    const auto s1l = add (sub (mul (xl, k.b1l), mul (yl, k.a1l)), p.s2l);
    const auto s1h = add (sub (mul (xh, k.b1h), mul (yh, k.a1h)), p.s2h);
    const auto s2l = sub (mul (xl, k.b2l), mul (yl, k.a2l));
    const auto s2h = sub (mul (xh, k.b2h), mul (yh, k.a2h));

    // A lane's output is only ever read by the next lane one step later, when
    // that lane works exactly if this one worked now: no mask needed for it.
    p.yl = yl;
    p.yh = yh;

    if constexpr (everyLaneWorks)
    {
        p.s1l = s1l;
        p.s1h = s1h;
        p.s2l = s2l;
        p.s2h = s2h;
    }
    else
    {
        p.s1l = select (workingLow, s1l, p.s1l);
        p.s1h = select (workingHigh, s1h, p.s1h);
        p.s2l = select (workingLow, s2l, p.s2l);
        p.s2h = select (workingHigh, s2h, p.s2h);
    }
}

constexpr int lag = 7; // the last section's lane runs seven samples behind the first

/** Lane k works at step t on sample t - k, when that sample is in the block. */
std::array<bool, 4> workingLanes (int t, int firstLane, int numSamples)
{
    std::array<bool, 4> on {};
    for (auto i = 0; i < 4; ++i)
        on[static_cast<size_t> (i)] = t - (firstLane + i) >= 0 && t - (firstLane + i) < numSamples;
    return on;
}

template <size_t numChannels>
void run (const SectionPipeline::Terms& terms, std::array<Lanes, numChannels>& lanes, int numSamples)
{
    const Coefficients k (terms);
    const auto fullFrom = lag, fullTo = numSamples; // steps in which every lane works

    const auto partialStep = [&] (int t)
    {
        const auto low = makeMask (workingLanes (t, 0, numSamples));
        const auto high = makeMask (workingLanes (t, 4, numSamples));

        for (auto& p : lanes)
        {
            step<false> (k, p, t < numSamples ? p.channel.samples[t] : 0.0f, low, high);
            if (t >= lag)
                p.channel.samples[t - lag] = topLane (p.yh);
        }
    };

    auto t = 0;
    for (; t < std::min (fullFrom, numSamples + lag); ++t)
        partialStep (t);

    const auto none = makeMask ({});
    for (; t < fullTo; ++t)
        for (auto& p : lanes)
        {
            step<true> (k, p, p.channel.samples[t], none, none);
            p.channel.samples[t - lag] = topLane (p.yh);
        }

    for (; t < numSamples + lag; ++t)
        partialStep (t);

    for (auto& p : lanes)
        p.keepState();
}
} // namespace

void SectionPipeline::processMono (const Terms& terms, Channel channel, int numSamples)
{
    std::array<Lanes, 1> lanes { Lanes (channel) };
    run (terms, lanes, numSamples);
}

void SectionPipeline::processStereo (const Terms& terms, Channel left, Channel right, int numSamples)
{
    std::array<Lanes, 2> lanes { Lanes (left), Lanes (right) };
    run (terms, lanes, numSamples);
}

const char* SectionPipeline::instructionSet()
{
   #if VORN_PIPELINE_SSE2
    return "SSE2, 4 lanes x 2 registers per channel";
   #elif VORN_PIPELINE_NEON
    return "NEON, 4 lanes x 2 registers per channel";
   #else
    return "scalar";
   #endif
}
