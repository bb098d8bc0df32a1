# vestrel_bibliotheque(<target> DEPENDS <targets...> SOURCES <files...>)
# A static library of the listed files (headers too, so that AUTOMOC sees
# them); a new file is a visible change of the folder's CMakeLists. The project
# root is on the include path of whoever links it: headers are included
# by folder.
function(vestrel_bibliotheque cible)
  cmake_parse_arguments(V "" "" "DEPENDS;SOURCES" ${ARGN})
  if(V_UNPARSED_ARGUMENTS OR NOT V_SOURCES)
    message(FATAL_ERROR "vestrel_bibliotheque(${cible}): DEPENDS <cibles> SOURCES <fichiers> attendus")
  endif()
  add_library(${cible} STATIC ${V_SOURCES})
  target_include_directories(${cible} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${cible} PUBLIC ${V_DEPENDS})
endfunction()

# vestrel_test(<name> SOURCES <files...> LIBS <targets...>)
# A Qt Test executable run by CTest without a screen.
function(vestrel_test nom)
  cmake_parse_arguments(V "" "" "SOURCES;LIBS" ${ARGN})
  if(V_UNPARSED_ARGUMENTS OR NOT V_SOURCES)
    message(FATAL_ERROR "vestrel_test(${nom}): SOURCES <fichiers> LIBS <cibles> attendus")
  endif()
  add_executable(${nom} ${V_SOURCES})
  target_link_libraries(${nom} PRIVATE Qt6::Test vestrel_testcommon ${V_LIBS})
  set_target_properties(${nom} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  add_test(NAME ${nom} COMMAND ${nom})
  set_tests_properties(${nom} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8;XDG_DATA_HOME=${CMAKE_BINARY_DIR}/xdg;ASAN_OPTIONS=detect_leaks=1;LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/lsan.supp:print_suppressions=0"
    TIMEOUT 300)
endfunction()
