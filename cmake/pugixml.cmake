# pugixml: Debian's package natively; for the Windows build, the same version compiled from
# Debian's source package, which scripts/test unpacks into the build folder. The fuzz build compiles
# that source too, so the engine sees coverage inside the XML parser.
if(WIN32 OR LENTORA_FUZZ)
  set(LENTORA_PUGIXML_SOURCE "" CACHE PATH "Unpacked pugixml source tree")
  if(NOT EXISTS "${LENTORA_PUGIXML_SOURCE}/src/pugixml.cpp")
    message(FATAL_ERROR "pugixml source not found at '${LENTORA_PUGIXML_SOURCE}' (scripts/test fetches it)")
  endif()
  add_library(lentora_pugixml STATIC ${LENTORA_PUGIXML_SOURCE}/src/pugixml.cpp)
  target_include_directories(lentora_pugixml SYSTEM PUBLIC ${LENTORA_PUGIXML_SOURCE}/src)
  target_compile_options(lentora_pugixml PRIVATE -w)  # not our code; its warnings would bury ours
  # Without XPath and its stream and std::string interfaces, which the program does not use: the
  # streams alone would pull the C++ library's locale and stream code (about a megabyte) into the exe.
  target_compile_definitions(lentora_pugixml PUBLIC PUGIXML_NO_STL PUGIXML_NO_XPATH)
else()
  find_package(pugixml REQUIRED)
  add_library(lentora_pugixml INTERFACE)
  target_link_libraries(lentora_pugixml INTERFACE pugixml::pugixml)
endif()
