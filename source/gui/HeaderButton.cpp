#include "HeaderButton.h"

#include "GuiConstants.h"
#include "ReadOnlyTextValue.h"

namespace vorn::gui
{
namespace
{
juce::Rectangle<float> shrunk (juce::Rectangle<float> r, float by)
{
    return { r.getX() + by, r.getY() + by, juce::jmax (0.0f, r.getWidth() - 2.0f * by), juce::jmax (0.0f, r.getHeight() - 2.0f * by) };
}

void drawActiveFace (juce::Graphics& g, juce::Colour base, juce::Rectangle<float> o, juce::Rectangle<float> i)
{
    const auto icx = i.getCentreX(), icy = i.getCentreY();

    juce::ColourGradient display (base.brighter (0.45f), icx, icy, base.withMultipliedBrightness (0.28f), icx + 0.65f * i.getWidth(), icy, true);
    display.addColour (0.55, base.withMultipliedBrightness (0.7f));
    g.setGradientFill (display);
    g.fillRoundedRectangle (i, 1.5f);

    {
        const juce::Graphics::ScopedSaveState saved (g);
        juce::Path face;
        face.addRoundedRectangle (i, 1.5f);
        g.reduceClipRegion (face);
        g.setColour (juce::Colour (0x18000000));
        for (auto yy = i.getY() + 1.0f; yy < i.getBottom(); yy += 2.0f)
            g.drawHorizontalLine (static_cast<int> (yy), i.getX(), i.getRight());
    }

    g.setGradientFill (juce::ColourGradient (juce::Colour (0x26ffc864), icx, i.getY(), juce::Colour (0x00000000), icx, i.getY() + i.getHeight() / 2.0f, false));
    g.fillRoundedRectangle (i, 1.5f);

    const auto ocx = o.getCentreX(), ocy = o.getCentreY();
    g.setGradientFill (juce::ColourGradient (base.withAlpha (0.3f), ocx, ocy, juce::Colour (0x00000000), ocx, ocy + 1.1f * o.getHeight(), true));
    g.fillRoundedRectangle (o.expanded (4.0f), 6.0f);
}

void drawInactiveFace (juce::Graphics& g, juce::Colour base, bool highlighted, juce::Rectangle<float> i)
{
    g.setColour (juce::Colour (0xff161412));
    g.fillRoundedRectangle (i, 1.5f);

    const auto icx = i.getCentreX(), icy = i.getCentreY();
    g.setGradientFill (juce::ColourGradient (base.withAlpha (highlighted ? 0.14f : 0.06f), icx, icy, juce::Colour (0x00000000), icx, i.getBottom(), true));
    g.fillRoundedRectangle (i, 1.5f);
}

void drawLetter (juce::Graphics& g, const juce::String& text, const juce::Font& font, juce::Colour base, bool active,
                 juce::Rectangle<float> b)
{
    g.setFont (font);
    const juce::Rectangle<int> r (juce::roundToInt (b.getX()), juce::roundToInt (b.getY()),
                                  juce::roundToInt (b.getWidth()), juce::roundToInt (b.getHeight()));

    if (active)
    {
        g.setColour (juce::Colours::black);
        g.drawText (text, r, juce::Justification::centred, false);
        return;
    }

    // Translucent passes stack into a bright letter with a soft edge.
    g.setColour (base.withAlpha (0.2f));
    for (auto pass = 0; pass < 4; ++pass)
        g.drawText (text, r.expanded (2), juce::Justification::centred, false);
    g.setColour (base.withAlpha (0.42f));
    for (auto pass = 0; pass < 3; ++pass)
        g.drawText (text, r.expanded (1), juce::Justification::centred, false);
    g.setColour (base);
    g.drawText (text, r, juce::Justification::centred, false);
}
} // namespace

void drawHeaderButtonFace (juce::Graphics& g, const juce::String& text, const juce::Font& font, juce::Colour baseColour,
                           bool active, bool highlighted, juce::Rectangle<float> b)
{
    const auto o = shrunk (b, 0.5f);
    const auto i = shrunk (o, 4.0f);

    g.setGradientFill (juce::ColourGradient (juce::Colour (0xff1e1c1a), o.getCentreX(), o.getY(), juce::Colour (0xff141210), o.getCentreX(), o.getBottom(), false));
    g.fillRoundedRectangle (o, 2.0f);

    g.setColour (juce::Colour (0xcc000000));
    g.fillRoundedRectangle (shrunk (o, 3.0f), 2.5f);

    if (active)
        drawActiveFace (g, baseColour, o, i);
    else
        drawInactiveFace (g, baseColour, highlighted, i);

    drawLetter (g, text, font, baseColour, active, b);
}

namespace
{
class HeaderButtonAccessibilityHandler : public juce::AccessibilityHandler
{
public:
    explicit HeaderButtonAccessibilityHandler (juce::Button& buttonToWrap)
        : juce::AccessibilityHandler (buttonToWrap, juce::AccessibilityRole::button,
                                      juce::AccessibilityActions().addAction (juce::AccessibilityActionType::press,
                                                                              [&buttonToWrap] { buttonToWrap.triggerClick(); }),
                                      { std::make_unique<ReadOnlyTextValue> ([&buttonToWrap]
                                        { return buttonToWrap.getToggleState() ? "Active" : "Not active"; }) }),
          button (buttonToWrap)
    {
    }

    // Checkable for the screen reader only: the button itself never toggles.
    juce::AccessibleState getCurrentState() const override
    {
        const auto state = juce::AccessibilityHandler::getCurrentState().withCheckable();
        return button.getToggleState() ? state.withChecked() : state;
    }

    juce::String getHelp() const override { return button.getTooltip(); }

private:
    juce::Button& button;
};
} // namespace

HeaderButton::HeaderButton (const juce::String& text)
    : juce::Button (text)
{
    setMouseCursor (juce::MouseCursor::PointingHandCursor);
}

HeaderButton::~HeaderButton() = default;

std::unique_ptr<juce::AccessibilityHandler> HeaderButton::createAccessibilityHandler()
{
    return std::make_unique<HeaderButtonAccessibilityHandler> (*this);
}

void HeaderButton::paintButton (juce::Graphics& g, bool shouldDrawButtonAsHighlighted, bool shouldDrawButtonAsDown)
{
    // A pressed button shows lit while the mouse is down, before its slot is active.
    drawHeaderButtonFace (g, getButtonText(), fonts->getSansFont (12.0f, 0.06f), accentColour,
                          getToggleState() || shouldDrawButtonAsDown, shouldDrawButtonAsHighlighted,
                          getLocalBounds().toFloat());
}
} // namespace vorn::gui
