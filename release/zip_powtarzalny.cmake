# Run by CPack after it has made the ZIP: writes the archive again in a
# fixed order with one fixed time and no per-file access or change times,
# so that the same sources give the same zip. (CPack takes the order in
# which the file system lists the files, and each file's own times.)
get_filename_component(katalog ${CPACK_TEMPORARY_DIRECTORY} DIRECTORY)
get_filename_component(gorny ${CPACK_TEMPORARY_DIRECTORY} NAME)
foreach(paczka ${CPACK_PACKAGE_FILES})
  execute_process(COMMAND /usr/bin/python3 ${CMAKE_CURRENT_LIST_DIR}/zip_powtarzalny.py
      ${paczka} ${katalog} ${gorny} ${CPACK_BRENVIK_CZAS_PLIKOW} RESULT_VARIABLE wynik)
  if(NOT wynik EQUAL 0)
    message(FATAL_ERROR "cannot write ${paczka} again")
  endif()
endforeach()
