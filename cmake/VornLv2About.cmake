# Adds what JUCE's generated LV2 bundle leaves out: the plug-in's class, so
# hosts file it under equalisers, and its licence. Run with -DBUNDLE_DIR=...
# -DPLUGIN_URI=... after JUCE has written the bundle's manifest.ttl.
foreach(required BUNDLE_DIR PLUGIN_URI)
    if(NOT DEFINED ${required})
        message(FATAL_ERROR "VornLv2About.cmake needs -D${required}=...")
    endif()
endforeach()

set(manifest "${BUNDLE_DIR}/manifest.ttl")
if(NOT EXISTS "${manifest}")
    message(FATAL_ERROR "${manifest} is missing: JUCE's LV2 step did not run")
endif()

file(WRITE "${BUNDLE_DIR}/about.ttl"
"@prefix doap: <http://usefulinc.com/ns/doap#> .
@prefix lv2:  <http://lv2plug.in/ns/lv2core#> .

<${PLUGIN_URI}>
\ta lv2:EQPlugin ;
\tdoap:license <http://spdx.org/licenses/GPL-3.0-or-later> .
")

# JUCE rewrites the manifest on every link, but this step may also run on its
# own, so the reference is added only once.
file(READ "${manifest}" manifest_text)
string(FIND "${manifest_text}" "<about.ttl>" existing)
if(existing EQUAL -1)
    file(APPEND "${manifest}" "<${PLUGIN_URI}>\n\trdfs:seeAlso <about.ttl> .\n")
endif()
