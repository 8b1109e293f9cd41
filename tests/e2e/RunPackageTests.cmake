# Makes the release archive with CPack as scripts/package does, checks its name, unpacks it into an
# empty folder and runs package_tests on that folder.
# -DCPACK=<cpack> -DBUILD_DIR=<build> -DWORK_DIR=<scratch> -DVERSION=<version> -DEMULATOR=<wine> -DTEST_EXE=<package_tests.exe>
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR}/archive ${WORK_DIR}/unpacked)
execute_process(COMMAND ${CPACK} -G ZIP --config ${BUILD_DIR}/CPackConfig.cmake -B ${WORK_DIR}/archive
    RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "cpack failed:\n${output}")
endif()
file(GLOB archives RELATIVE ${WORK_DIR}/archive ${WORK_DIR}/archive/*.zip)
if(NOT archives STREQUAL "ZtGnImcon-${VERSION}.zip")
    message(FATAL_ERROR "expected the one archive ZtGnImcon-${VERSION}.zip, found: ${archives}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E tar xf ${WORK_DIR}/archive/${archives}
    WORKING_DIRECTORY ${WORK_DIR}/unpacked RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "the archive could not be unpacked")
endif()
# Wine shows the root of this machine's file system as drive Z:.
string(REPLACE "/" "\\" unpacked "Z:${WORK_DIR}/unpacked")
execute_process(COMMAND ${CMAKE_COMMAND} -E env ZT_UNPACKED_FOLDER=${unpacked} ${EMULATOR} ${TEST_EXE}
    WORKING_DIRECTORY ${BUILD_DIR}/bin RESULT_VARIABLE status)
file(REMOVE_RECURSE ${WORK_DIR})
if(NOT status EQUAL 0)
    message(FATAL_ERROR "package_tests failed (${status})")
endif()
