# The list-side custom controls: the icon drop-down list, the preview box,
# the splitter and the settings tree. Their rules are portable; the window
# procedures that carry them out are built for Windows only.
target_sources(kvt_controls PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/combo_rules.cpp
  ${CMAKE_CURRENT_LIST_DIR}/my_combo_box.cpp
  ${CMAKE_CURRENT_LIST_DIR}/my_preview.cpp
  ${CMAKE_CURRENT_LIST_DIR}/layout_splitter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/my_spriter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tree_model.cpp
  ${CMAKE_CURRENT_LIST_DIR}/my_tree_view.cpp
)

kvt_add_test(list_controls_test
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/combo_rules_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/my_combo_box_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/layout_splitter_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/tree_model_test.cpp
  LIBS kvt_controls_fake)

if(WIN32)
  target_sources(kvt_controls PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/win32/list_controls_win32.cpp
    ${CMAKE_CURRENT_LIST_DIR}/win32/my_combo_box_win32.cpp
    ${CMAKE_CURRENT_LIST_DIR}/win32/my_preview_win32.cpp
    ${CMAKE_CURRENT_LIST_DIR}/win32/my_spriter_win32.cpp
    ${CMAKE_CURRENT_LIST_DIR}/win32/my_tree_view_win32.cpp
  )
  target_link_libraries(kvt_controls PUBLIC comctl32 user32 gdi32)
endif()
