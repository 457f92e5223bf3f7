#pragma once

#include <juce_graphics/juce_graphics.h>

// The palette and the fixed places of the editor's widgets, shared by the
// editor, the widgets, the look-and-feel and the background. The editor is a
// fixed 430 x 300 panel, so every rectangle is in editor pixels.
namespace vorn::gui
{
inline const juce::Colour backgroundColour { 0xff00293f };
inline const juce::Colour accentColour { 0xff42b78a };
inline const juce::Colour textColour { 0xffdfe9e5 };
inline const juce::Colour valueColour { 0xff6fe0b2 };

inline const juce::Rectangle<int> skimmingReadoutBounds { 87, 249, 66, 25 };
inline const juce::Rectangle<int> outputReadoutBounds { 286, 249, 66, 25 };
inline const juce::Rectangle<int> clipLedBounds { 377, 59, 30, 30 };
inline const juce::Rectangle<int> logoBounds { 30, 11, 71, 34 };
inline const juce::Rectangle<int> versionBounds { 300, 12, 100, 36 };
inline const juce::Rectangle<int> buttonABounds { 177, 16, 36, 24 };
inline const juce::Rectangle<int> buttonBBounds { 217, 16, 36, 24 };
} // namespace vorn::gui
