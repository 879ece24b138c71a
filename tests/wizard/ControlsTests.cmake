# wizard_controls_tests: the unpack page's shaded progress bar and log on real windows.
# Window objects need the application object's handle map, so the framework
# tests' entry point runs these tests as its initialisation.
add_executable(wizard_controls_tests
  framework/FrameworkTestMain.cpp
  wizard/ShadedProgressBarTest.cpp
  wizard/LogControlTest.cpp)
target_compile_options(wizard_controls_tests PRIVATE ${project_warnings})
target_link_libraries(wizard_controls_tests PRIVATE wizard test_support gtest comctl32)
add_test(NAME wizard_controls_tests COMMAND wizard_controls_tests)
