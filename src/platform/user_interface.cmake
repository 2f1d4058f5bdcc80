# The Win32 window system behind the toolkit's UiPlatform: peers that mirror the toolkit's
# controls and the widgets, so it comes after both in the order of the layers.
if(WIN32)
  add_library(kb_ui_win32 STATIC
    ${CMAKE_CURRENT_LIST_DIR}/win32/color_picker_peer.cpp
    ${CMAKE_CURRENT_LIST_DIR}/win32/form_peer.cpp
    ${CMAKE_CURRENT_LIST_DIR}/win32/native_peer.cpp
    ${CMAKE_CURRENT_LIST_DIR}/win32/native_ui.cpp
    ${CMAKE_CURRENT_LIST_DIR}/win32/popup_menus.cpp
    ${CMAKE_CURRENT_LIST_DIR}/win32/spin_edit_peers.cpp
    ${CMAKE_CURRENT_LIST_DIR}/win32/standard_peers.cpp)
  target_link_libraries(kb_ui_win32 PUBLIC kb_widgets kb_platform_win32 uxtheme)
  kb_target_warnings(kb_ui_win32)
endif()
