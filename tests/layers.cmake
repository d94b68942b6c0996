# Failures travel up as values: only the wizard and the command line put them into words, so the
# same failure reads the same wherever it surfaces. A call to ErrorText below them fails here.
add_test(NAME layers/wording
         COMMAND bash -c "! grep -rn --include=*.cpp --include=*.h 'ErrorText::' fileio model codecs render generate ui app | grep -v '^fileio/ErrorText\\.'"
         WORKING_DIRECTORY ${CMAKE_SOURCE_DIR})
