# Runs "quillmere-cli search" on the lesson corpus: typing, lesson order, --first, exit codes.
# Arguments: -DCLI=path/to/quillmere-cli
function(run expect_code expect_regex)
  execute_process(COMMAND ${CLI} search ${ARGN} RESULT_VARIABLE code OUTPUT_VARIABLE out)
  if(NOT code EQUAL expect_code)
    message(FATAL_ERROR "search ${ARGN}: exit ${code}, expected ${expect_code}")
  endif()
  if(NOT out MATCHES "${expect_regex}")
    message(FATAL_ERROR "search ${ARGN}: output does not match ${expect_regex}:\n${out}")
  endif()
endfunction()

# A word of lesson 100 only: one hit, its paragraph in logical order.
run(0 "^100 [0-9]+ 8 [^\n]*אַקאָרדן[^\n]*\n$" אקארדן)
# From lesson 101 the same hit comes after the wrap-around, still the only one.
run(0 "^100 [0-9]+ 8 " אקארדן --from 101)
# Latin keys through the keyboard map: "t" alef, then "s" dalet to its left; the first hit only.
run(0 "^[0-9]+ [0-9]+ [0-9]+ [^\n]*\n$" ts --first)
# --from starts in that lesson.
run(0 "^12 " ען --from 12 --first)
run(1 "^$" qqqqq)
run(2 "^$")
run(2 "^$" ab --from 248)
