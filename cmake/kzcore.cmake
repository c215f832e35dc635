# Helpers that build the UI-free core out of the area folders of src/.
#
# Every area folder src/<area>/ contributes its top-level .cpp files to a static library
# kz<area>; files under src/<area>/ui/ belong to the widget library kzui instead. kzcore is the
# union of the area libraries and may never reach Qt Widgets: the link check below stops the
# configure step and cmake/sin_widgets.cmake stops the build when a core file includes a widget
# header.

set(KZ_CORE_LIBS "" CACHE INTERNAL "")

function(kz_area nombre)
  cmake_parse_arguments(A "" "" "DEPENDE" ${ARGN})
  file(GLOB fuentes CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${nombre}/*.cpp)
  if(NOT fuentes)
    return()
  endif()
  add_library(kz${nombre} STATIC ${fuentes})
  target_include_directories(kz${nombre} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(kz${nombre} PUBLIC Qt6::Core Qt6::Gui SQLite::SQLite3 ZLIB::ZLIB
                        PkgConfig::PXLIB)
  foreach(dep ${A_DEPENDE})
    if(TARGET kz${dep})
      target_link_libraries(kz${nombre} PUBLIC kz${dep})
    endif()
  endforeach()
  set_target_properties(kz${nombre} PROPERTIES AUTOMOC ON)
  add_dependencies(kz${nombre} kz_sin_widgets)
  set(KZ_CORE_LIBS ${KZ_CORE_LIBS} kz${nombre} CACHE INTERNAL "")
endfunction()

function(kz_verifica_sin_widgets)
  foreach(lib ${KZ_CORE_LIBS})
    get_target_property(enlaces ${lib} LINK_LIBRARIES)
    foreach(e ${enlaces})
      if(e MATCHES "Widgets")
        message(FATAL_ERROR "${lib} enlaza ${e}: el núcleo no puede usar Qt Widgets")
      endif()
    endforeach()
  endforeach()
endfunction()
