# install_controls_tests: the unpack page's shaded progress bar and log on real windows.
# Window objects need the application object's handle map, so the framework
# tests' entry point runs these tests as its initialisation.
add_executable(install_controls_tests
  framework/FrameworkTestMain.cpp
  install/ShadedProgressBarTest.cpp
  install/LogControlTest.cpp)
target_compile_options(install_controls_tests PRIVATE ${project_warnings})
target_link_libraries(install_controls_tests PRIVATE install_engine test_support gtest comctl32)
add_test(NAME install_controls_tests COMMAND install_controls_tests)
