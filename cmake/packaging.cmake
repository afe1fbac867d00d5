# Release archives with CPack (run `cpack` in a build folder):
#  win32 preset: VYXmath-<version>-win32.zip, the module, the host, a README
#    for Windows users and the reference pages in one folder.
#  Linux: VYXmath-<version>-Linux-<processor>.tar.gz and the Debian package
#    vyxmath_<version>_<architecture>.deb.
set(CPACK_PACKAGE_NAME vyxmath)
set(CPACK_PACKAGE_VENDOR "The VYXmath authors")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "real-valued and integer mathematics on decimal number text")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_RESOURCE_FILE_README ${PROJECT_SOURCE_DIR}/README.md)
set(CPACK_PACKAGE_CHECKSUM SHA256)

# The archives hold stripped binaries. The Windows Release build compiles
# with no debug information of its own; what strip removes there is the
# statically linked runtime's (DWARF sections) and the symbol table, a fifth
# of the module and half of the host.
set(CPACK_STRIP_FILES ON)

if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME VYXmath-${PROJECT_VERSION}-win32)
  include(CPack)
  return()
endif()

set(CPACK_GENERATOR TGZ DEB)
set(CPACK_PACKAGE_FILE_NAME VYXmath-${PROJECT_VERSION}-Linux-${CMAKE_SYSTEM_PROCESSOR})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The VYXmath authors <maintainers@vyxmath.invalid>")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "The library libvyxmath and the command-line host vyxmath: the four basic
operations, powers, logarithms, circular, hyperbolic and probability
functions on real numbers held as decimal text, and factorial, Fibonacci
numbers, divisors, counts, a prime test and random numbers on 32-bit
integers. Every result is the same to the bit on every machine. With the
C header, a CMake package and a pkg-config file; MIT licence.")

# A Debian package documents its licence in copyright and its history in a
# changelog, both in its documentation folder.
set(debian_docs ${PROJECT_BINARY_DIR}/debian-docs)
file(READ ${PROJECT_SOURCE_DIR}/LICENSE licence)
string(REGEX MATCH "Copyright \\(c\\) ([^\n]*)" copyright_line "${licence}")
set(copyright_holder "${CMAKE_MATCH_1}")
string(REGEX REPLACE "\n+$" "" licence "${licence}")
string(REGEX REPLACE "^MIT License\n\n" "" licence "${licence}")
string(REGEX REPLACE "Copyright \\(c\\) ([^\n]*)\n\n" "" licence "${licence}")
string(REPLACE "\n\n" "\n.\n" licence "${licence}")
string(REPLACE "\n" "\n " licence "${licence}")
file(WRITE ${debian_docs}/copyright
"Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: VYXmath

Files: *
Copyright: ${copyright_holder}
License: Expat
 ${licence}
")
file(WRITE ${debian_docs}/changelog
"vyxmath (${PROJECT_VERSION}) unstable; urgency=medium

  * Release ${PROJECT_VERSION}.

 -- ${CPACK_DEBIAN_PACKAGE_MAINTAINER}  Mon, 07 Dec 2026 00:00:00 +0000
")
execute_process(COMMAND gzip -9nf ${debian_docs}/changelog)
# The system's library cache is renewed by a trigger once dpkg is done.
file(WRITE ${debian_docs}/triggers "activate-noawait ldconfig\n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${debian_docs}/triggers)
install(FILES ${debian_docs}/copyright ${debian_docs}/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})

include(CPack)
