# Runs the sample generator into OUT and compares its update stream and note images with the committed
# ones in SAMPLE.
file(REMOVE_RECURSE ${OUT})
file(MAKE_DIRECTORY ${OUT})
execute_process(COMMAND ${GENERATOR} ${OUT} RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "the generator failed: ${rc}")
endif()
foreach(file update-stream.txt notes_images/1.gif notes_images/3.gif notes_images/6.gif)
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUT}/${file} ${SAMPLE}/${file}
                    RESULT_VARIABLE differ)
    if(NOT differ EQUAL 0)
        message(FATAL_ERROR "data/sample/${file} is not what the generator makes; run it again")
    endif()
endforeach()
