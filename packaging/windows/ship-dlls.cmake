# Install-time script: copies beside the installed program the DLLs that the given programs and
# plugins import, and the DLLs those import in turn, taken from the given folders. A DLL found in
# none of the folders belongs to Windows and is not shipped. Windows matches DLL names without
# regard to case, so this does too. The copies lose their debugging sections, which only make the
# download larger.
#
# Variables: WINTARVEL_SHIP_ROOTS (programs and plugins), WINTARVEL_SHIP_FROM (folders),
# WINTARVEL_OBJDUMP and WINTARVEL_STRIP (the MinGW tools), CMAKE_INSTALL_PREFIX (where to).

cmake_policy(VERSION 3.25)

function(imported_dll_names file out)
  execute_process(COMMAND ${WINTARVEL_OBJDUMP} -p ${file} OUTPUT_VARIABLE dump
                  COMMAND_ERROR_IS_FATAL ANY)
  string(REGEX MATCHALL "DLL Name: [^\r\n]+" names "${dump}")
  list(TRANSFORM names REPLACE "DLL Name: " "")
  list(TRANSFORM names TOLOWER)
  set(${out} ${names} PARENT_SCOPE)
endfunction()

set(available)
foreach(folder ${WINTARVEL_SHIP_FROM})
  file(GLOB dlls "${folder}/*.dll")
  list(APPEND available ${dlls})
endforeach()

set(pending ${WINTARVEL_SHIP_ROOTS})
set(shipped)
while(pending)
  list(POP_FRONT pending file)
  imported_dll_names(${file} names)
  foreach(dll ${available})
    get_filename_component(name ${dll} NAME)
    string(TOLOWER ${name} name)
    if(name IN_LIST names AND NOT dll IN_LIST shipped)
      list(APPEND shipped ${dll})
      list(APPEND pending ${dll})
    endif()
  endforeach()
endwhile()

foreach(dll ${shipped})
  get_filename_component(name ${dll} NAME)
  file(INSTALL ${dll} DESTINATION "${CMAKE_INSTALL_PREFIX}")
  execute_process(COMMAND ${WINTARVEL_STRIP} --strip-debug "${CMAKE_INSTALL_PREFIX}/${name}"
                  COMMAND_ERROR_IS_FATAL ANY)
endforeach()
