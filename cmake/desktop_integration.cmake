# Desktop integration, installed by `cmake --install`: the menu entry, the
# AppStream metainfo, the program icon (scalable, and as PNGs rendered from
# it at build time), the manual page, the help document and the ready label
# templates.
#
# The help document goes to <prefix>/share/sleevix/Help; the program looks
# there, relative to its own folder, when there is no Help folder beside it.

# The picture types the program reads, as the desktop names them: the menu
# entry offers the program for files of these types and the metainfo lists
# them. One for each extension that loadPicture() reads
# (src/platform/pictures/picture_formats.cpp); tests/app/tst_install.cpp
# checks that the two lists agree.
set(SLEEVIX_PICTURE_MIME_TYPES
  image/jpeg
  image/bmp
  image/vnd.microsoft.icon
  image/emf
  image/wmf
  image/png
  image/gif
  image/webp
  image/tiff
  image/heif
  image/avif
  image/svg+xml
  application/pdf)

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
set(SLEEVIX_TEMPLATES_INSTALL_DIR ${CMAKE_INSTALL_DATADIR}/sleevix/Vorlagen)
file(RELATIVE_PATH sleevix_help_from_bin
  ${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR} ${CMAKE_INSTALL_PREFIX}/${SLEEVIX_HELP_INSTALL_DIR})
set_property(SOURCE src/workspace/help_document.cpp APPEND PROPERTY
  COMPILE_DEFINITIONS SLEEVIX_INSTALLED_HELP="${sleevix_help_from_bin}")

# The menu entry and the metainfo, with the picture types filled in.
list(JOIN SLEEVIX_PICTURE_MIME_TYPES ";" SLEEVIX_DESKTOP_MIME_TYPES)
string(APPEND SLEEVIX_DESKTOP_MIME_TYPES ";")
list(TRANSFORM SLEEVIX_PICTURE_MIME_TYPES
  REPLACE "(.+)" "    <mediatype>\\1</mediatype>" OUTPUT_VARIABLE sleevix_media_types)
list(JOIN sleevix_media_types "\n" SLEEVIX_METAINFO_MEDIA_TYPES)
set(SLEEVIX_DESKTOP_ENTRY ${CMAKE_BINARY_DIR}/desktop/sleevix.desktop)
set(SLEEVIX_METAINFO ${CMAKE_BINARY_DIR}/desktop/de.tarnholm.sleevix.metainfo.xml)
configure_file(resources/sleevix.desktop.in ${SLEEVIX_DESKTOP_ENTRY} @ONLY)
configure_file(resources/de.tarnholm.sleevix.metainfo.xml.in ${SLEEVIX_METAINFO} @ONLY)

# The manual page names the installed files by their full paths.
set(SLEEVIX_FULL_HELP_DIR ${CMAKE_INSTALL_PREFIX}/${SLEEVIX_HELP_INSTALL_DIR})
set(SLEEVIX_FULL_TEMPLATES_DIR ${CMAKE_INSTALL_PREFIX}/${SLEEVIX_TEMPLATES_INSTALL_DIR})
set(SLEEVIX_FULL_MODULE_DIR ${CMAKE_INSTALL_PREFIX}/${SLEEVIX_MODULE_INSTALL_DIR})
set(SLEEVIX_FULL_HELPER_DIR ${CMAKE_INSTALL_PREFIX}/${SLEEVIX_HELPER_INSTALL_DIR})
set(SLEEVIX_MANUAL_DATE ${SLEEVIX_RELEASE_DATE})
configure_file(resources/sleevix.1.in ${CMAKE_BINARY_DIR}/man/sleevix.1 @ONLY)

# Manual pages and the package's changelog are installed compressed, as
# gzip -9n makes them: at the highest level and without a time stamp.
find_program(SLEEVIX_GZIP gzip REQUIRED)
function(sleevix_compressed source target)
  get_filename_component(folder ${target} DIRECTORY)
  add_custom_command(OUTPUT ${target}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
    COMMAND ${SLEEVIX_GZIP} -9n -c ${source} > ${target}
    DEPENDS ${source}
    COMMENT "Compressing ${target}")
  get_filename_component(name ${target} NAME)
  add_custom_target(sleevix_compressed_${name} ALL DEPENDS ${target})
endfunction()
sleevix_compressed(${CMAKE_BINARY_DIR}/man/sleevix.1 ${CMAKE_BINARY_DIR}/man/sleevix.1.gz)

install(FILES ${SLEEVIX_DESKTOP_ENTRY} DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${SLEEVIX_METAINFO} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${SLEEVIX_ICON_SVG} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(DIRECTORY ${SLEEVIX_HICOLOR_DIR} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
install(FILES ${CMAKE_BINARY_DIR}/man/sleevix.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(DIRECTORY resources/Help/ DESTINATION ${SLEEVIX_HELP_INSTALL_DIR})
install(DIRECTORY resources/templates/ DESTINATION ${SLEEVIX_TEMPLATES_INSTALL_DIR}
  FILES_MATCHING PATTERN "*.lab")
