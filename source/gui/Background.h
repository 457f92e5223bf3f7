#pragma once

#include "SharedFonts.h"

#include <juce_gui_basics/juce_gui_basics.h>

namespace vorn::gui
{
/** The editor's static face: textured panel, bevel, divider groove, logo and
    engraved captions. Opaque, drawn once into an image, transparent to the
    mouse. */
class Background : public juce::Component
{
public:
    /** Draws the logo compiled into the plug-in. */
    Background();
    /** Draws the logo decoded from the given PNG data; data that does not
        decode leaves the panel without a logo. */
    Background (const void* logoPngData, size_t logoPngSize);
    ~Background() override;

    void paint (juce::Graphics&) override;

    /** The textured panel with its bevel and the groove under the header. */
    static void drawPanelBackground (juce::Graphics&);

private:
    void drawLogo (juce::Graphics&) const;
    void drawCaptions (juce::Graphics&) const;

    juce::SharedResourcePointer<SharedFonts> fonts;
    juce::Image logo;

    JUCE_DECLARE_NON_COPYABLE (Background)
};
} // namespace vorn::gui
