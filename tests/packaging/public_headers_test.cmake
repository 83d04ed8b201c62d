# cmake -DWRITER=WritePublicHeaders.cmake -DWORK=DIR -P public_headers_test.cmake
# Runs the public header writer on small trees of its own: each case lists its headers (name,
# text), the manifest entries, and either the text expected of a written header or the error.
file(REMOVE_RECURSE ${WORK})

function(run_case name manifest expect_file expect_text expect_error)
    set(case_dir ${WORK}/${name})
    file(WRITE ${case_dir}/manifest "${manifest}")
    execute_process(COMMAND ${CMAKE_COMMAND} -DMANIFEST=${case_dir}/manifest
                            -DOUTPUT_DIR=${case_dir}/out/hlreports -P ${WRITER}
                    RESULT_VARIABLE result ERROR_VARIABLE errors OUTPUT_QUIET)
    string(REGEX REPLACE "[ \n]+" " " errors "${errors}")
    if(expect_error)
        if(result EQUAL 0)
            message(FATAL_ERROR "${name}: the writer accepted a leak")
        endif()
        string(FIND "${errors}" "${expect_error}" at)
        if(at EQUAL -1)
            message(FATAL_ERROR "${name}: expected '${expect_error}' in: ${errors}")
        endif()
        return()
    endif()
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "${name}: the writer failed: ${errors}")
    endif()
    file(READ ${case_dir}/out/hlreports/${expect_file} written)
    if(NOT written STREQUAL expect_text)
        message(FATAL_ERROR "${name}: ${expect_file} is\n${written}\nnot\n${expect_text}")
    endif()
endfunction()

set(src ${WORK}/src)
file(WRITE ${src}/top/Entry.h "#pragma once\n#include <string>\n#include \"runtime/Value.h\"\n")
file(WRITE ${src}/runtime/Value.h "#pragma once\n#include \"runtime/Kind.h\"\n// \"quoted; text\"\n")
file(WRITE ${src}/runtime/Kind.h "#pragma once\n")
file(WRITE ${src}/runtime/Leaky.h "#pragma once\n#include \"runtime/Internal.h\"\n")

# A top-level header and a subsystem header: quoted includes move under hlreports/, system
# includes and other text (semicolons, quotes) stay as they were.
run_case(top_level
    "hlreports/Entry.h|${src}/top/Entry.h|Entry.h\nruntime/Value.h|${src}/runtime/Value.h|runtime/Value.h\nruntime/Kind.h|${src}/runtime/Kind.h|runtime/Kind.h\n"
    Entry.h "#pragma once\n#include <string>\n#include \"hlreports/runtime/Value.h\"\n" "")
run_case(subsystem
    "hlreports/Entry.h|${src}/top/Entry.h|Entry.h\nruntime/Value.h|${src}/runtime/Value.h|runtime/Value.h\nruntime/Kind.h|${src}/runtime/Kind.h|runtime/Kind.h\n"
    runtime/Value.h "#pragma once\n#include \"hlreports/runtime/Kind.h\"\n// \"quoted; text\"\n" "")
# A public header that includes a header outside the list fails, naming both.
run_case(leak
    "runtime/Leaky.h|${src}/runtime/Leaky.h|runtime/Leaky.h\n"
    "" "" "public header runtime/Leaky.h includes runtime/Internal.h, which is not public")
