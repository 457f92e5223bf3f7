#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <atomic>
#include <functional>

namespace vorn::gui
{
/** Draws the lamp: bezel, well, the red glows when lit, the lens and its
    specular dot. The centre (cx, cy) is in the graphics context's coordinates. */
void drawLedFace (juce::Graphics&, bool lit, float cx, float cy, float r);

/** The clip lamp. 30 times a second it takes the processor's clip flag in one
    atomic exchange and stays lit for one second after the last clip it saw;
    a click puts it out at once. */
class ClipLed : public juce::Component,
                public juce::SettableTooltipClient,
                public juce::Timer
{
public:
    /** The clock gives milliseconds; it is the framework's high-resolution
        counter unless a test drives the time by hand. */
    explicit ClipLed (std::atomic<bool>& clipFlag,
                      std::function<double()> clock = juce::Time::getMillisecondCounterHiRes);
    ~ClipLed() override;

    void mouseDown (const juce::MouseEvent&) override;
    void paint (juce::Graphics&) override;
    void timerCallback() override;

    /** Reports "Clip" or "No clip"; pressing it clears, as a click does. */
    std::unique_ptr<juce::AccessibilityHandler> createAccessibilityHandler() override;

    bool isLit() const noexcept { return lit; }

private:
    void clear();
    void show (bool shouldLight);

    std::atomic<bool>& clipFlag;
    std::function<double()> clock;
    double holdUntil = 0.0;
    bool lit = false;

    JUCE_DECLARE_NON_COPYABLE (ClipLed)
};
} // namespace vorn::gui
