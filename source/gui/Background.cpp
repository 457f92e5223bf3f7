#include "Background.h"

#include "GuiConstants.h"
#include "StreakRandom.h"
#include "VornResources.h"

namespace vorn::gui
{
namespace
{
const auto white = juce::Colours::white;
const auto black = juce::Colours::black;

void drawStreaks (juce::Graphics& g)
{
    const auto light = white.withAlpha (0.014f);
    const auto dark = black.withAlpha (0.022f);
    StreakRandom random (7);

    for (auto i = 0; i < 2600; ++i)
    {
        const auto x = random.next() * 430.0f;
        const auto y = random.next() * 300.0f;
        const auto length = random.next() * 26.0f + 6.0f;
        g.setColour (random.next() < 0.5f ? light : dark);
        g.fillRect (juce::Rectangle<float> (x, y, length, 0.5f));
    }
}

void drawBevel (juce::Graphics& g)
{
    g.setColour (white.withAlpha (0.14f));
    g.fillRect (juce::Rectangle<float> (0.0f, 0.0f, 430.0f, 1.0f));
    g.setColour (white.withAlpha (0.06f));
    g.fillRect (juce::Rectangle<float> (0.0f, 0.0f, 1.0f, 300.0f));
    g.setColour (black.withAlpha (0.65f));
    g.fillRect (juce::Rectangle<float> (429.0f, 0.0f, 1.0f, 300.0f));
    g.fillRect (juce::Rectangle<float> (0.0f, 299.0f, 430.0f, 1.0f));
    g.setColour (white.withAlpha (0.03f));
    g.drawRect (juce::Rectangle<float> (1.0f, 1.0f, 428.0f, 298.0f), 1.0f);
}

void drawDividerGroove (juce::Graphics& g)
{
    g.setColour (black.withAlpha (0.45f));
    g.fillRect (juce::Rectangle<float> (30.0f, 51.0f, 370.0f, 1.0f));
    g.setColour (white.withAlpha (0.07f));
    g.fillRect (juce::Rectangle<float> (30.0f, 52.0f, 370.0f, 1.0f));
}

/** Text pressed into the panel: a dark edge above, a faint light edge below. */
void drawEngravedText (juce::Graphics& g, const juce::String& text, const juce::Font& font, juce::Colour colour,
                       juce::Rectangle<float> area, juce::Justification justification)
{
    g.setFont (font);
    g.setColour (black.withAlpha (0.65f));
    g.drawText (text, area.translated (0.0f, -1.0f), justification, false);
    g.setColour (white.withAlpha (0.07f));
    g.drawText (text, area.translated (0.0f, 1.0f), justification, false);
    g.setColour (colour);
    g.drawText (text, area, justification, false);
}
} // namespace

Background::Background()
    : Background (vorn_resources::okulogo_png, static_cast<size_t> (vorn_resources::okulogo_pngSize))
{
}

Background::Background (const void* logoPngData, size_t logoPngSize)
{
    setOpaque (true);
    setInterceptsMouseClicks (false, false);
    setBufferedToImage (true);
    // A picture with nothing a screen reader could use.
    setAccessible (false);
    logo = juce::ImageCache::getFromMemory (logoPngData, static_cast<int> (logoPngSize));
}

Background::~Background() = default;

void Background::paint (juce::Graphics& g)
{
    drawPanelBackground (g);
    drawLogo (g);
    drawCaptions (g);
}

void Background::drawPanelBackground (juce::Graphics& g)
{
    g.setColour (juce::Colour (0xff1b1d1f));
    g.fillRect (juce::Rectangle<float> (0.0f, 0.0f, 430.0f, 300.0f));
    drawStreaks (g);
    drawBevel (g);
    drawDividerGroove (g);
}

void Background::drawLogo (juce::Graphics& g) const
{
    if (! logo.isValid())
        return;

    const auto height = 34.0f;
    const auto width = static_cast<float> (logo.getWidth()) * height / static_cast<float> (logo.getHeight());
    const auto x = static_cast<float> (logoBounds.getX());
    const auto y = static_cast<float> (logoBounds.getY());

    // The logo's shape in translucent black, one pixel higher, as its shadow.
    g.setColour (black.withAlpha (0.5f));
    g.drawImage (logo, { x, y - 1.0f, width, height }, juce::RectanglePlacement::stretchToFit, true);

    g.setOpacity (1.0f);
    g.drawImage (logo, { x, y, width, height }, juce::RectanglePlacement::stretchToFit, false);
}

void Background::drawCaptions (juce::Graphics& g) const
{
    drawEngravedText (g, "VORN", fonts->getGothicLightFont (34.0f, 0.24f),
                      accentColour.withMultipliedSaturation (0.75f).withMultipliedBrightness (0.85f),
                      { 208.0f, 12.0f, 192.0f, 36.0f }, juce::Justification::centredRight);

    const auto captionColour = textColour.withAlpha (0.82f);
    drawEngravedText (g, "SKIMMING", fonts->getGothicFont (18.0f, 0.24f), captionColour,
                      { 20.0f, 62.0f, 200.0f, 18.0f }, juce::Justification::centred);
    drawEngravedText (g, "OUTPUT", fonts->getGothicFont (15.0f, 0.24f), captionColour,
                      { 259.0f, 92.0f, 120.0f, 15.0f }, juce::Justification::centred);
    drawEngravedText (g, "CLIP", fonts->getGothicFont (13.0f, 0.22f), textColour.withAlpha (0.7f),
                      { 327.0f, 67.0f, 56.0f, 13.0f }, juce::Justification::centredRight);
}
} // namespace vorn::gui
