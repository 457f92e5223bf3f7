#include "Knob.h"

#include "GuiConstants.h"

#include <cmath>

namespace vorn::gui
{
namespace
{
juce::Point<float> onCircle (float cx, float cy, float angle, float radius)
{
    return { cx + std::sin (angle) * radius, cy - std::cos (angle) * radius };
}

juce::Rectangle<float> circle (float cx, float cy, float radius)
{
    return { cx - radius, cy - radius, 2.0f * radius, 2.0f * radius };
}

void drawRadialLine (juce::Graphics& g, float cx, float cy, float angle, float from, float to, float thickness)
{
    g.drawLine ({ onCircle (cx, cy, angle, from), onCircle (cx, cy, angle, to) }, thickness);
}

void drawShadow (juce::Graphics& g, float cx, float cy, float r)
{
    const auto s = r + juce::jmax (0.11f * r, 4.0f);
    juce::ColourGradient shadow (juce::Colours::transparentBlack, cx, cy, juce::Colours::transparentBlack, cx, cy - s, true);
    shadow.addColour (juce::jlimit (0.01, 0.99, static_cast<double> ((r - 2.0f) / s)), juce::Colour (0xf0000000));
    shadow.addColour (1.0, juce::Colours::transparentBlack);
    g.setGradientFill (shadow);
    g.fillEllipse (circle (cx, cy, s));
}

void drawBody (juce::Graphics& g, float cx, float cy, float r)
{
    juce::ColourGradient body (juce::Colour (0xff464646), cx - r, cy - r, juce::Colour (0xff323232), cx + r, cy + r, false);
    body.addColour (0.35, juce::Colour (0xff222222));
    body.addColour (0.65, juce::Colour (0xff181818));
    g.setGradientFill (body);
    g.fillEllipse (circle (cx, cy, r));
}

void drawKnurledRim (juce::Graphics& g, float cx, float cy, float r)
{
    const auto ridges = static_cast<int> (juce::jlimit (48.0f, 160.0f, 1.7f * r));
    for (auto i = 0; i < ridges; ++i)
    {
        const auto t = static_cast<float> (i) / static_cast<float> (ridges) * 6.2831855f;
        const auto grey = static_cast<juce::uint8> (std::abs (std::sin (5.0f * t)) * 18.0f + 26.0f);
        g.setColour (juce::Colour (grey, grey, grey));
        drawRadialLine (g, cx, cy, t, 0.905f * r, 0.992f * r, 0.6f);
    }
}

void drawRimGroove (juce::Graphics& g, float cx, float cy, float r)
{
    const auto groove = circle (cx, cy, 0.882f * r);
    g.setColour (juce::Colour (0xff020604));
    g.drawEllipse (groove, 2.2f);
    g.setColour (juce::Colour (0x405a5a5a));
    g.drawEllipse (groove, 0.4f);
}

void drawCap (juce::Graphics& g, float cx, float cy, float r)
{
    const auto cr = 0.82f * r;
    const auto cap = circle (cx, cy, cr);

    const juce::Graphics::ScopedSaveState saved (g);
    juce::Path capShape;
    capShape.addEllipse (cap);
    g.reduceClipRegion (capShape);

    g.setColour (juce::Colour (0xff1e1e1e));
    g.fillEllipse (cap);

    // Turned rings.
    const auto rings = static_cast<int> (juce::jlimit (12.0f, 38.0f, 0.5f * cr));
    for (auto k = 1; k <= rings; ++k)
    {
        const auto grey = static_cast<juce::uint8> (static_cast<int> ((std::sin (0.72f * static_cast<float> (k)) * 0.5f + 0.5f) * 9.0f + 8.0f) + 16);
        g.setColour (juce::Colour (grey, grey, grey).withAlpha (0.44f));
        g.drawEllipse (circle (cx, cy, static_cast<float> (k) / static_cast<float> (rings) * cr), 0.42f);
    }

    // A faint light spot above left of the centre.
    const auto hx = cx - 0.3f * cr, hy = cy - 0.32f * cr;
    juce::ColourGradient sheen (juce::Colour (0x0dffffff), hx, hy, juce::Colours::transparentWhite, hx, hy + 1.1f * cr, true);
    sheen.addColour (0.6, juce::Colours::transparentWhite);
    g.setGradientFill (sheen);
    g.fillEllipse (cap);
}

void drawScale (juce::Graphics& g, juce::Colour base, bool highlighted, float cx, float cy, float r,
                float proportion, float startAngle, float span)
{
    const auto wideGlow = base.withAlpha (highlighted ? 0.16f : 0.11f);
    const auto narrowGlow = base.withAlpha (highlighted ? 0.4f : 0.3f);
    const auto core = highlighted ? base.brighter (0.15f) : base;
    const auto centreLine = base.brighter (0.6f).withAlpha (0.62f);
    const auto unlit = base.withMultipliedBrightness (0.34f).withMultipliedSaturation (0.9f).withAlpha (0.9f);

    const auto majorWidth = juce::jmax (0.0383f * r, 1.6f);
    const auto minorWidth = juce::jmax (0.0213f * r, 1.0f);

    for (auto i = 0; i <= 32; ++i)
    {
        const auto f = static_cast<float> (i) * 0.03125f;
        const auto angle = startAngle + f * span;
        const auto major = i % 4 == 0;
        const auto outer = (major ? 1.511f : 1.255f) * r;
        const auto w = major ? majorWidth : minorWidth;
        const auto inner = 1.149f * r;

        // The tolerance lights a tick as soon as the value reaches it despite rounding.
        if (f <= proportion + 0.01f)
        {
            g.setColour (wideGlow);
            drawRadialLine (g, cx, cy, angle, inner, outer, 0.106f * r + w);
            g.setColour (narrowGlow);
            drawRadialLine (g, cx, cy, angle, inner, outer, 0.043f * r + w);
            g.setColour (core);
            drawRadialLine (g, cx, cy, angle, inner, outer, w);
            g.setColour (centreLine);
            drawRadialLine (g, cx, cy, angle, inner, outer, 0.36f * w);
        }
        else
        {
            g.setColour (unlit);
            drawRadialLine (g, cx, cy, angle, inner, outer, w);
        }
    }
}

void drawPointer (juce::Graphics& g, float cx, float cy, float r, float angle)
{
    const auto length = 0.99f * 0.82f * r;

    g.setColour (juce::Colour (0x17fff8b9));
    drawRadialLine (g, cx, cy, angle, 0.0f, length, juce::jmax (0.128f * r, 3.0f));
    g.setColour (juce::Colour (0x33faeeb9));
    drawRadialLine (g, cx, cy, angle, 0.0f, length, juce::jmax (0.064f * r, 2.0f));
    g.setColour (juce::Colour (0xf7f4ecc8));
    drawRadialLine (g, cx, cy, angle, 0.0f, length, juce::jmax (0.04f * r, 1.6f));
    g.setColour (juce::Colour (0x7afffff0));
    drawRadialLine (g, cx, cy, angle, 1.0f, length - 1.0f, juce::jmax (0.0138f * r, 1.0f));
}
} // namespace

void drawKnobFace (juce::Graphics& g, juce::Colour baseColour, bool highlighted, float cx, float cy, float r,
                   float proportion, float startAngle, float endAngle)
{
    const auto pc = juce::jlimit (0.0f, 1.0f, proportion);
    const auto span = endAngle - startAngle;

    drawShadow (g, cx, cy, r);
    drawBody (g, cx, cy, r);
    drawKnurledRim (g, cx, cy, r);
    drawRimGroove (g, cx, cy, r);
    drawCap (g, cx, cy, r);
    drawScale (g, baseColour, highlighted, cx, cy, r, pc, startAngle, span);
    drawPointer (g, cx, cy, r, startAngle + pc * span);
}

Knob::Knob (float centreXToUse, float centreYToUse, float radiusToUse)
    : juce::Slider (juce::Slider::RotaryVerticalDrag, juce::Slider::NoTextBox),
      centreX (centreXToUse),
      centreY (centreYToUse),
      radius (radiusToUse)
{
    // Room for the longest scale ticks (1.511 x radius) and a 14 px margin.
    const auto half = static_cast<int> (std::ceil (radius * 1.511f + 14.0f));
    setBounds (static_cast<int> (centreX) - half, static_cast<int> (centreY) - half, 2 * half, 2 * half);
    setRepaintsOnMouseActivity (true);
    setPaintingIsUnclipped (true);
    setScrollWheelEnabled (true);
}

Knob::~Knob() = default;

juce::Point<float> Knob::localCentre() const
{
    return { centreX - static_cast<float> (getX()), centreY - static_cast<float> (getY()) };
}

double Knob::proportionAfterDrag (double proportion, juce::Point<float> from, juce::Point<float> to, bool fine)
{
    const auto dx = to.x - from.x;
    const auto dy = from.y - to.y;
    const auto distance = dx * 0.5f + dy;
    const auto pixelsForFullRange = fine ? 1600.0 : 260.0;
    return juce::jlimit (0.0, 1.0, proportion + static_cast<double> (distance) / pixelsForFullRange);
}

std::optional<double> Knob::proportionAfterWheel (double proportion, const juce::MouseWheelDetails& wheel,
                                                  bool fine, double minimumStep)
{
    auto delta = std::abs (wheel.deltaX) > std::abs (wheel.deltaY) ? -wheel.deltaX : wheel.deltaY;
    if (wheel.isReversed)
        delta = -delta;

    if (delta == 0.0f)
        return std::nullopt;

    const auto step = juce::jmax (std::abs (static_cast<double> (delta) * (fine ? 0.02 : 0.12)), minimumStep);
    return juce::jlimit (0.0, 1.0, proportion + (delta > 0.0f ? step : -step));
}

void Knob::mouseDown (const juce::MouseEvent& e)
{
    juce::Slider::mouseDown (e);

    // The second press of a double-click resets (in the base) and starts no drag.
    if (e.getNumberOfClicks() <= 1 && e.mods.isLeftButtonDown())
    {
        dragging = true;
        lastDragPosition = dragStartPosition = e.source.getScreenPosition();
        e.source.enableUnboundedMouseMovement (true, false);
    }
}

void Knob::mouseDrag (const juce::MouseEvent& e)
{
    if (! dragging)
        return;

    const auto position = e.source.getScreenPosition();
    const auto proportion = proportionAfterDrag (valueToProportionOfLength (getValue()), lastDragPosition, position,
                                                 e.mods.isShiftDown());
    lastDragPosition = position;

    // The slider snaps to its interval, and the next step starts from the
    // snapped value: a step worth less than half an interval is dropped.
    setValue (proportionOfLengthToValue (proportion), juce::sendNotificationSync);
}

void Knob::mouseUp (const juce::MouseEvent& e)
{
    if (dragging)
    {
        dragging = false;
        e.source.enableUnboundedMouseMovement (false, false);
        juce::Desktop::setMousePosition (dragStartPosition.roundToInt());
    }

    juce::Slider::mouseUp (e);
}

void Knob::mouseWheelMove (const juce::MouseEvent& e, const juce::MouseWheelDetails& wheel)
{
    if (e.mods.isAnyMouseButtonDown())
        return;

    const auto minimumStep = getInterval() / (getMaximum() - getMinimum());
    const auto proportion = proportionAfterWheel (valueToProportionOfLength (getValue()), wheel,
                                                  e.mods.isShiftDown(), minimumStep);
    if (! proportion)
        return;

    // One wheel event is one change gesture for the host.
    const ScopedDragNotification gesture (*this);
    setValue (proportionOfLengthToValue (*proportion), juce::sendNotificationSync);
}

bool Knob::hitTest (int x, int y)
{
    const auto centre = localCentre();
    return std::hypot (static_cast<float> (x) - centre.x, static_cast<float> (y) - centre.y) <= radius * 1.35f;
}

void Knob::paint (juce::Graphics& g)
{
    const auto centre = localCentre();
    const auto rotary = getRotaryParameters();
    drawKnobFace (g, accentColour, isMouseOverOrDragging() && isEnabled(), centre.x, centre.y, radius,
                  static_cast<float> (valueToProportionOfLength (getValue())), rotary.startAngleRadians, rotary.endAngleRadians);
}
} // namespace vorn::gui
