#include "HostedPlugin.h"

namespace
{
juce::File vst3Bundle()
{
    // The module binary sits in Vorn.vst3/Contents/<arch>/.
    return juce::File (VORN_VST3_BINARY).getParentDirectory().getParentDirectory().getParentDirectory();
}

void instantiateOnlyType (HostedPlugin& hosted, const juce::String& fileOrIdentifier)
{
    juce::OwnedArray<juce::PluginDescription> types;
    hosted.format->findAllTypesForFile (types, fileOrIdentifier);

    if (types.size() != 1)
        return;

    hosted.description = *types[0];
    juce::String error;
    hosted.instance = hosted.format->createInstanceFromDescription (hosted.description, 48000.0, 256, error);
}
} // namespace

HostedPlugin HostedPlugin::loadVst3()
{
    HostedPlugin hosted { std::make_unique<juce::VST3PluginFormat>(), {}, {} };
    instantiateOnlyType (hosted, vst3Bundle().getFullPathName());
    return hosted;
}

#ifdef VORN_LV2_BINARY
HostedPlugin HostedPlugin::loadLv2()
{
    HostedPlugin hosted { std::make_unique<juce::LV2PluginFormat>(), {}, {} };

    // Searching only the build tree's LV2 folder keeps installed bundles out.
    const auto buildTreeFolder = juce::File (VORN_LV2_BINARY).getParentDirectory().getParentDirectory();
    const auto uris = hosted.format->searchPathsForPlugins (juce::FileSearchPath (buildTreeFolder.getFullPathName()), false, false);

    if (uris.contains (VORN_LV2_URI))
        instantiateOnlyType (hosted, VORN_LV2_URI);

    return hosted;
}
#endif
