#pragma once

#include "SharedFonts.h"

#include <juce_gui_basics/juce_gui_basics.h>

namespace vorn::gui
{
/** Draws a slot button: a dark recessed key that, when active, lights up as
    a green scan-lined display with a black letter, and otherwise shows a
    glowing green letter whose glow strengthens under the pointer. */
void drawHeaderButtonFace (juce::Graphics&, const juce::String& text, const juce::Font& font, juce::Colour baseColour,
                           bool active, bool highlighted, juce::Rectangle<float> bounds);

/** The A or B button of a setting slot. It only decides how it looks: the
    editor sets its toggle state from the active slot. */
class HeaderButton : public juce::Button
{
public:
    explicit HeaderButton (const juce::String& text);
    ~HeaderButton() override;

    void paintButton (juce::Graphics&, bool shouldDrawButtonAsHighlighted, bool shouldDrawButtonAsDown) override;

    /** A button that says whether its slot is active; pressing it clicks. */
    std::unique_ptr<juce::AccessibilityHandler> createAccessibilityHandler() override;

private:
    juce::SharedResourcePointer<SharedFonts> fonts;

    JUCE_DECLARE_NON_COPYABLE (HeaderButton)
};
} // namespace vorn::gui
