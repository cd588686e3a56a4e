tw_add_test(test_artwork ${CMAKE_CURRENT_LIST_DIR}/test_artwork.cpp)
