# The release archive (scripts/package): ZtGnImcon.exe, ZtError.dll and LEAME.txt, the
# administrators' guide, named after the version. Never the stand-in engine: beside the executable it
# would be found before the workstation's own.

# The guide is kept as UTF-8 text with LF line ends; the archive carries it with a byte-order mark
# and CR LF line ends, so that Notepad on every supported Windows shows its accents.
set(ZT_GUIDE_SOURCE ${PROJECT_SOURCE_DIR}/docs/LEAME.txt)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${ZT_GUIDE_SOURCE})
file(READ ${ZT_GUIDE_SOURCE} ZT_GUIDE)
string(CONFIGURE "${ZT_GUIDE}" ZT_GUIDE @ONLY)
string(REPLACE "\n" "\r\n" ZT_GUIDE "${ZT_GUIDE}")
string(ASCII 239 187 191 ZT_UTF8_BOM)
file(WRITE ${CMAKE_BINARY_DIR}/package/LEAME.txt "${ZT_UTF8_BOM}${ZT_GUIDE}")

install(TARGETS ZtGnImcon RUNTIME DESTINATION .)
install(TARGETS zt_error_display LIBRARY DESTINATION .)
install(FILES ${CMAKE_BINARY_DIR}/package/LEAME.txt DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME ZtGnImcon)
set(CPACK_PACKAGE_VENDOR "Zentor Sistemas")
set(CPACK_PACKAGE_VERSION ${ZT_FILE_VERSION})
set(CPACK_PACKAGE_FILE_NAME ZtGnImcon-${ZT_FILE_VERSION})
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
include(CPack)
