#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

namespace vorn::gui
{
/** What a widget tells a screen reader about its state, as text it cannot set. */
class ReadOnlyTextValue : public juce::AccessibilityTextValueInterface
{
public:
    explicit ReadOnlyTextValue (std::function<juce::String()> describe) : text (std::move (describe)) {}

    bool isReadOnly() const override { return true; }
    juce::String getCurrentValueAsString() const override { return text(); }
    void setValueAsString (const juce::String&) override {}

private:
    std::function<juce::String()> text;
};
} // namespace vorn::gui
