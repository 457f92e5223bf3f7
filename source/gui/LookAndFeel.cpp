#include "LookAndFeel.h"

#include "GuiConstants.h"

namespace vorn::gui
{
namespace
{
// The tip's text sits 9 px from its sides and 6 px from its top and bottom;
// measuring and drawing share these so both wrap at the same places.
constexpr int tooltipSideMargin = 9;
constexpr int tooltipTopMargin = 6;
constexpr float tooltipWrapWidth = 260.0f;

juce::TextLayout layOut (const juce::String& text, const juce::Font& font, juce::Colour colour,
                         float maximumWidth, std::optional<juce::Justification> justification = {})
{
    juce::AttributedString attributed;
    if (justification)
        attributed.setJustification (*justification);
    attributed.append (text, font, colour);

    juce::TextLayout layout;
    layout.createLayout (attributed, maximumWidth);
    return layout;
}

/** Keeps a rectangle inside an area; where it does not fit, its top-left
    corner goes to the area's. */
juce::Rectangle<int> constrainToArea (juce::Rectangle<int> r, juce::Rectangle<int> area)
{
    const auto w = juce::jmin (r.getWidth(), area.getWidth());
    const auto h = juce::jmin (r.getHeight(), area.getHeight());
    const auto clamp = [] (int value, int lowest, int highest) { return juce::jmax (lowest, juce::jmin (value, highest)); };

    return { clamp (r.getX(), area.getX(), area.getX() + juce::jmax (0, area.getWidth() - w)),
             clamp (r.getY(), area.getY(), area.getY() + juce::jmax (0, area.getHeight() - h)),
             w, h };
}
} // namespace

LookAndFeel::LookAndFeel()
{
    setColour (juce::TooltipWindow::backgroundColourId, juce::Colour (0xf20e0f10));
    setColour (juce::TooltipWindow::textColourId, textColour);
    setColour (juce::TooltipWindow::outlineColourId, accentColour.withAlpha (0.45f));
    setColour (juce::PopupMenu::backgroundColourId, juce::Colour (0xff0e0f10));
    setColour (juce::PopupMenu::textColourId, textColour);
    setColour (juce::PopupMenu::highlightedBackgroundColourId, accentColour);
    setColour (juce::PopupMenu::highlightedTextColourId, backgroundColour);
    setColour (juce::TextEditor::backgroundColourId, juce::Colour (0xff0b0c0d));
    setColour (juce::TextEditor::textColourId, valueColour);
    setColour (juce::TextEditor::highlightColourId, accentColour.withAlpha (0.4f));
    setColour (juce::TextEditor::highlightedTextColourId, textColour);
    setColour (juce::TextEditor::outlineColourId, juce::Colours::transparentBlack);
    setColour (juce::TextEditor::focusedOutlineColourId, accentColour.withAlpha (0.6f));
    setColour (juce::CaretComponent::caretColourId, valueColour);
}

LookAndFeel::~LookAndFeel() = default;

void LookAndFeel::drawPopupMenuBackground (juce::Graphics& g, int width, int height)
{
    g.fillAll (findColour (juce::PopupMenu::backgroundColourId));
    g.setColour (accentColour.withAlpha (0.35f));
    g.drawRect (0, 0, width, height, 1);
}

juce::Font LookAndFeel::getPopupMenuFont() { return fonts->getGothicFont (17.0f, 0.08f); }

juce::Font LookAndFeel::getLabelFont (juce::Label& label) { return label.getFont(); }

juce::Font LookAndFeel::getTooltipFont() const { return fonts->getSansFont (12.0f, 0.02f); }

juce::Rectangle<int> LookAndFeel::getTooltipBounds (const juce::String& tipText, juce::Point<int> mousePosition,
                                                    juce::Rectangle<int> parentArea)
{
    const auto layout = layOut (tipText, getTooltipFont(), textColour, tooltipWrapWidth);
    const auto w = static_cast<int> (std::ceil (layout.getWidth())) + 2 * tooltipSideMargin;
    const auto h = static_cast<int> (std::ceil (layout.getHeight())) + 2 * tooltipTopMargin;

    // The tip goes to the side of the pointer that has more room.
    const auto x = mousePosition.x > parentArea.getX() + parentArea.getWidth() / 2 ? mousePosition.x - (w + 12)
                                                                                   : mousePosition.x + 24;
    const auto y = mousePosition.y > parentArea.getY() + parentArea.getHeight() / 2 ? mousePosition.y - (h + 6)
                                                                                    : mousePosition.y + 6;

    return constrainToArea ({ x, y, w, h }, parentArea);
}

void LookAndFeel::drawTooltip (juce::Graphics& g, const juce::String& text, int width, int height)
{
    const juce::Rectangle<float> area (0.0f, 0.0f, static_cast<float> (width), static_cast<float> (height));

    g.setColour (findColour (juce::TooltipWindow::backgroundColourId));
    g.fillRoundedRectangle (area, 3.0f);

    g.setColour (findColour (juce::TooltipWindow::outlineColourId));
    g.drawRoundedRectangle ({ 0.5f, 0.5f, static_cast<float> (juce::jmax (0, width - 1)), static_cast<float> (juce::jmax (0, height - 1)) },
                            3.0f, 1.0f);

    const auto textWidth = juce::jmax (0, width - 2 * tooltipSideMargin);
    const auto textHeight = juce::jmax (0, height - 2 * tooltipTopMargin);
    layOut (text, getTooltipFont(), findColour (juce::TooltipWindow::textColourId),
            static_cast<float> (width - 2 * tooltipSideMargin), juce::Justification::centredLeft)
        .draw (g, { static_cast<float> (tooltipSideMargin), static_cast<float> (tooltipTopMargin),
                    static_cast<float> (textWidth), static_cast<float> (textHeight) });
}
} // namespace vorn::gui
