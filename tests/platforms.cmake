# Captions rendered under both platform plugins and a user's font settings give one picture.
add_executable(caption_fingerprint platforms/caption_fingerprint.cpp)
target_link_libraries(caption_fingerprint PRIVATE render)
add_test(NAME render/platforms
         COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/platforms/platforms_test.sh
                 $<TARGET_FILE:caption_fingerprint>)
set_tests_properties(render/platforms PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 120)
