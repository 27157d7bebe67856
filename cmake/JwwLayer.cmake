# jww_layer(NAME FOLDER... [USES LIBRARY...]): the static library NAME of the
# sources in FOLDER... (each folder's own, not its subfolders'), linking the
# libraries of USES and nothing else of the project. Its headers are
# included by their path from the project's root.
#
# A layer's link line is a promise that it calls nothing else, and the final
# programs, which link every layer, would not tell if it were broken. So each
# layer is also linked whole into a program of its own, NAME_alone, with only
# what USES gives it: a call into any other layer is then an undefined
# reference, and the build stops. The program does nothing and is never run.
# Linking a whole library needs CMake 3.24; older versions build the layers
# without the check. Every layer is recorded in the global property
# JWW_CORE_LAYERS.
if(CMAKE_VERSION VERSION_GREATER_EQUAL 3.24)
  set(JWW_LAYER_MAIN ${CMAKE_BINARY_DIR}/jww_layer_alone.cpp)
  file(CONFIGURE OUTPUT ${JWW_LAYER_MAIN} CONTENT "int main() { return 0; }\n")
endif()

function(jww_layer name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "USES")
  set(sources)
  foreach(folder ${arg_UNPARSED_ARGUMENTS})
    file(GLOB found CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.cpp)
    list(APPEND sources ${found})
  endforeach()
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${arg_USES})
  set_property(GLOBAL APPEND PROPERTY JWW_CORE_LAYERS ${name})
  if(JWW_LAYER_MAIN)
    add_executable(${name}_alone ${JWW_LAYER_MAIN})
    target_link_libraries(${name}_alone PRIVATE "$<LINK_LIBRARY:WHOLE_ARCHIVE,${name}>")
  endif()
endfunction()
