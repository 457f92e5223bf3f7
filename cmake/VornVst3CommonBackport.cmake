# JUCE 7.0.5's VST3 wrapper copies each bus's channel mapping (a small vector)
# on every audio block, so every processed block allocates and frees on the
# audio thread. JUCE 7.0.6 takes the mapping by reference instead. This writes
# a copy of the header with that one line fixed into the build tree; targets
# that put the copy's directory first on their include path compile the fixed
# wrapper while the rest of JUCE stays the installed one.
#
# vorn_backport_vst3_common (<output include dir variable>)
function(vorn_backport_vst3_common out_include_dir)
    set(relative_path "juce_audio_processors/format_types/juce_VST3Common.h")
    set(original "${JUCE_MODULES_DIR}/${relative_path}")
    set(include_dir "${CMAKE_BINARY_DIR}/juce-backports")
    set(patched "${include_dir}/${relative_path}")

    set(faulty_line "const auto mapping = map[busIndex];")
    set(fixed_line "const auto& mapping = map[busIndex];")

    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${original}")
    file(READ "${original}" header)
    string(FIND "${header}" "${faulty_line}" first)
    string(FIND "${header}" "${faulty_line}" last REVERSE)

    if(first EQUAL -1)
        message(FATAL_ERROR
            "${original} no longer contains '${faulty_line}'. This JUCE may carry the fix already: "
            "check it and drop the backport in ${CMAKE_CURRENT_FUNCTION_LIST_FILE}.")
    endif()

    if(NOT first EQUAL last)
        message(FATAL_ERROR
            "${original} contains '${faulty_line}' more than once; the backport expects exactly one.")
    endif()

    string(REPLACE "${faulty_line}" "${fixed_line}" header "${header}")

    # file(READ) drops carriage returns; the copy keeps the original's line
    # endings so that it differs from it in that one line only.
    file(READ "${original}" first_bytes LIMIT 4096 HEX)
    string(FIND "${first_bytes}" "0d0a" crlf)
    if(NOT crlf EQUAL -1)
        string(REPLACE "\n" "\r\n" header "${header}")
    endif()

    # Rewriting an unchanged file would rebuild every target that includes it.
    set(existing "")
    if(EXISTS "${patched}")
        file(READ "${patched}" existing)
    endif()
    if(NOT existing STREQUAL header)
        file(WRITE "${patched}" "${header}")
    endif()

    set(${out_include_dir} "${include_dir}" PARENT_SCOPE)
endfunction()
