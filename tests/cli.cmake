# brindlewick-cli generate: exit codes, messages and the files it writes.
add_test(NAME cli/generate
         COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/cli/generate_test.sh
                 ${CMAKE_BINARY_DIR}/bin/brindlewick-cli
                 ${CMAKE_SOURCE_DIR}/examples/example.blp)
set_tests_properties(cli/generate PROPERTIES TIMEOUT 120)

# Whole or untouched files, names inside the folder, projects from pipes.
add_test(NAME cli/output
         COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/cli/output_test.sh
                 ${CMAKE_BINARY_DIR}/bin/brindlewick-cli
                 ${CMAKE_SOURCE_DIR}/examples/example.blp)
set_tests_properties(cli/output PROPERTIES TIMEOUT 180)

# A full disk: needs to mount a small tmpfs, and skips where it cannot.
add_test(NAME cli/full_disk
         COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/cli/full_disk_test.sh
                 ${CMAKE_BINARY_DIR}/bin/brindlewick-cli
                 ${CMAKE_SOURCE_DIR}/examples/example.blp)
set_tests_properties(cli/full_disk PROPERTIES TIMEOUT 60 SKIP_RETURN_CODE 77)

# The stored option sets reach the files.
add_test(NAME cli/settings
         COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/cli/settings_test.sh
                 ${CMAKE_BINARY_DIR}/bin/brindlewick-cli
                 ${CMAKE_SOURCE_DIR}/examples/example.blp)
set_tests_properties(cli/settings PROPERTIES TIMEOUT 120)

# Peak memory stays flat from 1,000 to 10,000 captions.
add_test(NAME cli/memory
         COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/cli/memory_test.sh
                 ${CMAKE_BINARY_DIR}/bin/brindlewick-cli)
set_tests_properties(cli/memory PROPERTIES TIMEOUT 900 SKIP_RETURN_CODE 77)

# --help of both programs and the generated manual page, whole.
add_test(NAME cli/fixed_texts
         COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/cli/fixed_texts_test.sh
                 ${CMAKE_BINARY_DIR}/bin/brindlewick-cli $<TARGET_FILE:brindlewick>
                 ${BRINDLEWICK_CLI_MAN_PAGE} ${PROJECT_VERSION})

# Permissions refused to an unprivileged user: needs root and setpriv, and skips without.
add_test(NAME cli/permissions
         COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/cli/permission_test.sh
                 ${CMAKE_BINARY_DIR}/bin/brindlewick-cli
                 ${CMAKE_SOURCE_DIR}/examples/example.blp)
set_tests_properties(cli/permissions PROPERTIES TIMEOUT 60 SKIP_RETURN_CODE 77)
