# What `cmake --install` puts in place.
#  Linux: the header, libvyxmath.so with its version and SONAME, the CMake
#    package (find_package(vyxmath) gives vyxmath::vyxmath), vyxmath.pc, the
#    host vyxmath with its manual page and bash and zsh completions, and the
#    reference pages.
#  Windows: one folder with "VYXmath.vyk", vyxmath.exe, README.txt and the
#    reference pages.
set(CMAKE_INSTALL_DOCDIR share/doc/vyxmath CACHE PATH "Documentation folder")
include(GNUInstallDirs)

set(vyxmath_documents
  ${PROJECT_SOURCE_DIR}/README.md
  ${PROJECT_SOURCE_DIR}/LICENSE)
foreach(page reference.md number-text.md)
  if(EXISTS ${PROJECT_SOURCE_DIR}/docs/${page})
    list(APPEND vyxmath_documents ${PROJECT_SOURCE_DIR}/docs/${page})
  endif()
endforeach()

if(WIN32)
  # For Windows users a plain-text README (English and Japanese, UTF-8 with a
  # byte-order mark, CRLF line ends) in place of the repository's, and the
  # Japanese pages, when present, in ja\.
  configure_file(${PROJECT_SOURCE_DIR}/packaging/win32/README.txt.in ${PROJECT_BINARY_DIR}/README.txt
    @ONLY NEWLINE_STYLE CRLF)
  list(REMOVE_ITEM vyxmath_documents ${PROJECT_SOURCE_DIR}/README.md)
  file(GLOB japanese_pages ${PROJECT_SOURCE_DIR}/docs/ja/*.md)
  install(TARGETS vyxmath vyxmath_host RUNTIME DESTINATION .)
  install(FILES ${PROJECT_BINARY_DIR}/README.txt ${vyxmath_documents} DESTINATION .)
  if(japanese_pages)
    install(FILES ${japanese_pages} DESTINATION ja)
  endif()
  return()
endif()

set_target_properties(vyxmath PROPERTIES
  VERSION ${PROJECT_VERSION}
  SOVERSION ${PROJECT_VERSION_MAJOR})
target_include_directories(vyxmath INTERFACE $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)

# The installed host finds the library through the installed folders: the
# path from its own folder to the library, under the library's SONAME.
file(RELATIVE_PATH host_to_library
  ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_LIBDIR}/libvyxmath.so.${PROJECT_VERSION_MAJOR})
target_compile_definitions(vyxmath_host PRIVATE VYXMATH_INSTALLED_MODULE="${host_to_library}")

install(TARGETS vyxmath EXPORT vyxmathTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(TARGETS vyxmath_host RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/include/vyxmath.h ${PROJECT_BINARY_DIR}/generated/vyxmath_version.h
  DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})

set(package_dir ${CMAKE_INSTALL_LIBDIR}/cmake/vyxmath)
install(EXPORT vyxmathTargets NAMESPACE vyxmath:: DESTINATION ${package_dir})
include(CMakePackageConfigHelpers)
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/vyxmathConfig.cmake.in
  ${PROJECT_BINARY_DIR}/vyxmathConfig.cmake INSTALL_DESTINATION ${package_dir})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/vyxmathConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/vyxmathConfig.cmake ${PROJECT_BINARY_DIR}/vyxmathConfigVersion.cmake
  DESTINATION ${package_dir})

# vyxmath.pc names its prefix relative to its own folder, so the installed
# tree can be moved.
set(pc_dir ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
file(RELATIVE_PATH PC_PREFIX_FROM_PCDIR /root/${pc_dir} /root)
configure_file(${CMAKE_CURRENT_LIST_DIR}/vyxmath.pc.in ${PROJECT_BINARY_DIR}/vyxmath.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/vyxmath.pc DESTINATION ${pc_dir})

install(FILES ${vyxmath_documents} DESTINATION ${CMAKE_INSTALL_DOCDIR})

# The host's message catalogues, share/locale/LANGUAGE/LC_MESSAGES/vyxmath.mo.
if(TARGET vyxmath_host_catalogues)
  install(DIRECTORY ${PROJECT_BINARY_DIR}/share/locale DESTINATION ${CMAKE_INSTALL_DATADIR})
endif()

# The manual page, from the help text of the host just built, compressed as
# the system's manual pages are. The sanitizer builds, whose host may not run
# outside the test runner's setting, leave it out.
option(VYXMATH_MAN_PAGE "Write the manual page vyxmath.1 from the host's help" ON)
if(NOT VYXMATH_MAN_PAGE)
  return()
endif()
set(man_page ${PROJECT_BINARY_DIR}/man/vyxmath.1)
add_custom_command(
  OUTPUT ${man_page}.gz
  COMMAND ${CMAKE_COMMAND} -DHOST=$<TARGET_FILE:vyxmath_host> -DVERSION=${PROJECT_VERSION}
          -DDOCDIR=${CMAKE_INSTALL_DOCDIR} -DLIBDIR=${CMAKE_INSTALL_LIBDIR}
          -DDATADIR=${CMAKE_INSTALL_DATADIR} -DOUTPUT=${man_page} -P ${CMAKE_CURRENT_LIST_DIR}/generate_man_page.cmake
  COMMAND gzip -9nf ${man_page}
  DEPENDS vyxmath_host ${CMAKE_CURRENT_LIST_DIR}/generate_man_page.cmake
  COMMENT "Writing the manual page vyxmath.1 from the host's help"
  VERBATIM)
add_custom_target(vyxmath_man_page ALL DEPENDS ${man_page}.gz)
install(FILES ${man_page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The shell completions, from the same help and listing: bash's in the folder
# bash-completion loads on demand, zsh's in the folder Debian's zsh reads.
set(completion_dir ${PROJECT_BINARY_DIR}/completion)
add_custom_command(
  OUTPUT ${completion_dir}/vyxmath ${completion_dir}/_vyxmath
  COMMAND ${CMAKE_COMMAND} -DHOST=$<TARGET_FILE:vyxmath_host> -DSOURCE_DIR=${PROJECT_SOURCE_DIR}/host/completion
          -DOUTPUT_DIR=${completion_dir} -P ${CMAKE_CURRENT_LIST_DIR}/generate_completions.cmake
  DEPENDS vyxmath_host ${CMAKE_CURRENT_LIST_DIR}/generate_completions.cmake
          ${PROJECT_SOURCE_DIR}/host/completion/vyxmath.bash.in ${PROJECT_SOURCE_DIR}/host/completion/_vyxmath.in
  COMMENT "Writing the bash and zsh completions of vyxmath from the host's help"
  VERBATIM)
add_custom_target(vyxmath_completions ALL DEPENDS ${completion_dir}/vyxmath ${completion_dir}/_vyxmath)
install(FILES ${completion_dir}/vyxmath DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)
install(FILES ${completion_dir}/_vyxmath DESTINATION ${CMAKE_INSTALL_DATADIR}/zsh/vendor-completions)
