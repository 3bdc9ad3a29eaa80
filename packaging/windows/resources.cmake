# Windows resources of every program: the icon of the Linux package (rendered
# from its SVG at build time), a version block from the project version, and
# the manifest (visual styles, per-monitor DPI awareness, UTF-8 code page).
set(VORNAMI_ICO ${CMAKE_BINARY_DIR}/windows/vornami.ico)
find_program(RSVG_CONVERT rsvg-convert REQUIRED)
find_program(ICOTOOL icotool REQUIRED)
set(icon_pngs)
foreach(size 16 24 32 48 64 256)
  set(png ${CMAKE_BINARY_DIR}/windows/icon-${size}.png)
  add_custom_command(
    OUTPUT ${png}
    COMMAND ${RSVG_CONVERT} -w ${size} -h ${size} -o ${png}
            ${CMAKE_SOURCE_DIR}/packaging/org.example.Vornami.svg
    DEPENDS ${CMAKE_SOURCE_DIR}/packaging/org.example.Vornami.svg)
  list(APPEND icon_pngs ${png})
endforeach()
add_custom_command(OUTPUT ${VORNAMI_ICO} COMMAND ${ICOTOOL} -c -o ${VORNAMI_ICO} ${icon_pngs}
                   DEPENDS ${icon_pngs} COMMENT "Making the Windows icon")
add_custom_target(vornami_windows_icon DEPENDS ${VORNAMI_ICO})

# Adds the resources to a program; description names it in Explorer's properties.
function(vornami_windows_resources target description)
  get_target_property(name ${target} OUTPUT_NAME)
  if(NOT name)
    set(name ${target})
  endif()
  set(VORNAMI_RC_DESCRIPTION "${description}")
  set(VORNAMI_RC_FILENAME "${name}.exe")
  set(VORNAMI_RC_ICON "${VORNAMI_ICO}")
  set(VORNAMI_RC_MANIFEST "${CMAKE_SOURCE_DIR}/packaging/windows/vornami.manifest")
  set(rc ${CMAKE_BINARY_DIR}/windows/${target}.rc)
  configure_file(${CMAKE_SOURCE_DIR}/packaging/windows/program.rc.in ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
  set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS
    "${VORNAMI_ICO};${VORNAMI_RC_MANIFEST}")
  add_dependencies(${target} vornami_windows_icon)
endfunction()
