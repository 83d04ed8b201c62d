# What `cmake --install` puts where, the CMake package and pkg-config file for host projects, the
# manual page, and the Debian package (cpack -G DEB; scripts/package.sh). Every path is relative
# to the prefix, so the same tree installs under /usr (the package) or a scratch folder (CI).
include(CMakePackageConfigHelpers)

set(HL_CMAKE_PACKAGE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/HLReports)
set(HL_SHARE_DIR ${CMAKE_INSTALL_DATADIR}/hlreports)
# Documents go where Debian keeps a package's: share/doc/<package>.
set(HL_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/hlreports)

# The component and its host command.
install(TARGETS hlreports_library EXPORT HLReportsTargets
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
        INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(DIRECTORY ${HL_PUBLIC_INCLUDE_DIR}/hlreports DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(TARGETS hlreports RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The ODBC setup library sits beside the system's ODBC drivers; the script registers it.
install(TARGETS hlreportsodbcS LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}/odbc)
install(PROGRAMS ${PROJECT_SOURCE_DIR}/scripts/register-odbc-driver.sh DESTINATION ${HL_SHARE_DIR})

# The demo (database sources, report files, answer files), help pages, documents.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/demo DESTINATION ${HL_SHARE_DIR})
if(EXISTS ${PROJECT_SOURCE_DIR}/help)
    install(DIRECTORY ${PROJECT_SOURCE_DIR}/help DESTINATION ${HL_SHARE_DIR})
endif()
file(GLOB user_documents ${PROJECT_SOURCE_DIR}/docs/*.md)
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${user_documents} DESTINATION ${HL_DOC_DIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples DESTINATION ${HL_DOC_DIR})

# find_package(HLReports): HLReports::hlreports.
install(EXPORT HLReportsTargets NAMESPACE HLReports:: DESTINATION ${HL_CMAKE_PACKAGE_DIR})
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/package/HLReportsConfig.cmake.in
    ${PROJECT_BINARY_DIR}/HLReportsConfig.cmake INSTALL_DESTINATION ${HL_CMAKE_PACKAGE_DIR})
# Before 1.0 a minor version may change the interface.
write_basic_package_version_file(${PROJECT_BINARY_DIR}/HLReportsConfigVersion.cmake
    COMPATIBILITY SameMinorVersion)
install(FILES ${PROJECT_BINARY_DIR}/HLReportsConfig.cmake
              ${PROJECT_BINARY_DIR}/HLReportsConfigVersion.cmake
        DESTINATION ${HL_CMAKE_PACKAGE_DIR})

# pkg-config: relative to its own folder, so the file is right under any prefix.
file(RELATIVE_PATH pc_to_prefix ${CMAKE_INSTALL_FULL_LIBDIR}/pkgconfig ${CMAKE_INSTALL_PREFIX})
string(REGEX REPLACE "/$" "" pc_to_prefix "${pc_to_prefix}")
configure_file(${PROJECT_SOURCE_DIR}/cmake/package/hlreports.pc.in
               ${PROJECT_BINARY_DIR}/hlreports.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/hlreports.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

# The manual page, from the command's own --help-all and --version.
find_program(HL_HELP2MAN help2man)
if(HL_HELP2MAN)
    set(man_page ${PROJECT_BINARY_DIR}/man/hlreports.1)
    add_custom_command(
        OUTPUT ${man_page}.gz
        COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/man
        COMMAND ${HL_HELP2MAN} --no-info --help-option=--help-all --section=1
                --name "prepare the suite's reports from the command line"
                --include ${PROJECT_SOURCE_DIR}/apps/hlreports/hlreports.h2m
                --output ${man_page} $<TARGET_FILE:hlreports>
        COMMAND gzip -n -9 -f ${man_page}
        DEPENDS hlreports ${PROJECT_SOURCE_DIR}/apps/hlreports/hlreports.h2m
        COMMENT "Writing the manual page hlreports(1)"
        VERBATIM)
    add_custom_target(hlreports_man_page ALL DEPENDS ${man_page}.gz)
    install(FILES ${man_page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
else()
    message(WARNING "help2man not found: the manual page is neither built nor installed")
endif()

# The Debian package: hlreports_<version>_<arch>.deb with the libraries' dependencies read from
# the binaries, plus what the command and the registration script run.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME hlreports)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Reporting component of the apartment property-management suite")
set(CPACK_PACKAGE_DESCRIPTION
    "libhlreports prepares the suite's reports: it looks a report up by name, asks for its\n"
    "criteria, runs its stored procedure and hands the rows to the report engine. The package\n"
    "holds the library with its headers, CMake and pkg-config files, the hlreports command, the\n"
    "ODBC setup library of the data-folder driver and the demo database sources.")
set(CPACK_PACKAGE_CONTACT "HLReports maintainers <hlreports@localhost>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "odbcinst, libsqliteodbc")
set(CPACK_OUTPUT_FILE_PREFIX ${PROJECT_BINARY_DIR}/package)
include(CPack)
