# What the plug-in binaries get beyond what juce_add_plugin gives them:
# only their format's entry points exported, unused code left out, the VST3
# wrapper's allocation-free channel mapping, and the LV2 bundle's class and
# licence.

include("${CMAKE_CURRENT_LIST_DIR}/VornVst3CommonBackport.cmake")

# Exports exactly the given symbols from a shared-library target and nothing
# else. The compiler's hidden visibility already keeps JUCE and Vorn inside;
# this also keeps in the template code that the C++ standard library's headers
# mark as visible, so the plug-in cannot clash with, or bind to, another copy
# of it in the host's process.
function(vorn_export_only target)
    set(script "${CMAKE_CURRENT_BINARY_DIR}/${target}.exports.map")
    list(JOIN ARGN "; " symbols)
    file(CONFIGURE OUTPUT "${script}" CONTENT "{\n  global: ${symbols};\n  local: *;\n};\n")
    target_link_options(${target} PRIVATE "LINKER:--version-script=${script}")
    set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS "${script}")
endfunction()

# Compiles every function and datum into a section of its own and lets the
# linker drop the ones a binary never reaches (JUCE's modules compile as a few
# large translation units, most of which a plug-in does not use), and strips
# release binaries of their symbol tables.
function(vorn_link_lean target)
    target_link_options(${target} PRIVATE
        "LINKER:--gc-sections"
        "$<$<CONFIG:Release,MinSizeRel>:LINKER:--strip-all>")
endfunction()

function(vorn_finish_plugin_binaries shared_code_target)
    if(CMAKE_SYSTEM_NAME STREQUAL "Linux")
        target_compile_options(${shared_code_target} PRIVATE -ffunction-sections -fdata-sections)

        foreach(format VST3 LV2 Standalone)
            set(target ${shared_code_target}_${format})
            if(TARGET ${target})
                target_compile_options(${target} PRIVATE -ffunction-sections -fdata-sections)
                vorn_link_lean(${target})
            endif()
        endforeach()

        if(TARGET ${shared_code_target}_VST3)
            vorn_export_only(${shared_code_target}_VST3 GetPluginFactory ModuleEntry ModuleExit)
        endif()
        if(TARGET ${shared_code_target}_LV2)
            vorn_export_only(${shared_code_target}_LV2 lv2_descriptor lv2ui_descriptor)
        endif()
    endif()

    if(TARGET ${shared_code_target}_VST3)
        vorn_backport_vst3_common(backport_include_dir)
        target_include_directories(${shared_code_target}_VST3 BEFORE PRIVATE "${backport_include_dir}")
    endif()

    if(TARGET ${shared_code_target}_LV2)
        get_target_property(plugin_uri ${shared_code_target} JUCE_LV2URI)
        # Runs after JUCE's own step, which writes the bundle's Turtle files.
        add_custom_command(TARGET ${shared_code_target}_LV2 POST_BUILD
            COMMAND "${CMAKE_COMMAND}"
                "-DBUNDLE_DIR=$<TARGET_FILE_DIR:${shared_code_target}_LV2>"
                "-DPLUGIN_URI=${plugin_uri}"
                -P "${CMAKE_CURRENT_FUNCTION_LIST_DIR}/VornLv2About.cmake"
            VERBATIM)
    endif()
endfunction()
