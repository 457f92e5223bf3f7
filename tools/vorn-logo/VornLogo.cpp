// Draws the OKU Laboratories logo that the editor shows: white artwork on a
// transparent ground, 549 x 264 pixels, written as an RGBA PNG.
//   vorn-logo resources/logo/oku-logo.png
#include "gui/SharedFonts.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <cstdio>

namespace
{
constexpr int width = 549, height = 264;

/** A ring with three level lines of falling length inside it: a lens over a
    signal, the laboratory's mark. */
void drawMark (juce::Graphics& g)
{
    const juce::Point<float> centre (132.0f, 132.0f);
    g.drawEllipse (juce::Rectangle<float> (220.0f, 220.0f).withCentre (centre), 22.0f);

    const float lengths[] { 128.0f, 96.0f, 60.0f };
    for (auto i = 0; i < 3; ++i)
    {
        const auto y = centre.y - 40.0f + 40.0f * static_cast<float> (i);
        g.fillRoundedRectangle (juce::Rectangle<float> (lengths[i], 18.0f).withCentre ({ centre.x, y }), 9.0f);
    }
}

/** Draws text in the given box, its height chosen so that it fills the box's width. */
void drawFilling (juce::Graphics& g, const juce::String& text, juce::Font font, juce::Rectangle<float> box)
{
    font.setHeight (100.0f);
    const auto heightToFill = 100.0f * box.getWidth() / font.getStringWidthFloat (text);
    font.setHeight (juce::jmin (heightToFill, box.getHeight()));
    g.setFont (font);
    g.drawText (text, box, juce::Justification::centredLeft, false);
}

void drawWordmark (juce::Graphics& g, const vorn::gui::SharedFonts& fonts)
{
    drawFilling (g, "OKU", fonts.getSansFont (100.0f, 0.04f), { 276.0f, 22.0f, 262.0f, 170.0f });
    drawFilling (g, "LABORATORIES", fonts.getGothicFont (100.0f, 0.16f), { 278.0f, 190.0f, 258.0f, 52.0f });
}
} // namespace

int main (int argc, char** argv)
{
    if (argc != 2)
    {
        std::fprintf (stderr, "usage: vorn-logo FILE.png\n");
        return 2;
    }

    const juce::ScopedJuceInitialiser_GUI juce;
    const juce::SharedResourcePointer<vorn::gui::SharedFonts> fonts;

    juce::Image logo (juce::Image::ARGB, width, height, true);
    {
        juce::Graphics g (logo);
        g.setColour (juce::Colours::white);
        drawMark (g);
        drawWordmark (g, *fonts);
    }

    const auto file = juce::File::getCurrentWorkingDirectory().getChildFile (argv[1]);
    file.deleteFile();
    juce::FileOutputStream stream (file);

    if (! stream.openedOk() || ! juce::PNGImageFormat().writeImageToStream (logo, stream))
    {
        std::fprintf (stderr, "vorn-logo: cannot write %s\n", file.getFullPathName().toRawUTF8());
        return 1;
    }

    return 0;
}
