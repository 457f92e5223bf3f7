#include "HotSpot.h"

namespace vorn::gui
{
HotSpot::~HotSpot() = default;

void HotSpot::mouseUp (const juce::MouseEvent& e)
{
    if (onClick != nullptr && e.mouseWasClicked() && getLocalBounds().contains (e.getPosition()))
        onClick();
}
} // namespace vorn::gui
