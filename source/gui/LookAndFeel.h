#pragma once

#include "SharedFonts.h"

#include <juce_gui_basics/juce_gui_basics.h>

namespace vorn::gui
{
/** Restyles what the framework draws on the editor's behalf: tooltips, popup
    menus and the read-outs' inline text editor. Everything else is
    LookAndFeel_V4's dark scheme. */
class LookAndFeel : public juce::LookAndFeel_V4
{
public:
    LookAndFeel();
    ~LookAndFeel() override;

    void drawPopupMenuBackground (juce::Graphics&, int width, int height) override;
    juce::Font getPopupMenuFont() override;
    juce::Font getLabelFont (juce::Label&) override;
    juce::Rectangle<int> getTooltipBounds (const juce::String& tipText, juce::Point<int> mousePosition,
                                           juce::Rectangle<int> parentArea) override;
    void drawTooltip (juce::Graphics&, const juce::String& text, int width, int height) override;

private:
    juce::Font getTooltipFont() const;

    juce::SharedResourcePointer<SharedFonts> fonts;

    JUCE_DECLARE_NON_COPYABLE (LookAndFeel)
};
} // namespace vorn::gui
