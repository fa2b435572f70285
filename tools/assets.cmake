# The runtime folder beside the executable: the pictures drawn by
# make_pictures, the font, and the empty save/ and screenshots/ folders.
set(GRIM_DATA_DIR ${CMAKE_BINARY_DIR}/data)
set(GRIM_PICTURES_STAMP ${GRIM_DATA_DIR}/.pictures-drawn)
add_custom_command(
  OUTPUT ${GRIM_PICTURES_STAMP}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${GRIM_DATA_DIR}
  COMMAND make_pictures ${GRIM_DATA_DIR}
  COMMAND ${CMAKE_COMMAND} -E touch ${GRIM_PICTURES_STAMP}
  DEPENDS make_pictures
  COMMENT "Drawing the game's pictures into data/"
  VERBATIM)

set(GRIM_FONT_SOURCE /usr/share/fonts/truetype/liberation/LiberationSerif-Bold.ttf)
set(GRIM_FONT ${CMAKE_BINARY_DIR}/fonts/timesbd.TTF)
add_custom_command(
  OUTPUT ${GRIM_FONT}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/fonts
  COMMAND ${CMAKE_COMMAND} -E copy ${GRIM_FONT_SOURCE} ${GRIM_FONT}
  DEPENDS ${GRIM_FONT_SOURCE}
  COMMENT "Copying the game's font"
  VERBATIM)

add_custom_target(runtime_folder ALL
  DEPENDS ${GRIM_PICTURES_STAMP} ${GRIM_FONT}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/save
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/screenshots)
add_dependencies(grimhollow runtime_folder)
