#pragma once

/** Runs eight second-order sections in series over a block, the way a chain
    of juce::dsp::IIR::Filter<float> does, but sample by sample with all eight
    sections in vector lanes: lane k works on section k one sample behind lane
    k - 1. The pipeline fills during the first seven steps of a block and
    drains during the seven after its last sample; a lane whose section has no
    sample to work on leaves its state alone. Every section performs the
    framework's arithmetic, in its order and in single precision:
        out = in * b0 + s1;  s1 = in * b1 - out * a1 + s2;  s2 = in * b2 - out * a2.
    The states are not snapped to zero here; the caller does that at the end
    of the block, as the framework's filter does. */
struct SectionPipeline
{
    /** Normalised coefficients, eight of each (section k at index k). */
    struct Terms
    {
        const float* b0;
        const float* b1;
        const float* b2;
        const float* a1;
        const float* a2;
    };

    /** One channel: its samples, filtered in place, and its eight sections'
        states, carried from block to block. */
    struct Channel
    {
        float* samples;
        float* s1;
        float* s2;
    };

    static void processMono (const Terms&, Channel, int numSamples);
    static void processStereo (const Terms&, Channel left, Channel right, int numSamples);

    /** The vector instructions the kernel was built with: SSE2, NEON or scalar, and the lanes. */
    static const char* instructionSet();
};
