# brindlewick-cli on hostile projects: bounded memory and time, clear reasons.
add_test(NAME cli/limits
         COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/cli/limits_test.sh
                 ${CMAKE_BINARY_DIR}/bin/brindlewick-cli)
set_tests_properties(cli/limits PROPERTIES TIMEOUT 120)
