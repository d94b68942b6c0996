# The real program, started on a virtual display.
add_test(NAME app/wizard_smoke
         COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/smoke/wizard_smoke.sh $<TARGET_FILE:brindlewick>)
set_tests_properties(app/wizard_smoke PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 120)
