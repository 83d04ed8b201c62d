# cmake -DMANIFEST=FILE -DOUTPUT_DIR=DIR -P WritePublicHeaders.cmake
# Writes each public header of the manifest (lines "include-name|source|installed-name") into
# OUTPUT_DIR/installed-name with its quoted includes spelt "hlreports/installed-name". Fails,
# naming both headers, when a public header includes a header that is not public.
file(STRINGS ${MANIFEST} entries)
foreach(entry ${entries})
    string(REPLACE "|" ";" fields "${entry}")
    list(GET fields 0 include_name)
    list(GET fields 2 installed_name)
    set(installed_as_${include_name} ${installed_name})
endforeach()
foreach(entry ${entries})
    string(REPLACE "|" ";" fields "${entry}")
    list(GET fields 0 include_name)
    list(GET fields 1 source)
    list(GET fields 2 installed_name)
    file(READ ${source} text)
    string(REGEX MATCHALL "#include \"[^\"]+\"" includes "${text}")
    foreach(include ${includes})
        string(REGEX REPLACE "#include \"([^\"]+)\"" "\\1" included "${include}")
        if(NOT DEFINED installed_as_${included})
            message(FATAL_ERROR "public header ${include_name} includes ${included}, which is not "
                                "public (cmake/PublicHeaders.cmake lists the public headers)")
        endif()
        string(REPLACE "${include}" "#include \"hlreports/${installed_as_${included}}\"" text "${text}")
    endforeach()
    file(WRITE ${OUTPUT_DIR}/${installed_name} "${text}")
endforeach()
