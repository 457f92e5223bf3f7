#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <dlfcn.h>

namespace test_desktop
{
/** Without a window manager, some of the window properties the framework sets
    name atoms that do not exist on the display. A standalone framework app
    ignores those X errors; a test that makes windows (or has a plug-in make
    them) must ignore them too, before the first window appears. */
inline void ignoreXErrors()
{
    using Handler = int (*) (void*, void*);
    using SetHandler = Handler (*) (Handler);
    if (auto* x11 = dlopen ("libX11.so.6", RTLD_LAZY))
        if (auto setHandler = reinterpret_cast<SetHandler> (dlsym (x11, "XSetErrorHandler")))
            setHandler ([] (void*, void*) { return 0; });
}

/** Puts a component in a window of its own on the display, as a host window
    would hold it. */
inline void putOnDesktop (juce::Component& component)
{
    ignoreXErrors();
    component.addToDesktop (juce::ComponentPeer::windowAppearsOnTaskbar);
}
} // namespace test_desktop
