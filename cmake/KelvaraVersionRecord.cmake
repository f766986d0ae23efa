# kelvara_embed_version_record(TARGET)
# Gives an executable the fixed file-information record that
# TApplicationCls::GetFileVersion reads back from the program's own file,
# filled from the project version (file and product version alike).
include_guard(GLOBAL)

function(kelvara_embed_version_record target)
  # The record is looked up through the ELF section table; other executable
  # formats (a Windows build would use a real version resource) get none and
  # show an empty version.
  if(NOT CMAKE_EXECUTABLE_FORMAT STREQUAL "ELF")
    return()
  endif()
  foreach(part MAJOR MINOR PATCH TWEAK)
    set(KELVARA_VERSION_${part} ${PROJECT_VERSION_${part}})
    if(KELVARA_VERSION_${part} STREQUAL "")
      set(KELVARA_VERSION_${part} 0)
    endif()
  endforeach()
  set(generated ${CMAKE_CURRENT_BINARY_DIR}/${target}_VersionRecord.cpp)
  configure_file(${CMAKE_CURRENT_FUNCTION_LIST_DIR}/VersionRecord.cpp.in ${generated} @ONLY)
  target_sources(${target} PRIVATE ${generated})
  target_link_libraries(${target} PRIVATE kelvara_appinfo)
endfunction()
