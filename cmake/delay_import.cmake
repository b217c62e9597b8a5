# Import libraries whose DLL loads at the first call instead of at start-up (mingw-w64's
# delay-load helper does the loading). A DLL that pulls a dozen Unix libraries into a Wine
# process costs the program private memory on every start although most starts never call it.
# Usage: lentora_delay_import(<target name> <dll> <function>...): every function the program
# calls from that DLL; one not listed is imported the ordinary way, from the regular library.
function(lentora_delay_import name dll)
  set(def ${CMAKE_CURRENT_BINARY_DIR}/${name}.def)
  set(lib ${CMAKE_CURRENT_BINARY_DIR}/lib${name}.a)
  list(JOIN ARGN "\n" exports)
  file(WRITE ${def} "LIBRARY ${dll}\nEXPORTS\n${exports}\n")
  add_custom_command(OUTPUT ${lib} COMMAND ${CMAKE_DLLTOOL} -d ${def} -y ${lib} DEPENDS ${def} VERBATIM)
  add_custom_target(${name}_build DEPENDS ${lib})
  add_library(${name} STATIC IMPORTED GLOBAL)
  set_target_properties(${name} PROPERTIES IMPORTED_LOCATION ${lib})
  add_dependencies(${name} ${name}_build)
endfunction()
