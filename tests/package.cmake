# cmake --install into a scratch DESTDIR, the desktop files' validators, the installed command
# line, and cpack -G DEB's control data.
add_test(NAME package/install
         COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/package/install_test.sh ${CMAKE_BINARY_DIR}
                 ${CMAKE_SOURCE_DIR} ${PROJECT_VERSION})
set_tests_properties(package/install PROPERTIES TIMEOUT 300)
