# The portable side's resource compiler: turns an icon picture (raw RGBA bytes,
# rows top to bottom, as tools/make-icon.sh writes them) into a source that
# registers it as icon ID of the program, and adds that source to TARGET.
#   warblet_add_icon_resource(TARGET ID FILE WIDTH HEIGHT)
function(warblet_add_icon_resource target id file width height)
  file(READ "${file}" hex HEX)
  string(LENGTH "${hex}" digits)
  math(EXPR expected "${width} * ${height} * 4 * 2")
  if(NOT digits EQUAL expected)
    message(FATAL_ERROR "${file} is not a ${width} x ${height} RGBA picture")
  endif()
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  set(source "${CMAKE_CURRENT_BINARY_DIR}/${target}_icon_${id}.cpp")
  file(CONFIGURE OUTPUT "${source}" @ONLY CONTENT
"// Generated from @file@ by warblet_add_icon_resource.
#include \"platform/portable/user32/program_icon.h\"

namespace {
const std::uint8_t pixels[] = {@bytes@};
const bool registered = portable::register_program_icon(@id@, {pixels, @width@, @height@});
}  // namespace
")
  target_sources(${target} PRIVATE "${source}")
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${file}")
endfunction()
