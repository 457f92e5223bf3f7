#include "ClipLed.h"

#include "ReadOnlyTextValue.h"

namespace vorn::gui
{
namespace
{
void fillCircle (juce::Graphics& g, float cx, float cy, float radius)
{
    juce::Path circle;
    circle.addEllipse (cx - radius, cy - radius, 2.0f * radius, 2.0f * radius);
    g.fillPath (circle);
}

/** A radial glow, even out to the given fraction of its radius, gone at the edge. */
void fillGlow (juce::Graphics& g, juce::Colour colour, float evenTo, float cx, float cy, float radius)
{
    juce::ColourGradient glow (colour, cx, cy, juce::Colours::transparentBlack, cx + radius, cy, true);
    glow.addColour (evenTo, colour);
    g.setGradientFill (glow);
    fillCircle (g, cx, cy, radius);
}

void fillLens (juce::Graphics& g, bool lit, float cx, float cy, float r)
{
    const auto hx = cx - 0.3f * r, hy = cy - 0.3f * r;

    if (lit)
    {
        juce::ColourGradient hot (juce::Colour (0xffffb08a), hx, hy, juce::Colour (0xff460500), hx + 1.3f * r, hy, true);
        hot.addColour (0.4, juce::Colour (0xfff02d0f));
        hot.addColour (0.8, juce::Colour (0xffa80f05));
        g.setGradientFill (hot);
    }
    else
    {
        g.setGradientFill (juce::ColourGradient (juce::Colour (0xff3a2422), hx, hy, juce::Colour (0xff120808), hx + 1.3f * r, hy, true));
    }

    fillCircle (g, cx, cy, r);
}
} // namespace

void drawLedFace (juce::Graphics& g, bool lit, float cx, float cy, float r)
{
    g.setGradientFill (juce::ColourGradient::vertical (juce::Colour (0xff0a0a0a), cy - r - 3.0f, juce::Colour (0xff3a3a3a), cy + r + 3.0f));
    fillCircle (g, cx, cy, r + 3.2f);

    g.setColour (juce::Colour (0xff050505));
    fillCircle (g, cx, cy, r + 1.4f);

    if (lit)
    {
        fillGlow (g, juce::Colour (0x33e61e0a), 0.5f / 3.2f, cx, cy, 3.2f * r);
        fillGlow (g, juce::Colour (0x5cf52d0f), 0.3f / 2.2f, cx, cy, 2.2f * r);
    }

    fillLens (g, lit, cx, cy, r);

    g.setColour (lit ? juce::Colour (0x8cffd7c3) : juce::Colour (0x14ffffff));
    fillCircle (g, cx - 0.28f * r, cy - 0.3f * r, 0.26f * r);
}

ClipLed::ClipLed (std::atomic<bool>& flag, std::function<double()> clockToUse)
    : clipFlag (flag),
      clock (std::move (clockToUse))
{
    setTooltip ("Lights when the output peaks near 0 dBFS. Click to clear.");
    startTimerHz (30);
}

ClipLed::~ClipLed()
{
    stopTimer();
}

void ClipLed::timerCallback()
{
    const auto now = clock();

    // Reading and clearing in one step: a clip the audio thread reports in
    // between is never lost.
    if (clipFlag.exchange (false))
        holdUntil = now + 1000.0;

    const auto shouldLight = holdUntil > now;
    if (shouldLight != lit)
        show (shouldLight);
}

void ClipLed::mouseDown (const juce::MouseEvent&)
{
    clear();
}

void ClipLed::clear()
{
    // A clip raised but not yet polled is dropped too.
    clipFlag.exchange (false);
    holdUntil = 0.0;
    show (false);
}

void ClipLed::show (bool shouldLight)
{
    const auto changed = shouldLight != lit;
    lit = shouldLight;
    repaint();

    if (auto* handler = getAccessibilityHandler(); handler != nullptr && changed)
        handler->notifyAccessibilityEvent (juce::AccessibilityEvent::valueChanged);
}

std::unique_ptr<juce::AccessibilityHandler> ClipLed::createAccessibilityHandler()
{
    return std::make_unique<juce::AccessibilityHandler> (
        *this, juce::AccessibilityRole::staticText,
        juce::AccessibilityActions().addAction (juce::AccessibilityActionType::press, [this] { clear(); }),
        juce::AccessibilityHandler::Interfaces { std::make_unique<ReadOnlyTextValue> ([this] { return lit ? "Clip" : "No clip"; }) });
}

void ClipLed::paint (juce::Graphics& g)
{
    drawLedFace (g, lit, 392.0f - static_cast<float> (getX()), 74.0f - static_cast<float> (getY()), 4.6f);
}
} // namespace vorn::gui
