# pugixml: the source of the version Debian packages, which scripts/test unpacks into the build
# folder, compiled header-only into each file that uses it, in every build. The task list reader then
# inlines pugixml's steps from node to node and attribute to attribute: through the shared library
# each step was a call, and walking a large list cost more in those calls than the parse itself. The
# fuzz build so sees coverage inside the XML parser too.
set(LENTORA_PUGIXML_SOURCE "" CACHE PATH "Unpacked pugixml source tree")
if(NOT EXISTS "${LENTORA_PUGIXML_SOURCE}/src/pugixml.cpp")
  message(FATAL_ERROR "pugixml source not found at '${LENTORA_PUGIXML_SOURCE}' (scripts/test fetches it)")
endif()
add_library(lentora_pugixml INTERFACE)
# A system include: pugixml's own warnings would bury ours.
target_include_directories(lentora_pugixml SYSTEM INTERFACE ${LENTORA_PUGIXML_SOURCE}/src)
# Without XPath and its stream and std::string interfaces, which the program does not use: the
# streams alone would pull the C++ library's locale and stream code (about a megabyte) into the exe.
target_compile_definitions(lentora_pugixml INTERFACE PUGIXML_HEADER_ONLY PUGIXML_NO_STL PUGIXML_NO_XPATH)
