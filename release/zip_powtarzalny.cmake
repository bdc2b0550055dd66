# Run by CPack after it has made the ZIP: writes the archive again in a
# fixed order, every entry with the last commit's time and without access
# or change times, so that the same sources give the same zip. (CPack takes
# the order in which the file system lists the files, and their own times.)
set(czas 1767225600)
if(CPACK_BRENVIK_GIT)
  execute_process(COMMAND ${CPACK_BRENVIK_GIT} log -1 --format=%ct WORKING_DIRECTORY ${CPACK_BRENVIK_ZRODLA}
    OUTPUT_VARIABLE czas_zmiany RESULT_VARIABLE wynik OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  if(wynik EQUAL 0 AND czas_zmiany MATCHES "^[0-9]+$")
    set(czas ${czas_zmiany})
  endif()
endif()

get_filename_component(katalog ${CPACK_TEMPORARY_DIRECTORY} DIRECTORY)
get_filename_component(gorny ${CPACK_TEMPORARY_DIRECTORY} NAME)
foreach(paczka ${CPACK_PACKAGE_FILES})
  execute_process(COMMAND /usr/bin/python3 ${CMAKE_CURRENT_LIST_DIR}/zip_powtarzalny.py
      ${paczka} ${katalog} ${gorny} ${czas} RESULT_VARIABLE wynik)
  if(NOT wynik EQUAL 0)
    message(FATAL_ERROR "cannot write ${paczka} again")
  endif()
endforeach()
