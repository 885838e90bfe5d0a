# Fails when a source of a toolkit-free library includes anything but the C++ standard library
# (standard headers are named in lower-case letters and underscores, no dot, slash or capital:
# <QString> is caught too) and the headers of the
# libraries it may use, named by folder ("core/engine_state.h"), and the few headers of other
# libraries it is there to use (<png.h>).
#   SOURCE_DIR      the src folder
#   LIBRARY         the library's name, for the messages
#   FOLDERS         the library's folders under SOURCE_DIR
#   MAY_INCLUDE     the folders whose headers it may include
#   OTHER_HEADERS   headers outside the standard library it may include, if any
cmake_policy(SET CMP0057 NEW) # if(... IN_LIST ...)
set(sources "")
foreach(folder IN LISTS FOLDERS)
    file(GLOB_RECURSE found ${SOURCE_DIR}/${folder}/*)
    list(APPEND sources ${found})
endforeach()
list(JOIN MAY_INCLUDE "|" allowed)
set(offenders "")
foreach(source IN LISTS sources)
    file(STRINGS ${source} includes REGEX "^[ \t]*#[ \t]*include")
    foreach(line IN LISTS includes)
        if(line MATCHES "<([^>]*)>")
            set(header "${CMAKE_MATCH_1}")
            if(NOT header MATCHES "^[a-z_]+$" AND NOT header IN_LIST OTHER_HEADERS)
                list(APPEND offenders "${source}: ${line}")
            endif()
        elseif(NOT line MATCHES "\"(${allowed})/[^\"/]+\"")
            list(APPEND offenders "${source}: ${line}")
        endif()
    endforeach()
endforeach()
list(LENGTH sources count)
if(count EQUAL 0)
    message(FATAL_ERROR "no ${LIBRARY} sources found under ${SOURCE_DIR}")
endif()
if(offenders)
    message(FATAL_ERROR "includes from outside the ${LIBRARY} and the C++ standard library:\n"
                        "${offenders}")
endif()
message(STATUS "${count} ${LIBRARY} sources include only the standard library and ${MAY_INCLUDE}")
