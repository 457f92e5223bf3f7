#include "SharedFonts.h"

#include "VornResources.h"

namespace vorn::gui
{
SharedFonts::SharedFonts()
    : gothic (juce::Typeface::createSystemTypefaceFor (vorn_resources::BarlowCondensedRegular_ttf,
                                                       static_cast<size_t> (vorn_resources::BarlowCondensedRegular_ttfSize))),
      gothicLight (juce::Typeface::createSystemTypefaceFor (vorn_resources::BarlowCondensedLight_ttf,
                                                            static_cast<size_t> (vorn_resources::BarlowCondensedLight_ttfSize))),
      sans (juce::Typeface::createSystemTypefaceFor (vorn_resources::BarlowMedium_ttf,
                                                     static_cast<size_t> (vorn_resources::BarlowMedium_ttfSize)))
{
}

juce::Font SharedFonts::getGothicFont (float height, float extraKerning) const { return makeFont (gothic, height, extraKerning); }
juce::Font SharedFonts::getGothicLightFont (float height, float extraKerning) const { return makeFont (gothicLight, height, extraKerning); }
juce::Font SharedFonts::getSansFont (float height, float extraKerning) const { return makeFont (sans, height, extraKerning); }

juce::Font SharedFonts::makeFont (const juce::Typeface::Ptr& typeface, float height, float extraKerning)
{
    juce::Font font (typeface);
    font.setHeight (height);
    font.setExtraKerningFactor (extraKerning);
    return font;
}
} // namespace vorn::gui
