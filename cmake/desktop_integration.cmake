# Desktop integration, installed by `cmake --install`: the menu entry, the
# program icon (scalable, and as PNGs rendered from it at build time) and
# the help document.
#
# The help document goes to <prefix>/share/sleevix/Help; the program looks
# there, relative to its own folder, when there is no Help folder beside it.

set(SLEEVIX_ICON_SIZES 16 22 24 32 48 64 128 256)
set(SLEEVIX_ICON_SVG ${CMAKE_SOURCE_DIR}/resources/icons/sleevix.svg)
set(SLEEVIX_HICOLOR_DIR ${CMAKE_BINARY_DIR}/icons/hicolor)

add_executable(sleevix_render_icon tools/render_icon.cpp)
target_link_libraries(sleevix_render_icon PRIVATE Qt6::Gui Qt6::Svg)

set(sleevix_icon_pngs)
foreach(size IN LISTS SLEEVIX_ICON_SIZES)
  list(APPEND sleevix_icon_pngs ${SLEEVIX_HICOLOR_DIR}/${size}x${size}/apps/sleevix.png)
endforeach()
add_custom_command(OUTPUT ${sleevix_icon_pngs}
  COMMAND sleevix_render_icon ${SLEEVIX_ICON_SVG} ${SLEEVIX_HICOLOR_DIR} ${SLEEVIX_ICON_SIZES}
  DEPENDS sleevix_render_icon ${SLEEVIX_ICON_SVG}
  COMMENT "Rendering the program icon as PNG"
  VERBATIM)
add_custom_target(sleevix_icons ALL DEPENDS ${sleevix_icon_pngs})

set(SLEEVIX_HELP_INSTALL_DIR ${CMAKE_INSTALL_DATADIR}/sleevix/Help)
file(RELATIVE_PATH sleevix_help_from_bin
  ${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR} ${CMAKE_INSTALL_PREFIX}/${SLEEVIX_HELP_INSTALL_DIR})
set_property(SOURCE src/app/help_document.cpp APPEND PROPERTY
  COMPILE_DEFINITIONS SLEEVIX_INSTALLED_HELP="${sleevix_help_from_bin}")

install(FILES resources/sleevix.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${SLEEVIX_ICON_SVG} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(DIRECTORY ${SLEEVIX_HICOLOR_DIR} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
install(DIRECTORY resources/Help/ DESTINATION ${SLEEVIX_HELP_INSTALL_DIR})
