# The list-side custom controls in a real dialog: the combo box's keys,
# drawing and 1129 notifications, the splitter's drag (1632), the preview
# and the classes' registration.
kvt_add_test(list_controls_wine_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/list_controls_wine_test.cpp
  LIBS kvt_test_dialog kvt_controls)
set_tests_properties(list_controls_wine_test PROPERTIES RESOURCE_LOCK desktop)
