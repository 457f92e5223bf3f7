#include "Readout.h"

#include "GuiConstants.h"
#include "ReadOnlyTextValue.h"

namespace vorn::gui
{
namespace
{
juce::Font valueFont (const SharedFonts& fonts) { return fonts.getGothicFont (16.0f, 0.06f); }
juce::Font unitFont (const SharedFonts& fonts) { return fonts.getGothicFont (11.0f, 0.06f); }

void drawGlyphs (juce::Graphics& g, const juce::String& text, const juce::Font& font, juce::Colour colour, float x, float baseline)
{
    juce::GlyphArrangement glyphs;
    glyphs.addLineOfText (font, text, x, baseline);
    g.setColour (colour);
    glyphs.draw (g);
}
} // namespace

Readout::Readout (juce::Slider& sliderToShow, Unit unitToShow)
    : juce::Label ({}, {}),
      slider (sliderToShow),
      unit (unitToShow)
{
    // Losing focus commits what was typed rather than throwing it away.
    setEditable (false, true, false);
    setJustificationType (juce::Justification::centred);
    setFont (valueFont (*fonts));

    // The label's own text drawing is replaced by paint(); the outline colour
    // is copied onto the inline editor, which thus shows none.
    setColour (juce::Label::textColourId, juce::Colours::transparentBlack);
    setColour (juce::Label::outlineWhenEditingColourId, juce::Colours::transparentBlack);

    setMouseCursor (juce::MouseCursor::IBeamCursor);
    setTooltip ("Double-click to type a value");
    refreshText();
}

Readout::~Readout() = default;

juce::String Readout::unitText (Unit unitToShow) { return unitToShow == Unit::percentage ? "%" : " dB"; }

juce::String Readout::textForValue (double value, Unit unitToShow)
{
    if (unitToShow == Unit::decibels)
        return value > -0.05 ? juce::String ("0.0") : juce::String (value, 1);

    return juce::String (juce::roundToInt (value * 100.0));
}

double Readout::valueForText (const juce::String& text, Unit unitToShow, double minimum, double maximum)
{
    const auto typed = text.replaceCharacter (',', '.').getDoubleValue();

    if (unitToShow == Unit::decibels)
        return juce::jlimit (minimum, maximum, typed);

    return juce::jlimit (0.0, 1.0, typed / 100.0);
}

void Readout::refreshText()
{
    setText (textForValue (slider.getValue(), unit), juce::dontSendNotification);
    repaint();
}

void Readout::textWasEdited()
{
    const auto value = valueForText (getText (false), unit, slider.getMinimum(), slider.getMaximum());
    {
        // One committed value is one change gesture for the host.
        const juce::Slider::ScopedDragNotification gesture (slider);
        slider.setValue (value, juce::sendNotificationSync);
    }

    // The text goes back to the canonical form even when the value did not change.
    refreshText();
}

void Readout::editorShown (juce::TextEditor* editor)
{
    editor->setJustification (juce::Justification::centred);
    editor->setFont (valueFont (*fonts));
    editor->setInputRestrictions (6, "-0123456789.,");
    editor->selectAll();
}

std::unique_ptr<juce::AccessibilityHandler> Readout::createAccessibilityHandler()
{
    return std::make_unique<juce::AccessibilityHandler> (
        *this, juce::AccessibilityRole::label,
        juce::AccessibilityActions().addAction (juce::AccessibilityActionType::press, [this] { showEditor(); }),
        juce::AccessibilityHandler::Interfaces { std::make_unique<ReadOnlyTextValue> ([this] { return getText() + unitText (unit); }) });
}

void Readout::paint (juce::Graphics& g)
{
    const auto bounds = getLocalBounds().toFloat();
    drawPlate (g, bounds);

    if (! isBeingEdited())
        drawValueText (g, bounds);
}

void Readout::drawPlate (juce::Graphics& g, juce::Rectangle<float> b) const
{
    const auto x = b.getX(), y = b.getY(), w = b.getWidth(), h = b.getHeight();

    g.setGradientFill (juce::ColourGradient (juce::Colour (0xff1e1c1a), x + w / 2.0f, y, juce::Colour (0xff141210), x + w / 2.0f, y + h, false));
    g.fillRoundedRectangle (b, 2.0f);

    g.setColour (juce::Colours::white.withAlpha (0.05f));
    g.fillRect (juce::Rectangle<float> (x + 2.0f, y, w - 4.0f, 1.0f));

    g.setColour (juce::Colour (0xcc000000));
    g.fillRoundedRectangle ({ x + 2.0f, y + 2.0f, w - 4.0f, h - 4.0f }, 2.5f);

    const juce::Rectangle<float> well (x + 3.0f, y + 3.0f, juce::jmax (0.0f, w - 6.0f), juce::jmax (0.0f, h - 6.0f));
    g.setColour (juce::Colour (0xff0d0c0b));
    g.fillRoundedRectangle (well, 1.5f);

    g.setGradientFill (juce::ColourGradient (accentColour.withAlpha (0.05f), well.getCentreX(), well.getCentreY(),
                                             juce::Colours::transparentBlack, well.getCentreX(), well.getBottom(), true));
    g.fillRoundedRectangle (well, 1.5f);
}

void Readout::drawValueText (juce::Graphics& g, juce::Rectangle<float> b) const
{
    const auto numberFont = valueFont (*fonts);
    const auto smallFont = unitFont (*fonts);
    const auto text = getText();
    const auto unitString = unitText (unit);

    // Number and unit centred together, one pixel apart.
    const auto w1 = numberFont.getStringWidthFloat (text);
    const auto w2 = smallFont.getStringWidthFloat (unitString);
    const auto xText = b.getCentreX() - (w1 + 1.0f + w2) / 2.0f;
    const auto xUnit = xText + w1 + 1.0f;
    const auto baseline = b.getY() + b.getHeight() / 2.0f + 4.48f;

    // A soft halo 0.8 px around the glyphs, then the glyphs themselves.
    const auto textHalo = accentColour.withAlpha (0.12f);
    const auto unitHalo = accentColour.withAlpha (0.07f);
    const std::pair<float, float> haloOffsets[] { { -0.8f, 0.0f }, { 0.8f, 0.0f }, { 0.0f, -0.8f }, { 0.0f, 0.8f } };

    for (const auto& [dx, dy] : haloOffsets)
    {
        drawGlyphs (g, text, numberFont, textHalo, xText + dx, baseline + dy);
        drawGlyphs (g, unitString, smallFont, unitHalo, xUnit + dx, baseline + dy);
    }

    drawGlyphs (g, text, numberFont, valueColour, xText, baseline);
    drawGlyphs (g, unitString, smallFont, valueColour.withAlpha (0.6f), xUnit, baseline);
}
} // namespace vorn::gui
