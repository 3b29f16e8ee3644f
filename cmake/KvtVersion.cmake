# The package's version, read from one place: the DriverVer line of the
# driver package's INF, which Windows compares when it picks a driver. The
# binaries' version resources include the generated kvt_version.h, so a
# release changes that one line.
file(STRINGS ${PROJECT_SOURCE_DIR}/package/KvtQvj2.inf kvt_driver_ver
     REGEX "^DriverVer=[0-9/]+,[0-9]+\\.[0-9]+\\.[0-9]+\\.[0-9]+$")
if(NOT kvt_driver_ver MATCHES ",([0-9]+)\\.([0-9]+)\\.([0-9]+)\\.([0-9]+)$")
  message(FATAL_ERROR "package/KvtQvj2.inf: no DriverVer=mm/dd/yyyy,a.b.c.d line")
endif()
set(KVT_VERSION_MAJOR ${CMAKE_MATCH_1})
set(KVT_VERSION_MINOR ${CMAKE_MATCH_2})
set(KVT_VERSION_BUILD ${CMAKE_MATCH_3})
set(KVT_VERSION_REVISION ${CMAKE_MATCH_4})
set(KVT_VERSION ${CMAKE_MATCH_1}.${CMAKE_MATCH_2}.${CMAKE_MATCH_3}.${CMAKE_MATCH_4})
# A new DriverVer reconfigures the build.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/package/KvtQvj2.inf)
configure_file(${CMAKE_CURRENT_LIST_DIR}/kvt_version.h.in ${CMAKE_BINARY_DIR}/generated/kvt_version.h @ONLY)
# Only resource scripts (and the odd test) read it: the compilers' command
# lines stay as they were.
set(KVT_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -I${KVT_GENERATED_DIR}")
