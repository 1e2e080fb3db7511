# Runs "quillmere-cli record decode" on records of the fuzz seed corpus: text, status, exit codes.
# Arguments: -DCLI=path/to/quillmere-cli -DRECORDS=fuzz/corpus/fuzz_decode_record -DOUT=scratch/dir
function(expect what actual wanted)
  if(NOT "${actual}" STREQUAL "${wanted}")
    message(FATAL_ERROR "${what}: got '${actual}', expected '${wanted}'")
  endif()
endfunction()

file(MAKE_DIRECTORY ${OUT})
execute_process(COMMAND ${CLI} record decode ${RECORDS}/backrefs OUTPUT_FILE ${OUT}/backrefs.txt
                RESULT_VARIABLE rc)
expect("exit code of a good record" "${rc}" "0")
file(READ ${OUT}/backrefs.txt text HEX)
expect("decoded text" "${text}" "61626162616261626162616268656c6c6f616268656c6c")

execute_process(COMMAND ${CLI} record decode ${RECORDS}/before_start OUTPUT_VARIABLE out
                ERROR_VARIABLE err RESULT_VARIABLE rc)
expect("exit code of a corrupt record" "${rc}" "6")
expect("status name" "${err}" "CorruptStream\n")
expect("output of a corrupt record" "${out}" "")

execute_process(COMMAND ${CLI} record decode ${RECORDS}/payload_length_lies ERROR_VARIABLE err
                RESULT_VARIABLE rc)
expect("exit code of a lying header" "${rc}" "3")

execute_process(COMMAND ${CLI} record decode ${OUT}/no-such-file ERROR_QUIET RESULT_VARIABLE rc)
expect("exit code of a missing file" "${rc}" "2")
