# The 64-bit Windows target, cross-built with MinGW-w64 (cmake/mingw-w64.cmake). The
# engine, framework and controls unit tests run on the manual loop under wine64, with the
# simulated drives in front of the system's CD commands. scripts/test.sh starts the Wine
# server before CTest: a server started by CTest keeps its output pipe open for ever.

# The system's windows: the peers, the event loop on the message queue, the widget dump.
file(GLOB win32_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/platform/win32/*.cpp ${CMAKE_SOURCE_DIR}/platform/win32/*.h)
add_library(plume_platform_win32 STATIC ${win32_sources})
plume_layer_includes(plume_platform_win32 platform_win32)
target_link_libraries(plume_platform_win32 PUBLIC plume_platform comctl32 gdi32)

# plume.exe: a program of the windowing subsystem (no console), with its manifest and icon.
enable_language(RC)
add_executable(plume WIN32 player/Project1Win32.cpp desktop/windows/plume.rc)
target_link_libraries(plume PRIVATE plume_windows plume_resources plume_platform_win32)

if(PLUME_TESTS)
  enable_testing()
  # Debian's GoogleTest sources, built with the cross compiler.
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  include(GoogleTest)

  add_library(plume_test_support STATIC
              tests/support/PlatformFixture.cpp tests/support/RecordingCanvas.cpp
              tests/support/RecordingMci.cpp tests/support/FakeBackend.cpp)
  target_include_directories(plume_test_support PUBLIC ${CMAKE_SOURCE_DIR})
  target_link_libraries(plume_test_support PUBLIC plume_components gtest)

  set(windows_tests
      "engine:tests/engine/*.cpp"
      "framework:tests/framework/*.cpp"
      "controls:tests/controls/*.cpp"
      "mci:tests/platform/mci/CdCommandLayerTest.cpp")
  foreach(entry IN LISTS windows_tests)
    string(REPLACE ":" ";" fields ${entry})
    list(GET fields 0 name)
    list(GET fields 1 pattern)
    file(GLOB tsrc CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${pattern})
    add_executable(test_${name} ${tsrc})
    target_link_libraries(test_${name} PRIVATE plume_test_support gtest_main)
    gtest_discover_tests(test_${name} DISCOVERY_TIMEOUT 120)
  endforeach()
  # The Win32 peers and what passes through to the system, under Wine without a display.
  file(GLOB win32_tests CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/platform_win32/*.cpp)
  add_executable(test_platform_win32 ${win32_tests})
  target_include_directories(test_platform_win32 PRIVATE ${CMAKE_SOURCE_DIR})
  target_link_libraries(test_platform_win32 PRIVATE plume_platform_win32 plume_framework gtest_main)
  gtest_discover_tests(test_platform_win32 DISCOVERY_TIMEOUT 120)
  target_link_libraries(test_framework PRIVATE plume_resources)
  target_compile_definitions(test_framework PRIVATE PLUME_SOURCE_DIR="${CMAKE_SOURCE_DIR}")

  # plume.exe itself under wine64 and a private X server.
  find_program(XVFB_PROGRAM Xvfb)
  find_program(XDOTOOL_PROGRAM xdotool)
  if(XVFB_PROGRAM AND XDOTOOL_PROGRAM)
    add_test(NAME e2e.plume_exe
             COMMAND bash ${CMAKE_SOURCE_DIR}/tests/e2e_windows/plume_exe.sh $<TARGET_FILE:plume>
                     ${CMAKE_BINARY_DIR}/plume_exe.png)
    # Alone: the Wine server gives the keyboard to whichever program holds the foreground,
    # and the peer tests bring their windows there, so a key struck for the deck would go
    # to them instead.
    set_tests_properties(e2e.plume_exe PROPERTIES TIMEOUT 180 RUN_SERIAL TRUE)
  endif()
endif()
