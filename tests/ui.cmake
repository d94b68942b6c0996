# The wizard walk compares its files with those of the command line.
if(TARGET tst_GeneratorWizard)
  target_compile_definitions(tst_GeneratorWizard PRIVATE
                             BRINDLEWICK_CLI="$<TARGET_FILE:brindlewick-cli>")
  add_dependencies(tst_GeneratorWizard brindlewick-cli)
endif()
# F1 in the widget tests opens the help page copied beside the built programs.
foreach(test tst_GeneratorWizard tst_SplashForm)
  if(TARGET ${test})
    add_dependencies(${test} help-page)
  endif()
endforeach()
# The designer's preview on a HiDPI screen.
if(TARGET tst_DesignerWindow)
  add_test(NAME ui/tst_DesignerWindow_hidpi COMMAND tst_DesignerWindow previewDrawsTheRunsImages)
  set_tests_properties(ui/tst_DesignerWindow_hidpi PROPERTIES ENVIRONMENT
                       "QT_QPA_PLATFORM=offscreen;QT_SCALE_FACTOR=2")
endif()
