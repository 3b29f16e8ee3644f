# The dialog port and the edit-side custom controls: CMyEdit, the spin
# binding and CMyRadBtn, with their rules kept apart from the windows.
target_sources(kvt_controls PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/edit_rules.cpp
)
