# cmake -DLIST=samples.txt -DROOT=dir -P make_samples.cmake: creates the sample folders below ROOT.
file(STRINGS "${LIST}" lines ENCODING UTF-8)
foreach(line IN LISTS lines)
  if(line AND NOT line MATCHES "^#")
    file(MAKE_DIRECTORY "${ROOT}/${line}")
  endif()
endforeach()
