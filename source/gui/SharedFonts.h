#pragma once

#include <juce_graphics/juce_graphics.h>

namespace vorn::gui
{
/** The editor's three typefaces, made once from the fonts compiled into the
    plug-in and shared by every component that draws text. Reach it only
    through a juce::SharedResourcePointer: the first holder creates it, the
    last one deletes it. */
class SharedFonts
{
public:
    SharedFonts();

    /** Narrow gothic, for captions, values and menus. */
    juce::Font getGothicFont (float height, float extraKerning) const;
    /** The gothic's light weight, for the product caption. */
    juce::Font getGothicLightFont (float height, float extraKerning) const;
    /** Medium sans, for tooltips and button letters. */
    juce::Font getSansFont (float height, float extraKerning) const;

private:
    static juce::Font makeFont (const juce::Typeface::Ptr& typeface, float height, float extraKerning);

    juce::Typeface::Ptr gothic, gothicLight, sans;

    JUCE_DECLARE_NON_COPYABLE (SharedFonts)
};
} // namespace vorn::gui
