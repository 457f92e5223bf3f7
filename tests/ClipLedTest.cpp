#include "GuiTestHelpers.h"
#include "gui/ClipLed.h"

#include <gtest/gtest.h>

#include <thread>

using namespace gui_test;
using vorn::gui::ClipLed;

namespace
{
/** Counts the repaints a component asks for. */
struct RepaintCounter : juce::CachedComponentImage
{
    void paint (juce::Graphics&) override {}
    bool invalidateAll() override { ++count; return false; }
    bool invalidate (const juce::Rectangle<int>&) override { ++count; return false; }
    void releaseResources() override {}

    int count = 0;
};

/** A lamp on its own flag, with a clock the test sets by hand. */
struct Lamp
{
    Lamp()
    {
        led.setVisible (true);
        led.setCachedComponentImage (repaints);
    }

    std::atomic<bool> flag { false };
    double now = 0.0;
    ClipLed led { flag, [this] { return now; } };
    RepaintCounter* repaints = new RepaintCounter();
};

struct Step
{
    enum Kind { clip, poll, click } kind;
    double time;
    bool litAfter;
    bool repainted;
};

struct TimingCase
{
    const char* name;
    std::vector<Step> steps;
};

std::ostream& operator<< (std::ostream& os, const TimingCase& c) { return os << c.name; }

class ClipLedTimingTest : public testing::TestWithParam<TimingCase> {};

TEST_P (ClipLedTimingTest, FollowsTheClipsItSees)
{
    Lamp lamp;
    auto index = 0;

    for (const auto& step : GetParam().steps)
    {
        lamp.now = step.time;
        const auto repaintsBefore = lamp.repaints->count;

        switch (step.kind)
        {
            case Step::clip:  lamp.flag = true; break;
            case Step::poll:  lamp.led.timerCallback(); break;
            case Step::click: lamp.led.mouseDown (mouseEvent (lamp.led, leftButton)); break;
        }

        EXPECT_EQ (lamp.led.isLit(), step.litAfter) << "step " << index << " at " << step.time << " ms";
        EXPECT_EQ (lamp.repaints->count > repaintsBefore, step.repainted) << "step " << index << " at " << step.time << " ms";
        ++index;
    }
}

constexpr auto clip = Step::clip;
constexpr auto poll = Step::poll;
constexpr auto click = Step::click;

INSTANTIATE_TEST_SUITE_P (Scenarios, ClipLedTimingTest, testing::Values (
    TimingCase { "one_clip_lights_for_one_second", {
        { clip, 0, false, false }, { poll, 10, true, true }, { poll, 500, true, false },
        { poll, 1009, true, false }, { poll, 1010, false, true }, { poll, 1043, false, false } } },
    TimingCase { "clips_every_half_second_keep_it_lit", {
        { clip, 0, false, false }, { poll, 10, true, true }, { poll, 400, true, false },
        { clip, 500, true, false }, { poll, 510, true, false }, { poll, 1009, true, false },
        { clip, 1000, true, false }, { poll, 1010, true, false }, { poll, 1500, true, false },
        { poll, 2009, true, false }, { poll, 2010, false, true } } },
    TimingCase { "a_click_puts_it_out_and_the_next_clip_lights_it", {
        { clip, 0, false, false }, { poll, 10, true, true }, { click, 100, false, true },
        { poll, 133, false, false }, { clip, 150, false, false }, { poll, 166, true, true } } },
    TimingCase { "a_click_drops_a_clip_not_yet_polled", {
        { clip, 0, false, false }, { click, 5, false, true }, { poll, 10, false, false }, { poll, 43, false, false } } },
    TimingCase { "polls_without_a_change_do_not_repaint", {
        { poll, 0, false, false }, { poll, 33, false, false }, { poll, 66, false, false } } }),
    [] (const auto& info) { return std::string (info.param.name); });

TEST (ClipLed, PollsThirtyTimesASecondAndSaysWhatItIs)
{
    std::atomic<bool> flag { false };
    ClipLed led (flag);
    EXPECT_TRUE (led.isTimerRunning());
    EXPECT_EQ (led.getTimerInterval(), 33);
    EXPECT_EQ (led.getTooltip(), "Lights when the output peaks near 0 dBFS. Click to clear.");
}

// The audio thread only raises the flag and the lamp takes it with an atomic
// exchange: a clip is never lost between the lamp's read and its clear. Each
// poll here is a second apart, so a lit poll is one that took a clip.
TEST (ClipLed, SeesEveryClipOfAProcessorRunningOnAnotherThread)
{
    VornAudioProcessor processor;
    processor.prepareToPlay (48000.0, 256);

    double now = 0.0;
    ClipLed led (processor.clipFlag, [&now] { return now; });

    std::atomic<int> clipBlocks { 0 }, litPolls { 0 };
    std::atomic<bool> finished { false }, lost { false };

    std::thread audio ([&]
    {
        juce::AudioBuffer<float> buffer (2, 256);
        juce::MidiBuffer midi;

        for (auto block = 0; block < 300 && ! lost; ++block)
        {
            // Only the left channel clips, so a loud block raises the flag once.
            const auto loud = block % 7 == 3;
            for (auto ch = 0; ch < 2; ++ch)
                for (auto i = 0; i < 256; ++i)
                    buffer.setSample (ch, i, (loud && ch == 0 ? 1.0f : 0.1f) * std::sin (0.05f * static_cast<float> (i)));

            processor.processBlock (buffer, midi);

            if (loud)
            {
                const auto seen = ++clipBlocks;
                const auto deadline = juce::Time::getMillisecondCounter() + 5000;
                while (litPolls < seen && ! lost)
                    if (juce::Time::getMillisecondCounter() > deadline)
                        lost = true;
            }
        }
        finished = true;
    });

    while (! finished)
    {
        now += 1500.0;
        led.timerCallback();
        if (led.isLit())
            ++litPolls;
    }
    audio.join();

    EXPECT_FALSE (lost) << "a clip block was never followed by a lit poll";
    EXPECT_GT (clipBlocks.load(), 40);
    EXPECT_EQ (litPolls.load(), clipBlocks.load()) << "a lit poll without a clip";
}

juce::Image lampFace (bool lit)
{
    juce::Image image (juce::Image::ARGB, 30, 30, true);
    juce::Graphics g (image);
    g.fillAll (juce::Colour (0xff1b1d1f));
    vorn::gui::drawLedFace (g, lit, 15.0f, 15.0f, 4.6f);
    return image;
}

int countRedGlow (const juce::Image& image)
{
    // Between the bezel (7.8 px) and the glow's end (14.7 px).
    auto count = 0;
    for (auto y = 0; y < 30; ++y)
        for (auto x = 0; x < 30; ++x)
        {
            const auto distance = std::hypot (static_cast<float> (x) + 0.5f - 15.0f, static_cast<float> (y) + 0.5f - 15.0f);
            const auto c = image.getPixelAt (x, y);
            if (distance > 9.0f && distance < 13.0f && c.getRed() > c.getGreen() + 15)
                ++count;
        }
    return count;
}

TEST (ClipLedFace, GlowsRedWhenLitAndShowsADullLensWhenDark)
{
    const auto lit = lampFace (true), dark = lampFace (false);

    EXPECT_GT (countRedGlow (lit), 30);
    EXPECT_EQ (countRedGlow (dark), 0);

    // The lens just below right of its hot spot, and the bezel's lower edge.
    EXPECT_GT (lit.getPixelAt (15, 15).getRed(), 200);
    EXPECT_LT (dark.getPixelAt (15, 15).getRed(), 70);
    EXPECT_GT (dark.getPixelAt (15, 15).getRed(), dark.getPixelAt (15, 15).getGreen());
    EXPECT_GT (dark.getPixelAt (15, 22).getRed(), 0x28) << "the bezel, lighter at the bottom";
}
} // namespace
