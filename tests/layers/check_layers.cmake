# For every folder's library and every folder of the program: a source that
# includes a header of that folder, preprocessed with the library's include
# path. It must compile where the folder is the library's own or one below
# it, and fail with the header not found where it is not: an include that
# climbs a layer, or crosses to a folder beside it, does not compile.
#
# The layers, each folder with the folders it may include (itself aside):
set(below_chain "")
set(below_files "")
set(below_dialogue chain)
set(below_adjustment chain)
set(below_input chain dialogue adjustment)
set(below_report chain adjustment)
set(below_job chain dialogue adjustment input)
set(below_jobfile chain files dialogue adjustment input job analysis)
set(below_draft chain files dialogue adjustment input job jobfile analysis)
set(below_import chain dialogue)
set(below_analysis chain adjustment)
set(below_export chain files adjustment analysis)
set(below_tools/replay chain files dialogue adjustment input report job jobfile draft analysis export)
set(below_presentation chain files dialogue adjustment input report job jobfile draft import analysis export)

include(${PATHS})
file(MAKE_DIRECTORY ${SCRATCH})
set(failures "")
set(probes 0)
foreach(folder IN LISTS FOLDERS)
  # The first header of the folder by name stands for all of them.
  file(GLOB headers RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/${folder}/*.h)
  list(SORT headers)
  list(GET headers 0 header_${folder})
endforeach()

foreach(library IN LISTS FOLDERS)
  set(flags "")
  foreach(path IN LISTS paths_${library})
    list(APPEND flags -I${path})
  endforeach()
  foreach(folder IN LISTS FOLDERS)
    set(header ${header_${folder}})
    string(MAKE_C_IDENTIFIER "${library}_${folder}" probe)
    file(WRITE ${SCRATCH}/${probe}.cpp "#include \"${header}\"\n")
    execute_process(COMMAND ${COMPILER} -std=c++20 -E -o /dev/null ${flags} ${SCRATCH}/${probe}.cpp
                    RESULT_VARIABLE status ERROR_VARIABLE errors)
    math(EXPR probes "${probes} + 1")
    list(FIND below_${library} ${folder} at)
    if(folder STREQUAL library OR at GREATER -1)
      if(NOT status EQUAL 0)
        string(APPEND failures "${library} cannot include ${header}, a folder below it:\n${errors}\n")
      endif()
    elseif(status EQUAL 0)
      string(APPEND failures "${library} includes ${header}: the folder is not below it\n")
    elseif(NOT errors MATCHES "${header}: No such file or directory")
      string(APPEND failures "${library} including ${header} fails otherwise than by not finding it:\n${errors}\n")
    endif()
  endforeach()
endforeach()

if(failures)
  message(FATAL_ERROR "${failures}")
endif()
message(STATUS "${probes} includes probed: each folder sees the folders below it and no others")
