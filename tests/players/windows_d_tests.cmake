tw_add_test(test_favorites test_favorites.cpp)
tw_add_test(test_customize test_customize.cpp)
