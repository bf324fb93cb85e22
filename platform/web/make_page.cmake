cmake_minimum_required(VERSION 3.25)
# Writes one program's page: the template with the module's script inlined, so
# the page is a single file that opens straight from disk.
# Variables: TEMPLATE, MODULE_JS, PAGE_JS (the page's bundled script), OUT, PROGRAM, DESCRIPTION.
file(READ "${TEMPLATE}" page)
file(READ "${MODULE_JS}" module)
file(READ "${PAGE_JS}" controls)
foreach(script MODULE_JS PAGE_JS)
  file(READ "${${script}}" text)
  string(FIND "${text}" "</script" closing)
  if(NOT closing EQUAL -1)
    message(FATAL_ERROR "${${script}} contains </script and cannot be inlined")
  endif()
endforeach()
string(REPLACE "@PROGRAM@" "${PROGRAM}" page "${page}")
string(REPLACE "@DESCRIPTION@" "${DESCRIPTION}" page "${page}")
string(REPLACE "@PAGE_SCRIPT@" "${controls}" page "${page}")
string(REPLACE "@MODULE@" "${module}" page "${page}")
file(WRITE "${OUT}" "${page}")
