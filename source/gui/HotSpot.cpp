#include "HotSpot.h"

namespace vorn::gui
{
HotSpot::~HotSpot() = default;

std::unique_ptr<juce::AccessibilityHandler> HotSpot::createAccessibilityHandler()
{
    if (onClick == nullptr)
    {
        struct TooltipText : juce::AccessibilityHandler
        {
            explicit TooltipText (HotSpot& spot) : juce::AccessibilityHandler (spot, juce::AccessibilityRole::staticText), hotSpot (spot) {}
            juce::String getTitle() const override { return hotSpot.getTooltip(); }
            HotSpot& hotSpot;
        };
        return std::make_unique<TooltipText> (*this);
    }

    return std::make_unique<juce::AccessibilityHandler> (
        *this, juce::AccessibilityRole::hyperlink,
        juce::AccessibilityActions().addAction (juce::AccessibilityActionType::press, [this] { if (onClick != nullptr) onClick(); }));
}

void HotSpot::mouseUp (const juce::MouseEvent& e)
{
    if (onClick != nullptr && e.mouseWasClicked() && getLocalBounds().contains (e.getPosition()))
        onClick();
}
} // namespace vorn::gui
