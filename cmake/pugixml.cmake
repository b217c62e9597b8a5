# pugixml: Debian's package natively; for the Windows build, the same version compiled from
# Debian's source package, which scripts/test unpacks into the build folder.
if(WIN32)
  set(LENTORA_PUGIXML_SOURCE "" CACHE PATH "Unpacked pugixml source tree")
  if(NOT EXISTS "${LENTORA_PUGIXML_SOURCE}/src/pugixml.cpp")
    message(FATAL_ERROR "pugixml source not found at '${LENTORA_PUGIXML_SOURCE}' (scripts/test fetches it)")
  endif()
  add_library(lentora_pugixml STATIC ${LENTORA_PUGIXML_SOURCE}/src/pugixml.cpp)
  target_include_directories(lentora_pugixml SYSTEM PUBLIC ${LENTORA_PUGIXML_SOURCE}/src)
else()
  find_package(pugixml REQUIRED)
  add_library(lentora_pugixml INTERFACE)
  target_link_libraries(lentora_pugixml INTERFACE pugixml::pugixml)
endif()
