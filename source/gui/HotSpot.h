#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

namespace vorn::gui
{
/** An invisible area with a tooltip and, optionally, a click action. It
    swallows clicks, so nothing below it receives them. */
class HotSpot : public juce::Component,
                public juce::SettableTooltipClient
{
public:
    HotSpot() = default;
    ~HotSpot() override;

    /** Called for a real click: a press released inside without a drag. */
    std::function<void()> onClick;

    void mouseUp (const juce::MouseEvent&) override;

    /** A link when it has a click action, else text that reads its tooltip. */
    std::unique_ptr<juce::AccessibilityHandler> createAccessibilityHandler() override;

private:
    JUCE_DECLARE_NON_COPYABLE (HotSpot)
};
} // namespace vorn::gui
