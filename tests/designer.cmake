# The designer window walked through the accessibility bus, its files compared with the cli's.
add_test(NAME app/designer_smoke
         COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/smoke/designer_smoke.sh
                 $<TARGET_FILE:brindlewick> $<TARGET_FILE:brindlewick-cli>)
set_tests_properties(app/designer_smoke PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 120)
