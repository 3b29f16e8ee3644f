# The dialog port and the edit-side custom controls: CMyEdit, the spin
# binding and CMyRadBtn, with their rules kept apart from the windows.
target_sources(kvt_controls PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/edit_rules.cpp
  ${CMAKE_CURRENT_LIST_DIR}/my_edit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/spin_binding.cpp
  ${CMAKE_CURRENT_LIST_DIR}/my_rad_btn.cpp
)

# The in-memory dialogs that page tests run on.
add_library(kvt_controls_fake STATIC ${CMAKE_CURRENT_LIST_DIR}/fake_dialog_port.cpp)
target_link_libraries(kvt_controls_fake PUBLIC kvt_controls)

if(WIN32)
  target_sources(kvt_controls PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/win32/dialog_port_win32.cpp
    ${CMAKE_CURRENT_LIST_DIR}/win32/edit_controls_win32.cpp
  )
  target_link_libraries(kvt_controls PUBLIC comctl32 imm32 user32 gdi32 uxtheme)
endif()

kvt_add_test(edit_controls_test
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/edit_rules_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/my_edit_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/spin_binding_test.cpp
  LIBS kvt_controls_fake)

kvt_add_fuzzer(edit_rules_fuzz
  SOURCES ${PROJECT_SOURCE_DIR}/fuzz/edit_rules_fuzz.cpp
  LIBS kvt_controls
  CORPUS ${PROJECT_SOURCE_DIR}/fuzz/corpus/edit_rules
  SECONDS 20)
