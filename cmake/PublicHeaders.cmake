# The public headers: what a host includes, as hlreports/<name>. The headers of the types a host
# names (values, errors, recordsets, the prepared report, the screen it may supply) keep their one
# home in their subsystem folder; the build writes the installable tree under
# public-include/hlreports, where each quoted include is spelt from the hlreports/ folder, so a
# host needs no include path but <prefix>/include. A public header that includes a header not in
# this list fails the build: that would leak an internal header into the public surface.
set(HL_PUBLIC_HEADERS
    # include-name                source file
    hlreports/Reports.h           include/hlreports/Reports.h
    hlreports/CreateObject.h      include/hlreports/CreateObject.h
    hlreports/ReportDSNs.h        include/hlreports/ReportDSNs.h
    hlreports/Version.h           include/hlreports/Version.h
    runtime/Variant.h             src/runtime/Variant.h
    runtime/Date.h                src/runtime/Date.h
    runtime/ComError.h            src/runtime/ComError.h
    runtime/Err.h                 src/runtime/Err.h
    runtime/Session.h             src/runtime/Session.h
    recordset/Recordset.h         src/recordset/Recordset.h
    recordset/AdoTypes.h          src/recordset/AdoTypes.h
    recordset/FieldInfo.h         src/recordset/FieldInfo.h
    engine/CoreReport.h           src/engine/CoreReport.h
    engine/Render.h               src/engine/Render.h
    ui/Ui.h                       src/ui/Ui.h
    ui/Form.h                     src/ui/Form.h
    ui/Control.h                  src/ui/Control.h
    ui/ControlKind.h              src/ui/ControlKind.h
    ui/FormEvents.h               src/ui/FormEvents.h
    ui/GridData.h                 src/ui/GridData.h
    ui/ScriptedUi.h               src/ui/ScriptedUi.h
    ui/AnswerFile.h               src/ui/AnswerFile.h)

set(manifest_text "")
set(sources "")
set(outputs "")
set(HL_PUBLIC_INCLUDE_DIR ${PROJECT_BINARY_DIR}/public-include)
list(LENGTH HL_PUBLIC_HEADERS count)
math(EXPR last "${count} - 1")
foreach(index RANGE 0 ${last} 2)
    math(EXPR next "${index} + 1")
    list(GET HL_PUBLIC_HEADERS ${index} include_name)
    list(GET HL_PUBLIC_HEADERS ${next} source)
    string(REGEX REPLACE "^hlreports/" "" installed_name ${include_name})
    string(APPEND manifest_text "${include_name}|${PROJECT_SOURCE_DIR}/${source}|${installed_name}\n")
    list(APPEND sources ${PROJECT_SOURCE_DIR}/${source})
    list(APPEND outputs ${HL_PUBLIC_INCLUDE_DIR}/hlreports/${installed_name})
endforeach()
file(WRITE ${PROJECT_BINARY_DIR}/public-headers.manifest "${manifest_text}")

add_custom_command(
    OUTPUT ${outputs}
    COMMAND ${CMAKE_COMMAND} -DMANIFEST=${PROJECT_BINARY_DIR}/public-headers.manifest
            -DOUTPUT_DIR=${HL_PUBLIC_INCLUDE_DIR}/hlreports
            -P ${PROJECT_SOURCE_DIR}/cmake/WritePublicHeaders.cmake
    DEPENDS ${sources} ${PROJECT_SOURCE_DIR}/cmake/WritePublicHeaders.cmake
            ${PROJECT_BINARY_DIR}/public-headers.manifest
    COMMENT "Writing the public headers")
add_custom_target(hlreports_public_headers ALL DEPENDS ${outputs})
