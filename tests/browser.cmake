# The generated sample pages in headless Chromium; needs node and tests/browser/node_modules
# (tools/test.sh installs them with npm ci). Without those or Chromium it skips, except in CI
# (CI=true), where it fails.
find_program(NODE_EXECUTABLE node)
if(NODE_EXECUTABLE)
  add_test(NAME browser/sample_pages
           COMMAND ${NODE_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/browser/sample_page_test.mjs
                   ${CMAKE_BINARY_DIR}/bin/brindlewick-cli
                   ${CMAKE_SOURCE_DIR}/examples/example.blp
                   ${CMAKE_CURRENT_BINARY_DIR}/browser-work)
  set_tests_properties(browser/sample_pages PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 300)
else()
  # Fails rather than vanishing: tools/install-deps.sh --browser installs node.
  add_test(NAME browser/sample_pages COMMAND sh -c "echo 'node not found' >&2; exit 1")
endif()
