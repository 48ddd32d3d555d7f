# Copies the help's sources into the stage folder, the pages with "@VERSION@" replaced by the
# program's version, so that the help names the version written once in CMakeLists.txt.
# cmake -DSOURCE_DIR=... -DSTAGE=... -DVERSION=... -P stage_help.cmake
cmake_minimum_required(VERSION 3.20)

file(GLOB sources ${SOURCE_DIR}/*.html ${SOURCE_DIR}/*.css ${SOURCE_DIR}/*.hhc ${SOURCE_DIR}/*.hhk
     ${SOURCE_DIR}/*.hhp)
foreach(source IN LISTS sources)
  get_filename_component(name "${source}" NAME)
  if(name MATCHES "\\.html$")
    # The pages are written with CR LF, as they are kept.
    configure_file("${source}" "${STAGE}/${name}" @ONLY NEWLINE_STYLE CRLF)
  else()
    file(COPY "${source}" DESTINATION "${STAGE}")
  endif()
endforeach()
