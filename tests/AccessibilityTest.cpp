#include "GuiTestHelpers.h"
#include "editor/VornAudioProcessorEditor.h"

#include "TestDesktop.h"

#include <gtest/gtest.h>

// What a screen reader finds on the panel. The framework gives components
// accessibility handlers only in a window, so each panel here is put on the
// desktop (the test script's virtual display).
namespace
{
using Role = juce::AccessibilityRole;

using test_desktop::putOnDesktop;

struct AccessibleCase
{
    const char* name;
    int child;
    Role role;
    const char* title;
    const char* value;
};

std::ostream& operator<< (std::ostream& os, const AccessibleCase& c) { return os << c.name; }

class AccessibilityTest : public testing::TestWithParam<AccessibleCase> {};

TEST_P (AccessibilityTest, EachControlHasItsRoleTitleAndValue)
{
    const auto& c = GetParam();
    VornAudioProcessor processor;
    processor_test::setSkimming (processor, 0.37f);
    processor_test::setOutputDb (processor, -6.5f);
    std::unique_ptr<juce::AudioProcessorEditor> editor (processor.createEditorIfNeeded());
    putOnDesktop (*editor);

    auto* handler = editor->getChildComponent (0)->getChildComponent (c.child)->getAccessibilityHandler();
    ASSERT_NE (handler, nullptr);
    EXPECT_EQ (handler->getRole(), c.role);
    EXPECT_EQ (handler->getTitle(), c.title);

    if (c.value != nullptr)
    {
        ASSERT_NE (handler->getValueInterface(), nullptr);
        EXPECT_EQ (handler->getValueInterface()->getCurrentValueAsString(), c.value);
    }
}

INSTANTIATE_TEST_SUITE_P (Panel, AccessibilityTest, testing::Values (
    AccessibleCase { "skimmingKnob", 1, Role::slider, "Skimming", "37 %" },
    AccessibleCase { "outputKnob", 2, Role::slider, "Output", "-6.5 dB" },
    AccessibleCase { "skimmingReadout", 3, Role::label, "Skimming value", "37%" },
    AccessibleCase { "outputReadout", 4, Role::label, "Output value", "-6.5 dB" },
    AccessibleCase { "clipLed", 5, Role::staticText, "Clip lamp", "No clip" },
    AccessibleCase { "buttonA", 6, Role::button, "Setting A", "Active" },
    AccessibleCase { "buttonB", 7, Role::button, "Setting B", "Not active" },
    AccessibleCase { "logoHotSpot", 8, Role::hyperlink, "OKU Laboratories web site", nullptr },
    AccessibleCase { "versionHotSpot", 9, Role::staticText, "OKU Laboratories Vorn v2.2.2", nullptr }),
    [] (const auto& info) { return std::string (info.param.name); });

struct OpenPanel
{
    OpenPanel() { putOnDesktop (*editor); }

    VornAudioProcessor processor;
    std::unique_ptr<juce::AudioProcessorEditor> editor { processor.createEditorIfNeeded() };

    juce::AccessibilityHandler& handler (int child) const
    {
        return *editor->getChildComponent (0)->getChildComponent (child)->getAccessibilityHandler();
    }
};

TEST (Accessibility, SettingAKnobsValueReachesTheParameterInOneGesture)
{
    OpenPanel panel;
    gui_test::GestureCounter gestures (gui_test::parameter (panel.processor, "MasterGainParam"));

    panel.handler (2).getValueInterface()->setValue (-12.0);

    EXPECT_FLOAT_EQ (gui_test::plainValue (panel.processor, "MasterGainParam"), -12.0f);
    EXPECT_EQ (gestures.begins, 1);
    EXPECT_EQ (gestures.ends, 1);
    EXPECT_EQ (panel.handler (4).getValueInterface()->getCurrentValueAsString(), "-12.0 dB");
}

TEST (Accessibility, TheActiveSlotsButtonIsCheckedAndEveryButtonCanBePressed)
{
    OpenPanel panel;
    EXPECT_TRUE (panel.handler (6).getCurrentState().isChecked());
    EXPECT_FALSE (panel.handler (7).getCurrentState().isChecked());
    EXPECT_TRUE (panel.handler (7).getCurrentState().isCheckable());
    EXPECT_TRUE (panel.handler (7).getActions().contains (juce::AccessibilityActionType::press));
}

TEST (Accessibility, TheLampSaysClipAndPressingItClears)
{
    OpenPanel panel;
    auto& lamp = dynamic_cast<juce::Timer&> (*panel.editor->getChildComponent (0)->getChildComponent (5));
    panel.processor.clipFlag = true;
    lamp.timerCallback();
    EXPECT_EQ (panel.handler (5).getValueInterface()->getCurrentValueAsString(), "Clip");

    panel.handler (5).getActions().invoke (juce::AccessibilityActionType::press);
    EXPECT_EQ (panel.handler (5).getValueInterface()->getCurrentValueAsString(), "No clip");
}

TEST (Accessibility, TheLogoLinkOpensTheWebSiteAndTheBackgroundIsIgnored)
{
    VornAudioProcessor processor;
    juce::StringArray opened;
    VornAudioProcessorEditor editor (processor, processor.parameters,
                                     [&opened] (const juce::URL& url) { opened.add (url.toString (true)); });
    putOnDesktop (editor);
    auto& content = *editor.getChildComponent (0);

    auto* link = content.getChildComponent (8)->getAccessibilityHandler();
    EXPECT_EQ (link->getDescription(), "https://okulaboratories.com");
    link->getActions().invoke (juce::AccessibilityActionType::press);
    EXPECT_EQ (opened, juce::StringArray { "https://okulaboratories.com" });

    auto* background = content.getChildComponent (0)->getAccessibilityHandler();
    EXPECT_TRUE (background == nullptr || background->isIgnored());
}
} // namespace
