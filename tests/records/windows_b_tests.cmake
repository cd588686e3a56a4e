tw_add_test(test_logstat recordstest.h test_logstat.cpp)
tw_add_test(test_gamestat recordstest.h test_gamestat.cpp)
