# Both editions are the one lumaro program under two names in the install
# folder. The links are relative, so the tree they live in can be moved.
#   DATA_DIR  the install folder
#   PROGRAM   the lumaro program
foreach(var DATA_DIR PROGRAM)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "EditionLinks.cmake needs ${var}")
  endif()
endforeach()

file(MAKE_DIRECTORY "${DATA_DIR}")
file(RELATIVE_PATH target "${DATA_DIR}" "${PROGRAM}")
foreach(edition Lumaro1 Lumaro2)
  message(STATUS "Edition link: ${DATA_DIR}/${edition} -> ${target}")
  file(CREATE_LINK "${target}" "${DATA_DIR}/${edition}" SYMBOLIC)
endforeach()
