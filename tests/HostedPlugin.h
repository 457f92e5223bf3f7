#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include <memory>

/** A plug-in bundle that this build produced, loaded through one of JUCE's
    own hosts the way a DAW loads it. */
struct HostedPlugin
{
    std::unique_ptr<juce::AudioPluginFormat> format;
    juce::PluginDescription description;
    std::unique_ptr<juce::AudioPluginInstance> instance;

    static HostedPlugin loadVst3();
   #ifdef VORN_LV2_BINARY
    static HostedPlugin loadLv2();
   #endif
};
