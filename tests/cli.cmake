# brindlewick-cli generate: exit codes, messages and the files it writes.
add_test(NAME cli/generate
         COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/cli/generate_test.sh
                 ${CMAKE_BINARY_DIR}/bin/brindlewick-cli
                 ${CMAKE_SOURCE_DIR}/examples/example.blp)
set_tests_properties(cli/generate PROPERTIES TIMEOUT 120)
